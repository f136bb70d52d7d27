#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kestrova {

/// A menu or menu entry; entries may be added at run time. A caption "-" is a separator.
class MenuItem
{
public:
    MenuItem(std::string name, std::string caption);
    MenuItem(const MenuItem &) = delete;
    MenuItem &operator=(const MenuItem &) = delete;

    const std::string &name() const { return m_name; }
    const std::string &caption() const { return m_caption; }
    void setCaption(const std::string &caption);
    /// The key that runs the entry from anywhere in its window, as "Ctrl+S"; empty for none.
    const std::string &shortcut() const { return m_shortcut; }
    void setShortcut(std::string keys) { m_shortcut = std::move(keys); }
    bool isChecked() const { return m_checked; }
    void setChecked(bool checked);

    MenuItem &addItem(const std::string &name, const std::string &caption);
    /// Removes the direct child of that name, if any.
    void removeItem(const std::string &name);
    const std::vector<std::unique_ptr<MenuItem>> &items() const { return m_items; }
    /// Depth-first search among the descendants.
    MenuItem *find(const std::string &name);

    std::function<void()> onClick;
    void userClick()
    {
        if (onClick)
            onClick();
    }

    /// The binding's observer: called for this entry's own changes and when children change.
    void setObserver(std::function<void()> observer) { m_observer = std::move(observer); }

private:
    void notify() const;

    std::string m_name;
    std::string m_caption;
    std::string m_shortcut;
    bool m_checked = false;
    MenuItem *m_parent = nullptr;
    std::vector<std::unique_ptr<MenuItem>> m_items;
    std::function<void()> m_observer;
};

} // namespace kestrova
