#pragma once

#include "platform/color.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

constexpr int kSchemeSlots = 8;
using SchemeColors = std::array<Color, kSchemeSlots>;

/// A system colour value (0x80000000 | index), as scheme files store it.
constexpr Color systemColor(int index)
{
    return Color(0x80000000u | unsigned(index));
}

/// The slots before any scheme is read: the system's own colours for each role (window, button
/// face and text, list background and text), so that saving them keeps the toolkit's look.
constexpr SchemeColors kToolkitSlots = {systemColor(15), systemColor(18), systemColor(15),
                                        systemColor(18), systemColor(5),  systemColor(8),
                                        systemColor(15), systemColor(15)};

/// A scheme file as read: its first nine lines, as written; later lines are ignored.
struct SchemeFile
{
    std::vector<std::string> lines;

    /// Line k + 1 as a colour. A missing line counts 0; a line that is not a whole number gives
    /// the toolkit's colour of that slot.
    Color color(int k) const;
    /// The ninth line, the image-set name; empty when missing.
    std::string imageSet() const;
    /// Nothing but spaces in every line (or no line at all).
    bool isBlank() const;
};

/// How much of a scheme file is read: nine short lines fit many times over, and a huge file in a
/// scheme's place costs no more than this.
constexpr std::size_t kSchemeReadBytes = 4096;

/// The bytes of a scheme file's first nine lines with their line ends: what a scheme holds, and
/// all that choosing it copies. When `bytes` is only the start of the file, a line it cuts off
/// is left out.
std::string_view schemeFileHead(std::string_view bytes, bool wholeFile = true);
/// A scheme file's bytes to its lines (byte-order mark skipped, each line decoded on its own);
/// CR LF, LF and CR all end a line.
SchemeFile parseSchemeFile(std::string_view bytes);
/// The nine lines of a scheme: the eight colours, then the image-set name, CR LF after each.
std::string writeSchemeFile(const SchemeColors &colors, const std::string &imageSet);
/// " 123 " for a non-negative colour, "-123 " for a negative one.
std::string formatColorLine(Color c);
/// The whole number on a colour line, surrounding spaces allowed; nothing for anything else.
std::optional<Color> parseColorLine(std::string_view line);
/// A scheme's menu caption: the file name without its final ".col" only.
std::string schemeCaption(const std::string &fileName);
/// Why a typed scheme name cannot be used as a file name, or nothing when it can.
std::optional<std::string> schemeNameProblem(const std::string &name);

} // namespace kestrova
