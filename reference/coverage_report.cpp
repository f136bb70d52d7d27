#include "reference/coverage_report.h"

#include "platform/text_codec.h"
#include "reference/match_outcome.h"
#include "reference/title_corrections.h"
#include "reference/title_matcher.h"
#include "reference/wiki_table.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <thread>
#include <unordered_map>

namespace kestrova {

namespace {

// Enough ROMs per grab that threads rarely meet at the counter, few enough to share the tail.
constexpr size_t kBatch = 64;

struct ListView
{
    explicit ListView(const WikiTable &t) : table(t), matcher(t)
    {
        const size_t rows = std::min<size_t>(t.rows.size(), WikiTable::kRowCount);
        normalised.reserve(rows);
        for (size_t r = 0; r < rows; ++r)
            normalised.push_back(normaliseTitle(t.rows[r].title));
    }

    const WikiTable &table;
    TitleMatcher matcher;
    std::vector<std::string> normalised; // per row
};

struct NameMatch
{
    std::optional<int> bestRow;
    double likeness = 0;
    double ratio = 0.5;
};

NameMatch matchName(const ListView &list, const std::string &jeu)
{
    NameMatch match;
    const SearchResult found = list.matcher.searchBest(jeu);
    match.bestRow = found.row;
    if (!match.bestRow)
        return match;
    const size_t row = size_t(*match.bestRow);
    // Against the name that scored, which may be one of the row's other names.
    const std::string &name = rowName(list.table.rows[row], found.name);
    match.likeness = MatchValue(jeu, found.name == 0 ? list.normalised[row] : normaliseTitle(name),
                                false);
    match.ratio = std::max(0.5, MatchValue(jeu, upperCp1252(name), false));
    return match;
}

// Each name is matched on its own into its own slot, so the threads only share a counter.
std::vector<NameMatch> matchAll(const ListView &list, const std::vector<std::string> &names,
                                unsigned threads)
{
    std::vector<NameMatch> matches(names.size());
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t start = next.fetch_add(kBatch); start < names.size();
             start = next.fetch_add(kBatch)) {
            const size_t stop = std::min(names.size(), start + kBatch);
            for (size_t i = start; i < stop; ++i)
                matches[i] = matchName(list, names[i]);
        }
    };
    if (threads == 0)
        threads = std::max(1u, std::thread::hardware_concurrency());
    threads = unsigned(std::min<size_t>(threads, (names.size() + kBatch - 1) / kBatch));
    std::vector<std::jthread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    return matches;
}

// Region, revision and dump tags give many files the same name to match; each is matched once.
std::vector<CoveredRom> matchRoms(const ListView &list, const std::vector<std::string> &files,
                                  unsigned threads)
{
    std::unordered_map<std::string, size_t> slotOfName;
    std::vector<std::string> names;
    std::vector<size_t> slots;
    slots.reserve(files.size());
    for (const std::string &file : files) {
        std::string jeu = normaliseRomName(cleanRomName(file));
        const auto [it, added] = slotOfName.try_emplace(std::move(jeu), names.size());
        if (added)
            names.push_back(it->first);
        slots.push_back(it->second);
    }
    const std::vector<NameMatch> matches = matchAll(list, names, threads);
    std::vector<CoveredRom> roms(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        const NameMatch &match = matches[slots[i]];
        roms[i] = {files[i], match.bestRow, match.likeness, match.ratio};
    }
    return roms;
}

} // namespace

size_t CoverageReport::ownedCount() const
{
    return size_t(std::count_if(owners.begin(), owners.end(),
                                [](const std::vector<size_t> &o) { return !o.empty(); }));
}

std::string CoverageReport::summary() const
{
    return "coverage: " + std::to_string(titleRows.size()) + " titles, " +
           std::to_string(ownedCount()) + " owned, " + std::to_string(missingCount()) +
           " missing, " + std::to_string(unsure.size()) + " unsure ROMs";
}

CoverageReport buildCoverage(const WikiTable &table, const std::vector<std::string> &romFiles,
                             double minLikeness, unsigned threads,
                             const TitleCorrections *choices)
{
    const ListView list(table);
    CoverageReport report;
    report.roms = matchRoms(list, romFiles, threads);
    for (CoveredRom &rom : report.roms) {
        const std::string *title = choices ? choices->titleFor(rom.file) : nullptr;
        if (const auto row = title ? correctedRow(table, *title) : std::nullopt)
            rom = {rom.file, row, 1.0, 1.0, true};
    }

    std::map<std::string, std::vector<size_t>> ownersByTitle;
    for (size_t i = 0; i < report.roms.size(); ++i) {
        const CoveredRom &rom = report.roms[i];
        if (rom.bestRow && rom.likeness >= minLikeness)
            ownersByTitle[list.normalised[size_t(*rom.bestRow)]].push_back(i);
        else
            report.unsure.push_back(i);
    }
    for (size_t r = 0; r < list.normalised.size(); ++r) {
        if (table.rows[r].title.empty())
            continue;
        report.titleRows.push_back(int(r));
        const auto found = ownersByTitle.find(list.normalised[r]);
        report.owners.push_back(found != ownersByTitle.end() ? found->second
                                                             : std::vector<size_t>());
    }
    return report;
}

} // namespace kestrova
