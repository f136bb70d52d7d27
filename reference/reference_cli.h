#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

struct MatchOutcome;
struct WikiImport;

/// A JSON string literal (quotes included) for UTF-8 text.
[[nodiscard]] std::string jsonString(std::string_view utf8);

/// A JSON number: the shortest text that reads back as the same double.
[[nodiscard]] std::string jsonNumber(double value);

/// The import as one JSON object; nothing stands for "Pas de fichier".
[[nodiscard]] std::string importJson(const WikiImport *list);

/// One ROM's match as one JSON object (no line end).
[[nodiscard]] std::string matchOutcomeJson(std::string_view rom, std::string_view name,
                                           const MatchOutcome &outcome);

/// `kestrova-cli import --platform NAME FILE`; `args` follow the command's name.
/// Returns the exit status: 0, or 2 for bad arguments.
int runImportCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

/// `kestrova-cli match --platform NAME --list FILE ROM...`; `args` follow the command's name.
/// Prints one JSON line per ROM. Returns 0, 1 when the list cannot be read, 2 for bad arguments.
int runMatchCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

} // namespace kestrova
