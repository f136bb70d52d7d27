#include "fakes/app_fixture.h"
#include "platform/list_box.h"
#include "platform/text_box.h"
#include "platform/widgets.h"
#include "reference/reference_list.h"
#include "roms/rom_listing.h"
#include "roms/roms_cli.h"
#include "reference/wiki_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <sstream>

namespace kestrova::testing {
namespace {

using Names = std::vector<std::string>;

Names sorted(Names names)
{
    std::sort(names.begin(), names.end());
    return names;
}

std::string folderText(const std::filesystem::path &folder)
{
    return fromPath(folder) + PlatformRules::native().separator();
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
        f.writeAppFile("DATA.txt", "[Manufacturer]Maker\r\n\r\n\r\n[Platform]Famicom\r\n[RomPath]" +
                                       romFolder + "\r\n[Platform]Lynx\r\n\r\n");
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
    app.listBox("manu_L").userClickRow(0);
    app.listBox("plat_list_L").userClickRow(0);
    auto &roms = app.listBox("Flist_L");
    auto &titles = app.listBox("avail_L");
    auto &romCount = app.control("romc_T");
    auto &titleCount = app.control("wikic_T");
    auto &status = app.form1().get<StatusBar>("StatusBar1");
    EXPECT_EQ(sorted(roms.items()), (Names{"a.nes", "b.NES", "notes.txt"}));
    EXPECT_EQ(titles.items(), (Names{"Alpha", "Pokémon", "Gamma"}));
    const auto &table = app.feature<ReferenceList>().wikiTable();
    EXPECT_EQ(table ? table->rows.size() : 0u, 3u);
    EXPECT_EQ(romCount.caption() + titleCount.caption(), "33");
    EXPECT_EQ(status.panel(2), "Plat :Famicom");

    // The filter relists but leaves the count; the next platform click counts again.
    app.comboBox("ext1_C").userClickRow(1);
    EXPECT_EQ(sorted(roms.items()), (Names{"a.nes", "b.NES"}));
    EXPECT_EQ(romCount.caption(), "3");
    app.listBox("plat_list_L").userClickRow(0);
    EXPECT_EQ(romCount.caption(), "2");

    // No selection: only the status bar changes.
    app.listBox("plat_list_L").userClickRow(-1);
    EXPECT_EQ(roms.count(), 2);
    EXPECT_EQ(status.panel(2), "Plat :");

    // No list file, no ROM folder: empty columns.
    app.listBox("plat_list_L").userClickRow(1);
    EXPECT_FALSE(app.feature<ReferenceList>().wikiTable().has_value());
    EXPECT_EQ(titles.count() + roms.count(), 0);
    EXPECT_EQ(romCount.caption() + titleCount.caption(), "00");
}

// A page larger than those read at once (a hole after its titles: no disk used).
void makeLarge(AppFixture &f, const std::string &platform, const std::string &titles,
               std::uintmax_t size = std::uintmax_t(1) << 20)
{
    f.writeAppFile("wikigameslists/" + platform + ".htm", "A\r\n" + titles + "Retrieved\r\n");
    std::filesystem::resize_file(f.dir.path() / "wikigameslists" / (platform + ".htm"), size);
}

TEST_F(RomListTest, ALargePageIsReadAwayAndShownOnlyIfItsPlatformIsStillSelected)
{
    makeLarge(f, "Famicom", "*Alpha<wiki/A>\r\n*Beta<wiki/B>\r\n");
    f.tasks.hold = true;
    auto &app = f.start();
    auto &titles = app.listBox("avail_L");
    app.listBox("manu_L").userClickRow(0);
    app.listBox("plat_list_L").userClickRow(0);
    // The window has its ROMs and answers while the page is read.
    EXPECT_EQ(f.tasks.held.size(), 1u);
    EXPECT_EQ(titles.count(), 0);
    EXPECT_EQ(app.control("romc_T").caption(), "3");
    app.listBox("plat_list_L").userClickRow(1);
    EXPECT_EQ(app.listBox("Flist_L").count(), 0);

    // Another platform is selected by now: the page is dropped.
    f.tasks.runHeld();
    EXPECT_EQ(titles.count(), 0);
    EXPECT_FALSE(app.feature<ReferenceList>().wikiTable().has_value());

    app.listBox("plat_list_L").userClickRow(0);
    f.tasks.runHeld();
    EXPECT_EQ(titles.items(), (Names{"Alpha", "Beta"}));
    EXPECT_EQ(app.feature<ReferenceList>().wikiTable()->rows.size(), 2u);
    EXPECT_EQ(app.control("wikic_T").caption(), "2");
}

// Whatever the clicks and whenever the reads end: at most one page is read at a time, and once
// all is read the titles shown are those of the platform selected last.
TEST_F(RomListTest, ClicksDuringReadsEndOnTheLastPlatformsTitles)
{
    f.writeAppFile("DATA.txt", "[Manufacturer]Maker\r\n\r\n\r\n[Platform]P0\r\n[Platform]P1\r\n"
                               "[Platform]P2\r\n[Platform]P3\r\n");
    makeLarge(f, "P0", "*Zero<wiki/0>\r\n");
    makeLarge(f, "P1", "*One<wiki/1>\r\n*Uno<wiki/1>\r\n");
    f.writeAppFile("wikigameslists/P2.htm", "A\r\n*Two<wiki/2>\r\nRetrieved\r\n");
    const std::map<int, Names> expected = {
        {0, {"Zero"}}, {1, {"One", "Uno"}}, {2, {"Two"}}, {3, {}}};
    f.tasks.hold = true;
    auto &app = f.start();
    app.listBox("manu_L").userClickRow(0);
    std::mt19937 random(19);
    for (int trial = 0; trial < 200; ++trial) {
        std::string steps;
        int last = -1;
        for (int step = 0; step < 6; ++step) {
            if (random() % 3 == 0) {
                f.tasks.runHeld();
                steps += " read";
                continue;
            }
            last = int(random() % 4);
            app.listBox("plat_list_L").userClickRow(last);
            steps += " click " + std::to_string(last);
            ASSERT_LE(f.tasks.held.size(), 1u) << steps;
        }
        f.tasks.runHeld();
        if (last != -1) {
            ASSERT_EQ(app.listBox("avail_L").items(), expected.at(last)) << steps;
        }
    }
}

TEST_F(RomListTest, APageAboveTheBoundIsNotReadAndSaysSo)
{
    makeLarge(f, "Famicom", "*Alpha<wiki/A>\r\n", kListPageBound + 1);
    auto &app = f.start();
    app.listBox("manu_L").userClickRow(0);
    app.listBox("plat_list_L").userClickRow(0);
    EXPECT_EQ(app.listBox("avail_L").count(), 0);
    EXPECT_EQ(app.control("wikic_T").caption(), "0");
    EXPECT_EQ(app.control("m_M").caption(),
              "The list page Famicom.htm is larger than 32 MB and was not read.");
    EXPECT_TRUE(f.dialogs.messages.empty());

    // Only HTML's tree grows to many times the page: such a page has a lower bound.
    const auto html = f.dir.write("wikigameslists/Lynx.htm", "<html><body><table><tr><td>");
    std::filesystem::resize_file(html, kHtmlPageBound + 1);
    app.listBox("plat_list_L").userClickRow(1);
    EXPECT_EQ(app.listBox("avail_L").count(), 0);
    EXPECT_EQ(app.control("m_M").caption(),
              "The list page Lynx.htm has no list the import rules read, and at 9 MB it is too "
              "large to read as HTML (8 MB at most).");
}

TEST_F(RomListTest, FolderTextDecidesWhatIsListed)
{
    const auto rules = PlatformRules::native();
    EXPECT_TRUE(listRomFiles(fromPath(f.dir.path() / "roms"), "All", rules).empty());
    EXPECT_TRUE(listRomFiles("", "All", rules).empty());
    EXPECT_TRUE(listRomFiles(folderText(f.dir.path() / "missing"), "All", rules).empty());
    EXPECT_TRUE(listRomFiles(romFolder, "all", rules).empty());
    // Windows compares a folder's pattern with names ignoring case, as its own listing does.
    const Names nesNames = rules.kind() == SystemKind::Windows ? Names{"a.nes", "b.NES"}
                                                               : Names{"a.nes"};
    EXPECT_EQ(sorted(listRomFiles(romFolder + "*.nes", "All", rules)), nesNames);
    EXPECT_EQ(sorted(listRomFiles(romFolder + "?.*", ".NES", rules)), (Names{"a.nes", "b.NES"}));

    // The command-line listing shows the same.
    const auto run = [](const std::vector<std::string> &args) {
        std::ostringstream out, err;
        const int status = runRomsCommand(args, out, err);
        return std::tuple{status, out.str(), err.str()};
    };
    EXPECT_EQ(run({romFolder, "--ext", ".TXT"}), std::tuple(0, "notes.txt\n", ""));
    EXPECT_EQ(std::get<1>(run({"--ext", ".nes", romFolder})).size(), 12u);
    const auto [status, out, err] = run({fromPath(f.dir.path() / "roms")});
    EXPECT_EQ(std::tuple(status, out), std::tuple(0, ""));
    EXPECT_NE(err.find("ends with"), std::string::npos);
    for (const auto &bad : std::vector<Names>{{}, {romFolder, "--ext"}, {"--bogus", romFolder}})
        EXPECT_EQ(std::get<0>(run(bad)), 2);
}

#ifndef _WIN32
TEST_F(RomListTest, LinksCountAsTheFilesTheyPointAt)
{
    const auto roms = f.dir.path() / "roms";
    std::filesystem::create_symlink(roms / "a.nes", roms / "linked.nes");
    std::filesystem::create_symlink(roms / "sub", roms / "folder.nes");
    std::filesystem::create_symlink(roms / "gone.nes", roms / "dangling.nes");
    EXPECT_EQ(sorted(listRomFiles(romFolder, ".nes", PlatformRules::native())),
              (Names{"a.nes", "b.NES", "linked.nes"}));
}
#endif

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
