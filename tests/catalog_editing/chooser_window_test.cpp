#include "editing_test_support.h"

#include "platform/list_box.h"
#include "platform/text_box.h"
#include "reference/chooser_window.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrova::testing {
namespace {

using Names = std::vector<std::string>;

class ChooserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.writeAppFile("DATA.txt", catalogText({{"Sega", {"Saturn"}}, {"SNK", {}}}));
        for (const char *file : {"Arcade.htm", "Dreamcast.htm", ".hidden.htm", "dir.htm/x.htm"})
            f.writeAppFile(std::string("wikigameslists/") + file, "A\r\n");
    }

    /// The main window's add-platform command, then the system's activation.
    Form &openChooser(int manufacturer)
    {
        auto &app = f.app();
        app.listBox("manu_L").userClickRow(manufacturer);
        app.control("AddPlat_B").raiseClick();
        app.form2().userActivate();
        return app.form2();
    }

    ComboBox &lists() { return f.app().form2().get<ComboBox>("cb_L"); }
    TextBox &custom() { return f.app().form2().get<TextBox>("T_I"); }
    void press(const char *button) { f.app().form2().find(button)->raiseClick(); }

    Names offered()
    {
        auto items = lists().items();
        std::sort(items.begin(), items.end());
        return items;
    }

    AppFixture f{SystemKind::Posix};
};

TEST_F(ChooserTest, ChosenListOrCustomNameBecomesThePlatform)
{
    auto &app = f.start();
    auto &form = openChooser(0);
    EXPECT_EQ(offered(), (Names{"Arcade", "Dreamcast"}));
    f.dialogs.messageAnswers = {MessageResult::Yes};
    f.dialogs.folderAnswers = {"/srv/arcade"};
    const auto &items = lists().items();
    lists().userClickRow(int(std::find(items.begin(), items.end(), "Arcade") - items.begin()));
    press("cd_B");
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(app.form1().isVisible());
    EXPECT_EQ(messageTexts(f.dialogs), Names{"Browse to the folder containing your Arcade roms."});
    EXPECT_EQ(f.dialogs.messages[0].title, "Set ROMS path?");
    const auto &sega = app.catalog().Man[0];
    EXPECT_EQ(sega.Plat[1].Name, "Arcade");
    EXPECT_EQ(sega.Plat[1].RomPath, "/srv/arcade/");
    EXPECT_EQ(sega.LastPlat, 1);
    EXPECT_EQ(app.listBox("plat_list_L").items(), (Names{"Saturn", "Arcade"}));
    EXPECT_EQ(app.textBox("ajout").text(), "0");

    openChooser(1);
    custom().setText("Neo Geo");
    press("cd_B");
    EXPECT_EQ(app.catalog().Man[1].Plat[0].Name, "Neo Geo");
    EXPECT_EQ(app.listBox("plat_list_L").items(), Names{"Neo Geo"});
}

TEST_F(ChooserTest, OneFieldExactlyOrNothingHappens)
{
    auto &app = f.start();
    auto &form = openChooser(0);
    press("cd_B");
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(f.dialogs.messages.empty());
    lists().userClickRow(0);
    custom().setText("Mine");
    press("cd_B");
    EXPECT_EQ(messageTexts(f.dialogs), Names{"Fill only one field"});
    EXPECT_TRUE(form.isVisible());

    // Reactivation empties the custom name and relists the folder.
    f.writeAppFile("wikigameslists/Game Gear.htm", "");
    form.userActivate();
    EXPECT_EQ(custom().text(), "");
    EXPECT_EQ(lists().listIndex(), -1);
    EXPECT_EQ(offered(), (Names{"Arcade", "Dreamcast", "Game Gear"}));

    // The main window changed while the chooser stayed open.
    custom().setText("Mega Drive");
    app.listBox("manu_L").setListIndex(-1);
    press("cd_B");
    EXPECT_EQ(messageTexts(f.dialogs).back(), "Choose a Manufaturer");
    EXPECT_TRUE(form.isVisible());

    press("cs_B");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(app.textBox("ajout").text(), "0");
    EXPECT_EQ(app.listBox("plat_list_L").count(), 0);
    EXPECT_EQ(app.catalog().Man[0].LastPlat, 0);
}

TEST_F(ChooserTest, DraggingTheBackgroundMovesTheWindow)
{
    auto &form = f.start().form2();
    form.move(1000, 2000);
    form.userMouseDown({LeftButton, 0, 300, 400});
    form.userMouseMove({LeftButton, 0, 450, 350});
    EXPECT_EQ(std::pair(form.left(), form.top()), std::pair(1150.f, 1950.f));
    form.userMouseMove({0, 0, 900, 900});       // button released
    form.userMouseDown({RightButton, 0, 0, 0}); // keeps the grab point
    form.userMouseMove({LeftButton, 0, 400, 400});
    EXPECT_EQ(std::pair(form.left(), form.top()), std::pair(1250.f, 1950.f));
}

TEST(SavedListNames, DropTheLastFourCharacters)
{
    TempDir dir;
    dir.write("Pokémon.htm");
    dir.write("abc");
    const auto rules = PlatformRules(SystemKind::Posix);
    auto names = savedListNames(fromPath(dir.path()), rules);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{"", "Pokémon"}));
    EXPECT_TRUE(savedListNames(fromPath(dir.path() / "missing"), rules).empty());
}

} // namespace
} // namespace kestrova::testing
