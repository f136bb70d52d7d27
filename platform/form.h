#pragma once

#include "platform/color.h"
#include "platform/control.h"
#include "platform/menu_item.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrova {

enum class FormChange { Visible, Caption, Colors, Position, Size, Controls, Activate };

/// A window: its controls in creation order, looked up by name, and its menu bar.
class Form
{
public:
    Form(std::string name, std::string caption);
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    const std::string &name() const { return m_name; }
    const std::string &caption() const { return m_caption; }
    void setCaption(const std::string &caption);

    template<class T, class... Args>
    T &add(std::string name, const Geometry &geometry, Args &&...args)
    {
        auto control = std::make_unique<T>(std::move(name), std::forward<Args>(args)...);
        T &ref = *control;
        ref.setGeometry(geometry);
        m_controls.push_back(std::move(control));
        notify(FormChange::Controls);
        return ref;
    }
    const std::vector<std::unique_ptr<Control>> &controls() const { return m_controls; }
    Control *find(const std::string &name) const;
    /// The control of that name and type; a missing one is a programming error.
    template<class T>
    T &get(const std::string &name) const
    {
        return dynamic_cast<T &>(*find(name));
    }

    MenuItem &menuBar() { return m_menuBar; }

    /// Loaded windows exist (and take colours) whether shown or not.
    bool isLoaded() const { return m_loaded; }
    void load();
    void unload();
    bool isVisible() const { return m_visible; }
    void show();
    void hide();
    /// Shows the window, asks the binding to bring it to the front and raises onActivate; the
    /// system's own activations arrive through userActivate() as well.
    void activate();

    std::optional<Color> backColor() const { return m_backColor; }
    void setBackColor(Color c);

    /// Outer position and size in twips (borders, caption and menu bar included).
    float left() const { return m_left; }
    float top() const { return m_top; }
    float width() const { return m_width; }
    float height() const { return m_height; }
    float clientWidth() const { return m_clientWidth; }
    float clientHeight() const { return m_clientHeight; }
    void move(float left, float top);
    /// Called by the binding when the window was moved by the system.
    void setActualPosition(float left, float top)
    {
        m_left = left;
        m_top = top;
    }
    void resize(float width, float height);
    /// Called by the binding (and tests) when the window's real size changed; raises onResize.
    void setActualSize(float width, float height, float clientWidth, float clientHeight);

    /// Keys of a dialog: Enter clicks the default button, Escape the cancel button; with no
    /// cancel button, a window that closes on Escape closes as its close button would.
    /// The smallest outer size, in twips, at which the window's layout still holds; 0 for any.
    void setMinimumSize(float width, float height)
    {
        m_minimumWidth = width;
        m_minimumHeight = height;
    }
    float minimumWidth() const { return m_minimumWidth; }
    float minimumHeight() const { return m_minimumHeight; }
    void setDefaultButton(std::string name) { m_defaultButton = std::move(name); }
    void setCancelButton(std::string name) { m_cancelButton = std::move(name); }
    void setClosesOnEscape(bool closes) { m_closesOnEscape = closes; }
    const std::string &defaultButton() const { return m_defaultButton; }
    const std::string &cancelButton() const { return m_cancelButton; }
    bool closesOnEscape() const { return m_closesOnEscape; }

    std::function<void()> onLoad;
    std::function<void()> onResize;
    std::function<void()> onActivate;
    std::function<void()> onClose;
    std::function<void(const MouseEvent &)> onMouseDown;
    std::function<void(const MouseEvent &)> onMouseMove;

    void userActivate();
    void userClose();
    void userMouseDown(const MouseEvent &e);
    void userMouseMove(const MouseEvent &e);

    void setObserver(std::function<void(FormChange)> observer) { m_observer = std::move(observer); }

private:
    void notify(FormChange change) const;

    std::string m_name;
    std::string m_caption;
    std::vector<std::unique_ptr<Control>> m_controls;
    MenuItem m_menuBar{"", ""};
    bool m_loaded = false;
    bool m_visible = false;
    std::optional<Color> m_backColor;
    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
    float m_clientWidth = 0;
    float m_clientHeight = 0;
    std::function<void(FormChange)> m_observer;
    std::string m_defaultButton;
    std::string m_cancelButton;
    bool m_closesOnEscape = false;
    float m_minimumWidth = 0;
    float m_minimumHeight = 0;
};

} // namespace kestrova
