// A ROM file name (first line) and list titles (the other lines; one beginning with "|" is
// another name of the row above) as any bytes: the cleaned name's match equals the literal
// algorithm's, value, chosen row and name.

#include "reference/match_outcome.h"
#include "reference/oracle_matcher.h"
#include "reference/wiki_list_import.h"
#include "reference/wiki_search.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace kestrova;
    std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const std::string_view fileName = bytes.substr(0, bytes.find('\n'));
    bytes.remove_prefix(std::min(bytes.size(), fileName.size() + 1));
    WikiTable table;
    while (!bytes.empty()) {
        const std::string_view title = bytes.substr(0, bytes.find('\n'));
        bytes.remove_prefix(std::min(bytes.size(), title.size() + 1));
        if (title.starts_with('|') && !table.rows.empty()) {
            table.rows.back().aliases.emplace_back(title.substr(1));
            continue;
        }
        // Every tenth link leads to a missing article.
        const std::string row = std::to_string(table.rows.size());
        const std::string link = (row.back() == '7' ? "/w/index.php?title=" : "/wiki/") + row;
        table.rows.push_back({std::string(title), link, {}});
    }
    const std::string name = cleanRomName(fileName);
    const std::string root = "http://en.wikipedia.org";
    const oracle::SearchOutcome e = oracle::SearchMatch(table, name, root);
    const MatchOutcome o = matchRom(TitleMatcher(table), WikiImport{table, {}}, name, root);
    if (std::tie(o.jeu, o.row, o.name, o.score, o.m, o.color, o.caption, o.address) !=
        std::make_tuple(e.jeu, e.anyTitle ? std::optional(e.bestRow) : std::nullopt, e.bestName,
                        e.bestScore,
                        e.m, MeterColor{e.red, e.green, e.blue}, displayTitle(e.caption),
                        displayTitle(e.address))) {
        std::fprintf(stderr, "matcher %g at row %d, literal %g at row %d\n", o.score,
                     o.row.value_or(-1), e.bestScore, e.bestRow);
        std::abort();
    }
    return 0;
}
