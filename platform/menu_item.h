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
    bool m_checked = false;
    MenuItem *m_parent = nullptr;
    std::vector<std::unique_ptr<MenuItem>> m_items;
    std::function<void()> m_observer;
};

} // namespace kestrova
