#include "reference/reference_cli.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestrova {
namespace {

const std::string kList =
    std::string(KESTROVA_TEST_DATA) + "/reference/app/wikigameslists/Sample Console.htm";

struct CommandRun
{
    int status;
    std::string out;
    std::string err;
};

CommandRun runImport(const std::vector<std::string> &args)
{
    std::ostringstream out, err;
    const int status = runImportCommand(args, out, err);
    return {status, out.str(), err.str()};
}

CommandRun runMatch(const std::vector<std::string> &args)
{
    std::ostringstream out, err;
    const int status = runMatchCommand(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(ReferenceCli, ImportPrintsTheTableAsJson)
{
    const CommandRun run = runImport({"--platform", "Sample Console", kList});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "{\"result\": \"table\", \"rows\": ["
              "{\"row\": 0, \"title\": \"3-D Orbit Racer\", \"link\": \"/wiki/3-D_Orbit_Racer\"}, "
              "{\"row\": 1, \"title\": \"Astro Miner\", \"link\": \"/wiki/Astro_Miner\"}, "
              "{\"row\": 2, \"title\": \"Aztec Gold: The Lost Temple\", "
              "\"link\": \"/wiki/Aztec_Gold\"}, "
              "{\"row\": 3, \"title\": \"Brick Breaker Deluxe\", "
              "\"link\": \"/wiki/Brick_Breaker_Deluxe\"}, "
              "{\"row\": 4, \"title\": \"Caf\xC3\xA9 Panic\", "
              "\"link\": \"/w/index.php?title=Cafe_Panic&action=edit\"}, "
              "{\"row\": 5, \"title\": \"Crystal Caves II\", "
              "\"link\": \"/wiki/Crystal_Caves_II\"}], "
              "\"avail\": [\"3-D Orbit Racer\", \"Astro Miner \", \"Aztec Gold: The Lost Temple\", "
              "\"Brick Breaker Deluxe\", \"Caf\xC3\xA9 Panic\", \"Crystal Caves II\"]}\n");

    const CommandRun missing = runImport({"--platform", "X", kList + ".missing"});
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(missing.out, "{\"result\": \"Pas de fichier\", \"rows\": [], \"avail\": []}\n");
}

TEST(ReferenceCli, MatchPrintsOneLinePerRom)
{
    const CommandRun run = runMatch({"--platform", "Sample Console", "--list", kList,
                                     "Cafe_Panic (E).sms", "Astro \"Miner\".bin"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "{\"rom\": \"Cafe_Panic (E).sms\", \"name\": \"CafePanic\", \"jeu\": \"CAFEPANIC\", "
              "\"row\": 4, \"title\": \"Caf\xC3\xA9 Panic\", \"score\": 3.5, "
              "\"m\": 0.8333333333333334, \"color\": [118, 158, 50], "
              "\"caption\": \"Caf\xC3\xA9 Panic(no article)\", "
              "\"address\": \"http://en.wikipedia.org/w/index.php?title=Cafe_Panic&action=edit\", "
              "\"matches\": \"No article about Caf\xC3\xA9 Panic\"}\n"
              "{\"rom\": \"Astro \\\"Miner\\\".bin\", \"name\": \"Astro \\\"Miner\\\"\", "
              "\"jeu\": \"ASTROMINER\", \"row\": 1, \"title\": \"Astro Miner\", \"score\": 9, "
              "\"m\": 0.95, \"color\": [71, 191, 50], \"caption\": \"Astro Miner\", "
              "\"address\": \"http://en.wikipedia.org/wiki/Astro_Miner\", "
              "\"matches\": \"Article available at Wikipedia\"}\n");
}

TEST(ReferenceCli, BadArgumentsGiveUsage)
{
    const std::vector<std::vector<std::string>> importArgs = {
        {},
        {kList},
        {"--platform"},
        {"--platform", "X"},
        {"--platform", "X", "a", "b"},
        {"--list", "x", "--platform", "X", "a"},
        {"--bogus", "--platform", "X", "a"}};
    for (const auto &args : importArgs) {
        const CommandRun run = runImport(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "usage: kestrova-cli import --platform NAME FILE\n");
    }
    const std::vector<std::vector<std::string>> matchArgs = {
        {"--platform", "X", "--list", kList},
        {"--list", kList, "rom"},
        {"--platform", "X", "rom"},
        {"--platform", "X", "--platform", "Y", "--list", kList, "r"}};
    for (const auto &args : matchArgs) {
        const CommandRun run = runMatch(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, "usage: kestrova-cli match --platform NAME --list FILE ROM...\n");
    }
    const CommandRun missing = runMatch({"--platform", "X", "--list", "/nonexistent/x.htm", "rom"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
}

} // namespace
} // namespace kestrova
