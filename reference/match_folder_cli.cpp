#include "reference/match_folder_cli.h"

#include "platform/file_io.h"
#include "platform/platform_rules.h"
#include "platform/text_codec.h"
#include "reference/match_outcome.h"
#include "reference/reference_cli.h"
#include "reference/title_corrections.h"
#include "reference/wiki_list_import.h"
#include "reference/wiki_search.h"
#include "roms/rom_listing.h"
#include "web/site_hosts.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <ostream>

namespace kestrova {

namespace {

constexpr const char *kUsage =
    "usage: kestrova-cli match-folder --platform NAME --list FILE FOLDER [--ext ENTRY] [--json]";

struct Options
{
    std::string platform;
    std::string list;
    std::string folder;
    std::string ext;
    bool json = false;
};

std::optional<Options> parseOptions(const std::vector<std::string> &args)
{
    Options options;
    bool hasPlatform = false, hasList = false, hasFolder = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        const bool valued = arg == "--platform" || arg == "--list" || arg == "--ext";
        if (valued && i + 1 >= args.size())
            return std::nullopt;
        if (arg == "--platform") {
            options.platform = args[++i];
            hasPlatform = true;
        } else if (arg == "--list") {
            options.list = args[++i];
            hasList = true;
        } else if (arg == "--ext") {
            options.ext = args[++i];
        } else if (arg == "--json") {
            options.json = true;
        } else if (!hasFolder && !arg.starts_with("--")) {
            options.folder = arg;
            hasFolder = true;
        } else {
            return std::nullopt;
        }
    }
    if (!hasPlatform || !hasList || !hasFolder)
        return std::nullopt;
    return options;
}

struct Row
{
    std::string rom;
    std::string name;
    MatchOutcome outcome;
    std::optional<int> runnerUp;
    int runnerUpName = 0;
};

size_t displayWidth(const std::string &utf8)
{
    return size_t(std::count_if(utf8.begin(), utf8.end(),
                                [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string bestTitle(const Row &row)
{
    if (!row.outcome.row)
        return "(no title)";
    return row.outcome.caption + (row.outcome.corrected ? std::string(kUsersChoiceMark) : "");
}

void printTable(const std::vector<Row> &rows, const WikiTable &table, std::ostream &out)
{
    size_t width = 3, titleWidth = 10;
    for (const auto &row : rows) {
        width = std::max(width, displayWidth(row.rom));
        titleWidth = std::max(titleWidth, displayWidth(bestTitle(row)));
    }
    out << "ratio  " << "ROM" << std::string(width - 3, ' ') << "  best title"
        << std::string(titleWidth - 10, ' ') << "  runner-up\n";
    for (const auto &row : rows) {
        char ratio[16];
        std::snprintf(ratio, sizeof ratio, "%.2f", row.outcome.m);
        const std::string title = bestTitle(row);
        const std::string second =
            row.runnerUp ? displayTitle(table.rows[size_t(*row.runnerUp)].title) : "-";
        out << ratio << "   " << row.rom << std::string(width - displayWidth(row.rom), ' ')
            << "  " << title << std::string(titleWidth - displayWidth(title), ' ') << "  "
            << second << '\n';
    }
}

} // namespace

int runMatchFolderCommand(const std::vector<std::string> &args, std::ostream &out,
                          std::ostream &err)
{
    const auto options = parseOptions(args);
    if (!options) {
        err << kUsage << '\n';
        return 2;
    }
    const auto imported = importListForCommand(options->list, options->platform, err);
    if (!imported)
        return 1;
    const WikiImport &list = *imported;
    const TitleMatcher matcher(list.table);
    const std::string root = SiteHosts().encyclopediaRoot();
    std::vector<std::string> shownItems;
    for (const auto &raw : list.availItems)
        shownItems.push_back(displayTitle(raw));
    const auto chosen = TitleCorrections::parse(
        readFileBytes(correctionsFileFor(toPath(options->list)), kCorrectionsFileBound).value_or(""));
    std::vector<TitleCorrections::Entry> ignored;
    std::vector<Row> rows;
    for (auto &rom : listRomFiles(options->folder, options->ext, PlatformRules::native())) {
        std::string name = cleanRomName(rom);
        const std::string *title = chosen.titleFor(rom);
        const std::optional<int> row = title ? correctedRow(list.table, *title) : std::nullopt;
        if (title && !row)
            ignored.push_back({rom, *title});
        auto outcome = row ? correctedMatch(list.table, shownItems, name, *row, root)
                           : matchRom(matcher, list.table, shownItems, name, root);
        const SearchResult runnerUp =
            outcome.row ? matcher.searchRunnerUp(outcome.jeu, *outcome.row) : SearchResult{};
        rows.push_back(
            {std::move(rom), std::move(name), std::move(outcome), runnerUp.row, runnerUp.name});
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row &a, const Row &b) { return a.outcome.m < b.outcome.m; });
    if (!options->json) {
        printTable(rows, list.table, out);
        for (const auto &entry : ignored)
            out << "ignored choice: \"" << entry.title << "\" for \"" << entry.romFile
                << "\" is no longer on the list\n";
        return 0;
    }
    for (const auto &row : rows) {
        std::string json = matchOutcomeJson(row.rom, row.name, row.outcome);
        json.pop_back(); // the closing brace
        json += ", \"runnerUp\": " +
                (row.runnerUp ? candidateJson(list.table, row.outcome.jeu, *row.runnerUp,
                                               row.runnerUpName)
                              : std::string("null"));
        if (row.outcome.corrected)
            json += ", \"choice\": true";
        out << json << "}\n";
    }
    for (const auto &entry : ignored)
        out << "{\"rom\": " << jsonString(entry.romFile) << ", \"ignoredChoice\": "
            << jsonString(entry.title) << "}\n";
    return 0;
}

} // namespace kestrova
