#pragma once

#include "reference/wiki_list_import.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

struct MatchOutcome;
struct WikiTable;
class TitleMatcher;

/// A JSON string literal (quotes included) for UTF-8 text.
[[nodiscard]] std::string jsonString(std::string_view utf8);

/// A JSON number: the shortest text that reads back as the same double.
[[nodiscard]] std::string jsonNumber(double value);

/// The import as one JSON object; nothing stands for "Pas de fichier".
[[nodiscard]] std::string importJson(const WikiImport *list);

/// One ROM's match as one JSON object (no line end).
[[nodiscard]] std::string matchOutcomeJson(std::string_view rom, std::string_view name,
                                           const MatchOutcome &outcome);

/// One row a search weighed, with the terms of its score against the normalised ROM name;
/// `name` is the row's name that scored (0 the title, k its alias k - 1, then shown).
[[nodiscard]] std::string candidateJson(const WikiTable &table, std::string_view jeu, int row,
                                        int name = 0);

/// Why the search chose its title: the best and the runner-up title with their score terms.
[[nodiscard]] std::string explainJson(const TitleMatcher &matcher, const WikiTable &table,
                                      std::string_view jeu);

/// The list page a command names, imported for the platform; nothing (reported as
/// "Pas de fichier" on `err`) when it cannot be read.
[[nodiscard]] std::optional<WikiImport> importListForCommand(const std::string &listPath,
                                                             const std::string &platform,
                                                             std::ostream &err);

/// `kestrova-cli import --platform NAME FILE`; `args` follow the command's name.
/// Returns the exit status: 0, or 2 for bad arguments.
int runImportCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

/// `kestrova-cli match --platform NAME --list FILE [--explain] ROM...`; `args` follow the
/// command's name. Prints one JSON line per ROM; with --explain, the line adds the best and
/// the runner-up title with the terms of their scores. Returns 0, 1 when the list cannot be read, 2 for bad arguments.
int runMatchCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

} // namespace kestrova
