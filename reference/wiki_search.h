#pragma once

#include "reference/wiki_list_import.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

/// The whole content of a list file, or nothing when it is missing or cannot be read.
[[nodiscard]] std::optional<std::string> readWikiListFile(const std::filesystem::path &file);

/// The list file of a platform: appDir/wikigameslists/<name>.htm.
[[nodiscard]] std::filesystem::path wikiListPath(const std::filesystem::path &appDir,
                                                 const std::string &platformNameUtf8);

/// Imports the platform's saved list page; nothing means "Pas de fichier".
[[nodiscard]] std::optional<WikiImport> LoadWikiList(const std::filesystem::path &appDir,
                                                     const std::string &platformNameUtf8);

/// A title or link of a list as text to show: kept when it is valid UTF-8, else Windows-1252.
[[nodiscard]] std::string displayTitle(std::string_view raw);

} // namespace kestrova
