#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kestrova {

/// A failed file operation, in the system's words.
struct FileError
{
    std::string path;
    std::string reason;
};

/// The whole file, or nothing when it cannot be read.
std::optional<std::string> readFileBytes(const std::filesystem::path &path);

/// Replaces the file with these bytes without ever leaving it half-written: the bytes go to a
/// temporary file beside it, which is flushed and then renamed over the original.
[[nodiscard]] std::optional<FileError> writeFileAtomically(const std::filesystem::path &path,
                                                           const std::string &bytes);

/// Creates an empty file when none exists.
[[nodiscard]] std::optional<FileError> createEmptyIfMissing(const std::filesystem::path &path);

/// Standard output passes line ends through unchanged (Windows would double the CR).
void useBinaryStandardOutput();

} // namespace kestrova
