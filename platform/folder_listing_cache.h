#pragma once

#include "platform/folder_listing.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <list>
#include <vector>

namespace kestrova {

class PlatformRules;

/// Lists folders as forEachFolderEntry does, answering from memory for a folder read before
/// that has not changed since: reading a folder of 100,000 files costs the kernel tens of
/// milliseconds on every click, and one stat tells whether it changed. Keeps a few folders.
class FolderListingCache
{
public:
    using Clock = std::chrono::system_clock;
    using Visit = std::function<void(FolderEntry &)>;

    /// `now` gives the wall-clock time that folder times are compared with.
    explicit FolderListingCache(std::function<Clock::time_point()> now = &Clock::now);

    /// Calls `visit` for every entry of `folder`; true when the entries came from memory.
    bool forEachEntry(const std::filesystem::path &folder, const PlatformRules &rules,
                      const Visit &visit);

private:
    struct Snapshot
    {
        std::filesystem::path folder;
        FolderStamp stamp;
        std::vector<FolderEntry> entries;
    };

    bool keepable(const FolderStamp &stamp) const;

    std::function<Clock::time_point()> m_now;
    std::list<Snapshot> m_recent; // most recently listed first
};

} // namespace kestrova
