#pragma once

#include "platform/platform_rules.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kestrova {

class FolderListingCache;

/// Does the file name pass the extension filter entry? "All" (with its capital) and the empty
/// entry pass everything. An entry beginning with "." matches names ending with it, ignoring
/// case; any other entry is compared with the last four characters, ignoring case.
bool passesExtensionFilter(const std::string &fileName, const std::string &entry);

/// The folder part of a ROM folder text (everything up to its last separator); nothing when
/// the text names no folder.
std::optional<std::filesystem::path> romFolderOf(const std::string &folderText,
                                                 const PlatformRules &rules);

/// The ordinary, visible files named by the folder text, in the order the file system returns
/// them. The text is a folder followed by a separator, optionally followed by a pattern with
/// * and ? wildcards. A folder that cannot be read gives an empty list. With a cache, a folder
/// that has not changed since it was last listed is not read again.
std::vector<std::string> listRomFiles(const std::string &folderText, const std::string &entry,
                                      const PlatformRules &rules,
                                      FolderListingCache *cache = nullptr);

} // namespace kestrova
