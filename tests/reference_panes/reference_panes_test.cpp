#include "fakes/app_fixture.h"
#include "reference/match_folder_cli.h"
#include "reference/reference_list.h"
#include "platform/list_box.h"
#include "platform/text_box.h"
#include "platform/widgets.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestrova {
namespace {

using testing::AppFixture;

class Panes : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *rom : {"Game Title (U) [!].nes", "My_Game.zip", "Nothing.nes"})
            f.dir.write(std::string("roms/") + rom, "x");
        f.writeAppFile("wikigameslists/Star.htm",
                       "intro\r\nA\r\n*Game Title<wiki/Game_Title>\r\n*Other<wiki/Other>\r\n"
                       "*My Game<w/index.php?title=My_Game>\r\n*Game Title<wiki/Second>\r\n"
                       "Retrieved from here\r\n");
        f.writeAppFile("DATA.txt", "[Manufacturer]M\r\n[Platform]Star\r\n[RomPath]"
                                       + (f.dir.path() / "roms").string() + "/\r\n"
                                       + "[Platform]Bare\r\n");
        app = &f.start();
        list("manu_L").userClickRow(0);
        list("plat_list_L").userClickRow(0);
    }
    ListBox &list(const char *name) { return app->listBox(name); }
    void clickRom(const std::string &name)
    {
        auto &roms = list("Flist_L");
        for (int k = 0; k < roms.count(); ++k) {
            if (roms.item(k) == name)
                roms.userClickRow(k);
        }
    }
    std::string matches() { return app->textBox("matches_L").text(); }

    AppFixture f;
    Application *app = nullptr;
};

TEST_F(Panes, RomClickSelectsTheBestTitleAndFillsTheMeter)
{
    ASSERT_EQ(list("avail_L").count(), 4);
    clickRom("Game Title (U) [!].nes");
    EXPECT_EQ(list("avail_L").listIndex(), 0) << "equal scores keep the earlier row";
    EXPECT_EQ(matches(), "Article available at Wikipedia");
    EXPECT_EQ(app->feature<ReferenceList>().articleAddress(), "http://en.wikipedia.org/wiki/Game_Title");
    auto &meter = app->control("prog");
    EXPECT_EQ(meter.caption(), "Game Title");
    // The ratio keeps the title's space: m = 1 - (1 / 2) / 9.
    EXPECT_EQ(meter.backColor(), rgb(73, 189, 50));
    EXPECT_EQ(list("Flist_L").toolTip(), "Game Title (U) [!].nes");
    auto &bar = app->form1().get<StatusBar>("StatusBar1");
    EXPECT_EQ(bar.panel(4), "Rom :Game Title (U) [!].nes");
    EXPECT_EQ(bar.panel(5), "Wiki :Game Title");

    clickRom("My_Game.zip");
    EXPECT_EQ(list("avail_L").text(), "My Game");
    EXPECT_EQ(matches(), "No article about My Game");
    EXPECT_EQ(meter.caption(), "My Game(no article)");
    EXPECT_EQ(bar.panel(6), "Article: NO");

    list("avail_L").userClickRow(1);
    EXPECT_EQ(matches(), "Article available at Wikipedia");
    EXPECT_EQ(list("avail_L").toolTip(), "Other");
}

TEST_F(Panes, WithoutReferenceListARomClickOnlyUpdatesToolTipAndStatus)
{
    app->control("prog").setCaption("Match Meter");
    list("plat_list_L").userClickRow(1);
    EXPECT_FALSE(app->feature<ReferenceList>().wikiTable().has_value());
    app->textBox("RPath_I").setText((f.dir.path() / "roms").string() + "/");
    app->UpdatE("Ext_change", 0);
    clickRom("Nothing.nes");
    EXPECT_EQ(list("Flist_L").toolTip(), "Nothing.nes");
    EXPECT_EQ(app->control("prog").caption(), "Match Meter");
    EXPECT_EQ(matches(), "");
}

TEST_F(Panes, AddressBoxOpensOnlyWebAddresses)
{
    auto &address = app->textBox("matches_L");
    f.web.navigations.clear();
    for (const char *text : {"Article available at Wikipedia", "ftp://x", "wiki"}) {
        address.setText(text);
        address.userDoubleClick();
        address.userKeyDown(13);
    }
    EXPECT_TRUE(f.web.navigations.empty());
    address.setText("www.example.org");
    address.userKeyDown(65);
    address.userDoubleClick();
    address.setText("hTTp://example.org/a");
    address.userKeyDown(13);
    EXPECT_EQ(f.web.navigations,
              (std::vector<std::string>{"www.example.org", "hTTp://example.org/a"}));

    app->textBox("match2").setText("notes.txt");
    app->textBox("match2").userDoubleClick();
    EXPECT_EQ(f.shell.opened, std::vector<std::string>{"notes.txt"});
}

TEST(MatchFolderCommand, ListsWorstMatchesFirst)
{
    testing::TempDir dir;
    dir.write("roms/Good Game (E).s8", "");
    dir.write("roms/zzzz.s8", "");
    dir.write("roms/skip.txt", "");
    const auto list = dir.write("list.htm", "A\r\n*Good Game<wiki/Good>\r\n*Other<wiki/O>\r\nend\r\n");
    std::ostringstream out, err;
    const std::vector<std::string> args = {"--platform", "Star", "--list", list.string(),
                                           (dir.path() / "roms").string() + "/", "--ext", ".s8"};
    ASSERT_EQ(runMatchFolderCommand(args, out, err), 0) << err.str();
    EXPECT_EQ(out.str(), "ratio  ROM               best title  runner-up\n"
                         "0.50   zzzz.s8           Good Game   Other\n"
                         "0.94   Good Game (E).s8  Good Game   Other\n");
    std::ostringstream bad;
    EXPECT_EQ(runMatchFolderCommand({"--list"}, out, bad), 2);
}

} // namespace
} // namespace kestrova
