#pragma once

#include <QAccessibleWidget>
#include <QComboBox>

namespace kestrova {

/// The program's drop-down list; a class of its own so that its accessible interface is ours.
class NamedComboBox : public QComboBox
{
    Q_OBJECT
public:
    using QComboBox::QComboBox;
};

/// A drop-down list read by its own name, whatever entry is chosen; the entry is its value.
/// The toolkit's own interface names it after the entry on some systems.
class ComboBoxAccessible : public QAccessibleWidget
{
public:
    explicit ComboBoxAccessible(QComboBox *combo);

    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    QComboBox *combo() const;
};

/// Lets every NamedComboBox use ComboBoxAccessible; safe to call often.
void installComboBoxAccessible();

} // namespace kestrova
