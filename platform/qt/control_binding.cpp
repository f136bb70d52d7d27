#include "platform/qt/control_binding.h"

#include "platform/list_box.h"
#include "platform/qt/combo_box_accessible.h"
#include "platform/qt/list_box_model.h"
#include "platform/qt/qt_convert.h"
#include "platform/text_box.h"
#include "platform/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <iterator>
#include <utility>

namespace kestrova {

namespace {

int buttonCode(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= LeftButton;
    if (buttons & Qt::RightButton)
        code |= RightButton;
    if (buttons & Qt::MiddleButton)
        code |= MiddleButton;
    return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
           | (modifiers & Qt::AltModifier ? 4 : 0);
}

// Key codes as the program's handlers know them: letters and digits are their upper-case
// character, the other keys the system's virtual-key numbers.
int keyCode(const QKeyEvent &event)
{
    static constexpr std::pair<int, int> kKeys[] = {
        {Qt::Key_Return, 13}, {Qt::Key_Enter, 13},  {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},
        {Qt::Key_Escape, 27}, {Qt::Key_Space, 32},  {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34},
        {Qt::Key_End, 35},    {Qt::Key_Home, 36},   {Qt::Key_Left, 37},     {Qt::Key_Up, 38},
        {Qt::Key_Right, 39},  {Qt::Key_Down, 40},   {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},
        {Qt::Key_Shift, 16},  {Qt::Key_Control, 17}, {Qt::Key_Alt, 18}};
    const int key = event.key();
    for (auto [qtKey, code] : kKeys) {
        if (key == qtKey)
            return code;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return 112 + (key - Qt::Key_F1);
    return key & 0xFFFF;
}

// Counts, column captions and the hint keep all of their text in their box, in a smaller type
// when needed: in a small window they share one narrow strip.
bool fitsTextToWidth(const Control &control)
{
    return control.name() == "m_M" || control.name() == "romc_T" || control.name() == "wikic_T"
           || control.name().starts_with("Emulators_T(");
}

void fitText(QLabel &label)
{
    constexpr qreal kSmallestPoints = 5;
    QFont font = label.parentWidget() ? label.parentWidget()->font() : QApplication::font();
    const QString text = label.text();
    const int room = label.width() - 2;
    qreal points = font.pointSizeF();
    while (points > kSmallestPoints && QFontMetricsF(font).horizontalAdvance(text) > room) {
        points -= 0.5;
        font.setPointSizeF(points);
    }
    label.setFont(font);
}

// The meter and the hint label show their own background; other captions are transparent so
// that neighbouring labels never hide each other's text.
bool hasOwnBackground(const Control &control)
{
    return control.name() == "prog" || control.name() == "m_M";
}

QWidget *labelWidget(Control &control, QWidget *parent)
{
    if (hasOwnBackground(control))
        return new QLabel(parent);
    if (control.name() == "Frame1T")
        return new QGroupBox(parent);
    auto *label = new QLabel(parent);
    if (control.name() == "Dragger_T") {
        label->setFrameShape(QFrame::HLine);
        label->setFrameShadow(QFrame::Raised);
        label->setCursor(Qt::SplitVCursor);
    }
    return label;
}

} // namespace

std::string accessibleNameOf(const Control &control)
{
    // A label is read by what it shows; other controls by the name a person would use.
    const bool isLabel = control.kind() == ControlKind::Label;
    if (isLabel && !control.caption().empty())
        return control.caption();
    if (!control.accessibleName().empty())
        return control.accessibleName();
    return control.caption().empty() ? control.name() : control.caption();
}

ControlBinding::ControlBinding(Control &control, QWidget *parent, QWidget *browser)
    : QObject(parent), m_control(control)
{
    m_widget = createWidget(parent, browser);
    m_widget->setObjectName(toQString(control.name()));
    m_widget->setAccessibleDescription(toQString(control.name()));
    m_widget->setAccessibleName(toQString(accessibleNameOf(control)));
    m_widget->setMouseTracking(true);
    // What a control handles never reaches the window behind it.
    m_widget->setAttribute(Qt::WA_NoMousePropagation);
    m_widget->installEventFilter(this);
    if (auto *view = qobject_cast<QListView *>(m_widget.data())) {
        view->viewport()->setMouseTracking(true);
        view->viewport()->installEventFilter(this);
    }
    connectUserSignals();
    control.setObserver([this](Change change) { changed(change); });
    for (Change c : {Change::Geometry, Change::Visible, Change::Colors, Change::ToolTip,
                     Change::Caption, Change::Text, Change::Items, Change::Picture,
                     Change::Checked, Change::Panels})
        changed(c);
}

QWidget *ControlBinding::createWidget(QWidget *parent, QWidget *browser)
{
    switch (m_control.kind()) {
    case ControlKind::ListBox: {
        auto *view = new QListView(parent);
        m_model = new ListBoxModel(static_cast<ListBox &>(m_control), this);
        view->setModel(m_model);
        view->setUniformItemSizes(true);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        return view;
    }
    case ControlKind::ComboBox: return new NamedComboBox(parent);
    case ControlKind::TextBox: return new QLineEdit(parent);
    case ControlKind::CheckBox: return new QCheckBox(parent);
    case ControlKind::Button: return new QPushButton(parent);
    case ControlKind::Image: return new QLabel(parent);
    case ControlKind::Label:
        if (m_control.name() == "romc_T" || m_control.name() == "wikic_T") {
            auto *count = new QLabel(parent);
            count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            return count;
        }
        return labelWidget(m_control, parent);
    case ControlKind::StatusBar: {
        auto *bar = new QWidget(parent);
        bar->setAutoFillBackground(true);
        auto *layout = new QHBoxLayout(bar);
        layout->setContentsMargins(2, 0, 2, 0);
        layout->addStretch();
        return bar;
    }
    case ControlKind::Browser:
        if (browser) {
            browser->setParent(parent);
            return browser;
        }
        return new QLabel(parent);
    case ControlKind::Frame: return labelWidget(m_control, parent);
    }
    return new QWidget(parent);
}

void ControlBinding::connectUserSignals()
{
    if (auto *view = qobject_cast<QListView *>(m_widget.data())) {
        auto &list = static_cast<ListBox &>(m_control);
        // Mouse clicks are handled in the event filter; this follows the keyboard. A key may
        // select the current row without moving it (Space), so the selection is what counts.
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, &list](const QItemSelection &selected) {
                    if (m_updating || selected.indexes().isEmpty())
                        return;
                    const int row = selected.indexes().constFirst().row();
                    if (row != list.listIndex())
                        list.userClickRow(row);
                });
    } else if (auto *combo = qobject_cast<QComboBox *>(m_widget.data())) {
        auto &list = static_cast<ListBox &>(m_control);
        connect(combo, &QComboBox::activated, this, [&list](int k) { list.userClickRow(k); });
    } else if (auto *edit = qobject_cast<QLineEdit *>(m_widget.data())) {
        auto &box = static_cast<TextBox &>(m_control);
        connect(edit, &QLineEdit::textEdited, this,
                [&box](const QString &text) { box.setText(fromQString(text)); });
    } else if (auto *check = qobject_cast<QCheckBox *>(m_widget.data())) {
        auto &box = static_cast<CheckBox &>(m_control);
        connect(check, &QCheckBox::toggled, this, [this, &box](bool on) {
            if (!m_updating)
                box.setChecked(on);
        });
    } else if (auto *button = qobject_cast<QPushButton *>(m_widget.data())) {
        connect(button, &QPushButton::clicked, this, [this] { m_control.raiseClick(); });
    }
}

