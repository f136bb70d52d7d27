#pragma once

#include "platform/folder_listing.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace kestrova {

class PlatformRules;

/// Lists folders as forEachFolderEntry does, answering from memory for a folder read before
/// that has not changed since: reading a folder of 100,000 files costs the kernel tens of
/// milliseconds, and one stat tells whether it changed. Folders the user is likely to open
/// next can be read ahead on a thread of its own. Keeps a few folders.
class FolderListingCache
{
public:
    using Clock = std::chrono::system_clock;
    using Visit = std::function<void(FolderEntry &)>;

    /// `now` gives the wall-clock time that folder times are compared with.
    explicit FolderListingCache(std::function<Clock::time_point()> now = &Clock::now);
    /// Does not wait for a folder being read ahead: a folder on a sleeping network drive may
    /// take long, and the program must still close.
    ~FolderListingCache();
    FolderListingCache(const FolderListingCache &) = delete;
    FolderListingCache &operator=(const FolderListingCache &) = delete;

    /// Calls `visit` for every entry of `folder`; true when the entries came from memory. A
    /// folder being read ahead is waited for rather than read twice.
    bool forEachEntry(const std::filesystem::path &folder, const PlatformRules &rules,
                      const Visit &visit);

    /// Reads these folders ahead, in order, in place of any not yet read from an earlier call;
    /// only as many as are kept.
    void readAhead(std::vector<std::filesystem::path> folders, const PlatformRules &rules);

private:
    struct State;
    std::shared_ptr<State> m_state;
    std::thread m_worker; // started by the first readAhead
};

} // namespace kestrova
