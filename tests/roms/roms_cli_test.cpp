#include "roms/roms_cli.h"

#include "roms_test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestrova::testing {
namespace {

TEST(RomsCommand, PrintsWhatTheListShows)
{
    TempDir dir;
    for (const char *name : {"Game One.nes", ".hidden.nes", "sub/x.nes", "notes.txt"})
        dir.write(name);
    const std::string folder = folderText(dir.path());
    auto run = [](const std::vector<std::string> &args) {
        std::ostringstream out, err;
        const int status = runRomsCommand(args, out, err);
        return std::tuple{status, out.str(), err.str()};
    };
    EXPECT_EQ(run({folder, "--ext", ".NES"}), std::tuple(0, "Game One.nes\n", ""));
    EXPECT_EQ(std::get<1>(run({"--ext", ".txt", folder})), "notes.txt\n");
    EXPECT_EQ(std::get<1>(run({folder})).size(), std::string("Game One.nes\nnotes.txt\n").size());
    const auto [status, out, err] = run({fromPath(dir.path())});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out, "") << "a folder text without its separator lists nothing";
    EXPECT_NE(err.find("ends with"), std::string::npos);
    for (const auto &bad : std::vector<std::vector<std::string>>{
             {}, {folder, "--ext"}, {folder, folder}, {"--bogus", folder}})
        EXPECT_EQ(std::get<0>(run(bad)), 2);
}

} // namespace
} // namespace kestrova::testing