bool ControlBinding::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto &key = static_cast<QKeyEvent &>(*event);
        m_control.userKeyDown(keyCode(key));
        auto *view = qobject_cast<QListView *>(m_widget.data());
        return view && watched == m_widget && selectByKey(*view, key);
    }
    const bool isView = qobject_cast<QListView *>(m_widget.data()) != nullptr;
    if (isView && watched == m_widget)
        return false; // mouse events of a list arrive through its viewport
    return forwardMouse(event);
}

bool ControlBinding::selectByKey(QListView &view, QKeyEvent &event)
{
    static constexpr Qt::Key kMoves[] = {Qt::Key_Up,     Qt::Key_Down,     Qt::Key_Home,
                                         Qt::Key_End,    Qt::Key_PageUp,   Qt::Key_PageDown,
                                         Qt::Key_Space,  Qt::Key_Select};
    if (event.modifiers() & ~Qt::KeypadModifier
        || std::find(std::begin(kMoves), std::end(kMoves), event.key()) == std::end(kMoves))
        return false;
    auto &list = static_cast<ListBox &>(m_control);
    const QModelIndex current = view.currentIndex();
    // With nothing selected the focus leaves the first row current: the first key chooses
    // that row instead of passing it.
    const bool nothingSelected = !view.selectionModel()->hasSelection();
    const bool staysOnCurrent = event.key() == Qt::Key_Up || event.key() == Qt::Key_Down
                                || event.key() == Qt::Key_Space || event.key() == Qt::Key_Select;
    if (nothingSelected && current.isValid() && staysOnCurrent) {
        list.userClickRow(current.row());
        return true;
    }
    static_cast<QObject &>(view).event(&event);
    // A move that cannot go further (Home on the first row) leaves the current row unselected.
    const QModelIndex now = view.currentIndex();
    if (now.isValid() && !view.selectionModel()->isSelected(now))
        list.userClickRow(now.row());
    return true;
}

