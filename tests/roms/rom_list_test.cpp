#include "roms_test_support.h"

#include "platform/list_box.h"
#include "platform/text_box.h"
#include "platform/widgets.h"
#include "reference/wiki_search.h"
#include "roms/rom_listing.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrova::testing {
namespace {

std::vector<std::string> sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ExtensionFilter, EntriesCompareAsDocumented)
{
    struct Case
    {
        const char *file;
        const char *entry;
        bool listed;
    };
    const Case cases[] = {
        {"readme.txt", "All", true}, {"readme.txt", "", true},     {"Game.Nes", ".NES", true},
        {"Game.Nes", ".nes", true},  {"game.gb", ".gb", true},     {"game.sgb", ".gb", false},
        {"game.nes", "all", false},  {"all", "all", true},         {"game.smc", "GSMC", false},
        {"game.smc", ".SMC", true},  {"GAME.SMC", "E.SMC", false}, {"gameXsmc", "xSMC", true},
        {"Jeu.ÉTÉ", ".été", true},   {"jeu.ete", ".été", false},   {"x", ".nes", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(passesExtensionFilter(c.file, c.entry), c.listed) << c.file << " / " << c.entry;
}

class RomListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *name : {"a.nes", "b.NES", "notes.txt", ".hidden.nes", "sub/deep.nes"})
            f.dir.write(std::string("roms/NES/") + name, "x");
        romFolder = folderText(f.dir.path() / "roms" / "NES");
        f.writeAppFile("DATA.txt", manufacturerLines("Maker", {{"Famicom", romFolder, {}, {}},
                                                               {"Lynx", "", {}, {}}}));
        f.writeAppFile("Ext.txt", ".nes\r\n.txt\r\n");
        // Single-byte text, as a saved page is.
        f.writeAppFile("wikigameslists/Famicom.htm",
                       "A\r\n*Alpha<wiki/Alpha>\r\n*Pok\xE9mon<wiki/P>\r\n*Gamma<wiki/Gamma>\r\n"
                       "Retrieved from x\r\n");
    }

    AppFixture f;
    std::string romFolder;
};

TEST_F(RomListTest, PlatformClickFillsEveryColumnAndPlacesTheCounts)
{
    auto &app = f.start();
    selectPlatform(app, 0, 0);
    EXPECT_EQ(app.listBox("plat_list_L").toolTip(), "Famicom");
    EXPECT_EQ(app.textBox("RPath_I").text(), romFolder);
    // Ordinary visible files only, no subfolder; whatever order the file system gives.
    EXPECT_EQ(sorted(app.listBox("Flist_L").items()),
              (std::vector<std::string>{"a.nes", "b.NES", "notes.txt"}));
    const auto import = LoadWikiList(f.dir.path(), "Famicom");
    ASSERT_TRUE(import.has_value());
    ASSERT_EQ(import->availItems.size(), 3u);
    auto &titles = app.listBox("avail_L");
    ASSERT_EQ(titles.count(), 3);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(titles.item(k), displayTitle(import->availItems[size_t(k)]));
    EXPECT_EQ(titles.item(1).substr(0, 8), "Pokémon");
    ASSERT_TRUE(app.wikiTable().has_value());
    EXPECT_EQ(app.wikiTable()->rows.size(), import->table.rows.size());
    EXPECT_EQ(app.wikiTable()->rows.at(2).title, import->table.rows.at(2).title);

    auto &romCount = app.control("romc_T");
    auto &titleCount = app.control("wikic_T");
    EXPECT_EQ(romCount.caption(), "3");
    EXPECT_EQ(titleCount.caption(), "3");
    EXPECT_FLOAT_EQ(romCount.left() + romCount.width(), app.control("ext1_C").left());
    EXPECT_FLOAT_EQ(titleCount.left() + titleCount.width(), titles.left() + titles.width());
    EXPECT_EQ(app.form1().get<StatusBar>("StatusBar1").panel(2), "Plat :Famicom");

    // A platform without a list file or a ROM folder: "Pas de fichier" and empty columns.
    app.listBox("plat_list_L").userClickRow(1);
    EXPECT_FALSE(app.wikiTable().has_value());
    EXPECT_EQ(app.listBox("avail_L").count(), 0);
    EXPECT_EQ(app.listBox("Flist_L").count(), 0);
    EXPECT_EQ(romCount.caption(), "0");
    EXPECT_EQ(titleCount.caption(), "0");
}

