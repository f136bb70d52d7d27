#include "platform/list_box.h"

namespace kestrova {

namespace {
const std::string kEmpty;
}

ListBox::ListBox(std::string name, ControlKind kind) : Control(std::move(name), kind) {}

const std::string &ListBox::item(int k) const
{
    return k >= 0 && k < count() ? m_items[size_t(k)] : kEmpty;
}

void ListBox::addItem(std::string text)
{
    m_items.push_back(std::move(text));
    notify(Change::Items);
}

void ListBox::addItems(std::vector<std::string> texts)
{
    if (m_items.empty())
        m_items = std::move(texts);
    else
        m_items.insert(m_items.end(), std::make_move_iterator(texts.begin()),
                       std::make_move_iterator(texts.end()));
    notify(Change::Items);
}

void ListBox::removeItem(int k)
{
    if (k < 0 || k >= count())
        return;
    m_items.erase(m_items.begin() + k);
    if (m_index == k)
        m_index = -1;
    else if (m_index > k)
        --m_index;
    notify(Change::Items);
}

void ListBox::clear()
{
    m_items.clear();
    m_index = -1;
    notify(Change::Items);
}

void ListBox::setItem(int k, std::string text)
{
    if (k < 0 || k >= count())
        return;
    m_items[size_t(k)] = std::move(text);
    notify(Change::Items);
}

void ListBox::setListIndex(int k)
{
    m_index = k >= 0 && k < count() ? k : -1;
    notify(Change::Selection);
    raiseClick();
}

} // namespace kestrova
