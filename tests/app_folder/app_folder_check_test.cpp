#include "core/app_folder_check.h"

#include "fakes/temp_dir.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

namespace fs = std::filesystem;

TEST(AppFolderCheck, OnlyAnExistingFolderIsWritableAndTheTryLeavesNothing)
{
    testing::TempDir dir;
    EXPECT_TRUE(canWriteInto(dir.path()));
    EXPECT_TRUE(fs::is_empty(dir.path()));
    EXPECT_EQ(checkAppFolder(dir.path()), std::nullopt);
    EXPECT_FALSE(canWriteInto(dir.path() / "absent"));
    EXPECT_FALSE(canWriteInto(dir.write("DATA.txt")));
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
