// How often the Match Meter names the right title for real ROM file names, against the title
// lists in tests/data/real_names, with the right title known for every file. Prints the figures
// for the earlier rule (ties to the earlier row, titles only) and for the product's matcher.

#include "platform/file_io.h"
#include "platform/text_codec.h"
#include "reference/match_outcome.h"
#include "reference/title_matcher.h"
#include "reference/wiki_list_import.h"
#include "reference/wiki_table.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kestrova {
namespace {

struct Rom
{
    std::string file;
    std::string title;
};

struct System
{
    std::string name;
    WikiTable table;
    std::vector<Rom> roms;
};

std::vector<std::string> fields(const std::string &line)
{
    std::vector<std::string> out;
    for (size_t start = 0;;) {
        const size_t tab = line.find('\t', start);
        out.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return out;
        start = tab + 1;
    }
}

// A titles line is the title, then any other names of it, TAB-separated.
std::vector<System> loadSystems(const std::filesystem::path &folder)
{
    std::vector<System> systems;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        const std::string file = entry.path().filename().string();
        if (!file.ends_with(".roms.txt"))
            continue;
        System system;
        system.name = file.substr(0, file.size() - 9);
        const auto titles = readFileBytes(folder / (system.name + ".titles.txt"), 64 << 20).value_or("");
        for (const std::string &line : splitLines(titles)) {
            std::vector<std::string> names = fields(line);
            const std::string title = names.front();
            names.erase(names.begin());
            system.table.rows.push_back({title, "/wiki/" + title, names});
        }
        for (const std::string &line : splitLines(readFileBytes(entry.path(), 64 << 20).value_or(""))) {
            const std::vector<std::string> parts = fields(line);
            if (parts.size() == 2)
                system.roms.push_back({parts[0], parts[1]});
        }
        systems.push_back(std::move(system));
    }
    std::sort(systems.begin(), systems.end(),
              [](const System &a, const System &b) { return a.name < b.name; });
    return systems;
}

struct Pick
{
    std::string title;
    double m = 0.5;
};

// The earlier rule: every title scored, the first row with the highest score wins.
Pick earlierRule(const WikiTable &table, const std::string &cleaned)
{
    const std::string jeu = normaliseRomName(cleaned);
    double best = SearchResult::kStartScore;
    const WikiRow *chosen = nullptr;
    for (const WikiRow &row : table.rows) {
        const double score = MatchValue(jeu, normaliseTitle(row.title), true);
        if (score > best) {
            best = score;
            chosen = &row;
        }
    }
    if (chosen == nullptr)
        return {};
    return {chosen->title, std::max(0.5, MatchValue(jeu, upperCp1252(chosen->title), false))};
}

Pick productRule(const TitleMatcher &matcher, const WikiTable &table, const std::string &cleaned)
{
    const MatchOutcome outcome = matchRom(matcher, WikiImport{table, {}}, cleaned, "");
    return {outcome.title, outcome.m};
}

struct Tally
{
    size_t roms = 0;
    size_t right = 0;
    size_t sure = 0;
    size_t sureRight = 0;

    void add(const Pick &pick, const std::string &truth)
    {
        ++roms;
        const bool ok = pick.title == truth;
        right += ok;
        if (pick.m >= 0.9) {
            ++sure;
            sureRight += ok;
        }
    }

    void print(const char *label) const
    {
        auto percent = [](size_t part, size_t whole) {
            return whole == 0 ? 0.0 : 100.0 * double(part) / double(whole);
        };
        std::printf("%s\nreal_names: %zu roms, top-1 %.1f%%, likeness>=0.9 precision %.1f%%\n",
                    label, roms, percent(right, roms), percent(sureRight, sure));
    }
};

} // namespace
} // namespace kestrova

int main()
{
    using namespace kestrova;
    const std::vector<System> systems = loadSystems(KESTROVA_REAL_NAMES);
    Tally before, after;
    for (const System &system : systems) {
        const TitleMatcher matcher(system.table);
        Tally one;
        for (const Rom &rom : system.roms) {
            const std::string cleaned = cleanRomName(rom.file);
            const Pick earlier = earlierRule(system.table, cleaned);
            before.add(earlier, rom.title);
            if (earlier.title != rom.title)
                std::printf("  earlier rule, %s: %s -> %s (right: %s)\n", system.name.c_str(),
                            rom.file.c_str(), earlier.title.c_str(), rom.title.c_str());
            const Pick pick = productRule(matcher, system.table, cleaned);
            after.add(pick, rom.title);
            one.add(pick, rom.title);
            if (pick.title != rom.title)
                std::printf("  matcher, %s: %s -> %s (right: %s)\n", system.name.c_str(),
                            rom.file.c_str(), pick.title.c_str(), rom.title.c_str());
        }
        one.print(("matcher, " + system.name + ":").c_str());
    }
    before.print("earlier rule (ties to the earlier row, titles only), all systems:");
    after.print("matcher (ties to the closest length, every name of a row), all systems:");
    return 0;
}
