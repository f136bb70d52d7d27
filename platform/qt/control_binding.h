#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QKeyEvent;
class QListView;

#include <string>

namespace kestrova {

class Control;
class ListBoxModel;
enum class Change;

/// Mirrors one control into its widget and forwards what the user does back to the control.
class ControlBinding : public QObject
{
    Q_OBJECT
public:
    /// Creates the widget for the control under `parent`; `browser` is the widget of the web
    /// pane, used for the control of kind Browser.
    ControlBinding(Control &control, QWidget *parent, QWidget *browser);

    QWidget *widget() const { return m_widget; }
    Control &control() const { return m_control; }
    /// The status bar is docked to the bottom of the client area whatever its geometry says.
    void placeStatusBar(const QSize &clientSize);
    /// Brings every list whose entries or selection changed, and every new picture, into its
    /// widget now; windows call it before they paint, so one click's changes always reach the
    /// screen together.
    static void syncPendingLists();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *createWidget(QWidget *parent, QWidget *browser);
    void connectUserSignals();
    void changed(Change change);
    void scheduleSync();
    void syncEntries();
    void applyGeometry();
    void applyColors();
    void applyCaption();
    void applyPicture();
    void applyPanels();
    bool forwardMouse(QEvent *event);
    /// Lets the list move by a key, then makes sure the row the key lands on is chosen.
    bool selectByKey(QListView &view, QKeyEvent &event);

    Control &m_control;
    QPointer<QWidget> m_widget;
    ListBoxModel *m_model = nullptr;
    bool m_syncPending = false;
    bool m_entriesDirty = false;
    bool m_pictureDirty = false;
    bool m_updating = false;
    bool m_secondPress = false;
};

/// The accessible name of a control's widget: a label's caption, otherwise the name a person
/// would use, its caption, or at last its own name.
std::string accessibleNameOf(const Control &control);

} // namespace kestrova
