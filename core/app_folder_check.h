#pragma once

#include "platform/platform_rules.h"

#include <filesystem>
#include <optional>
#include <string>

namespace kestrova {

/// May this program create files in the folder? Tried, not guessed from permission bits.
bool canWriteInto(const std::filesystem::path &folder);

/// The start-up warning for an application folder the program cannot write to (it keeps all
/// its state there), saying how to get a writable copy; nothing when the folder is writable.
std::optional<std::string> appFolderWarning(const std::filesystem::path &appDir, bool writable,
                                            SystemKind kind);

/// The warning for the application folder as it is now, or nothing.
std::optional<std::string> checkAppFolder(const std::filesystem::path &appDir);

} // namespace kestrova
