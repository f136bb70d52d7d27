#pragma once

#include "reference/title_matcher.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

struct WikiImport;

/// The Match Meter's background.
struct MeterColor
{
    int red = 255;
    int green = 64;
    int blue = 50;

    friend bool operator==(const MeterColor &, const MeterColor &) = default;
};

/// Everything a ROM click shows, computed without touching a control.
struct MatchOutcome
{
    std::string jeu;        ///< the normalised ROM name
    std::optional<int> row; ///< the best row; nothing when no row has a title
    int shownRow = 0;       ///< the row selected in `avail_L`: the best row, else row 0
    std::string title;      ///< the shown row's title, for display
    int name = 0;           ///< the row's name that scored: 0 the title, k its alias k - 1
    std::string matchedName; ///< that name, for display
    double score = SearchResult::kStartScore; ///< best MatchValue with A true
    double m = 0.5;                           ///< likeness ratio, at least 0.5
    MeterColor color;                         ///< background of `prog`
    std::string caption;                      ///< caption of `prog`
    std::string address;                      ///< the article address
    std::string matchesText;                  ///< what `matches_L` shows afterwards
    bool corrected = false;                   ///< the row is the user's choice, not the match
};

/// What `matches_L` adds after the article state when the title is the user's choice.
inline constexpr std::string_view kUsersChoiceMark = " (your choice)";

/// A ROM file name (UTF-8) as it is matched: the extension dropped (a name without "." is
/// kept whole), cut before its first "[" or "(" and trimmed unless it begins with one, and
/// every "_" removed.
[[nodiscard]] std::string cleanRomName(std::string_view fileNameUtf8);

/// Meter colour for a ratio m in [0.5, 1]: red to green, halves rounded to even.
[[nodiscard]] MeterColor meterColor(double m);

/// Does an article link (or address) lead to an edit page, because the article does not exist?
[[nodiscard]] bool hasNoArticle(std::string_view linkOrAddress);

/// What `matches_L` shows for a selected title: whether its article exists.
[[nodiscard]] std::string articleStateText(std::string_view link, std::string_view itemText);

/// The whole match of a ROM click for a cleaned ROM name (UTF-8), with the reference list's
/// items as `avail_L` shows them.
[[nodiscard]] MatchOutcome matchRom(const TitleMatcher &matcher, const WikiTable &table,
                                    const std::vector<std::string> &shownItems,
                                    std::string_view cleanedNameUtf8,
                                    const std::string &encyclopediaRoot);

/// What a ROM click shows when the user chose the title of `row` for it: that row at full
/// likeness, the score still the one the name earns against it.
[[nodiscard]] MatchOutcome correctedMatch(const WikiTable &table,
                                          const std::vector<std::string> &shownItems,
                                          std::string_view cleanedNameUtf8, int row,
                                          const std::string &encyclopediaRoot);

/// The whole match of a ROM click for a cleaned ROM name (UTF-8).
[[nodiscard]] MatchOutcome matchRom(const TitleMatcher &matcher, const WikiImport &list,
                                    std::string_view cleanedNameUtf8,
                                    const std::string &encyclopediaRoot);

} // namespace kestrova
