#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace kestrova {

/// A failed file operation, in the system's words.
struct FileError
{
    std::string path;
    std::string reason;
};

/// A whole file as read, or why it could not be read.
struct FileContent
{
    std::string bytes;
    std::optional<FileError> error;
    /// No file of that name exists (error is set too).
    bool missing = false;
};

/// Reads the whole file; a failure carries the system's reason.
[[nodiscard]] FileContent readFile(const std::filesystem::path &path);

/// The whole file, or nothing when it cannot be read.
std::optional<std::string> readFileBytes(const std::filesystem::path &path);

/// Replaces the file with these bytes without ever leaving it half-written: the bytes go to a
/// temporary file of its own beside it, which is flushed and then renamed over the original.
/// A read-only file, or another user's, is left alone; a replaced file keeps its permissions and,
/// where the process may set them, its owner and group; through symbolic links the file at the
/// end of the chain is replaced and every link kept.
/// Lets a test act while a save holds its temporary file open, before anything is written.
using TemporaryFileHook = std::function<void(const std::filesystem::path &temporary)>;

[[nodiscard]] std::optional<FileError> writeFileAtomically(const std::filesystem::path &path,
                                                           const std::string &bytes,
                                                           const TemporaryFileHook &whileOpen = {});

/// Creates an empty file when none exists.
[[nodiscard]] std::optional<FileError> createEmptyIfMissing(const std::filesystem::path &path);

/// Standard output passes line ends through unchanged (Windows would double the CR).
void useBinaryStandardOutput();

} // namespace kestrova
