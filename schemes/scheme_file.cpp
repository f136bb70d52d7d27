#include "schemes/scheme_file.h"

#include "platform/text_codec.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

namespace kestrova {

namespace {

constexpr std::size_t kSchemeLines = kSchemeSlots + 1;
constexpr std::string_view kExtension = ".col";

std::string_view trimSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool isReservedDeviceName(const std::string &name)
{
    // Windows refuses these as file names whatever the extension.
    std::string upper = upperAscii(name);
    const auto dot = upper.find('.');
    if (dot != std::string::npos)
        upper.resize(dot);
    for (const char *reserved : {"CON", "PRN", "AUX", "NUL"}) {
        if (upper == reserved)
            return true;
    }
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
           upper[3] >= '1' && upper[3] <= '9';
}

} // namespace

Color SchemeFile::color(int k) const
{
    if (k < 0 || size_t(k) >= lines.size())
        return 0;
    // A garbled line keeps the toolkit's own colour rather than painting black on black.
    const Color fallback = k < kSchemeSlots ? kToolkitSlots[size_t(k)] : 0;
    return parseColorLine(lines[size_t(k)]).value_or(fallback);
}

std::string SchemeFile::imageSet() const
{
    return lines.size() >= kSchemeLines ? lines[kSchemeLines - 1] : std::string();
}

bool SchemeFile::isBlank() const
{
    return std::all_of(lines.begin(), lines.end(),
                       [](const std::string &line) { return trimSpaces(line).empty(); });
}

std::string_view schemeFileHead(std::string_view bytes, bool wholeFile)
{
    size_t lines = 0;
    size_t complete = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        complete = i + 1;
        if (++lines == kSchemeLines)
            return bytes.substr(0, complete);
    }
    return wholeFile ? bytes : bytes.substr(0, complete);
}

SchemeFile parseSchemeFile(std::string_view bytes)
{
    SchemeFile file;
    file.lines = decodeProgramLines(bytes);
    if (file.lines.size() > kSchemeLines)
        file.lines.resize(kSchemeLines);
    return file;
}

std::string writeSchemeFile(const SchemeColors &colors, const std::string &imageSet)
{
    std::vector<std::string> lines;
    for (Color c : colors)
        lines.push_back(formatColorLine(c));
    lines.emplace_back(firstLine(imageSet));
    return joinLinesCrLf(lines);
}

std::string formatColorLine(Color c)
{
    // Appending, not prepending to a temporary: GCC 12 at -O3 warns falsely about the latter.
    std::string line(c < 0 ? "" : " ");
    line += std::to_string(c);
    line += ' ';
    return line;
}

std::optional<Color> parseColorLine(std::string_view line)
{
    auto digits = trimSpaces(line);
    // from_chars takes no "+"; a "+-" stays and is refused.
    if (digits.starts_with('+') && !digits.starts_with("+-"))
        digits.remove_prefix(1);
    if (digits.empty())
        return std::nullopt;
    std::int64_t value = 0;
    const auto *end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    if (value < std::numeric_limits<Color>::min() || value > std::numeric_limits<Color>::max())
        return std::nullopt;
    return Color(value);
}

std::string schemeCaption(const std::string &fileName)
{
    if (fileName.ends_with(kExtension))
        return fileName.substr(0, fileName.size() - kExtension.size());
    return fileName;
}

std::optional<std::string> schemeNameProblem(const std::string &name)
{
    const std::string refused = "\\/:*?\"<>|";
    const bool badCharacter = std::any_of(name.begin(), name.end(), [&](char ch) {
        return static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F ||
               refused.find(ch) != std::string::npos;
    });
    if (badCharacter)
        return "a scheme name may not contain \\ / : * ? \" < > | or control characters";
    if (name.find("..") != std::string::npos)
        return "a scheme name may not contain \"..\"";
    if (isReservedDeviceName(name))
        return "the system reserves this name";
    return std::nullopt;
}

} // namespace kestrova
