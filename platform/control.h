#pragma once

#include "platform/color.h"

#include <functional>
#include <optional>
#include <string>

namespace kestrova {

enum class ControlKind {
    ListBox, ComboBox, TextBox, Label, CheckBox, Button, Image, Frame, StatusBar, Browser
};

/// What changed on a control, so the window binding can mirror it.
enum class Change {
    Geometry, Visible, Colors, ToolTip, Caption, Text, Items, Selection, Picture, Checked, Panels
};

/// Mouse buttons as the events report them; several may be held at once.
enum MouseButton { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

struct MouseEvent
{
    int button = 0; ///< the pressed button, or the buttons held during a move
    int shift = 0;
    float x = 0; ///< twips, relative to the control
    float y = 0;
    int row = -1; ///< a list's row under the pointer, or -1
};

struct Geometry
{
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

/// A named control of a form. Its state is the truth; widgets only mirror it.
class Control
{
public:
    Control(std::string name, ControlKind kind);
    virtual ~Control() = default;
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    const std::string &name() const { return m_name; }
    ControlKind kind() const { return m_kind; }
    /// The frame the control sits in (its geometry is relative to it), or none.
    Control *parent() const { return m_parent; }
    void setParent(Control *parent) { m_parent = parent; }

    const Geometry &geometry() const { return m_geometry; }
    float left() const { return m_geometry.left; }
    float top() const { return m_geometry.top; }
    float width() const { return m_geometry.width; }
    float height() const { return m_geometry.height; }
    void setGeometry(const Geometry &g);
    void setLeft(float v);
    void setTop(float v);
    /// False (and nothing changes) for a negative size, as the toolkit would refuse it.
    bool setWidth(float v);
    bool setHeight(float v);

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

    /// Unset colours mean the toolkit's own.
    std::optional<Color> backColor() const { return m_backColor; }
    std::optional<Color> foreColor() const { return m_foreColor; }
    void setBackColor(Color c);
    void setForeColor(Color c);

    const std::string &toolTip() const { return m_toolTip; }
    void setToolTip(const std::string &text);

    /// Labels, buttons, check boxes and frames show a caption.
    const std::string &caption() const { return m_caption; }
    void setCaption(const std::string &text);

    /// The accessible name a person would use, when it differs from the caption.
    const std::string &accessibleName() const { return m_accessibleName; }
    void setAccessibleName(const std::string &text) { m_accessibleName = text; }

    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void(const MouseEvent &)> onMouseDown;
    std::function<void(const MouseEvent &)> onMouseMove;
    std::function<void(const MouseEvent &)> onMouseUp;
    std::function<void(int key)> onKeyDown;

    /// Entry points for the binding (and tests): what a user did.
    void raiseClick();
    void userDoubleClick();
    void userMouseDown(const MouseEvent &e);
    void userMouseMove(const MouseEvent &e);
    void userMouseUp(const MouseEvent &e);
    void userKeyDown(int key);

    /// The binding's single observer.
    void setObserver(std::function<void(Change)> observer) { m_observer = std::move(observer); }

protected:
    void notify(Change change) const;

private:
    std::string m_name;
    ControlKind m_kind;
    Control *m_parent = nullptr;
    Geometry m_geometry;
    bool m_visible = true;
    std::optional<Color> m_backColor;
    std::optional<Color> m_foreColor;
    std::string m_toolTip;
    std::string m_caption;
    std::string m_accessibleName;
    std::function<void(Change)> m_observer;
};

} // namespace kestrova
