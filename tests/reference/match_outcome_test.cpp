#include "reference/match_outcome.h"

#include "reference/wiki_list_import.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

const std::string kRoot = "http://en.wikipedia.org";

TEST(MatchOutcome, CleansRomNames)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Game Title (U) [!].nes", "Game Title"},
        {"[BIOS] Sys.rom", "[BIOS] Sys"},
        {"(Proto) Game .bin", "(Proto) Game "},
        {"My_Game.zip", "MyGame"},
        {"Game [a] (b).x.zip", "Game"},
        {"  Spaced  Name  .sms", "Spaced  Name"},
        {"No Dot At All", "No Dot At All"},
        {"Half (Beta", "Half"},
        {".hidden", ""},
        {"", ""},
    };
    for (const auto &[file, name] : cases)
        EXPECT_EQ(cleanRomName(file), name) << file;
}

TEST(MatchOutcome, MeterColourRoundsHalvesToEven)
{
    EXPECT_EQ(meterColor(0.5), (MeterColor{255, 64, 50}));
    EXPECT_EQ(meterColor(1.0), (MeterColor{50, 205, 50}));
    // 255 - 102.5 and 64 + 70.5: both halves go to the even neighbour.
    EXPECT_EQ(meterColor(0.75), (MeterColor{152, 134, 50}));
}

TEST(MatchOutcome, RomClickResults)
{
    const WikiImport list = parseWikiList("A\r\n"
                                          "*Astro Miner<wiki/Astro_Miner> (1990)\r\n"
                                          "*Lost Game <w/index.php?title=Lost_Game> (1991)\r\n"
                                          "*MegaBash:Turbo<wiki/Mega_Bash>\r\n"
                                          "end\r\n",
                                          "Genesis");
    ASSERT_EQ(list.table.rows.size(), 3u);
    const TitleMatcher matcher(list.table);

    const MatchOutcome exact = matchRom(matcher, list, cleanRomName("Astro_Miner (U).bin"), kRoot);
    EXPECT_EQ(exact.jeu, "ASTROMINER");
    EXPECT_EQ(exact.row, 0);
    EXPECT_EQ(exact.score, 9);
    EXPECT_EQ(exact.m, 1 - 0.5 / 10); // the title's space is counted
    EXPECT_EQ(exact.caption, "Astro Miner");
    EXPECT_EQ(exact.address, "http://en.wikipedia.org/wiki/Astro_Miner");
    EXPECT_EQ(exact.matchesText, "Article available at Wikipedia");

    const MatchOutcome colon = matchRom(matcher, list, "Mega Bash:Turbo", kRoot);
    EXPECT_EQ(colon.row, 2);
    EXPECT_EQ(colon.m, 1.0);
    EXPECT_EQ(colon.color, (MeterColor{50, 205, 50}));

    const MatchOutcome missing = matchRom(matcher, list, "Lost Game", kRoot);
    EXPECT_EQ(missing.row, 1);
    EXPECT_EQ(missing.caption, "Lost Game(no article)");
    EXPECT_EQ(missing.address, "http://en.wikipedia.org/w/index.php?title=Lost_Game");
    EXPECT_EQ(missing.matchesText, "No article about Lost Game "); // the list item, untrimmed

    const MatchOutcome unreadable = matchRom(matcher, list, "...", kRoot);
    EXPECT_EQ(unreadable.jeu, "");
    EXPECT_EQ(unreadable.row, 0); // every title scores 0 for an empty name: the first wins
    EXPECT_EQ(unreadable.m, 0.5);
    EXPECT_EQ(unreadable.color, (MeterColor{255, 64, 50}));
}

TEST(MatchOutcome, ListWithoutTitles)
{
    const WikiImport list{WikiTable{{{"", "/w/index.php?title=Blank"}}}, {""}};
    const MatchOutcome outcome = matchRom(TitleMatcher(list.table), list, "Game", kRoot);
    EXPECT_FALSE(outcome.row.has_value());
    EXPECT_EQ(outcome.shownRow, 0);
    EXPECT_EQ(outcome.score, -11110);
    EXPECT_EQ(outcome.caption, "(no article)");
    EXPECT_EQ(outcome.matchesText, "No article about ");
    EXPECT_EQ(articleStateText("/wiki/X", "X"), "Article available at Wikipedia");
}

} // namespace
} // namespace kestrova
