#include "roms/roms_cli.h"

#include "fakes/temp_dir.h"
#include "roms_test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestrova::testing {
namespace {

struct Run
{
    int status;
    std::string out;
    std::string err;
};

Run run(const std::vector<std::string> &args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = runRomsCommand(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(RomsCommand, PrintsWhatTheListShows)
{
    TempDir dir;
    dir.write("Game One.nes");
    dir.write(".hidden.nes");
    dir.write("sub/x.nes");
    dir.write("notes.txt");
    const std::string folder = folderText(dir.path());

    auto all = run({folder});
    EXPECT_EQ(all.status, 0);
    EXPECT_TRUE(all.out == "Game One.nes\nnotes.txt\n" || all.out == "notes.txt\nGame One.nes\n")
        << all.out;
    EXPECT_EQ(run({folder, "--ext", ".NES"}).out, "Game One.nes\n");
    EXPECT_EQ(run({"--ext", ".txt", folder}).out, "notes.txt\n");

    auto bare = run({fromPath(dir.path())});
    EXPECT_EQ(bare.status, 0);
    EXPECT_EQ(bare.out, "");
    EXPECT_NE(bare.err.find("ends with"), std::string::npos);

    for (const auto &bad : std::vector<std::vector<std::string>>{
             {}, {folder, "--ext"}, {folder, folder}, {"--bogus", folder}}) {
        auto refused = run(bad);
        EXPECT_EQ(refused.status, 2);
        EXPECT_NE(refused.err.find("usage"), std::string::npos);
    }
}

} // namespace
} // namespace kestrova::testing
