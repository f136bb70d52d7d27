#include "reference/match_outcome.h"

#include "platform/text_codec.h"
#include "reference/wiki_list_import.h"
#include "reference/wiki_search.h"

#include <algorithm>
#include <cmath>

namespace kestrova {

namespace {

constexpr std::string_view kMissingArticle = "index.php?";

std::string_view trimSpaces(std::string_view s)
{
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Nearest whole number, an exact half going to the even one (the default rounding mode).
int roundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

bool hasNoArticle(std::string_view linkOrAddress)
{
    return linkOrAddress.find(kMissingArticle) != std::string_view::npos;
}

std::string cleanRomName(std::string_view fileNameUtf8)
{
    std::string_view name = fileNameUtf8.substr(0, fileNameUtf8.rfind('.'));
    if (name.empty() || (name.front() != '[' && name.front() != '('))
        name = trimSpaces(name.substr(0, name.find_first_of("[(")));
    std::string cleaned;
    cleaned.reserve(name.size());
    for (char c : name) {
        if (c != '_')
            cleaned += c;
    }
    return cleaned;
}

MeterColor meterColor(double m)
{
    MeterColor color;
    color.red = roundHalfEven(255 - 205 * (m - 0.5) / 0.5);
    color.green = roundHalfEven(64 + 141 * (m - 0.5) / 0.5);
    color.blue = 50;
    return color;
}

std::string articleStateText(std::string_view link, std::string_view itemText)
{
    if (!hasNoArticle(link))
        return "Article available at Wikipedia";
    return "No article about " + std::string(itemText);
}

namespace {

// Everything but the `matches_L` text, which needs the selected list item as shown.
MatchOutcome matchTable(const TitleMatcher &matcher, const WikiTable &table,
                        std::string_view cleanedNameUtf8, const std::string &encyclopediaRoot)
{
    MatchOutcome outcome;
    outcome.jeu = normaliseRomName(cleanedNameUtf8);
    const SearchResult found = matcher.searchBest(outcome.jeu);
    outcome.row = found.row;
    outcome.score = found.score;
    outcome.shownRow = found.row.value_or(0);

    const auto &rows = table.rows;
    const size_t shown = static_cast<size_t>(outcome.shownRow);
    const WikiRow empty;
    const WikiRow &row = shown < rows.size() ? rows[shown] : empty;
    outcome.title = displayTitle(row.title);
    outcome.name = size_t(found.name) <= row.aliases.size() ? found.name : 0;
    const std::string &matched = rowName(row, outcome.name);
    outcome.matchedName = displayTitle(matched);

    // The ratio is against the name that scored, so an alias match reads as the likeness it is.
    outcome.m = std::max(0.5, MatchValue(outcome.jeu, upperCp1252(matched), false));
    outcome.color = meterColor(outcome.m);
    outcome.caption = outcome.title;
    if (hasNoArticle(row.link))
        outcome.caption += "(no article)";
    outcome.address = encyclopediaRoot + displayTitle(row.link);
    return outcome;
}

} // namespace

MatchOutcome matchRom(const TitleMatcher &matcher, const WikiTable &table,
                      const std::vector<std::string> &shownItems, std::string_view cleanedNameUtf8,
                      const std::string &encyclopediaRoot)
{
    MatchOutcome outcome = matchTable(matcher, table, cleanedNameUtf8, encyclopediaRoot);
    const size_t shown = static_cast<size_t>(outcome.shownRow);
    const std::string item = shown < shownItems.size() ? shownItems[shown] : std::string();
    outcome.matchesText = articleStateText(outcome.address, item);
    return outcome;
}

MatchOutcome correctedMatch(const WikiTable &table, const std::vector<std::string> &shownItems,
                            std::string_view cleanedNameUtf8, int row,
                            const std::string &encyclopediaRoot)
{
    MatchOutcome outcome;
    outcome.jeu = normaliseRomName(cleanedNameUtf8);
    outcome.row = row;
    outcome.shownRow = row;
    outcome.corrected = true;
    const WikiRow &chosen = table.rows[size_t(row)];
    outcome.title = displayTitle(chosen.title);
    outcome.matchedName = outcome.title;
    outcome.score = MatchValue(outcome.jeu, normaliseTitle(chosen.title), true);
    outcome.m = 1.0;
    outcome.color = meterColor(outcome.m);
    outcome.caption = outcome.title + (hasNoArticle(chosen.link) ? "(no article)" : "");
    outcome.address = encyclopediaRoot + displayTitle(chosen.link);
    const size_t shown = size_t(row);
    const std::string item = shown < shownItems.size() ? shownItems[shown] : std::string();
    outcome.matchesText = articleStateText(outcome.address, item) + std::string(kUsersChoiceMark);
    return outcome;
}

MatchOutcome matchRom(const TitleMatcher &matcher, const WikiImport &list,
                      std::string_view cleanedNameUtf8, const std::string &encyclopediaRoot)
{
    MatchOutcome outcome = matchTable(matcher, list.table, cleanedNameUtf8, encyclopediaRoot);
    const size_t shown = static_cast<size_t>(outcome.shownRow);
    const std::string item =
        shown < list.availItems.size() ? displayTitle(list.availItems[shown]) : std::string();
    outcome.matchesText = articleStateText(outcome.address, item);
    return outcome;
}

} // namespace kestrova
