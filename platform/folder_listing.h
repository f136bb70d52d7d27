#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace kestrova {

class PlatformRules;

/// One entry of a folder, as a listing of files needs it.
struct FolderEntry
{
    std::string name;         ///< UTF-8 on Windows, the name's own bytes elsewhere
    bool regularFile = false; ///< a regular file, or a link to one
    bool hidden = false;      ///< the hidden attribute on Windows, a leading dot elsewhere
    /// The type came from looking at the file itself: a link, or a file system whose folders
    /// do not tell. It can then change without the folder changing.
    bool typeLookedUp = false;
};

/// A folder's identity and its last change, as the file system keeps them: any entry added,
/// removed or renamed changes the stamp.
struct FolderStamp
{
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0; ///< since the epoch
    std::int64_t changedNs = 0;  ///< status change, since the epoch
    bool operator==(const FolderStamp &) const = default;
};

/// Calls `visit` for every entry of `folder` in the order the file system returns them; calls
/// nothing when the folder cannot be read.
void forEachFolderEntry(const std::filesystem::path &folder, const PlatformRules &rules,
                        const std::function<void(FolderEntry &)> &visit);

/// The folder's stamp; nothing when it cannot be read, and on Windows, whose folders do not
/// change their time when a file's hidden attribute does.
std::optional<FolderStamp> folderStamp(const std::filesystem::path &folder);

} // namespace kestrova