TEST_F(RomListTest, ExtensionChoiceRelistsWithoutTouchingTheCount)
{
    auto &app = f.start();
    selectPlatform(app, 0, 0);
    auto &filter = app.comboBox("ext1_C");
    filter.userClickRow(1); // .nes
    const std::vector<std::string> nesFiles = {"a.nes", "b.NES"};
    EXPECT_EQ(sorted(app.listBox("Flist_L").items()), nesFiles);
    EXPECT_EQ(app.control("romc_T").caption(), "3");
    filter.userClickRow(2); // .txt
    EXPECT_EQ(app.listBox("Flist_L").items(), std::vector<std::string>{"notes.txt"});
    EXPECT_EQ(app.listBox("plat_list_L").listIndex(), 0);
    // The chosen filter stays for the next platform click.
    app.listBox("plat_list_L").userClickRow(0);
    EXPECT_EQ(app.control("romc_T").caption(), "1");
}

TEST_F(RomListTest, PlatformClickWithNothingSelectedOnlyRefreshesTheStatus)
{
    auto &app = f.start();
    selectPlatform(app, 0, 0);
    auto &bar = app.form1().get<StatusBar>("StatusBar1");
    app.listBox("plat_list_L").userClickRow(-1);
    EXPECT_EQ(app.listBox("Flist_L").count(), 3);
    EXPECT_EQ(app.listBox("avail_L").count(), 3);
    EXPECT_EQ(app.textBox("RPath_I").text(), romFolder);
    EXPECT_EQ(bar.panel(2), "Plat :");
    EXPECT_EQ(app.listBox("plat_list_L").toolTip(), "");
}

TEST_F(RomListTest, FolderTextDecidesWhatIsListed)
{
    const auto rules = PlatformRules::native();
    const std::string bare = fromPath(f.dir.path() / "roms" / "NES");
    EXPECT_TRUE(listRomFiles(bare, "All", rules).empty()) << "no trailing separator";
    EXPECT_TRUE(listRomFiles("", "All", rules).empty());
    EXPECT_TRUE(listRomFiles(folderText(f.dir.path() / "missing"), "All", rules).empty());
    EXPECT_EQ(sorted(listRomFiles(romFolder + "*.nes", "All", rules)),
              (std::vector<std::string>{"a.nes"}));
    EXPECT_EQ(sorted(listRomFiles(romFolder + "?.*", ".NES", rules)),
              (std::vector<std::string>{"a.nes", "b.NES"}));
    EXPECT_TRUE(listRomFiles(romFolder, "all", rules).empty());
}

TEST_F(RomListTest, SearchBoxSelectsTheFirstRomThatBeginsWithTheText)
{
    auto &app = f.start();
    auto &roms = app.listBox("Flist_L");
    auto &search = app.textBox("Text1_I");
    search.setText("m"); // an empty list: nothing to do
    EXPECT_EQ(roms.listIndex(), -1);
    roms.addItems({"Zelda.nes", "mario.nes", "MArio 2.nes", "Mach Rider.nes", "École.nes"});
    int clicks = 0;
    roms.onClick = [&clicks] { ++clicks; };
    search.setText("ma");
    EXPECT_EQ(roms.listIndex(), 1);
    search.setText("mar");
    EXPECT_EQ(roms.listIndex(), 1);
    search.setText("MArIO ");
    EXPECT_EQ(roms.listIndex(), 2);
    search.setText("mac");
    EXPECT_EQ(roms.listIndex(), 3);
    search.setText("macx");
    EXPECT_EQ(roms.listIndex(), 3) << "no match leaves the selection";
    search.setText("éco");
    EXPECT_EQ(roms.listIndex(), 4);
    search.setText("");
    EXPECT_EQ(roms.listIndex(), 0);
    EXPECT_EQ(clicks, 6) << "each selection runs the list's click";
}

} // namespace
} // namespace kestrova::testing
