#include "platform/control.h"

namespace kestrova {

Control::Control(std::string name, ControlKind kind) : m_name(std::move(name)), m_kind(kind) {}

void Control::setGeometry(const Geometry &g)
{
    m_geometry = g;
    notify(Change::Geometry);
}

void Control::setLeft(float v)
{
    m_geometry.left = v;
    notify(Change::Geometry);
}

void Control::setTop(float v)
{
    m_geometry.top = v;
    notify(Change::Geometry);
}

bool Control::setWidth(float v)
{
    if (v < 0)
        return false;
    m_geometry.width = v;
    notify(Change::Geometry);
    return true;
}

bool Control::setHeight(float v)
{
    if (v < 0)
        return false;
    m_geometry.height = v;
    notify(Change::Geometry);
    return true;
}

void Control::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    notify(Change::Visible);
}

void Control::setBackColor(Color c)
{
    m_backColor = c;
    notify(Change::Colors);
}

void Control::setForeColor(Color c)
{
    m_foreColor = c;
    notify(Change::Colors);
}

void Control::setToolTip(const std::string &text)
{
    m_toolTip = text;
    notify(Change::ToolTip);
}

void Control::setCaption(const std::string &text)
{
    m_caption = text;
    notify(Change::Caption);
}

void Control::raiseClick()
{
    if (onClick)
        onClick();
}

void Control::userDoubleClick()
{
    if (onDblClick)
        onDblClick();
}

void Control::userMouseDown(const MouseEvent &e)
{
    if (onMouseDown)
        onMouseDown(e);
}

void Control::userMouseMove(const MouseEvent &e)
{
    if (onMouseMove)
        onMouseMove(e);
}

void Control::userMouseUp(const MouseEvent &e)
{
    if (onMouseUp)
        onMouseUp(e);
}

void Control::userKeyDown(int key)
{
    if (onKeyDown)
        onKeyDown(key);
}

void Control::notify(Change change) const
{
    if (m_observer)
        m_observer(change);
}

} // namespace kestrova
