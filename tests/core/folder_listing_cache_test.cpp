#include "fakes/temp_dir.h"
#include "platform/folder_listing_cache.h"
#include "platform/platform_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <thread>
#include <tuple>
#include <vector>

namespace kestrova::testing {
namespace {

namespace fs = std::filesystem;
using Clock = FolderListingCache::Clock;
using Entry = std::tuple<std::string, bool, bool>;

// Folders are answered from memory only where they carry a stamp: not on Windows.
#ifndef _WIN32
std::vector<Entry> sortedEntries(const std::function<void(const FolderListingCache::Visit &)> &list)
{
    std::vector<Entry> entries;
    list([&](FolderEntry &e) { entries.emplace_back(e.name, e.regularFile, e.hidden); });
    std::sort(entries.begin(), entries.end());
    return entries;
}

// Whatever happens to a folder between listings, and whether or not it is being read ahead, the
// cache answers what the folder holds now. The clock runs ahead so that folders count as quiet;
// each change waits for a new tick of the file system's clock, as changes seconds apart would.
TEST(FolderListingCache, AnswersWhatTheFolderHoldsAfterAnyChange)
{
    TempDir dir;
    const fs::path folder = dir.path() / "roms";
    fs::create_directory(folder);
    FolderListingCache cache([] { return Clock::now() + std::chrono::seconds(3); });
    const auto rules = PlatformRules::native();
    std::mt19937 random(11);
    std::vector<fs::path> files;
    int fromMemory = 0;
    for (int step = 0; step < 120; ++step) {
        const auto name = std::to_string(step);
        switch (random() % 5) {
        case 0: files.push_back(dir.write("roms/" + name + ".nes")); break;
        case 1: dir.write("roms/." + name); break;
        case 2: fs::create_directory(folder / name); break;
        case 3:
        case 4:
            if (!files.empty()) {
                auto &file = files[random() % files.size()];
                const auto renamed = folder / (name + ".gb");
                if (random() % 2) {
                    fs::rename(file, renamed);
                    file = renamed;
                } else {
                    fs::remove(file);
                    file = files.back();
                    files.pop_back();
                }
            }
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(12));
        if (random() % 3 == 0)
            cache.readAhead({dir.path() / "missing", folder}, rules);
        for (int again = 0; again < 2; ++again) {
            bool remembered = false;
            const auto cached = sortedEntries([&](const auto &visit) {
                remembered = cache.forEachEntry(folder, rules, visit);
            });
            const auto direct = sortedEntries(
                [&](const auto &visit) { forEachFolderEntry(folder, rules, visit); });
            ASSERT_EQ(cached, direct) << "step " << step;
            fromMemory += remembered;
        }
    }
    EXPECT_GE(fromMemory, 120) << "every second listing comes from memory";
}

// A folder changed a moment ago may change again within its clock's tick, and a link's target
// may change without its folder: either is read again every time.
TEST(FolderListingCache, ReadsAgainWhatMayHaveChangedUnseen)
{
    TempDir dir;
    const auto rules = PlatformRules::native();
    const auto nothing = [](FolderEntry &) {};
    dir.write("fresh/a.nes");
    FolderListingCache realClock;
    realClock.forEachEntry(dir.path() / "fresh", rules, nothing);
    EXPECT_FALSE(realClock.forEachEntry(dir.path() / "fresh", rules, nothing));

    dir.write("linked/a.nes");
    fs::create_symlink(dir.path() / "linked" / "a.nes", dir.path() / "linked" / "b.nes");
    FolderListingCache ahead([] { return Clock::now() + std::chrono::seconds(3); });
    ahead.forEachEntry(dir.path() / "linked", rules, nothing);
    EXPECT_FALSE(ahead.forEachEntry(dir.path() / "linked", rules, nothing));
    ahead.forEachEntry(dir.path() / "fresh", rules, nothing);
    EXPECT_TRUE(ahead.forEachEntry(dir.path() / "fresh", rules, nothing));
}
#endif

} // namespace
} // namespace kestrova::testing
