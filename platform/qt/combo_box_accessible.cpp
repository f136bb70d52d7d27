#include "platform/qt/combo_box_accessible.h"

#include <QAbstractItemView>

namespace kestrova {

namespace {

QAccessibleInterface *namedComboBox(const QString &className, QObject *object)
{
    // Asked for the most derived class first, so the toolkit's own interface never wins.
    auto *combo = qobject_cast<NamedComboBox *>(object);
    if (!combo || className != QLatin1String(NamedComboBox::staticMetaObject.className()))
        return nullptr;
    return new ComboBoxAccessible(combo);
}

} // namespace

void NamedComboBox::choose(int k)
{
    if (k < 0 || k >= count())
        return;
    setCurrentIndex(k);
    emit activated(k);
}

ComboBoxAccessible::ComboBoxAccessible(NamedComboBox *combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox)
{
}

NamedComboBox *ComboBoxAccessible::combo() const
{
    return static_cast<NamedComboBox *>(widget());
}

QString ComboBoxAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: return combo()->accessibleName();
    case QAccessible::Value: return combo()->currentText();
    default: return QAccessibleWidget::text(t);
    }
}

QAccessible::State ComboBoxAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    const bool open = combo()->view() && combo()->view()->isVisible();
    s.expandable = true;
    s.expanded = open;
    s.collapsed = !open;
    return s;
}

int ComboBoxAccessible::childCount() const
{
    return combo()->view() ? 1 : 0;
}

QAccessibleInterface *ComboBoxAccessible::child(int index) const
{
    // The toolkit's list interface names the drop-down list as its parent, so a screen reader
    // walks between the two either way.
    if (index != 0 || !combo()->view())
        return nullptr;
    return QAccessible::queryAccessibleInterface(combo()->view());
}

int ComboBoxAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return child && combo()->view() && child->object() == combo()->view() ? 0 : -1;
}

QAccessibleInterface *ComboBoxAccessible::childAt(int, int) const
{
    return nullptr; // the closed list shows no child of its own
}

QStringList ComboBoxAccessible::actionNames() const
{
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void ComboBoxAccessible::doAction(const QString &actionName)
{
    if (actionName != showMenuAction() && actionName != pressAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    QAbstractItemView *view = combo()->view();
    if (!view || !view->isVisible()) {
        combo()->showPopup();
        return;
    }
    // Pressing the open list chooses the entry a screen reader selected in it.
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    combo()->hidePopup();
    if (!selected.isEmpty())
        combo()->choose(selected.constFirst().row());
}

void installComboBoxAccessible()
{
    static const bool installed = [] {
        QAccessible::installFactory(namedComboBox);
        return true;
    }();
    (void)installed;
}

} // namespace kestrova