bool ControlBinding::forwardMouse(QEvent *event)
{
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove
        && type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return false;
    const auto &mouse = static_cast<QMouseEvent &>(*event);
    MouseEvent e;
    e.shift = shiftCode(mouse.modifiers());
    e.x = pixelsToTwips(mouse.position().x());
    e.y = pixelsToTwips(mouse.position().y());
    if (type == QEvent::MouseMove) {
        e.button = buttonCode(mouse.buttons());
        m_control.userMouseMove(e);
        return false;
    }
    e.button = buttonCode(mouse.button());
    const bool left = mouse.button() == Qt::LeftButton;
    if (type == QEvent::MouseButtonRelease) {
        m_control.userMouseUp(e);
        if (m_control.kind() == ControlKind::Image && left && !m_secondPress)
            m_control.raiseClick();
        m_secondPress = false;
        return false;
    }
    auto *view = qobject_cast<QListView *>(m_widget.data());
    if (view)
        e.row = view->indexAt(mouse.position().toPoint()).row();
    // Every press raises mouse-down with its own button, the second one of a double-click too.
    m_control.userMouseDown(e);
    m_secondPress = type == QEvent::MouseButtonDblClick;
    if (m_secondPress) {
        if (left && m_control.kind() != ControlKind::ComboBox)
            m_control.userDoubleClick();
        return view != nullptr;
    }
    if (view && left) {
        // Also the row that is already selected: a click is a click.
        const QModelIndex index = view->indexAt(mouse.position().toPoint());
        if (index.isValid())
            static_cast<ListBox &>(m_control).userClickRow(index.row());
    }
    // A list's selection moves through its model only; no other button moves it.
    return view != nullptr;
}

void ControlBinding::changed(Change change)
{
    if (!m_widget)
        return;
    m_updating = true;
    switch (change) {
    case Change::Geometry: applyGeometry(); break;
    case Change::Visible: m_widget->setVisible(m_control.isVisible()); break;
    case Change::Colors: applyColors(); break;
    case Change::ToolTip: m_widget->setToolTip(toQString(m_control.toolTip())); break;
    case Change::Caption: applyCaption(); break;
    case Change::Text:
        if (auto *edit = qobject_cast<QLineEdit *>(m_widget.data())) {
            const auto text = toQString(static_cast<TextBox &>(m_control).text());
            if (edit->text() != text)
                edit->setText(text);
        }
        break;
    case Change::Items: m_entriesDirty = true; [[fallthrough]];
    case Change::Selection: scheduleSync(); break;
    case Change::Picture:
        // Decoded just before the next frame: at start-up the default set is replaced by the
        // chosen one before anything is shown, and only that one needs reading.
        m_pictureDirty = true;
        scheduleSync();
        break;
    case Change::Checked:
        if (auto *check = qobject_cast<QCheckBox *>(m_widget.data()))
            check->setChecked(static_cast<CheckBox &>(m_control).isChecked());
        break;
    case Change::Panels: applyPanels(); break;
    }
    m_updating = false;
}

namespace {

// Lists and pictures wait here so that a burst of changes costs one reset or one decoding; the
// window syncs them before its next frame, and a zero timer catches windows that are not
// painting.
QList<QPointer<ControlBinding>> &pendingLists()
{
    static QList<QPointer<ControlBinding>> pending;
    return pending;
}

} // namespace

void ControlBinding::scheduleSync()
{
    if (m_syncPending)
        return;
    m_syncPending = true;
    if (pendingLists().isEmpty())
        QTimer::singleShot(0, qApp, &ControlBinding::syncPendingLists);
    pendingLists().append(this);
}

void ControlBinding::syncPendingLists()
{
    while (!pendingLists().isEmpty()) {
        const QPointer<ControlBinding> binding = pendingLists().takeFirst();
        if (binding) {
            binding->m_syncPending = false;
            if (std::exchange(binding->m_pictureDirty, false))
                binding->applyPicture();
            if (binding->m_model || qobject_cast<QComboBox *>(binding->m_widget.data()))
                binding->syncEntries();
        }
    }
    // A child shown meanwhile (a list's scroll bar) asks for its paint by a posted event that
    // would otherwise come after this frame.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
}

void ControlBinding::syncEntries()
{
    if (!m_widget)
        return;
    m_updating = true;
    auto &list = static_cast<ListBox &>(m_control);
    if (auto *view = qobject_cast<QListView *>(m_widget.data())) {
        if (m_entriesDirty) {
            m_model->entriesChanged();
            // Laid out now, not on the view's own timer a frame later. A scroll bar comes or
            // goes by a queued call and a posted layout; both are run now, or the bar would
            // reach the screen a frame after the list.
            view->doItemsLayout();
            QCoreApplication::sendPostedEvents(view, 0);
        }
        const auto index = m_model->index(list.listIndex());
        if (index.isValid()) {
            view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            view->scrollTo(index);
        } else {
            view->selectionModel()->clear();
        }
    } else if (auto *combo = qobject_cast<QComboBox *>(m_widget.data())) {
        if (m_entriesDirty) {
            combo->clear();
            for (const auto &item : list.items())
                combo->addItem(toQString(item));
        }
        combo->setCurrentIndex(list.listIndex());
    }
    m_entriesDirty = false;
    m_updating = false;
}

