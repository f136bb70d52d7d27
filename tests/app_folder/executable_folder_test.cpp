#include "fakes/temp_dir.h"
#include "platform/executable_folder.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(ExecutableFolder, TheRunningProgramsFolderIsFoundAndOnlyAUsableFolderIsAccepted)
{
    const auto running = findExecutableFolder();
    ASSERT_TRUE(running.folder.has_value()) << running.problem;
    EXPECT_TRUE(running.folder->is_absolute());
    EXPECT_TRUE(std::filesystem::exists(*running.folder / "app_folder_tests") ||
                std::filesystem::exists(*running.folder / "app_folder_tests.exe"));

    testing::TempDir dir;
    EXPECT_EQ(executableFolderOf(dir.path() / "kestrova").folder, dir.path());
    for (const auto &unusable :
         {std::filesystem::path("kestrova"), std::filesystem::path("bin/kestrova"),
          dir.path() / "gone" / "kestrova"}) {
        const auto found = executableFolderOf(unusable);
        EXPECT_FALSE(found.folder.has_value()) << unusable;
        EXPECT_FALSE(found.problem.empty()) << unusable;
    }
}

} // namespace
} // namespace kestrova
