#include "platform/qt/combo_box_accessible.h"

#include <QComboBox>

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

ComboBoxAccessible::ComboBoxAccessible(QComboBox *combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox)
{
}

QComboBox *ComboBoxAccessible::combo() const
{
    return static_cast<QComboBox *>(widget());
}

QString ComboBoxAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: return combo()->accessibleName();
    case QAccessible::Value: return combo()->currentText();
    default: return QAccessibleWidget::text(t);
    }
}

QStringList ComboBoxAccessible::actionNames() const
{
    return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
}

void ComboBoxAccessible::doAction(const QString &actionName)
{
    if (actionName == showMenuAction())
        combo()->showPopup();
    else
        QAccessibleWidget::doAction(actionName);
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
