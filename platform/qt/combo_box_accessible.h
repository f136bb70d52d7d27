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

    /// Makes entry k the chosen one as a user's choice in the open list does.
    void choose(int k);
};

/// A drop-down list read by its own name, whatever entry is chosen; the entry is its value.
/// The toolkit's own interface names it after the entry on some systems, so this one carries
/// what that one does: the list of entries as its only child, expanded and collapsed states,
/// and choosing the entry selected in the open list by pressing it.
class ComboBoxAccessible : public QAccessibleWidget
{
public:
    explicit ComboBoxAccessible(NamedComboBox *combo);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    NamedComboBox *combo() const;
};

/// Lets every NamedComboBox use ComboBoxAccessible; safe to call often.
void installComboBoxAccessible();

} // namespace kestrova
