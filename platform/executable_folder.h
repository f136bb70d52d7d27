#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kestrova {

/// The folder of the running program's executable, or why it cannot be had.
struct ExecutableFolder
{
    std::optional<std::filesystem::path> folder;
    /// Set when `folder` is not: the reason, in words for the user.
    std::string problem;
};

/// Asks the system for the running executable's own path, byte for byte (the link
/// /proc/self/exe on Linux, the module's UTF-16 file name on Windows), never the working folder
/// nor a decoded text: a folder whose name is not valid text is still found exactly.
[[nodiscard]] ExecutableFolder findExecutableFolder();

/// The folder of `executable` when it can hold the program's files: an absolute path whose
/// folder exists.
[[nodiscard]] ExecutableFolder executableFolderOf(const std::filesystem::path &executable);

} // namespace kestrova