void ControlBinding::applyGeometry()
{
    if (m_control.kind() == ControlKind::StatusBar)
        return;
    const auto &g = m_control.geometry();
    m_widget->setGeometry(twipsToPixels(g.left), twipsToPixels(g.top), twipsToPixels(g.width),
                          twipsToPixels(g.height));
    if (auto *label = qobject_cast<QLabel *>(m_widget.data()); label && fitsTextToWidth(m_control))
        fitText(*label);
}

void ControlBinding::placeStatusBar(const QSize &clientSize)
{
    const int height = twipsToPixels(m_control.height());
    m_widget->setGeometry(0, clientSize.height() - height, clientSize.width(), height);
}

void ControlBinding::applyColors()
{
    QPalette palette = m_widget->palette();
    if (auto back = m_control.backColor()) {
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            palette.setColor(role, toQColor(*back));
        m_widget->setAutoFillBackground(
            !qobject_cast<QLabel *>(m_widget.data())
            || (hasOwnBackground(m_control) && !m_control.caption().empty()));
    }
    if (auto fore = m_control.foreColor()) {
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, toQColor(*fore));
    }
    m_widget->setPalette(palette);
}

void ControlBinding::applyCaption()
{
    const auto caption = toQString(m_control.caption());
    m_widget->setAccessibleName(toQString(accessibleNameOf(m_control)));
    if (hasOwnBackground(m_control))
        m_widget->setAutoFillBackground(!caption.isEmpty()); // an empty hint draws nothing
    if (auto *label = qobject_cast<QLabel *>(m_widget.data());
        label && m_control.kind() == ControlKind::Label && m_control.name() != "Dragger_T") {
        label->setText(caption);
        if (fitsTextToWidth(m_control))
            fitText(*label);
    } else if (auto *group = qobject_cast<QGroupBox *>(m_widget.data()))
        group->setTitle(caption);
    else if (auto *check = qobject_cast<QCheckBox *>(m_widget.data()))
        check->setText(caption);
    else if (auto *button = qobject_cast<QPushButton *>(m_widget.data()))
        button->setText(button->icon().isNull() ? caption : QString());
}

namespace {

// On a high-DPI screen a picture "name.gif" is taken from "name@2x.gif" beside it when that
// exists; a QPixmap never looks for such a file by itself. Sets without one keep working.
QPixmap loadPicture(const QString &path, qreal screenRatio)
{
    if (screenRatio > 1) {
        const QFileInfo info(path);
        const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
        const QString sharper =
            info.path() + u'/' + info.completeBaseName() + QLatin1String("@2x") + suffix;
        QPixmap pixmap;
        if (QFileInfo::exists(sharper) && pixmap.load(sharper)) {
            pixmap.setDevicePixelRatio(2);
            return pixmap;
        }
    }
    return QPixmap(path);
}

} // namespace

void ControlBinding::applyPicture()
{
    const auto *picture = dynamic_cast<const PictureControl *>(&m_control);
    if (!picture || picture->picture().empty())
        return;
    const QPixmap pixmap =
        loadPicture(toQString(picture->picture()), m_widget->devicePixelRatioF());
    if (auto *label = qobject_cast<QLabel *>(m_widget.data())) {
        label->setScaledContents(picture->stretch());
        label->setPixmap(pixmap);
    } else if (auto *button = qobject_cast<QPushButton *>(m_widget.data())) {
        button->setIcon(QIcon(pixmap));
        button->setIconSize(pixmap.deviceIndependentSize().toSize());
        applyCaption();
    }
}

void ControlBinding::applyPanels()
{
    const auto *bar = dynamic_cast<const StatusBar *>(&m_control);
    auto *layout = bar ? qobject_cast<QHBoxLayout *>(m_widget->layout()) : nullptr;
    if (!layout)
        return;
    while (layout->count() - 1 < bar->panelCount()) {
        auto *panel = new QLabel(m_widget);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setObjectName(QStringLiteral("StatusBar1(%1)").arg(layout->count()));
        layout->insertWidget(layout->count() - 1, panel);
    }
    for (int i = 1; i <= bar->panelCount(); ++i) {
        if (auto *panel = qobject_cast<QLabel *>(layout->itemAt(i - 1)->widget()))
            panel->setText(toQString(bar->panel(i)));
    }
}

} // namespace kestrova
