#pragma once

#include <QColor>
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <vector>

namespace kestrova {

class CloseRequestWatch;
class ControlBinding;
class Form;

/// The real window of a form: its controls as widgets in a client area, its menu bar, and the
/// window-level events (resize, activation, closing, mouse on the background).
class FormWindow : public QMainWindow
{
    Q_OBJECT
public:
    FormWindow(Form &form, QWidget *browser = nullptr, QWidget *parent = nullptr);
    ~FormWindow() override;

    Form &form() const { return m_form; }
    QWidget *client() const { return m_client; }

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void installKeys();
    void openMenuBar();
    void pressDefaultButton();
    void pressCancel();
    void applyMinimumSize();
    void fitIntoScreen();
    void reportSize();
    int menuHeightNow();
    void formChanged(int change);
    void honourCloseRequest();
    void blockedByModalBox();

    Form &m_form;
    QWidget *m_client = nullptr;
    std::vector<ControlBinding *> m_bindings;
    ControlBinding *m_statusBar = nullptr;
    QColor m_background;
    /// A modal box of this window opened, and the user has done nothing since it closed.
    bool m_returningFromBox = false;
    std::unique_ptr<CloseRequestWatch> m_closeRequests;
    /// The system asked to close the window; the toolkit drops the request if a box blocked it.
    bool m_closeRequested = false;
    bool m_inClose = false;
    bool m_placed = false;
};

} // namespace kestrova
