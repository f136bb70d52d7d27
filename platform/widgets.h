#pragma once

#include "platform/control.h"

#include <string>
#include <vector>

namespace kestrova {

/// A caption, a frame around other controls, or the splitter bar.
class Label : public Control
{
public:
    explicit Label(std::string name, ControlKind kind = ControlKind::Label)
        : Control(std::move(name), kind)
    {
    }
};

class CheckBox : public Control
{
public:
    explicit CheckBox(std::string name) : Control(std::move(name), ControlKind::CheckBox) {}

    bool isChecked() const { return m_checked; }
    void setChecked(bool checked)
    {
        m_checked = checked;
        notify(Change::Checked);
    }

private:
    bool m_checked = false;
};

/// A button or an image; either may show a picture file.
class PictureControl : public Control
{
public:
    PictureControl(std::string name, ControlKind kind) : Control(std::move(name), kind) {}

    const std::string &picture() const { return m_picture; }
    /// The picture's path; an image of kind Image takes the picture's size unless stretched.
    void setPicture(const std::string &path)
    {
        m_picture = path;
        notify(Change::Picture);
    }
    bool stretch() const { return m_stretch; }
    void setStretch(bool stretch) { m_stretch = stretch; }

private:
    std::string m_picture;
    bool m_stretch = false;
};

class StatusBar : public Control
{
public:
    explicit StatusBar(std::string name) : Control(std::move(name), ControlKind::StatusBar) {}

    int panelCount() const { return int(m_panels.size()); }
    void addPanel()
    {
        m_panels.emplace_back();
        notify(Change::Panels);
    }
    /// Panels are numbered from 1.
    const std::string &panel(int i) const { return m_panels.at(size_t(i - 1)); }
    void setPanel(int i, const std::string &text)
    {
        m_panels.at(size_t(i - 1)) = text;
        notify(Change::Panels);
    }

private:
    std::vector<std::string> m_panels = {std::string()};
};

} // namespace kestrova
