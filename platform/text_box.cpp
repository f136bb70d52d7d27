#include "platform/text_box.h"

namespace kestrova {

void TextBox::setText(const std::string &text)
{
    if (text == m_text)
        return;
    m_text = text;
    notify(Change::Text);
    if (onChange)
        onChange();
}

} // namespace kestrova
