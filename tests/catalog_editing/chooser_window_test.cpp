#include "editing_test_support.h"

#include "platform/list_box.h"
#include "platform/text_box.h"
#include "platform/widgets.h"
#include "reference/chooser_window.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrova::testing {
namespace {

class ChooserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.writeAppFile("DATA.txt", catalogText({{"Sega", {"Saturn"}}, {"SNK", {}}}));
        f.writeAppFile("wikigameslists/Arcade.htm", "A\r\n");
        f.writeAppFile("wikigameslists/Dreamcast.htm", "A\r\n");
        f.writeAppFile("wikigameslists/.hidden.htm", "");
        f.writeAppFile("wikigameslists/folder.htm/inside.htm", "");
    }

    /// The main window's add-platform command, then the system's activation.
    Form &openChooser(Application &app, int manufacturer)
    {
        app.listBox("manu_L").userClickRow(manufacturer);
        app.control("AddPlat_B").raiseClick();
        app.form2().userActivate();
        return app.form2();
    }

    static std::vector<std::string> sortedItems(const ListBox &list)
    {
        auto items = list.items();
        std::sort(items.begin(), items.end());
        return items;
    }

    static int positionOf(const ListBox &list, const std::string &text)
    {
        const auto &items = list.items();
        return int(std::find(items.begin(), items.end(), text) - items.begin());
    }

    AppFixture f{SystemKind::Posix};
};

TEST_F(ChooserTest, WindowHasItsControls)
{
    auto &app = f.start();
    auto &form = app.form2();
    EXPECT_FALSE(form.isVisible());
    auto &lists = form.get<ComboBox>("cb_L");
    EXPECT_EQ(lists.toolTip(), "Lists of the files in the wikigamelists folder.");
    EXPECT_EQ(form.get<TextBox>("T_I").accessibleName(), "Custom");
    EXPECT_EQ(form.find("cd_B")->caption(), "ok");
    EXPECT_EQ(form.find("cs_B")->caption(), "cancel");
    std::vector<std::string> captions;
    for (const auto &control : form.controls()) {
        if (control->kind() == ControlKind::Label)
            captions.push_back(control->caption());
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"Wikipedia  lists", "Custom"}));
}

TEST_F(ChooserTest, ChosenListBecomesThePlatform)
{
    auto &app = f.start();
    auto &form = openChooser(app, 0);
    EXPECT_TRUE(form.isVisible());
    auto &lists = form.get<ComboBox>("cb_L");
    EXPECT_EQ(sortedItems(lists), (std::vector<std::string>{"Arcade", "Dreamcast"}));

    f.dialogs.messageAnswers = {MessageResult::Yes};
    f.dialogs.folderAnswers = {"/srv/arcade"};
    lists.userClickRow(positionOf(lists, "Arcade"));
    form.find("cd_B")->raiseClick();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(app.form1().isVisible());
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, "Browse to the folder containing your Arcade roms.");
    EXPECT_EQ(f.dialogs.messages[0].title, "Set ROMS path?");
    const auto &sega = app.catalog().Man[0];
    EXPECT_EQ(sega.Plat[1].Name, "Arcade");
    EXPECT_EQ(sega.Plat[1].RomPath, "/srv/arcade/");
    EXPECT_EQ(sega.LastPlat, 1);
    EXPECT_EQ(app.listBox("plat_list_L").items(), (std::vector<std::string>{"Saturn", "Arcade"}));
    EXPECT_EQ(app.textBox("ajout").text(), "0");
    EXPECT_EQ(app.textBox("txt").text(), "Arcade");
}

TEST_F(ChooserTest, CustomNameGoesToSlotZeroOfAnEmptyManufacturer)
{
    auto &app = f.start();
    auto &form = openChooser(app, 1);
    form.get<TextBox>("T_I").setText("Neo Geo");
    form.find("cd_B")->raiseClick();
    EXPECT_EQ(app.catalog().Man[1].Plat[0].Name, "Neo Geo");
    EXPECT_EQ(app.catalog().Man[1].Plat[0].RomPath, "") << "answered No";
    EXPECT_EQ(app.listBox("plat_list_L").items(), std::vector<std::string>{"Neo Geo"});
}

TEST_F(ChooserTest, OneFieldExactlyOrNothingHappens)
{
    auto &app = f.start();
    auto &form = openChooser(app, 0);
    auto &lists = form.get<ComboBox>("cb_L");
    auto &custom = form.get<TextBox>("T_I");
    auto &ok = *form.find("cd_B");
    ok.raiseClick();
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(f.dialogs.messages.empty());

    lists.userClickRow(0);
    custom.setText("Mine");
    ok.raiseClick();
    EXPECT_EQ(messageTexts(f.dialogs), std::vector<std::string>{"Fill only one field"});
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(app.listBox("plat_list_L").count(), 1);

    // Reactivation empties the custom name and relists the folder.
    f.writeAppFile("wikigameslists/Game Gear.htm", "");
    app.form1().userActivate();
    form.userActivate();
    EXPECT_EQ(custom.text(), "");
    EXPECT_EQ(lists.listIndex(), -1);
    EXPECT_EQ(sortedItems(lists), (std::vector<std::string>{"Arcade", "Dreamcast", "Game Gear"}));

    form.find("cs_B")->raiseClick();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(app.textBox("ajout").text(), "0");
    EXPECT_EQ(app.listBox("plat_list_L").count(), 1);
    EXPECT_EQ(app.catalog().Man[0].LastPlat, 0);
}

TEST_F(ChooserTest, ConfirmRechecksTheMainWindow)
{
    auto &app = f.start();
    auto &form = openChooser(app, 0);
    form.get<TextBox>("T_I").setText("Mega Drive");
    app.listBox("manu_L").setListIndex(-1); // changed while the chooser stayed open
    form.find("cd_B")->raiseClick();
    EXPECT_EQ(messageTexts(f.dialogs), std::vector<std::string>{"Choose a Manufaturer"});
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(app.listBox("plat_list_L").count(), 0);
}

TEST_F(ChooserTest, DraggingTheBackgroundMovesTheWindow)
{
    auto &app = f.start();
    auto &form = app.form2();
    form.move(1000, 2000);
    form.userMouseDown({LeftButton, 0, 300, 400});
    form.userMouseMove({LeftButton, 0, 450, 350});
    EXPECT_FLOAT_EQ(form.left(), 1150);
    EXPECT_FLOAT_EQ(form.top(), 1950);
    form.userMouseMove({0, 0, 900, 900}); // button released
    form.userMouseDown({RightButton, 0, 0, 0});
    form.userMouseMove({LeftButton, 0, 400, 400});
    EXPECT_FLOAT_EQ(form.left(), 1250);
    EXPECT_FLOAT_EQ(form.top(), 1950);
}

TEST(SavedListNames, DropTheLastFourCharacters)
{
    TempDir dir;
    dir.write("Pokémon.htm");
    dir.write("abc");
    const auto rules = PlatformRules(SystemKind::Posix);
    auto names = savedListNames(fromPath(dir.path()), rules);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"", "Pokémon"}));
    EXPECT_TRUE(savedListNames(fromPath(dir.path() / "missing"), rules).empty());
}

} // namespace
} // namespace kestrova::testing
