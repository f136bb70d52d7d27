#include "platform/file_version.h"

#include "platform/file_io.h"

#include <system_error>

namespace kestrova {

FileVersion FileVersion::of(std::string_view bytes)
{
    FileVersion version;
    version.m_seen = digest(bytes);
    return version;
}

FileVersion FileVersion::ofPrefix(std::string_view prefix, std::uintmax_t fileSize)
{
    FileVersion version;
    version.m_seen = Digest{std::size_t(fileSize), digest(prefix).hash};
    version.m_prefixLength = prefix.size();
    return version;
}

FileVersion::Digest FileVersion::digest(std::string_view bytes)
{
    // FNV-1a: stable, and a collision between two catalogs a user writes is not a concern.
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return {bytes.size(), hash};
}

bool FileVersion::isCurrent(const std::filesystem::path &path) const
{
    if (m_prefixLength && m_seen) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(path, ec);
        if (ec)
            return !std::filesystem::exists(path, ec);
        const auto head = readFilePrefix(path, *m_prefixLength);
        return !head.error && size == m_seen->size && digest(head.bytes).hash == m_seen->hash;
    }
    // Larger than any catalog Kestrova reads: such a file is not the one it wrote.
    constexpr std::uintmax_t kLargestCompared = std::uintmax_t(64) << 20;
    const auto content = readFile(path, kLargestCompared);
    if (content.missing)
        return true;
    if (content.error) {
        // Only a file can hold another writer's work; anything else makes the save itself
        // fail, with its own reason.
        std::error_code ec;
        return !std::filesystem::is_regular_file(path, ec);
    }
    return digest(content.bytes) == m_seen.value_or(Digest{0, digest({}).hash});
}

} // namespace kestrova
