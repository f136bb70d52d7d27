#include "platform/menu_item.h"

#include <algorithm>

namespace kestrova {

MenuItem::MenuItem(std::string name, std::string caption)
    : m_name(std::move(name)), m_caption(std::move(caption))
{
}

void MenuItem::setCaption(const std::string &caption)
{
    m_caption = caption;
    notify();
}

void MenuItem::setChecked(bool checked)
{
    m_checked = checked;
    notify();
}

MenuItem &MenuItem::addItem(const std::string &name, const std::string &caption)
{
    m_items.push_back(std::make_unique<MenuItem>(name, caption));
    m_items.back()->m_parent = this;
    notify();
    return *m_items.back();
}

void MenuItem::removeItem(const std::string &name)
{
    std::erase_if(m_items, [&](const auto &item) { return item->name() == name; });
    notify();
}

MenuItem *MenuItem::find(const std::string &name)
{
    for (auto &item : m_items) {
        if (item->name() == name)
            return item.get();
        if (auto *found = item->find(name))
            return found;
    }
    return nullptr;
}

void MenuItem::notify() const
{
    // A change anywhere below is reported at the root, where the binding listens.
    const MenuItem *root = this;
    while (root->m_parent)
        root = root->m_parent;
    if (root->m_observer)
        root->m_observer();
}

} // namespace kestrova
