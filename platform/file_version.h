#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace kestrova {

/// What a file held when the program last read or wrote it, so that a save can notice that
/// another program (or a second Kestrova window) wrote it in between.
class FileVersion
{
public:
    /// Nothing known: the file was missing or could not be read.
    FileVersion() = default;
    /// The version of a file holding these bytes.
    static FileVersion of(std::string_view bytes);
    /// The version of a file of `fileSize` bytes of which only `prefix` was read: a reader that
    /// keeps only a file's head must not read a huge file whole to compare it.
    static FileVersion ofPrefix(std::string_view prefix, std::uintmax_t fileSize);

    /// Does the file still hold what was read or written? The bytes decide, not the time
    /// stamp: a file rewritten with the same content loses nothing when it is replaced, and
    /// a time stamp may not change between two quick writes. A missing file, or an empty one
    /// where nothing was known, holds nothing to lose; a file that cannot be read counts as
    /// changed.
    [[nodiscard]] bool isCurrent(const std::filesystem::path &path) const;

private:
    struct Digest
    {
        std::size_t size = 0;
        std::uint64_t hash = 0;
        bool operator==(const Digest &) const = default;
    };
    static Digest digest(std::string_view bytes);

    std::optional<Digest> m_seen;
    /// Set when only the file's first bytes were read; m_seen then holds its whole size.
    std::optional<std::size_t> m_prefixLength;
};

} // namespace kestrova
