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

using Names = std::vector<std::string>;

Names sorted(Names names)
{
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ExtensionFilter, EntriesCompareAsDocumented)
{
    const std::tuple<const char *, const char *, bool> cases[] = {
        {"readme.txt", "All", true}, {"readme.txt", "", true},     {"Game.Nes", ".NES", true},
        {"game.gb", ".gb", true},    {"game.sgb", ".gb", false},   {"game.nes", "all", false},
        {"all", "all", true},        {"GAME.SMC", "E.SMC", false}, {"gameXsmc", "xSMC", true},
        {"Jeu.ÉTÉ", ".été", true},   {"jeu.ete", ".été", false},   {"x", ".nes", false}};
    for (const auto &[file, entry, listed] : cases)
        EXPECT_EQ(passesExtensionFilter(file, entry), listed) << file << " / " << entry;
}

class RomListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *name : {"a.nes", "b.NES", "notes.txt", ".hidden.nes", "sub/deep.nes"})
            f.dir.write(std::string("roms/") + name, "x");
        romFolder = folderText(f.dir.path() / "roms");
        f.writeAppFile("DATA.txt", manufacturerLines("Maker", {{"Famicom", romFolder, {}, {}},
                                                               {"Lynx", "", {}, {}}}));
        f.writeAppFile("Ext.txt", ".nes\r\n.txt\r\n");
        // Single-byte text, as a saved page is.
        f.writeAppFile(
            "wikigameslists/Famicom.htm",
            "A\r\n*Alpha<wiki/A>\r\n*Pok\xE9mon<wiki/P>\r\n*Gamma<wiki/G>\r\nRetrieved\r\n");
    }

    AppFixture f;
    std::string romFolder;
};

TEST_F(RomListTest, PlatformClickFillsTheColumnsCountsAndStatus)
{
    auto &app = f.start();
    selectPlatform(app, 0, 0);
    auto &roms = app.listBox("Flist_L");
    auto &titles = app.listBox("avail_L");
    auto &romCount = app.control("romc_T");
    auto &titleCount = app.control("wikic_T");
    EXPECT_EQ(app.listBox("plat_list_L").toolTip(), "Famicom");
    EXPECT_EQ(sorted(roms.items()), (Names{"a.nes", "b.NES", "notes.txt"}));
    const auto import = LoadWikiList(f.dir.path(), "Famicom");
    ASSERT_TRUE(import && app.wikiTable());
    ASSERT_EQ(titles.count(), int(import->availItems.size()));
    EXPECT_EQ(titles.item(1), displayTitle(import->availItems[1]));
    EXPECT_EQ(titles.item(1).substr(0, 8), "Pokémon");
    EXPECT_EQ(app.wikiTable()->rows.size(), import->table.rows.size());
    EXPECT_EQ(romCount.caption(), "3");
    EXPECT_EQ(titleCount.caption(), "3");
    EXPECT_FLOAT_EQ(romCount.left() + romCount.width(), app.control("ext1_C").left());
    EXPECT_FLOAT_EQ(titleCount.left() + titleCount.width(), titles.left() + titles.width());
    EXPECT_EQ(app.form1().get<StatusBar>("StatusBar1").panel(2), "Plat :Famicom");

    // The filter relists but leaves the count; the next platform click counts again.
    app.comboBox("ext1_C").userClickRow(1);
    EXPECT_EQ(sorted(roms.items()), (Names{"a.nes", "b.NES"}));
    EXPECT_EQ(romCount.caption(), "3");
    app.listBox("plat_list_L").userClickRow(0);
    EXPECT_EQ(romCount.caption(), "2");

    // No selection: only the status bar and the tool tip change.
    app.listBox("plat_list_L").userClickRow(-1);
    EXPECT_EQ(roms.count(), 2);
    EXPECT_EQ(app.form1().get<StatusBar>("StatusBar1").panel(2), "Plat :");

    // No list file, no ROM folder: "Pas de fichier" and empty columns.
    app.listBox("plat_list_L").userClickRow(1);
    EXPECT_FALSE(app.wikiTable().has_value());
    EXPECT_EQ(titles.count() + roms.count(), 0);
    EXPECT_EQ(romCount.caption() + titleCount.caption(), "00");
}

TEST_F(RomListTest, FolderTextDecidesWhatIsListed)
{
    const auto rules = PlatformRules::native();
    EXPECT_TRUE(listRomFiles(fromPath(f.dir.path() / "roms"), "All", rules).empty());
    EXPECT_TRUE(listRomFiles("", "All", rules).empty());
    EXPECT_TRUE(listRomFiles(folderText(f.dir.path() / "missing"), "All", rules).empty());
    EXPECT_TRUE(listRomFiles(romFolder, "all", rules).empty());
    EXPECT_EQ(listRomFiles(romFolder + "*.nes", "All", rules), Names{"a.nes"});
    EXPECT_EQ(sorted(listRomFiles(romFolder + "?.*", ".NES", rules)), (Names{"a.nes", "b.NES"}));
}

TEST_F(RomListTest, SearchBoxSelectsTheFirstRomThatBeginsWithTheText)
{
    auto &app = f.start();
    auto &roms = app.listBox("Flist_L");
    auto &search = app.textBox("Text1_I");
    search.setText("m"); // an empty list: nothing to do
    roms.addItems({"Zelda.nes", "mario.nes", "MArio 2.nes", "Mach Rider.nes", "École.nes"});
    int clicks = 0;
    roms.onClick = [&clicks] { ++clicks; };
    const std::pair<const char *, int> typing[] = {
        {"ma", 1}, {"mar", 1}, {"MArIO ", 2}, {"mac", 3}, {"macx", 3}, {"éco", 4}, {"", 0}};
    for (const auto &[text, position] : typing) {
        search.setText(text);
        EXPECT_EQ(roms.listIndex(), position) << text;
    }
    EXPECT_EQ(clicks, 6) << "each selection runs the list's click; no match selects nothing";
}

} // namespace
} // namespace kestrova::testing
