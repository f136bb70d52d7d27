#include "reference/reference_cli.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

namespace kestrova {
namespace {

const std::string kList =
    std::string(KESTROVA_TEST_DATA) + "/reference/app/wikigameslists/Sample Console.htm";

using Command = int (*)(const std::vector<std::string> &, std::ostream &, std::ostream &);

/// Exit status, standard output and standard error of one command.
std::tuple<int, std::string, std::string> run(Command command,
                                              const std::vector<std::string> &args)
{
    std::ostringstream out, err;
    const int status = command(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(ReferenceCli, PrintsJson)
{
    const std::string table =
        "{\"result\": \"table\", \"rows\": ["
        "{\"row\": 0, \"title\": \"3-D Orbit Racer\", \"link\": \"/wiki/3-D_Orbit_Racer\"}, "
        "{\"row\": 1, \"title\": \"Astro Miner\", \"link\": \"/wiki/Astro_Miner\"}, "
        "{\"row\": 2, \"title\": \"Aztec Gold: The Lost Temple\", \"link\": \"/wiki/Aztec_Gold\"},"
        " {\"row\": 3, \"title\": \"Brick Breaker Deluxe\", "
        "\"link\": \"/wiki/Brick_Breaker_Deluxe\"}, {\"row\": 4, \"title\": \"Caf\xC3\xA9 Panic\","
        " \"link\": \"/w/index.php?title=Cafe_Panic&action=edit\"}, "
        "{\"row\": 5, \"title\": \"Crystal Caves II\", \"link\": \"/wiki/Crystal_Caves_II\"}], "
        "\"avail\": [\"3-D Orbit Racer\", \"Astro Miner \", \"Aztec Gold: The Lost Temple\", "
        "\"Brick Breaker Deluxe\", \"Caf\xC3\xA9 Panic\", \"Crystal Caves II\"]}\n";
    EXPECT_EQ(run(runImportCommand, {"--platform", "Sample Console", kList}),
              std::make_tuple(0, table, std::string()));
    EXPECT_EQ(std::get<1>(run(runImportCommand, {"--platform", "X", kList + ".missing"})),
              "{\"result\": \"Pas de fichier\", \"rows\": [], \"avail\": []}\n");

    const auto [status, out, err] =
        run(runMatchCommand, {"--platform", "Sample Console", "--list", kList,
                              "Cafe_Panic (E).sms", "Astro \"Miner\".bin"});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out,
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

TEST(ReferenceCli, ExplainsWhyATitleWon)
{
    const auto [status, out, err] = run(
        runMatchCommand, {"--platform", "Sample Console", "--list", kList, "--explain",
                          "Astro Minor (U).bin"});
    EXPECT_EQ(status, 0) << err;
    const std::string explain =
        ", \"explain\": {\"best\": {\"row\": 1, \"title\": \"Astro Miner\", "
        "\"normalised\": \"ASTROMINER\", \"piece\": 7, \"difference\": 2, \"length\": 10, "
        "\"score\": 6}, \"runnerUp\": {\"row\": 0, \"title\": \"3-D Orbit Racer\", "
        "\"normalised\": \"3DORBITRACER\", \"piece\": 1, \"difference\": 10, "
        "\"length\": 10, \"score\": -4}}}\n";
    ASSERT_GT(out.size(), explain.size());
    EXPECT_EQ(out.substr(out.size() - explain.size()), explain) << out;
    EXPECT_EQ(out.find("{\"rom\": \"Astro Minor (U).bin\", \"name\": \"Astro Minor\", "
                       "\"jeu\": \"ASTROMINOR\", \"row\": 1"),
              0u)
        << out;
}

TEST(ReferenceCli, BadArgumentsGiveUsage)
{
    const auto usage = [](const std::string &form) {
        return std::make_tuple(2, std::string(), "usage: kestrova-cli " + form + "\n");
    };
    using Args = std::vector<std::string>;
    for (const Args &args : {Args{}, Args{"--platform", "X"}, Args{"--platform", "X", "a", "b"},
                             Args{"--bogus", "--platform", "X", "a"}})
        EXPECT_EQ(run(runImportCommand, args), usage("import --platform NAME FILE"));
    for (const Args &args : {Args{"--platform", "X", "--list", kList}, Args{"--list", kList, "r"},
                             Args{"--platform", "X", "--platform", "Y", "--list", kList, "r"}})
        EXPECT_EQ(run(runMatchCommand, args), usage("match --platform NAME --list FILE [--explain] ROM..."));
    const auto [status, out, err] =
        run(runMatchCommand, {"--platform", "X", "--list", "/nonexistent/x.htm", "rom"});
    EXPECT_EQ(status, 1);
    EXPECT_EQ(out, "");
}

} // namespace
} // namespace kestrova
