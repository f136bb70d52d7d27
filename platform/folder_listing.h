#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace kestrova {

class PlatformRules;

/// One entry of a folder, as a listing of files needs it.
struct FolderEntry
{
    std::string name;         ///< UTF-8 on Windows, the name's own bytes elsewhere
    bool regularFile = false; ///< a regular file, or a link to one
    bool hidden = false;      ///< the hidden attribute on Windows, a leading dot elsewhere
};

/// Calls `visit` for every entry of `folder` in the order the file system returns them; calls
/// nothing when the folder cannot be read.
void forEachFolderEntry(const std::filesystem::path &folder, const PlatformRules &rules,
                        const std::function<void(FolderEntry &)> &visit);

} // namespace kestrova
