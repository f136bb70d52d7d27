#include "web/search_text.h"

namespace kestrova {

namespace {

bool needsEncoding(unsigned char c)
{
    return c < 0x20 || c >= 0x7F || c == '&' || c == '#' || c == '?' || c == '%' || c == '+';
}

} // namespace

std::string searchText(std::string_view title)
{
    const size_t first = title.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    title = title.substr(first, title.find_last_not_of(' ') - first + 1);
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char ch : title) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == ' ' || c == '_') {
            out += '+';
        } else if (needsEncoding(c)) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else {
            out += ch;
        }
    }
    return out;
}

} // namespace kestrova
