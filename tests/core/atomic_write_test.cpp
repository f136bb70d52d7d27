#include "fakes/temp_dir.h"
#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <future>
#include <functional>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kestrova {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

std::string read(const fs::path &path)
{
    return readFileBytes(path, 1 << 20).value_or("<unreadable>");
}

std::vector<std::string> namesIn(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AtomicWrite, TwoSavesAtOnceEachLandWhole)
{
    TempDir dir;
    const auto data = dir.write("DATA.txt", "before\r\n");
    const std::string first = std::string(200000, 'a') + "\r\n";
    const std::string second = "[Manufacturer]Second\r\n";
    std::promise<void> opened;
    std::promise<void> release;
    auto held = std::async(std::launch::async, [&] {
        return writeFileAtomically(data, first, [&](const fs::path &) {
            opened.set_value();
            release.get_future().wait();
        });
    });
    ASSERT_EQ(opened.get_future().wait_for(std::chrono::minutes(2)), std::future_status::ready)
        << "the first save never opened its temporary file";
    const auto secondError = writeFileAtomically(data, second);
    EXPECT_FALSE(secondError) << secondError->reason;
    EXPECT_EQ(read(data), second) << "the save that completed is whole while the other waits";
    release.set_value();
    const auto firstError = held.get();
    EXPECT_FALSE(firstError) << firstError->reason;
    EXPECT_EQ(read(data), first) << "the later rename wins, whole";
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"DATA.txt"}) << "no temporary left";
}

TEST(AtomicWrite, AStaleTemporaryOfAKilledSaveIsNoObstacle)
{
    TempDir dir;
    const auto data = dir.write("DATA.txt", "old");
    dir.write("DATA.txt.tmp", "half a save");
    fs::create_directory(dir.path() / "DATA.txt.tmp.d");
    EXPECT_FALSE(writeFileAtomically(data, "new"));
    EXPECT_EQ(read(data), "new");
    EXPECT_EQ(read(dir.path() / "DATA.txt.tmp"), "half a save") << "not ours to remove";
}

#ifndef _WIN32
TEST(AtomicWrite, AChainOfLinksKeepsEveryLinkAndUpdatesTheFinalTarget)
{
    TempDir dir;
    const auto real = dir.write("store/real.txt", "old");
    fs::create_directory(dir.path() / "app");
    fs::create_directory(dir.path() / "links");
    // Relative targets count from the folder of the link that holds them.
    fs::create_symlink("../store/real.txt", dir.path() / "links/middle.txt");
    fs::create_symlink(dir.path() / "links/middle.txt", dir.path() / "app/DATA.txt");
    const auto data = dir.path() / "app/DATA.txt";
    EXPECT_FALSE(writeFileAtomically(data, "new"));
    EXPECT_TRUE(fs::is_symlink(data));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "links/middle.txt"));
    EXPECT_EQ(read(real), "new");
    EXPECT_EQ(namesIn(dir.path() / "store"), std::vector<std::string>{"real.txt"});

    // A link to a file not there yet creates the file and keeps the link.
    fs::create_symlink("absent.txt", dir.path() / "dangling.txt");
    EXPECT_FALSE(writeFileAtomically(dir.path() / "dangling.txt", "made"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling.txt"));
    EXPECT_EQ(read(dir.path() / "absent.txt"), "made");

    // A loop is a message, never a file in place of a link.
    fs::create_symlink("loop-b", dir.path() / "loop-a");
    fs::create_symlink("loop-a", dir.path() / "loop-b");
    const auto error = writeFileAtomically(dir.path() / "loop-a", "x");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->path, (dir.path() / "loop-a").string());
    EXPECT_TRUE(fs::is_symlink(dir.path() / "loop-a"));
}

/// Runs `work` as another user in a child process; returns what it wrote to `said`.
std::string asUser(uid_t user, const std::function<std::string()> &work)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return "<no pipe>";
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        std::string said = setgid(user) == 0 && setuid(user) == 0 ? work() : "<setuid failed>";
        (void)!write(pipeEnds[1], said.data(), said.size());
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string said;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, size_t(n));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return said;
}

std::string saveAndSay(const fs::path &path, const std::string &bytes)
{
    const auto error = writeFileAtomically(path, bytes);
    return error ? error->reason : "saved";
}

TEST(AtomicWrite, ASaveKeepsOwnerGroupAndModeAndNamesTheOwnerWhoStopsIt)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "setting another user's ownership needs root";
    constexpr uid_t kUser = 65534;
    TempDir dir;
    const auto folder = dir.path() / "theirs";
    const auto data = dir.write("theirs/DATA.txt", "theirs");
    ASSERT_EQ(chown(folder.c_str(), kUser, kUser), 0);
    ASSERT_EQ(chown(data.c_str(), kUser, kUser), 0);
    ASSERT_EQ(chmod(data.c_str(), 0640), 0);
    fs::permissions(dir.path(), fs::perms::others_exec, fs::perm_options::add);

    EXPECT_EQ(saveAndSay(data, "saved by root"), "saved");
    struct stat after{};
    ASSERT_EQ(stat(data.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, kUser);
    EXPECT_EQ(after.st_gid, kUser);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(asUser(kUser, [&] { return saveAndSay(data, "saved by its owner"); }), "saved");
    EXPECT_EQ(read(data), "saved by its owner");

    // In a folder the user may write, a file of root's is refused, and said to be root's.
    const auto rootFile = dir.write("theirs/root.txt", "root's");
    ASSERT_EQ(chmod(rootFile.c_str(), 0644), 0);
    EXPECT_EQ(asUser(kUser, [&] { return saveAndSay(rootFile, "taken over"); }),
              "the file is owned by root");
    EXPECT_EQ(read(rootFile), "root's");
}
#endif

} // namespace
} // namespace kestrova
