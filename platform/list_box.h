#pragma once

#include "platform/control.h"

#include <string>
#include <vector>

namespace kestrova {

/// A list of text entries with one selected position (-1 for none). Filling raises nothing;
/// setting the position raises the click before the setter returns, as a user's click would.
class ListBox : public Control
{
public:
    explicit ListBox(std::string name, ControlKind kind = ControlKind::ListBox);

    int count() const { return int(m_items.size()); }
    const std::vector<std::string> &items() const { return m_items; }
    /// The entry at k, or the empty text outside the list.
    const std::string &item(int k) const;
    void addItem(std::string text);
    /// Appends many entries at once (one notification), for long listings.
    void addItems(std::vector<std::string> texts);
    void removeItem(int k);
    void clear();
    void setItem(int k, std::string text);

    int listIndex() const { return m_index; }
    /// Raises the click, also when k is the current position. Out-of-range k selects nothing.
    void setListIndex(int k);
    /// The selected entry, or the empty text.
    const std::string &text() const { return item(m_index); }

    /// A user's click on row k.
    void userClickRow(int k) { setListIndex(k); }

private:
    std::vector<std::string> m_items;
    int m_index = -1;
};

/// A drop-down list; the same operations, and its position setter raises its click.
class ComboBox : public ListBox
{
public:
    explicit ComboBox(std::string name) : ListBox(std::move(name), ControlKind::ComboBox) {}
};

} // namespace kestrova
