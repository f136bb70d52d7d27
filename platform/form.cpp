#include "platform/form.h"

namespace kestrova {

Form::Form(std::string name, std::string caption)
    : m_name(std::move(name)), m_caption(std::move(caption))
{
}

void Form::setCaption(const std::string &caption)
{
    m_caption = caption;
    notify(FormChange::Caption);
}

Control *Form::find(const std::string &name) const
{
    for (const auto &control : m_controls) {
        if (control->name() == name)
            return control.get();
    }
    return nullptr;
}

void Form::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    if (onLoad)
        onLoad();
}

void Form::unload()
{
    hide();
    m_loaded = false;
}

void Form::show()
{
    load();
    if (m_visible)
        return;
    m_visible = true;
    notify(FormChange::Visible);
}

void Form::hide()
{
    if (!m_visible)
        return;
    m_visible = false;
    notify(FormChange::Visible);
}

void Form::activate()
{
    show();
    notify(FormChange::Activate);
    // The system may refuse to hand over the focus (focus-stealing prevention, no window
    // manager); the window is the active one as far as the program is concerned.
    userActivate();
}

void Form::setBackColor(Color c)
{
    m_backColor = c;
    notify(FormChange::Colors);
}

void Form::move(float left, float top)
{
    m_left = left;
    m_top = top;
    notify(FormChange::Position);
}

void Form::resize(float width, float height)
{
    m_width = width;
    m_height = height;
    notify(FormChange::Size);
}

void Form::setActualSize(float width, float height, float clientWidth, float clientHeight)
{
    m_width = width;
    m_height = height;
    m_clientWidth = clientWidth;
    m_clientHeight = clientHeight;
    if (onResize)
        onResize();
}

void Form::userActivate()
{
    if (onActivate)
        onActivate();
}

void Form::userClose()
{
    if (onClose)
        onClose();
}

void Form::userMouseDown(const MouseEvent &e)
{
    if (onMouseDown)
        onMouseDown(e);
}

void Form::userMouseMove(const MouseEvent &e)
{
    if (onMouseMove)
        onMouseMove(e);
}

void Form::notify(FormChange change) const
{
    if (m_observer)
        m_observer(change);
}

} // namespace kestrova
