#include "fakes/app_fixture.h"
#include "reference/match_folder_cli.h"
#include "reference/reference_list.h"
#include "platform/dialogs.h"
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

TEST_F(Panes, ARememberedTitleWinsOverTheMatchUntilForgotten)
{
    auto rightClick = [&](int row) {
        list("avail_L").userMouseDown(MouseEvent{RightButton, 0, 0, 0, row});
    };
    const std::string data = f.readAppFile("DATA.txt");
    const std::string rom = "Game Title (U) [!].nes";
    rightClick(1);
    EXPECT_TRUE(f.dialogs.messages.empty()) << "no ROM is selected: nothing to ask";

    clickRom(rom);
    f.dialogs.messageAnswers = {MessageResult::No};
    rightClick(1);
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, "Use \"Other\" for \"" + rom + "\"?");
    EXPECT_EQ(f.dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(list("avail_L").listIndex(), 0) << "No changes nothing";

    f.dialogs.messageAnswers = {MessageResult::Yes};
    rightClick(1);
    auto &meter = app->control("prog");
    auto &bar = app->form1().get<StatusBar>("StatusBar1");
    auto expectChosen = [&] {
        EXPECT_EQ(list("avail_L").listIndex(), 1);
        EXPECT_EQ(meter.caption(), "Other");
        EXPECT_EQ(meter.backColor(), rgb(50, 205, 50)); // full likeness
        EXPECT_EQ(matches(), "Article available at Wikipedia (your choice)");
        EXPECT_EQ(bar.panel(5), "Wiki :Other");
        EXPECT_EQ(bar.panel(6), "Article: --");
        EXPECT_EQ(bar.toolTip(), "The Wiki title of this ROM is your choice");
        EXPECT_EQ(app->feature<ReferenceList>().articleAddress(),
                  "http://en.wikipedia.org/wiki/Other");
    };
    expectChosen();
    EXPECT_EQ(f.readAppFile("wikigameslists/Star.corrections.txt"), rom + "\tOther\r\n");
    EXPECT_EQ(f.readAppFile("DATA.txt"), data);

    // Another ROM is matched as before; back on this one, the choice holds.
    clickRom("My_Game.zip");
    EXPECT_EQ(list("avail_L").text(), "My Game");
    EXPECT_EQ(bar.toolTip(), "");
    clickRom(rom);
    expectChosen();

    // A title click clears the mark; the same right-click on the chosen title forgets it.
    list("avail_L").userClickRow(2);
    EXPECT_EQ(bar.toolTip(), "");
    f.dialogs.messageAnswers = {MessageResult::Yes};
    rightClick(1);
    EXPECT_EQ(f.dialogs.messages.back().text, "Forget \"Other\" for \"" + rom + "\"?");
    EXPECT_EQ(list("avail_L").listIndex(), 0);
    EXPECT_EQ(matches(), "Article available at Wikipedia");
    EXPECT_EQ(f.readAppFile("wikigameslists/Star.corrections.txt"), "");

    // A chosen title the list no longer holds is passed over.
    f.writeAppFile("wikigameslists/Star.corrections.txt", rom + "\tGone Title\r\n");
    clickRom(rom);
    EXPECT_EQ(list("avail_L").listIndex(), 0);
    EXPECT_EQ(matches(), "Article available at Wikipedia");
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
    // "zzzz" ties both titles at 0 and goes to the one closer in length.
    EXPECT_EQ(out.str(), "ratio  ROM               best title  runner-up\n"
                         "0.50   zzzz.s8           Other       Good Game\n"
                         "0.94   Good Game (E).s8  Good Game   Other\n");

    // The user's choices beside the list: one shown and marked, one no longer on the list.
    dir.write("list.corrections.txt", "zzzz.s8\tGood Game\r\nGood Game (E).s8\tGone\r\n");
    std::ostringstream chosen, json;
    ASSERT_EQ(runMatchFolderCommand(args, chosen, err), 0) << err.str();
    EXPECT_EQ(chosen.str(),
              "ratio  ROM               best title               runner-up\n"
              "0.94   Good Game (E).s8  Good Game                Other\n"
              "1.00   zzzz.s8           Good Game (your choice)  Other\n"
              "ignored choice: \"Gone\" for \"Good Game (E).s8\" is no longer on the list\n");
    std::vector<std::string> jsonArgs = args;
    jsonArgs.push_back("--json");
    ASSERT_EQ(runMatchFolderCommand(jsonArgs, json, err), 0) << err.str();
    EXPECT_NE(json.str().find("\"choice\": true}\n{\"rom\": \"Good Game (E).s8\", "
                              "\"ignoredChoice\": \"Gone\"}\n"),
              std::string::npos)
        << json.str();
    std::ostringstream bad;
    EXPECT_EQ(runMatchFolderCommand({"--list"}, out, bad), 2);
}

} // namespace
} // namespace kestrova
