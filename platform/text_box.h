#pragma once

#include "platform/control.h"

#include <functional>
#include <string>

namespace kestrova {

/// A one-line text box. Changing its text raises the change event before the setter returns.
class TextBox : public Control
{
public:
    explicit TextBox(std::string name) : Control(std::move(name), ControlKind::TextBox) {}

    const std::string &text() const { return m_text; }
    /// Raises onChange when the text differs from the current one.
    void setText(const std::string &text);

    std::function<void()> onChange;

private:
    std::string m_text;
};

} // namespace kestrova
