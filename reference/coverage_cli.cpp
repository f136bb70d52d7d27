#include "reference/coverage_cli.h"

#include "platform/file_io.h"
#include "platform/platform_rules.h"
#include "platform/text_codec.h"
#include "reference/coverage_html.h"
#include "reference/coverage_report.h"
#include "reference/match_outcome.h"
#include "reference/reference_cli.h"
#include "reference/title_corrections.h"
#include "reference/wiki_list_import.h"
#include "reference/wiki_search.h"
#include "roms/rom_listing.h"
#include "web/site_hosts.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <ostream>

namespace kestrova {

namespace {

constexpr const char *kUsage =
    "usage: kestrova-cli coverage --platform NAME --list FILE FOLDER [--ext ENTRY] "
    "[--min-likeness X] [--json | --html OUT]";

struct Options
{
    std::string platform;
    std::string list;
    std::string folder;
    std::string ext;
    double minLikeness = CoverageReport::kDefaultMinLikeness;
    bool json = false;
    std::optional<std::string> html;
};

std::optional<double> parseNumber(const std::string &text)
{
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// One option with its value; false when the option is unknown, repeated or malformed.
bool takeValued(Options &options, const std::string &name, const std::string &value)
{
    if (name == "--platform" && options.platform.empty())
        options.platform = value;
    else if (name == "--list" && options.list.empty())
        options.list = value;
    else if (name == "--ext")
        options.ext = value;
    else if (name == "--html" && !options.html)
        options.html = value;
    else if (name == "--min-likeness") {
        const auto number = parseNumber(value);
        if (!number || !(*number >= 0 && *number <= 1))
            return false;
        options.minLikeness = *number;
    } else
        return false;
    return true;
}

std::optional<Options> parseOptions(const std::vector<std::string> &args)
{
    Options options;
    bool hasFolder = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        const bool valued = arg == "--platform" || arg == "--list" || arg == "--ext" ||
                            arg == "--html" || arg == "--min-likeness";
        if (valued) {
            if (i + 1 >= args.size() || !takeValued(options, arg, args[i + 1]))
                return std::nullopt;
            ++i;
        } else if (arg == "--json") {
            options.json = true;
        } else if (!hasFolder && !arg.starts_with("--")) {
            options.folder = arg;
            hasFolder = true;
        } else {
            return std::nullopt;
        }
    }
    if (options.platform.empty() || options.list.empty() || !hasFolder ||
        (options.json && options.html))
        return std::nullopt;
    return options;
}

std::string fixed(double value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

void printText(const CoverageReport &report, const WikiTable &table, std::ostream &out)
{
    const auto title = [&](int row) { return displayTitle(table.rows[size_t(row)].title); };
    out << "owned titles (" << report.ownedCount() << "):  ratio  likeness  ROM\n";
    for (size_t t = 0; t < report.titleRows.size(); ++t) {
        if (report.owners[t].empty())
            continue;
        out << "  " << title(report.titleRows[t]) << '\n';
        for (size_t i : report.owners[t]) {
            const CoveredRom &rom = report.roms[i];
            out << "      " << fixed(rom.ratio) << "  " << fixed(rom.likeness) << "  "
                << decodeProgramText(rom.file) << (rom.chosen ? kUsersChoiceMark : "") << '\n';
        }
    }
    out << "missing titles (" << report.missingCount() << "):\n";
    for (size_t t = 0; t < report.titleRows.size(); ++t) {
        if (report.owners[t].empty())
            out << "  " << title(report.titleRows[t]) << '\n';
    }
    out << "unsure ROMs (" << report.unsure.size() << "):  ratio  likeness  ROM  (best title)\n";
    for (size_t i : report.unsure) {
        const CoveredRom &rom = report.roms[i];
        out << "  " << fixed(rom.ratio) << "  " << fixed(rom.likeness) << "  "
            << decodeProgramText(rom.file) << "  ("
            << (rom.bestRow ? title(*rom.bestRow) : std::string("no title")) << ")\n";
    }
}

std::string romJson(const CoveredRom &rom, const WikiTable &table)
{
    std::string out = "{\"rom\": " + jsonString(decodeProgramText(rom.file));
    if (rom.bestRow) {
        out += ", \"row\": " + std::to_string(*rom.bestRow);
        out += ", \"title\": " + jsonString(displayTitle(table.rows[size_t(*rom.bestRow)].title));
    }
    out += ", \"ratio\": " + jsonNumber(rom.ratio);
    out += ", \"likeness\": " + jsonNumber(rom.likeness);
    return out + (rom.chosen ? ", \"choice\": true}" : "}");
}

void printJson(const CoverageReport &report, const WikiTable &table, std::ostream &out)
{
    out << "{\"titles\": [";
    for (size_t t = 0; t < report.titleRows.size(); ++t) {
        const WikiRow &row = table.rows[size_t(report.titleRows[t])];
        out << (t ? ",\n  " : "\n  ") << "{\"row\": " << report.titleRows[t]
            << ", \"title\": " << jsonString(displayTitle(row.title))
            << ", \"link\": " << jsonString(displayTitle(row.link)) << ", \"status\": "
            << (report.owners[t].empty() ? "\"missing\"" : "\"owned\"") << ", \"roms\": [";
        for (size_t k = 0; k < report.owners[t].size(); ++k)
            out << (k ? ", " : "") << romJson(report.roms[report.owners[t][k]], table);
        out << "]}";
    }
    out << "],\n \"unsure\": [";
    for (size_t k = 0; k < report.unsure.size(); ++k)
        out << (k ? ",\n  " : "\n  ") << romJson(report.roms[report.unsure[k]], table);
    out << "],\n \"counts\": {\"titles\": " << report.titleRows.size()
        << ", \"owned\": " << report.ownedCount() << ", \"missing\": " << report.missingCount()
        << ", \"unsure\": " << report.unsure.size() << "},\n \"summary\": "
        << jsonString(report.summary()) << "}\n";
}

} // namespace

int runCoverageCommand(const std::vector<std::string> &args, std::ostream &out,
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
    const auto roms = listRomFiles(options->folder, options->ext, PlatformRules::native());
    const auto choices = TitleCorrections::parse(
        readFileBytes(correctionsFileFor(toPath(options->list)), kCorrectionsFileBound).value_or(""));
    const CoverageReport report =
        buildCoverage(list.table, roms, options->minLikeness, 0, &choices);
    if (options->json) {
        printJson(report, list.table, out);
        return 0;
    }
    if (options->html) {
        const CoverageSource source{options->platform, options->list, options->folder,
                                    options->minLikeness, SiteHosts().encyclopediaRoot()};
        const auto error = writeFileAtomically(toPath(*options->html),
                                               coverageHtml(report, list.table, source));
        if (error) {
            err << "Could not save " << error->path << ": " << error->reason << '\n';
            return 1;
        }
    } else {
        printText(report, list.table, out);
    }
    out << report.summary() << '\n';
    return 0;
}

} // namespace kestrova
