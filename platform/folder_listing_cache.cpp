#include "platform/folder_listing_cache.h"

#include <algorithm>
#include <utility>

namespace kestrova {

namespace {

constexpr size_t kFoldersKept = 4;

// A folder time has the file system's granularity: a change in the same tick as the listing
// leaves the stamp as it was. So only a folder quiet for this long before it was read is kept.
constexpr std::chrono::seconds kQuietBeforeKeeping{2};

} // namespace

FolderListingCache::FolderListingCache(std::function<Clock::time_point()> now)
    : m_now(std::move(now))
{
}

bool FolderListingCache::keepable(const FolderStamp &stamp) const
{
    const auto quietSince =
        std::chrono::nanoseconds(std::max(stamp.modifiedNs, stamp.changedNs));
    return m_now().time_since_epoch() - quietSince >= kQuietBeforeKeeping;
}

bool FolderListingCache::forEachEntry(const std::filesystem::path &folder,
                                      const PlatformRules &rules, const Visit &visit)
{
    const auto stamp = folderStamp(folder);
    auto kept = m_recent.begin();
    while (kept != m_recent.end() && kept->folder != folder)
        ++kept;
    if (kept != m_recent.end() && stamp && kept->stamp == *stamp) {
        m_recent.splice(m_recent.begin(), m_recent, kept);
        for (FolderEntry entry : kept->entries) // a copy: visitors may take the name
            visit(entry);
        return true;
    }
    if (kept != m_recent.end())
        m_recent.erase(kept);

    Snapshot snapshot{folder, stamp.value_or(FolderStamp{}), {}};
    bool typesLookedUp = false;
    forEachFolderEntry(folder, rules, [&](FolderEntry &entry) {
        typesLookedUp = typesLookedUp || entry.typeLookedUp;
        if (stamp)
            snapshot.entries.push_back(entry);
        visit(entry);
    });
    if (stamp && !typesLookedUp && keepable(*stamp) && folderStamp(folder) == stamp) {
        m_recent.push_front(std::move(snapshot));
        if (m_recent.size() > kFoldersKept)
            m_recent.pop_back();
    }
    return false;
}

} // namespace kestrova
