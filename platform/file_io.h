#pragma once

#include <cstdint>
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
    /// The file holds more than the reader's bound, so none of it was kept (error is set too).
    bool tooLarge = false;
};

/// Reads the whole file when it holds at most `bound` bytes; a failure carries the system's
/// reason. A larger file is refused from its size before reading, and a file that grows past
/// the bound while it is read is cut off at bound + 1 bytes, so no file costs more than that.
[[nodiscard]] FileContent readFile(const std::filesystem::path &path, std::uintmax_t bound);

/// At most the first `count` bytes of the file; the rest is never read.
[[nodiscard]] FileContent readFilePrefix(const std::filesystem::path &path, std::size_t count);

/// The whole file, or nothing when it cannot be read or holds more than `bound` bytes.
std::optional<std::string> readFileBytes(const std::filesystem::path &path, std::uintmax_t bound);

/// "64 MB": a bound as the user reads it.
std::string sizeText(std::uintmax_t bytes);

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
