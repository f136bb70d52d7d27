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
    EXPECT_FALSE(canWriteInto(dir.path() / "absent"));
    EXPECT_FALSE(canWriteInto(dir.write("DATA.txt")));
}

} // namespace
} // namespace kestrova
