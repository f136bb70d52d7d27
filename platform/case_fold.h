#pragma once

#include <string>
#include <string_view>

namespace kestrova {

/// The characters of UTF-8 text, upper-cased (ASCII, Latin-1, Latin Extended-A, Greek and
/// Cyrillic letters). A byte that is not part of valid UTF-8 stays a character of its own.
[[nodiscard]] std::u32string foldedCharacters(std::string_view utf8);

/// Does the text begin with the prefix, ignoring letter case?
[[nodiscard]] bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);

/// Does the text end with the suffix, ignoring letter case?
[[nodiscard]] bool endsWithIgnoringCase(std::string_view text, std::string_view suffix);

/// Are the last `count` characters of the text (the whole text when shorter) equal to the
/// other text, ignoring letter case?
[[nodiscard]] bool tailEqualsIgnoringCase(std::string_view text, std::string_view other,
                                          size_t count);

} // namespace kestrova
