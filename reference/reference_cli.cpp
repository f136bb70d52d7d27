#include "reference/reference_cli.h"

#include "platform/platform_rules.h"
#include "platform/text_codec.h"
#include "reference/match_outcome.h"
#include "reference/wiki_search.h"
#include "web/site_hosts.h"

#include <array>
#include <charconv>
#include <optional>
#include <ostream>

namespace kestrova {

namespace {

constexpr std::string_view kImportUsage = "usage: kestrova-cli import --platform NAME FILE";
constexpr std::string_view kMatchUsage =
    "usage: kestrova-cli match --platform NAME --list FILE [--explain] ROM...";

struct CommandLine
{
    std::optional<std::string> platform;
    std::optional<std::string> list;
    bool explain = false;
    std::vector<std::string> positional;
};

// Reads "--platform NAME", "--list FILE" (when allowed) and the rest as positional arguments;
// "--" ends the options. Nothing means the arguments are malformed.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string> &args, bool withList)
{
    CommandLine line;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            line.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--explain" && withList) {
            line.explain = true;
            continue;
        }
        std::optional<std::string> *target = nullptr;
        if (arg == "--platform")
            target = &line.platform;
        else if (arg == "--list" && withList)
            target = &line.list;
        if (target == nullptr || target->has_value() || i + 1 >= args.size())
            return std::nullopt;
        *target = args[++i];
    }
    return line;
}

// Text from the command line or a list, as valid UTF-8 for the output.
std::string shown(std::string_view text)
{
    return decodeProgramText(text);
}

} // namespace

std::string jsonString(std::string_view utf8)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
    return out;
}

std::string jsonNumber(double value)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string importJson(const WikiImport *list)
{
    std::string out = "{\"result\": ";
    out += jsonString(list ? "table" : "Pas de fichier");
    out += ", \"rows\": [";
    bool first = true;
    const size_t rowCount = list ? list->table.rows.size() : 0;
    for (size_t r = 0; r < rowCount; ++r) {
        const WikiRow &row = list->table.rows[r];
        if (row.title.empty() && row.link.empty())
            continue;
        out += first ? "" : ", ";
        first = false;
        out += "{\"row\": " + std::to_string(r) + ", \"title\": " + jsonString(shown(row.title)) +
               ", \"link\": " + jsonString(shown(row.link));
        if (!row.aliases.empty()) {
            out += ", \"aliases\": [";
            for (size_t a = 0; a < row.aliases.size(); ++a)
                out += (a == 0 ? "" : ", ") + jsonString(shown(row.aliases[a]));
            out += "]";
        }
        out += "}";
    }
    out += "], \"avail\": [";
    const size_t itemCount = list ? list->availItems.size() : 0;
    for (size_t i = 0; i < itemCount; ++i) {
        out += i == 0 ? "" : ", ";
        out += jsonString(shown(list->availItems[i]));
    }
    out += "]}";
    return out;
}

std::string matchOutcomeJson(std::string_view rom, std::string_view name,
                             const MatchOutcome &outcome)
{
    std::string out = "{\"rom\": " + jsonString(shown(rom));
    out += ", \"name\": " + jsonString(shown(name));
    out += ", \"jeu\": " + jsonString(outcome.jeu);
    out += ", \"row\": " + (outcome.row ? std::to_string(*outcome.row) : std::string("null"));
    out += ", \"title\": " + jsonString(outcome.title);
    out += ", \"score\": " + jsonNumber(outcome.score);
    out += ", \"m\": " + jsonNumber(outcome.m);
    out += ", \"color\": [" + std::to_string(outcome.color.red) + ", " +
           std::to_string(outcome.color.green) + ", " + std::to_string(outcome.color.blue) + "]";
    out += ", \"caption\": " + jsonString(outcome.caption);
    out += ", \"address\": " + jsonString(outcome.address);
    out += ", \"matches\": " + jsonString(outcome.matchesText) + "}";
    return out;
}

std::string candidateJson(const WikiTable &table, std::string_view jeu, int row, int name)
{
    const WikiRow &candidate = table.rows[size_t(row)];
    const std::string t = normaliseTitle(rowName(candidate, name));
    const MatchTerms terms = matchTerms(jeu, t);
    std::string out = "{\"row\": " + std::to_string(row) +
                      ", \"title\": " + jsonString(shown(candidate.title));
    if (name > 0)
        out += ", \"alias\": " + jsonString(shown(rowName(candidate, name)));
    return out + ", \"normalised\": " + jsonString(t) +
           ", \"piece\": " + std::to_string(terms.piece) +
           ", \"difference\": " + std::to_string(terms.difference) +
           ", \"length\": " + std::to_string(terms.length) +
           ", \"score\": " + jsonNumber(terms.score) + "}";
}

std::string explainJson(const TitleMatcher &matcher, const WikiTable &table, std::string_view jeu)
{
    const SearchResult best = matcher.searchBest(jeu);
    if (!best.row)
        return "{\"best\": null, \"runnerUp\": null}";
    const SearchResult second = matcher.searchRunnerUp(jeu, *best.row);
    return "{\"best\": " + candidateJson(table, jeu, *best.row, best.name) + ", \"runnerUp\": " +
           (second.row ? candidateJson(table, jeu, *second.row, second.name)
                       : std::string("null")) +
           "}";
}

std::optional<WikiImport> importListForCommand(const std::string &listPath,
                                               const std::string &platform, std::ostream &err)
{
    const auto bytes = readWikiListFile(toPath(listPath));
    if (!bytes) {
        err << "Pas de fichier: " << decodeProgramText(listPath) << '\n';
        return std::nullopt;
    }
    return parseWikiList(*bytes, platform);
}

int runImportCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    const std::optional<CommandLine> line = parseCommandLine(args, false);
    if (!line || !line->platform || line->positional.size() != 1) {
        err << kImportUsage << '\n';
        return 2;
    }
    const std::optional<std::string> bytes = readWikiListFile(line->positional.front());
    if (!bytes) {
        out << importJson(nullptr) << '\n';
        return 0;
    }
    const WikiImport list = parseWikiList(*bytes, *line->platform);
    out << importJson(&list) << '\n';
    return 0;
}

int runMatchCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    const std::optional<CommandLine> line = parseCommandLine(args, true);
    if (!line || !line->platform || !line->list || line->positional.empty()) {
        err << kMatchUsage << '\n';
        return 2;
    }
    const std::optional<std::string> bytes = readWikiListFile(*line->list);
    if (!bytes) {
        err << "Pas de fichier: " << shown(*line->list) << '\n';
        return 1;
    }
    const WikiImport list = parseWikiList(*bytes, *line->platform);
    const TitleMatcher matcher(list.table);
    const std::string root = SiteHosts().encyclopediaRoot();
    for (const std::string &rom : line->positional) {
        const std::string name = cleanRomName(rom);
        const MatchOutcome outcome = matchRom(matcher, list, name, root);
        std::string json = matchOutcomeJson(rom, name, outcome);
        if (line->explain) {
            json.pop_back(); // the closing brace
            json += ", \"explain\": " + explainJson(matcher, list.table, outcome.jeu) + "}";
        }
        out << json << '\n';
    }
    return 0;
}

} // namespace kestrova
