#include "platform/qt/form_window.h"

#include "platform/form.h"
#include "platform/qt/close_request_watch.h"
#include "platform/qt/combo_box_accessible.h"
#include "platform/qt/control_binding.h"
#include "platform/qt/menu_binding.h"
#include "platform/qt/qt_convert.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHash>
#include <QMenuBar>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QShortcut>

#include <algorithm>
#include <functional>
#include <utility>

namespace kestrova {

namespace {

// Without a window manager there is no frame to measure; assume a usual one.
constexpr int kNominalFrameWidth = 8;
constexpr int kNominalFrameHeight = 31;

/// Tells of each press of a mouse button or key the user makes, in any window, while no modal
/// box is open.
class UserInputWatch : public QObject
{
public:
    UserInputWatch(QObject *parent, std::function<void()> onInput)
        : QObject(parent), m_onInput(std::move(onInput))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const auto type = event->type();
        if ((type == QEvent::MouseButtonPress || type == QEvent::KeyPress)
            && !QApplication::activeModalWidget())
            m_onInput();
        return false;
    }

private:
    std::function<void()> m_onInput;
};

} // namespace

FormWindow::FormWindow(Form &form, QWidget *browser, QWidget *parent)
    : QMainWindow(parent), m_form(form), m_client(new QWidget(this))
{
    installComboBoxAccessible();
    setObjectName(toQString(form.name()));
    setWindowTitle(toQString(form.caption()));
    setCentralWidget(m_client);
    m_client->setObjectName(toQString(form.name() + ".client"));
    m_client->setMouseTracking(true);
    m_client->installEventFilter(this);
    if (!form.menuBar().items().empty())
        new MenuBinding(form.menuBar(), menuBar());
    QHash<const Control *, QWidget *> widgets;
    for (const auto &control : form.controls()) {
        QWidget *parentWidget = control->parent() ? widgets.value(control->parent(), m_client)
                                                  : m_client;
        auto *binding = new ControlBinding(*control, parentWidget, browser);
        widgets.insert(control.get(), binding->widget());
        m_bindings.push_back(binding);
        if (control->kind() == ControlKind::StatusBar)
            m_statusBar = binding;
    }
    form.setObserver([this](FormChange change) { formChanged(int(change)); });
    m_closeRequests = std::make_unique<CloseRequestWatch>(*this, [this] { m_closeRequested = true; });
    new UserInputWatch(this, [this] { m_returningFromBox = false; });
    if (form.width() > 0 && form.height() > 0) {
        resize(twipsToPixels(form.width()) - kNominalFrameWidth,
               twipsToPixels(form.height()) - kNominalFrameHeight - menuHeightNow());
    }
    applyMinimumSize();
    fitIntoScreen();
    installKeys();
}

int FormWindow::menuHeightNow()
{
    return m_form.menuBar().items().empty() ? 0 : menuBar()->sizeHint().height();
}

void FormWindow::applyMinimumSize()
{
    if (m_form.minimumWidth() <= 0 || m_form.minimumHeight() <= 0)
        return;
    setMinimumSize(twipsToPixels(m_form.minimumWidth()) - kNominalFrameWidth,
                   twipsToPixels(m_form.minimumHeight()) - kNominalFrameHeight - menuHeightNow());
}

void FormWindow::fitIntoScreen()
{
    // The design size is for a large screen: a smaller one gets a smaller window, which the
    // layout then follows, never one that reaches past the screen's edges.
    const QScreen *where = screen();
    if (!where)
        return;
    const QRect room = where->availableGeometry();
    QSize frame = frameGeometry().size() - size();
    if (frame.isEmpty())
        frame = QSize(kNominalFrameWidth, kNominalFrameHeight);
    const QSize most = room.size() - frame;
    resize(std::max(std::min(width(), most.width()), minimumWidth()),
           std::max(std::min(height(), most.height()), minimumHeight()));
    // Only a window reaching past the screen is moved: others stay where the system puts them.
    if (room.contains(QRect(pos(), size() + frame)))
        return;
    const int lastLeft = std::max(room.left(), room.right() + 1 - width() - frame.width());
    const int lastTop = std::max(room.top(), room.bottom() + 1 - height() - frame.height());
    move(std::clamp(x(), room.left(), lastLeft), std::clamp(y(), room.top(), lastTop));
}

void FormWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!std::exchange(m_placed, true))
        fitIntoScreen();
}

void FormWindow::installKeys()
{
    if (!m_form.menuBar().items().empty()) {
        auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
        connect(f10, &QShortcut::activated, this, &FormWindow::openMenuBar);
    }
}

