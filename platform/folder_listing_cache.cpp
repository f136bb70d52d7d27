#include "platform/folder_listing_cache.h"

#include "platform/platform_rules.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <list>
#include <mutex>
#include <optional>
#include <utility>

namespace kestrova {

namespace {

constexpr size_t kFoldersKept = 8;

// A folder time has the file system's granularity: a change in the same tick as the listing
// leaves the stamp as it was. So only a folder quiet for this long before it was read is kept.
constexpr std::chrono::seconds kQuietBeforeKeeping{2};

struct Snapshot
{
    std::filesystem::path folder;
    FolderStamp stamp;
    std::vector<FolderEntry> entries;
};

} // namespace

struct FolderListingCache::State
{
    explicit State(std::function<Clock::time_point()> clock) : now(std::move(clock)) {}

    /// The kept snapshot of `folder` when it still matches the folder; call with `mutex` held.
    const Snapshot *fresh(const std::filesystem::path &folder,
                          const std::optional<FolderStamp> &stamp)
    {
        auto kept = std::find_if(recent.begin(), recent.end(),
                                 [&](const Snapshot &s) { return s.folder == folder; });
        if (kept == recent.end())
            return nullptr;
        if (!stamp || kept->stamp != *stamp) {
            recent.erase(kept);
            return nullptr;
        }
        recent.splice(recent.begin(), recent, kept);
        return &recent.front();
    }

    /// Reads `folder` from the file system, without the lock, and keeps what may be kept.
    void read(const std::filesystem::path &folder, const std::optional<FolderStamp> &stamp,
              const PlatformRules &rules, const Visit &visit)
    {
        Snapshot snapshot{folder, stamp.value_or(FolderStamp{}), {}};
        bool typesLookedUp = false;
        forEachFolderEntry(folder, rules, [&](FolderEntry &entry) {
            typesLookedUp = typesLookedUp || entry.typeLookedUp;
            if (stamp)
                snapshot.entries.push_back(entry);
            if (visit)
                visit(entry);
        });
        if (!stamp || typesLookedUp || !quietSince(*stamp) || folderStamp(folder) != stamp)
            return;
        const std::lock_guard lock(mutex);
        recent.remove_if([&](const Snapshot &s) { return s.folder == folder; });
        recent.push_front(std::move(snapshot));
        if (recent.size() > kFoldersKept)
            recent.pop_back();
    }

    bool quietSince(const FolderStamp &stamp) const
    {
        const auto lastChange =
            std::chrono::nanoseconds(std::max(stamp.modifiedNs, stamp.changedNs));
        return now().time_since_epoch() - lastChange >= kQuietBeforeKeeping;
    }

    void work(const PlatformRules &rules)
    {
        std::unique_lock lock(mutex);
        while (true) {
            changed.wait(lock, [this] { return stopping || !wanted.empty(); });
            if (stopping)
                return;
            reading = std::move(wanted.front());
            wanted.pop_front();
            const auto stamp = folderStamp(*reading);
            if (stamp && !fresh(*reading, stamp)) {
                lock.unlock();
                read(*reading, stamp, rules, {});
                lock.lock();
            }
            reading.reset();
            changed.notify_all();
        }
    }

    std::function<Clock::time_point()> now;
    std::mutex mutex;
    std::condition_variable changed;
    std::list<Snapshot> recent; // most recently listed first
    std::deque<std::filesystem::path> wanted;
    std::optional<std::filesystem::path> reading;
    bool stopping = false;
};

FolderListingCache::FolderListingCache(std::function<Clock::time_point()> now)
    : m_state(std::make_shared<State>(std::move(now)))
{
}

FolderListingCache::~FolderListingCache()
{
    {
        const std::lock_guard lock(m_state->mutex);
        m_state->stopping = true;
    }
    m_state->changed.notify_all();
    if (m_worker.joinable())
        m_worker.detach(); // it holds the state it works on
}

bool FolderListingCache::forEachEntry(const std::filesystem::path &folder,
                                      const PlatformRules &rules, const Visit &visit)
{
    State &state = *m_state;
    std::unique_lock lock(state.mutex);
    state.wanted.erase(std::remove(state.wanted.begin(), state.wanted.end(), folder),
                       state.wanted.end());
    state.changed.wait(lock, [&] { return state.reading != folder; });
    const auto stamp = folderStamp(folder);
    if (const Snapshot *kept = state.fresh(folder, stamp)) {
        for (FolderEntry entry : kept->entries) // a copy: visitors may take the name
            visit(entry);
        return true;
    }
    lock.unlock();
    state.read(folder, stamp, rules, visit);
    return false;
}

void FolderListingCache::readAhead(std::vector<std::filesystem::path> folders,
                                   const PlatformRules &rules)
{
    // No more than are kept: reading further would only push out the first ones read.
    folders.resize(std::min(folders.size(), kFoldersKept));
    {
        const std::lock_guard lock(m_state->mutex);
        m_state->wanted.assign(std::make_move_iterator(folders.begin()),
                               std::make_move_iterator(folders.end()));
    }
    m_state->changed.notify_all();
    if (!m_worker.joinable())
        m_worker = std::thread([state = m_state, rules] { state->work(rules); });
}

} // namespace kestrova
