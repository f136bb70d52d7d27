#pragma once

#include "reference/wiki_list_import.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

/// The most a list page may hold: real pages hold 0.5 to 3 MB, so a larger file is not a list.
constexpr std::uintmax_t kListPageBound = std::uintmax_t(32) << 20;

/// A platform's list page as read and imported.
struct ListPageLoad
{
    /// Nothing when there is no page to read ("Pas de fichier") or it was refused.
    std::optional<WikiImport> import;
    /// Set when the page is larger than kListPageBound, or than kHtmlPageBound when it can only
    /// be read as HTML: what to tell the user.
    std::string tooLarge;
};

/// The whole content of a list file, or nothing when it is missing, cannot be read or holds
/// more than kListPageBound.
[[nodiscard]] std::optional<std::string> readWikiListFile(const std::filesystem::path &file);

/// The list file of a platform: appDir/wikigameslists/<name>.htm.
[[nodiscard]] std::filesystem::path wikiListPath(const std::filesystem::path &appDir,
                                                 const std::string &platformNameUtf8);

/// Reads and imports the list page `file` for the platform, within kListPageBound.
[[nodiscard]] ListPageLoad loadListPage(const std::filesystem::path &file,
                                        const std::string &platformNameUtf8);

/// Imports the platform's saved list page; nothing means "Pas de fichier".
[[nodiscard]] std::optional<WikiImport> LoadWikiList(const std::filesystem::path &appDir,
                                                     const std::string &platformNameUtf8);

/// A title or link of a list as text to show: kept when it is valid UTF-8, else Windows-1252.
[[nodiscard]] std::string displayTitle(std::string_view raw);

} // namespace kestrova