void FormWindow::keyPressEvent(QKeyEvent *event)
{
    // Enter and Escape reach the window only when the control with the focus left them, and
    // never while a box of this window has them.
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !m_form.defaultButton().empty()) {
        pressDefaultButton();
        return;
    }
    if (key == Qt::Key_Escape && (!m_form.cancelButton().empty() || m_form.closesOnEscape())) {
        pressCancel();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void FormWindow::openMenuBar()
{
    for (QAction *action : menuBar()->actions()) {
        if (action->isVisible() && !action->isSeparator()) {
            menuBar()->setActiveAction(action);
            return;
        }
    }
}

void FormWindow::pressDefaultButton()
{
    // A button with the focus answers Enter itself, as in any dialog.
    if (auto *button = qobject_cast<QPushButton *>(QApplication::focusWidget());
        button && button->window() == this) {
        button->click();
        return;
    }
    if (Control *button = m_form.find(m_form.defaultButton()))
        button->raiseClick();
}

void FormWindow::pressCancel()
{
    if (Control *button = m_form.find(m_form.cancelButton()))
        button->raiseClick();
    else
        close();
}

bool FormWindow::focusNextPrevChild(bool next)
{
    // Tab follows what the user sees, top to bottom and left to right, whatever order the
    // controls were made in or the layout moved them to.
    QList<QWidget *> chain;
    for (QWidget *w : findChildren<QWidget *>()) {
        if (w->window() == this && w->isVisibleTo(this) && w->isEnabled() && !w->focusProxy()
            && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus)
            chain.append(w);
    }
    if (chain.isEmpty())
        return QMainWindow::focusNextPrevChild(next);
    std::stable_sort(chain.begin(), chain.end(), [this](QWidget *a, QWidget *b) {
        const QPoint pa = a->mapTo(this, QPoint(0, 0));
        const QPoint pb = b->mapTo(this, QPoint(0, 0));
        return std::pair(pa.y(), pa.x()) < std::pair(pb.y(), pb.x());
    });
    QWidget *focus = QApplication::focusWidget();
    qsizetype at = -1;
    for (qsizetype k = 0; k < chain.size(); ++k) {
        if (focus && (chain[k] == focus || chain[k]->isAncestorOf(focus)))
            at = k;
    }
    const qsizetype count = chain.size();
    const qsizetype to = at < 0 ? (next ? 0 : count - 1) : (at + (next ? 1 : count - 1)) % count;
    chain[to]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

FormWindow::~FormWindow() = default;

void FormWindow::formChanged(int change)
{
    switch (FormChange(change)) {
    case FormChange::Visible: setVisible(m_form.isVisible()); break;
    case FormChange::Caption: setWindowTitle(toQString(m_form.caption())); break;
    case FormChange::Colors:
        // Painted, not set on the palette: controls keep their own colours, as they would
        // on a window whose background the user changed.
        m_background = m_form.backColor() ? toQColor(*m_form.backColor()) : QColor();
        m_client->update();
        break;
    case FormChange::Position: move(twipsToPixels(m_form.left()), twipsToPixels(m_form.top())); break;
    case FormChange::Size: break;
    case FormChange::Controls: break;
    case FormChange::Activate:
        raise();
        activateWindow();
        break;
    }
}

void FormWindow::reportSize()
{
    QSize outer = frameGeometry().size();
    if (outer == size())
        outer += QSize(kNominalFrameWidth, kNominalFrameHeight);
    m_form.setActualSize(pixelsToTwips(outer.width()), pixelsToTwips(outer.height()),
                         pixelsToTwips(m_client->width()), pixelsToTwips(m_client->height()));
    if (m_statusBar)
        m_statusBar->placeStatusBar(m_client->size());
}

bool FormWindow::event(QEvent *event)
{
    if (event->type() == QEvent::UpdateRequest)
        ControlBinding::syncPendingLists();
    if (event->type() == QEvent::WindowBlocked)
        blockedByModalBox();
    if (event->type() == QEvent::WindowUnblocked && m_closeRequested) {
        // Queued: the box that unblocked the window is still closing.
        QMetaObject::invokeMethod(this, &FormWindow::honourCloseRequest, Qt::QueuedConnection);
    }
    return QMainWindow::event(event);
}

void FormWindow::honourCloseRequest()
{
    // Another box may have opened meanwhile: the request waits for that one too.
    if (m_closeRequested && !m_inClose && isVisible() && !QApplication::activeModalWidget())
        close();
}

void FormWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    reportSize();
}

void FormWindow::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    m_form.setActualPosition(pixelsToTwips(x()), pixelsToTwips(y()));
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    // This close answers every request made until it is done, those made while it asks too.
    m_inClose = true;
    const auto answered = qScopeGuard([this] {
        m_inClose = false;
        m_closeRequested = false;
    });
    if (m_form.onClose) {
        m_form.userClose();
        // The close handler keeps the window loaded when the user chose to stay.
        if (m_form.isLoaded())
            event->ignore();
        else
            event->accept();
        return;
    }
    // Secondary windows are only hidden, never destroyed, until the program ends.
    m_form.hide();
    event->ignore();
}

void FormWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // However late, and by whatever detour the system hands the focus back after a box of this
    // window, that is no new activation: only one after the user has done something since is.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_returningFromBox)
        m_form.userActivate();
}

void FormWindow::blockedByModalBox()
{
    // Told when the box opens, whatever order the focus changes come in.
    const QWidget *box = QApplication::activeModalWidget();
    if (box && box->parentWidget() && box->parentWidget()->window() == this)
        m_returningFromBox = true;
}

bool FormWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_client)
        return false;
    const auto type = event->type();
    if (type == QEvent::Paint && m_background.isValid()) {
        QPainter painter(m_client);
        painter.fillRect(m_client->rect(), m_background);
        return false;
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove)
        return false;
    const auto &mouse = static_cast<QMouseEvent &>(*event);
    MouseEvent e;
    const auto buttons = type == QEvent::MouseMove ? mouse.buttons() : Qt::MouseButtons(mouse.button());
    e.button = (buttons & Qt::LeftButton ? LeftButton : 0) | (buttons & Qt::RightButton ? RightButton : 0)
               | (buttons & Qt::MiddleButton ? MiddleButton : 0);
    e.x = pixelsToTwips(mouse.position().x());
    e.y = pixelsToTwips(mouse.position().y());
    if (type == QEvent::MouseButtonPress)
        m_form.userMouseDown(e);
    else
        m_form.userMouseMove(e);
    return false;
}

} // namespace kestrova
