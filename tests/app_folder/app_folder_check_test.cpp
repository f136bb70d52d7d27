#include "core/app_folder_check.h"

#include "fakes/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kestrova {
namespace {

namespace fs = std::filesystem;

TEST(AppFolderCheck, WritableFolderPassesAndLeavesNothingBehind)
{
    testing::TempDir dir;
    EXPECT_TRUE(canWriteInto(dir.path()));
    EXPECT_TRUE(fs::is_empty(dir.path()));
    EXPECT_EQ(checkAppFolder(dir.path()), std::nullopt);
}

TEST(AppFolderCheck, MissingFolderOrFileIsNotWritable)
{
    testing::TempDir dir;
    EXPECT_FALSE(canWriteInto(dir.path() / "absent"));
    EXPECT_FALSE(canWriteInto(dir.write("DATA.txt")));
}

TEST(AppFolderCheck, ReadOnlyFolderIsNotWritable)
{
    testing::TempDir dir;
    const auto folder = dir.path() / "opt";
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    // An administrator may write anywhere, so the folder is writable for them after all.
    const bool privileged = std::ofstream(folder / "probe").is_open();
    fs::remove(folder / "probe");
    const bool writable = canWriteInto(folder);
    fs::permissions(folder, fs::perms::owner_all);
    if (privileged)
        GTEST_SKIP() << "running with the right to write into read-only folders";
    EXPECT_FALSE(writable);
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST(AppFolderCheck, WarningNamesTheFolderAndHowToCopyIt)
{
    EXPECT_EQ(appFolderWarning("/opt/kestrova", true, SystemKind::Posix), std::nullopt);

    const auto posix = appFolderWarning("/opt/kestrova", false, SystemKind::Posix);
    ASSERT_TRUE(posix);
    EXPECT_NE(posix->find("folder, /opt/kestrova, but it cannot write there"), std::string::npos);
    EXPECT_NE(posix->find("cp -r \"/opt/kestrova\" ~/Kestrova\n~/Kestrova/kestrova"),
              std::string::npos);

    const auto windows = appFolderWarning("/opt/kestrova", false, SystemKind::Windows);
    ASSERT_TRUE(windows);
    EXPECT_NE(windows->find("copy the whole folder"), std::string::npos);
    EXPECT_EQ(windows->find("cp -r"), std::string::npos);
}

} // namespace
} // namespace kestrova
