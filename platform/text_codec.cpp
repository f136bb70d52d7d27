#include "platform/text_codec.h"

#include <array>
#include <cstdint>

namespace kestrova {

namespace {

// Code points of 0x80..0x9F in Windows-1252; 0 marks the five undefined codes.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t cp1252ToCodePoint(unsigned char c)
{
    if (c >= 0x80 && c <= 0x9F && kHighControls[c - 0x80] != 0)
        return kHighControls[c - 0x80];
    return c;
}

void appendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Length of the UTF-8 sequence starting at i, or 0 when it is malformed.
size_t sequenceLength(std::string_view s, size_t i, char32_t &cp)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    size_t len = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    for (size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
    const bool invalid = cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF);
    return overlong || invalid ? 0 : len;
}

char codePointToCp1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return char(cp);
    for (size_t k = 0; k < kHighControls.size(); ++k) {
        if (kHighControls[k] == cp)
            return char(0x80 + k);
    }
    return '?';
}

constexpr char32_t kReplacement = 0xFFFD;

// A text editor's "Unicode" files; a unit that cannot be decoded reads as U+FFFD, as does an odd
// last byte.
std::string utf16ToUtf8(std::string_view bytes, bool littleEndian)
{
    const auto unitAt = [&](size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return char32_t(littleEndian ? first | second << 8 : first << 8 | second);
    };
    std::string out;
    out.reserve(bytes.size());
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t unit = unitAt(i);
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && i + 3 < bytes.size()) {
            const char32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        appendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
    }
    if (i < bytes.size())
        appendUtf8(out, kReplacement);
    return out;
}

// A plain loop: find_first_of searches its two-character set once per character.
size_t firstLineBreak(std::string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n')
            return i;
    }
    return text.size();
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    char32_t cp = 0;
    for (size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const size_t len = sequenceLength(bytes, i, cp);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

std::string cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        appendUtf8(out, cp1252ToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToCp1252(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    char32_t cp = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t len = sequenceLength(text, i, cp);
        if (len == 0) {
            out += '?';
            ++i;
            continue;
        }
        out += codePointToCp1252(cp);
        i += len;
    }
    return out;
}

std::string decodeProgramText(std::string_view bytes)
{
    return isValidUtf8(bytes) ? std::string(bytes) : cp1252ToUtf8(bytes);
}

std::string_view skipByteOrderMark(std::string_view bytes)
{
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    return bytes.starts_with(kMark) ? bytes.substr(kMark.size()) : bytes;
}

bool hasUtf16ByteOrderMark(std::string_view bytes)
{
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

std::string programFileText(std::string_view bytes)
{
    if (hasUtf16ByteOrderMark(bytes))
        return utf16ToUtf8(bytes.substr(2), bytes[0] == '\xFF');
    return std::string(skipByteOrderMark(bytes));
}

std::string decodeProgramLine(std::string_view line)
{
    return decodeProgramText(line);
}

std::vector<std::string> decodeProgramLines(std::string_view bytes)
{
    auto lines = splitLines(programFileText(bytes));
    for (auto &line : lines)
        line = decodeProgramLine(line);
    return lines;
}

bool hasLineBreak(std::string_view text)
{
    return firstLineBreak(text) < text.size();
}

std::string_view firstLine(std::string_view text)
{
    return text.substr(0, firstLineBreak(text));
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    forEachLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::string joinLinesCrLf(const std::vector<std::string> &lines)
{
    std::string out;
    for (const auto &line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string upperCp1252(std::string_view bytes)
{
    std::string out(bytes);
    for (char &ch : out) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
            ch = char(c - 0x20);
        else if (c == 0x9A || c == 0x9C || c == 0x9E)
            ch = char(c - 0x10);
        else if (c == 0xFF)
            ch = char(0x9F);
    }
    return out;
}

std::string upperAscii(std::string_view text)
{
    std::string out(text);
    for (char &ch : out) {
        if (ch >= 'a' && ch <= 'z')
            ch = char(ch - 0x20);
    }
    return out;
}

} // namespace kestrova
