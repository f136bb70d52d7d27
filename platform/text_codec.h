#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

/// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);
/// Single-byte Windows-1252 text to UTF-8; undefined codes keep their Latin-1 meaning.
std::string cp1252ToUtf8(std::string_view bytes);
/// UTF-8 to Windows-1252 codes; a character outside the code page becomes '?'.
std::string utf8ToCp1252(std::string_view text);
/// Program files: UTF-8 when the bytes are valid UTF-8, Windows-1252 otherwise.
std::string decodeProgramText(std::string_view bytes);
/// The bytes after a leading UTF-8 byte-order mark, if any.
std::string_view skipByteOrderMark(std::string_view bytes);
/// Does the file begin with a UTF-16 byte-order mark, in either byte order?
bool hasUtf16ByteOrderMark(std::string_view bytes);
/// The bytes of a program file that its lines are read from: without a UTF-8 byte-order mark,
/// and converted to UTF-8 when a UTF-16 mark (either byte order) says what the file holds.
std::string programFileText(std::string_view bytes);
/// One line of a program file: kept when it is valid UTF-8, read as Windows-1252 otherwise, so
/// that one odd line never changes how the others read.
std::string decodeProgramLine(std::string_view line);
/// A program file's lines (byte-order mark skipped), each decoded on its own.
std::vector<std::string> decodeProgramLines(std::string_view bytes);
/// Does the text hold a carriage return or a line feed?
bool hasLineBreak(std::string_view text);
/// The text up to its first line break.
std::string_view firstLine(std::string_view text);
/// Calls `take(line)` for each line of the text, split at CR LF, lone LF and lone CR. A final
/// line end adds no empty line.
template<class Take>
void forEachLine(std::string_view text, Take &&take)
{
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        take(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        take(text.substr(start));
}
/// Splits text at CR LF, lone LF and lone CR. A final line end adds no empty line.
std::vector<std::string> splitLines(std::string_view text);
/// Joins lines with CR LF after every line.
std::string joinLinesCrLf(const std::vector<std::string> &lines);
/// Windows-1252 upper-casing of single-byte text.
std::string upperCp1252(std::string_view bytes);
/// ASCII upper-casing of UTF-8 text; other characters are left alone.
std::string upperAscii(std::string_view text);

} // namespace kestrova
