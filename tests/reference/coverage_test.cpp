#include "reference/coverage_cli.h"
#include "reference/coverage_report.h"
#include "reference/title_matcher.h"
#include "reference/wiki_table.h"

#include "fakes/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace kestrova {
namespace {

WikiTable tableOf(const std::vector<std::string> &titles)
{
    WikiTable table;
    for (const std::string &title : titles)
        table.rows.push_back({title, title.empty() ? "" : "/wiki/" + title});
    return table;
}

// The report in one line: owned titles with their ROMs, missing titles, unsure ROMs.
std::string describe(const CoverageReport &report, const WikiTable &table)
{
    std::string owned, missing, unsure;
    for (size_t t = 0; t < report.titleRows.size(); ++t) {
        const std::string &title = table.rows[size_t(report.titleRows[t])].title;
        if (report.owners[t].empty())
            missing += (missing.empty() ? "" : ", ") + title;
        for (size_t rom : report.owners[t])
            owned += (owned.empty() ? "" : ", ") + title + "=" + report.roms[rom].file;
    }
    for (size_t rom : report.unsure)
        unsure += (unsure.empty() ? "" : ", ") + report.roms[rom].file;
    return "owned: " + owned + "; missing: " + missing + "; unsure: " + unsure;
}

const WikiTable kList = tableOf({"Gear Racer '94", "Astro Miner", "", "Caf\xE9 Panic",
                                 "ASTRO-MINER", "Penguin Dungeon", "ABCDEFGHIK"});

TEST(Coverage, SortsTitlesAndRomsIntoClasses)
{
    const std::vector<std::string> roms = {"Gear Racer '94 (U) [!].bin", "Astro_Miner (E).bin",
                                           "Totally Unrelated.bin", "ABCDEFGHIJ.bin",
                                           "Peng Dungeon.bin", ".bin"};
    const CoverageReport report = buildCoverage(kList, roms, 0.9);
    // Same normalised title, same owner: "ASTRO-MINER" is owned with "Astro Miner". A
    // likeness of exactly 0.9 owns; "Peng Dungeon" (0.86) does not.
    EXPECT_EQ(describe(report, kList),
              "owned: Gear Racer '94=Gear Racer '94 (U) [!].bin, Astro Miner=Astro_Miner (E).bin, "
              "ASTRO-MINER=Astro_Miner (E).bin, ABCDEFGHIK=ABCDEFGHIJ.bin; "
              "missing: Caf\xE9 Panic, Penguin Dungeon; "
              "unsure: Totally Unrelated.bin, Peng Dungeon.bin, .bin");
    EXPECT_EQ(report.summary(), "coverage: 6 titles, 4 owned, 2 missing, 3 unsure ROMs");
    // The likeness compares normalised names; the meter's ratio keeps the title's punctuation.
    EXPECT_EQ(report.roms[0].likeness, 1.0);
    EXPECT_NEAR(report.roms[0].ratio, 0.864, 0.001);
    EXPECT_EQ(report.roms[5].likeness, 0.0); // nothing left of the name after normalising
    // ".bin" ties every title at 0 and goes to the shortest one.
    EXPECT_EQ(describe(buildCoverage(kList, roms, 0.0), kList),
              "owned: Gear Racer '94=Gear Racer '94 (U) [!].bin, "
              "Astro Miner=Astro_Miner (E).bin, Astro Miner=Totally Unrelated.bin, "
              "Caf\xE9 Panic=.bin, "
              "ASTRO-MINER=Astro_Miner (E).bin, ASTRO-MINER=Totally Unrelated.bin, "
              "Penguin Dungeon=Peng Dungeon.bin, "
              "ABCDEFGHIK=ABCDEFGHIJ.bin; missing: ; unsure: ");
    const CoverageReport empty = buildCoverage(WikiTable{}, roms, 0.9);
    EXPECT_EQ(empty.summary(), "coverage: 0 titles, 0 owned, 0 missing, 6 unsure ROMs");
}

std::string randomWord(std::mt19937 &random)
{
    static const std::string letters = "ABCDEFGHIJKLMNOPRSTUVWXYZ0123456789";
    std::string word;
    const int length = 1 + int(random() % 8);
    for (int i = 0; i < length; ++i)
        word += letters[random() % letters.size()];
    return word;
}

TEST(Coverage, AllCoresGiveTheResultOfOne)
{
    std::mt19937 random(1713);
    for (int trial = 0; trial < 40; ++trial) {
        std::vector<std::string> titles;
        const size_t titleCount = 1 + random() % 200;
        for (size_t t = 0; t < titleCount; ++t) {
            titles.push_back(randomWord(random));
            if (random() % 2)
                titles.back().append(" ").append(randomWord(random));
        }
        std::vector<std::string> roms;
        const size_t romCount = random() % 700;
        for (size_t r = 0; r < romCount; ++r) {
            std::string name = random() % 3 ? titles[random() % titles.size()] : randomWord(random);
            if (random() % 4 == 0 && !name.empty())
                name[random() % name.size()] = 'Q';
            roms.push_back(name + (random() % 2 ? " (U).bin" : ".rom"));
        }
        const WikiTable table = tableOf(titles);
        const double bar = 0.5 + double(random() % 50) / 100;
        const CoverageReport one = buildCoverage(table, roms, bar, 1);
        for (unsigned threads : {0u, 2u, 3u, 16u}) {
            const CoverageReport many = buildCoverage(table, roms, bar, threads);
            ASSERT_EQ(describe(many, table), describe(one, table))
                << "trial " << trial << ", threads " << threads;
            for (size_t r = 0; r < roms.size(); ++r) {
                ASSERT_EQ(many.roms[r].bestRow, one.roms[r].bestRow) << roms[r];
                ASSERT_EQ(many.roms[r].likeness, one.roms[r].likeness) << roms[r];
                ASSERT_EQ(many.roms[r].ratio, one.roms[r].ratio) << roms[r];
            }
        }
        // Each ROM's best row is the matcher's, as a single search finds it.
        const TitleMatcher matcher(table);
        for (size_t r = 0; r < roms.size(); r += 17)
            ASSERT_EQ(one.roms[r].bestRow, matcher.searchBest(normaliseRomName(
                                               roms[r].substr(0, roms[r].find_first_of(".(")))).row)
                << roms[r];
    }
}

TEST(Coverage, CommandPrintsTextJsonAndAPage)
{
    testing::TempDir dir;
    const std::string list =
        dir.write("list.htm", "A\r\n*Gear Racer '94<wiki/Gear>\r\n*Astro Miner<wiki/Astro>\r\n"
                              "*Moon<w/index.php?title=Moon&redlink=1>\r\nend\r\n")
            .string();
    dir.write("roms/Gear Racer '94 (U).bin");
    dir.write("roms/Nothing Like It.bin");
    dir.write("roms/notes.txt");
    const std::string folder = (dir.path() / "roms").string() + "/";
    auto run = [](const std::vector<std::string> &args) {
        std::ostringstream out, err;
        const int status = runCoverageCommand(args, out, err);
        return std::make_tuple(status, out.str(), err.str());
    };
    const std::vector<std::string> base = {"--platform", "P", "--list", list, folder,
                                           "--ext", ".bin"};
    const auto [status, text, err] = run(base);
    EXPECT_EQ(status, 0) << err;
    EXPECT_EQ(text, "owned titles (1):  ratio  likeness  ROM\n"
                    "  Gear Racer '94\n"
                    "      0.86  1.00  Gear Racer '94 (U).bin\n"
                    "missing titles (2):\n"
                    "  Astro Miner\n"
                    "  Moon\n"
                    "unsure ROMs (1):  ratio  likeness  ROM  (best title)\n"
                    "  0.50  0.50  Nothing Like It.bin  (Astro Miner)\n"
                    "coverage: 3 titles, 1 owned, 2 missing, 1 unsure ROMs\n");

    auto jsonArgs = base;
    jsonArgs.push_back("--json");
    const std::string json = std::get<1>(run(jsonArgs));
    EXPECT_NE(json.find("{\"row\": 2, \"title\": \"Moon\", \"link\": "
                        "\"/w/index.php?title=Moon&redlink=1\", \"status\": \"missing\", "
                        "\"roms\": []}"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"counts\": {\"titles\": 3, \"owned\": 1, \"missing\": 2, "
                        "\"unsure\": 1}"),
              std::string::npos)
        << json;

    auto htmlArgs = base;
    const std::string page = (dir.path() / "report.html").string();
    htmlArgs.insert(htmlArgs.end(), {"--html", page, "--min-likeness", "0.3"});
    EXPECT_EQ(run(htmlArgs),
              std::make_tuple(0, std::string("coverage: 3 titles, 2 owned, 1 missing, "
                                             "0 unsure ROMs\n"),
                              std::string()));
    std::ifstream in(page);
    const std::string html((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(html.find("<input id=\"filter\""), std::string::npos);
    EXPECT_NE(html.find("Gear Racer &#39;94 (U).bin"), std::string::npos);
    EXPECT_NE(html.find("class=\"no-article\""), std::string::npos);

    // The user's title choices beside the list count, marked as such.
    dir.write("list.corrections.txt", "Nothing Like It.bin\tMoon\r\n");
    EXPECT_EQ(std::get<1>(run(base)),
              "owned titles (2):  ratio  likeness  ROM\n"
              "  Gear Racer '94\n"
              "      0.86  1.00  Gear Racer '94 (U).bin\n"
              "  Moon\n"
              "      1.00  1.00  Nothing Like It.bin (your choice)\n"
              "missing titles (1):\n"
              "  Astro Miner\n"
              "unsure ROMs (0):  ratio  likeness  ROM  (best title)\n"
              "coverage: 3 titles, 2 owned, 1 missing, 0 unsure ROMs\n");
    EXPECT_NE(std::get<1>(run(jsonArgs)).find("\"rom\": \"Nothing Like It.bin\", \"row\": 2, "
                                              "\"title\": \"Moon\", \"ratio\": 1, "
                                              "\"likeness\": 1, \"choice\": true}"),
              std::string::npos);

    const std::string usage = "usage: kestrova-cli coverage --platform NAME --list FILE FOLDER "
                              "[--ext ENTRY] [--min-likeness X] [--json | --html OUT]\n";
    using Args = std::vector<std::string>;
    for (const Args &args : {Args{"--platform", "P", "--list", list},
                             Args{"--platform", "P", folder}, Args{"--list", list, folder},
                             Args{"--platform", "P", "--list", list, folder, "--min-likeness", "2"},
                             Args{"--platform", "P", "--list", list, folder, "--min-likeness", "x"},
                             Args{"--platform", "P", "--list", list, folder, "--json", "--html",
                                  page}})
        EXPECT_EQ(run(args), std::make_tuple(2, std::string(), usage));
    EXPECT_EQ(std::get<0>(run({"--platform", "P", "--list", list + ".no", folder})), 1);
}

} // namespace
} // namespace kestrova
