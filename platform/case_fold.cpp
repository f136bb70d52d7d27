#include "platform/case_fold.h"

#include <algorithm>

namespace kestrova {

namespace {

// Bytes that are not valid UTF-8 keep their identity in a range no valid character uses.
constexpr char32_t kStrayByteBase = 0xDC00;

bool isAscii(std::string_view s)
{
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char upperAsciiChar(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 0x20) : c;
}

bool asciiEqualIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return upperAsciiChar(x) == upperAsciiChar(y);
           });
}

bool inRange(char32_t c, char32_t low, char32_t high)
{
    return c >= low && c <= high;
}

char32_t upperLatinExtendedA(char32_t c)
{
    // Upper and lower case alternate; the odd-upper runs are 0139-0148 and 0179-017E.
    const bool oddUpper = inRange(c, 0x139, 0x148) || inRange(c, 0x179, 0x17E);
    const bool paired = inRange(c, 0x100, 0x137) || inRange(c, 0x14A, 0x177) || oddUpper;
    if (!paired)
        return c;
    const bool isLower = oddUpper ? c % 2 == 0 : c % 2 == 1;
    return isLower ? c - 1 : c;
}

char32_t upperCharacter(char32_t c)
{
    if (inRange(c, 'a', 'z') || (inRange(c, 0xE0, 0xFE) && c != 0xF7))
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    if (inRange(c, 0x100, 0x17F))
        return upperLatinExtendedA(c);
    if (c == 0x3C2)
        return 0x3A3;
    if (inRange(c, 0x3B1, 0x3C9) || inRange(c, 0x430, 0x44F))
        return c - 0x20;
    if (inRange(c, 0x450, 0x45F))
        return c - 0x50;
    return c;
}

/// Length of the UTF-8 sequence starting at s[i], or 0 when it is not well-formed.
size_t sequenceLength(std::string_view s, size_t i, char32_t &out)
{
    const auto lead = static_cast<unsigned char>(s[i]);
    size_t length = 0;
    char32_t value = 0;
    if (lead < 0x80)
        return out = lead, 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, value = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, value = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, value = lead & 0x07;
    else
        return 0;
    if (i + length > s.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
    if (overlong || value > 0x10FFFF || inRange(value, 0xD800, 0xDFFF))
        return 0;
    out = value;
    return length;
}

} // namespace

std::u32string foldedCharacters(std::string_view utf8)
{
    std::u32string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        const size_t length = sequenceLength(utf8, i, c);
        if (length == 0) {
            out.push_back(kStrayByteBase + static_cast<unsigned char>(utf8[i]));
            ++i;
            continue;
        }
        out.push_back(upperCharacter(c));
        i += length;
    }
    return out;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (isAscii(prefix) && isAscii(text.substr(0, prefix.size())))
        return text.size() >= prefix.size() &&
               asciiEqualIgnoringCase(text.substr(0, prefix.size()), prefix);
    return foldedCharacters(text).starts_with(foldedCharacters(prefix));
}

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix)
{
    if (text.size() < suffix.size() && isAscii(text))
        return false;
    if (isAscii(suffix) && text.size() >= suffix.size() &&
        isAscii(text.substr(text.size() - suffix.size())))
        return asciiEqualIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
    return foldedCharacters(text).ends_with(foldedCharacters(suffix));
}

bool tailEqualsIgnoringCase(std::string_view text, std::string_view other, size_t count)
{
    if (isAscii(text) && isAscii(other)) {
        const auto tail = text.size() > count ? text.substr(text.size() - count) : text;
        return asciiEqualIgnoringCase(tail, other);
    }
    const std::u32string folded = foldedCharacters(text);
    const std::u32string_view whole(folded);
    const auto tail = whole.size() > count ? whole.substr(whole.size() - count) : whole;
    return tail == foldedCharacters(other);
}

} // namespace kestrova
