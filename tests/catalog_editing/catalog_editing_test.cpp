#include "fakes/app_fixture.h"
#include "platform/list_box.h"
#include "platform/text_box.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrova::testing {
namespace {

using Names = std::vector<std::string>;
using Input = std::pair<std::string, std::string>;

/// DATA.txt with manufacturers, each with named platforms (ROM path "/roms/<name>/"); every
/// platform gets the emulators named in `emulators` (paths "<name>.exe").
std::string catalogText(const std::vector<std::pair<std::string, Names>> &makers,
                        const Names &emulators = {})
{
    std::string text;
    for (const auto &[maker, platforms] : makers) {
        text += "[Manufacturer]" + maker + "\r\n\r\n\r\n";
        for (const auto &platform : platforms) {
            text += "[Platform]" + platform + "\r\n[RomPath]/roms/" + platform + "/\r\n";
            for (const auto &emulator : emulators)
                text += "[Emu]" + emulator + "\r\n[EmuPath]" + emulator + ".exe\r\n";
        }
        text += "\r\n";
    }
    return text;
}

Names numbered(const std::string &stem, int count)
{
    Names names;
    for (int k = 0; k < count; ++k)
        names.push_back(stem + std::to_string(k));
    return names;
}

Names sorted(Names names)
{
    std::sort(names.begin(), names.end());
    return names;
}

/// Clicks manufacturer m, then platform p and emulator e unless -1.
void select(Application &app, int m, int p = -1, int e = -1)
{
    app.listBox("manu_L").userClickRow(m);
    if (p != -1)
        app.listBox("plat_list_L").userClickRow(p);
    if (e != -1)
        app.listBox("Emu_L").userClickRow(e);
}

/// Runs a main-window menu item or button by name.
void run(Application &app, const std::string &name)
{
    if (auto *item = app.form1().menuBar().find(name))
        item->userClick();
    else
        app.control(name).raiseClick();
}

Names messageTexts(const FakeDialogs &dialogs)
{
    Names texts;
    for (const auto &message : dialogs.messages)
        texts.push_back(message.text);
    return texts;
}

TEST(ManufacturerEditing, AddUpToFiftyOneAndRemove)
{
    AppFixture f;
    f.writeAppFile("DATA.txt", catalogText({{"Atari", {"2600"}}, {"Nintendo", {"NES", "SNES"}}}));
    auto &app = f.start();
    auto &makers = app.listBox("manu_L");
    const auto &catalog = app.catalog();
    f.dialogs.inputAnswers = {"Sega", ""};
    run(app, "AddMan_B");
    run(app, "M_man_add"); // cancelled
    EXPECT_EQ(makers.items(), (Names{"Atari", "Nintendo", "Sega"}));
    EXPECT_EQ(catalog.Man[2].Name, "Sega");
    EXPECT_EQ(f.dialogs.inputs.at(0), (Input{"Enter new manufacturer name", "New Manufacturer"}));

    f.dialogs.inputAnswers.assign(48, "Maker");
    for (int k = 0; k < 49; ++k)
        run(app, "AddMan_B");
    EXPECT_EQ(catalog.LastMan, 50);
    EXPECT_EQ(f.dialogs.inputs.size(), 50u) << "the 52nd is refused before asking";
    EXPECT_EQ(messageTexts(f.dialogs), Names{"A maximum of 51 manufacturers is supported."});

    makers.userClickRow(0);
    f.dialogs.messageAnswers = {MessageResult::Yes};
    run(app, "RemoveMan_B");
    EXPECT_EQ(f.dialogs.messages.at(1).text,
              "are you sure you want to delete Atari ? All Platforms will also be erased.");
    EXPECT_EQ(f.dialogs.messages.at(1).title, "Delete manufacturer");
    EXPECT_EQ(makers.count(), 50);
    EXPECT_EQ(catalog.LastMan, 49);
    EXPECT_EQ(catalog.Man[0].Plat[1].RomPath, "/roms/SNES/") << "whole records move down";
    EXPECT_EQ(catalog.Man[50].Name, "");

    makers.userClickRow(0);
    run(app, "M_man_rem"); // answered No: rebuilt, nothing selected
    EXPECT_EQ(makers.count(), 50);
    EXPECT_EQ(makers.listIndex(), -1);
}

TEST(ListEditing, RenameInPlaceKeepsTheSelection)
{
    AppFixture f;
    f.writeAppFile("DATA.txt", catalogText({{"Atari", {"2600"}}}, {"Stella"}));
    auto &app = f.start();
    run(app, "M_man_ren");
    EXPECT_TRUE(f.dialogs.inputs.empty()) << "nothing selected";
    select(app, 0, 0, 0);
    f.dialogs.inputAnswers = {"Atari Inc.", "VCS", "", "Stella 7"};
    for (const char *command : {"EditMan_B", "M_plat_ren", "EditEmu_B", "M_emu_ren"})
        run(app, command); // the first emulator rename is cancelled
    EXPECT_EQ(f.dialogs.inputs, (std::vector<Input>{{"Rename Atari", "Rename manufacturer"},
                                                    {"Rename 2600", "Rename platform"},
                                                    {"Rename Stella", "Rename emulator"},
                                                    {"Rename Stella", "Rename emulator"}}));
    const auto &maker = app.catalog().Man[0];
    EXPECT_EQ((Names{maker.Name, maker.Plat[0].Name, maker.Plat[0].Emu[0].Name}),
              (Names{"Atari Inc.", "VCS", "Stella 7"}));
    EXPECT_EQ(app.listBox("plat_list_L").items(), Names{"VCS"});
    for (const char *list : {"manu_L", "plat_list_L", "Emu_L"})
        EXPECT_EQ(app.listBox(list).listIndex(), 0) << list;
}

TEST(EmulatorEditing, ArgumentsOfferTheCurrentTemplateAndRefuseWhatCannotBeSplit)
{
    AppFixture f;
    f.writeAppFile("DATA.txt", catalogText({{"Orbital", {"Star"}}}, {"Multi", "Plain"}));
    auto &app = f.start();
    const auto &emulators = app.form1().menuBar().find("M_emu")->items();
    Names captions;
    for (const auto &item : emulators)
        captions.push_back(item->caption());
    EXPECT_EQ(captions, (Names{"Add", "Remove", "Rename", "Arguments"}));
    run(app, "M_emu_args");
    EXPECT_TRUE(f.dialogs.inputs.empty()) << "no emulator selected";

    select(app, 0, 0, 0);
    auto &multi = app.catalog().Man[0].Plat[0].Emu[0];
    auto &pathBox = app.textBox("EPath_I");
    const std::string designTip = pathBox.toolTip();
    f.dialogs.editAnswers = {"-L \"core.so\" -f {rom}", "-x \"open {rom}", "-x \"closed\" {rom}",
                             std::nullopt, "a\nb", std::nullopt, ""};
    run(app, "M_emu_args");
    EXPECT_EQ(multi.Args, "-L \"core.so\" -f {rom}");
    EXPECT_EQ(pathBox.toolTip(), multi.Args);
    ASSERT_EQ(f.dialogs.inputs.size(), 1u);
    EXPECT_EQ(f.dialogs.inputs[0].second, "Emulator arguments");
    EXPECT_TRUE(f.dialogs.inputs[0].first.starts_with("Arguments for Multi:"));

    // An open quote is refused, saying where, and the box comes back with what was typed.
    run(app, "M_emu_args");
    EXPECT_EQ(messageTexts(f.dialogs),
              Names{"The double quote at character 4 of the arguments is never closed. Close "
                    "it or remove it."});
    EXPECT_EQ(multi.Args, "-x \"closed\" {rom}");
    run(app, "M_emu_args"); // cancelled: nothing changes
    EXPECT_EQ(multi.Args, "-x \"closed\" {rom}");
    run(app, "M_emu_args"); // a line break, then cancelled
    EXPECT_EQ(messageTexts(f.dialogs).back(), "The arguments cannot hold a line break.");
    EXPECT_EQ(multi.Args, "-x \"closed\" {rom}");
    run(app, "M_emu_args"); // emptied: removed
    EXPECT_EQ(f.dialogs.editDefaults,
              (Names{"", "-L \"core.so\" -f {rom}", "-x \"open {rom}", "-x \"closed\" {rom}",
                     "-x \"closed\" {rom}", "a", "-x \"closed\" {rom}"}));
    EXPECT_EQ(multi.Args, "");
    EXPECT_EQ(pathBox.toolTip(), designTip);
    EXPECT_EQ(app.listBox("Emu_L").listIndex(), 0);
    EXPECT_EQ(pathBox.text(), "Multi.exe");
}

TEST(PlatformEditing, AddIsGuardedAndRemoveClosesTheGap)
{
    AppFixture f;
    f.writeAppFile("DATA.txt", catalogText({{"Atari", {"2600", "5200", "7800"}},
                                            {"Nintendo", {"NES"}},
                                            {"Full", numbered("P", 50)}}));
    auto &app = f.start();
    auto &makers = app.listBox("manu_L");
    auto &platforms = app.listBox("plat_list_L");
    run(app, "AddPlat_B");
    select(app, 2);
    run(app, "M_plat_add");
    EXPECT_EQ(messageTexts(f.dialogs),
              (Names{"Choose a Manufaturer", "A maximum of 50 platforms is supported."}));
    EXPECT_FALSE(app.form2().isVisible());
    select(app, 1);
    run(app, "AddPlat_B");
    EXPECT_TRUE(app.form2().isVisible());

    f.dialogs.messages.clear();
    select(app, 0, 1);
    f.dialogs.messageAnswers = {MessageResult::Yes, MessageResult::Yes};
    run(app, "RemovePlat_B");
    EXPECT_EQ(f.dialogs.messages.at(0).text, "Delete 5200 ?");
    EXPECT_EQ(f.dialogs.messages.at(0).title, "Remove platform");
    EXPECT_EQ(platforms.items(), (Names{"2600", "7800"}));
    EXPECT_EQ(platforms.listIndex(), -1);
    EXPECT_EQ(app.catalog().Man[0].Plat[1].RomPath, "/roms/7800/");
    EXPECT_EQ(app.catalog().Man[0].LastPlat, 1);

    select(app, 1, 0);
    run(app, "M_plat_rem"); // the menu then selects the first manufacturer
    EXPECT_EQ(makers.listIndex(), 0);
    EXPECT_EQ(platforms.items(), (Names{"2600", "7800"}));
    EXPECT_EQ(app.catalog().Man[1].LastPlat, -1);

    platforms.userClickRow(0);
    run(app, "M_plat_rem"); // answered No
    EXPECT_EQ(platforms.count(), 2);
    EXPECT_EQ(platforms.listIndex(), -1);
}

TEST(EmulatorEditing, AddAsksForTheFileThenTheNameUpToFiftyOneAndRemoveRefills)
{
    AppFixture f{SystemKind::Posix};
    f.writeAppFile("DATA.txt", catalogText({{"Nintendo", {"NES"}}}, numbered("E", 50)) +
                                   catalogText({{"Sega", {"SMS"}}}, {"Only"}));
    auto &app = f.start();
    auto &emulators = app.listBox("Emu_L");
    select(app, 0);
    run(app, "AddEmu_B");
    EXPECT_EQ(messageTexts(f.dialogs), Names{"Choose a platform"});

    app.listBox("plat_list_L").userClickRow(0);
    f.dialogs.fileAnswers = {"/opt/emu/fceux", "", "/opt/emu/nestopia"};
    f.dialogs.inputAnswers = {"", "Nestopia"};
    run(app, "AddEmu_B"); // name cancelled: the path stays shown
    EXPECT_EQ(app.textBox("EPath_I").text(), "/opt/emu/fceux");
    EXPECT_EQ(f.dialogs.inputs.at(0), (Input{"Enter new emulator name", "New Emulator"}));
    run(app, "M_emu_add"); // file cancelled: no name asked
    EXPECT_EQ(app.textBox("EPath_I").text(), "");
    EXPECT_EQ(f.dialogs.inputs.size(), 1u);
    run(app, "AddEmu_B");
    EXPECT_EQ(emulators.count(), 51);
    const auto &platform = app.catalog().Man[0].Plat[0];
    EXPECT_EQ(platform.Emu[50].Name, "Nestopia");
    EXPECT_EQ(platform.Emu[50].Path, "/opt/emu/nestopia");
    EXPECT_EQ(platform.LastEmu, 50);
    run(app, "AddEmu_B");
    EXPECT_EQ(messageTexts(f.dialogs).back(),
              "A maximum of 51 emulators per platform is supported.");
    EXPECT_EQ(f.dialogs.fileFilters.size(), 3u);

    f.dialogs.messages.clear();
    select(app, 1, 0, 0);
    run(app, "M_emu_rem"); // answered No
    EXPECT_EQ(emulators.listIndex(), 0);
    app.listBox("Flist_L").addItems({"rom.nes"});
    f.dialogs.messageAnswers = {MessageResult::Yes};
    run(app, "RemoveEmu_B");
    EXPECT_EQ(f.dialogs.messages.at(1).text, "Delete Only ?");
    EXPECT_EQ(f.dialogs.messages.at(1).title, "Remove emulator");
    EXPECT_EQ(emulators.count(), 0);
    EXPECT_EQ(app.catalog().Man[1].Plat[0].LastEmu, -1);
    EXPECT_EQ(app.listBox("Flist_L").count(), 0) << "emptied until the platform is chosen again";
    EXPECT_EQ(app.listBox("plat_list_L").listIndex(), 0);
}

TEST(PathButtons, StoreTheFolderWithOneMoreSeparatorAndTheSelectedEmulatorsFile)
{
    for (const auto kind : {SystemKind::Windows, SystemKind::Posix}) {
        const bool windows = kind == SystemKind::Windows;
        AppFixture f{kind};
        f.writeAppFile("DATA.txt", catalogText({{"Nintendo", {"NES", "SNES"}}}, {"A", "B"}));
        auto &app = f.start();
        run(app, "edit_path_B");
        select(app, 0, 1);
        run(app, "CommandButton1_B");
        EXPECT_EQ(messageTexts(f.dialogs), (Names{"Choose a platform", "Choose an emulator"}));
        EXPECT_EQ(f.dialogs.messages[0].title, "No Platform selected");

        app.listBox("Flist_L").addItems({"old.smc"});
        f.dialogs.folderAnswers = {windows ? "D:\\Roms\\SNES" : "/srv/My Roms", "",
                                   windows ? "E:\\" : "/"};
        const auto &platform = app.catalog().Man[0].Plat[1];
        run(app, "edit_path_B");
        EXPECT_EQ(f.dialogs.folderTitles.at(0), "Select a ROM Folder");
        const std::string stored = windows ? "D:\\Roms\\SNES\\" : "/srv/My Roms/";
        EXPECT_EQ(app.textBox("RPath_I").text(), stored);
        EXPECT_EQ(platform.RomPath, stored);
        EXPECT_EQ(app.catalog().Man[0].Plat[0].RomPath, "/roms/NES/");
        EXPECT_EQ(app.listBox("Flist_L").items(), Names{"old.smc"})
            << "the new folder is listed at the next platform click";
        run(app, "edit_path_B"); // cancelled
        EXPECT_EQ(platform.RomPath, stored);
        run(app, "edit_path_B");
        EXPECT_EQ(platform.RomPath, windows ? "E:\\\\" : "//");

        app.listBox("Emu_L").userClickRow(1);
        const std::string program = windows ? "C:\\Emu\\run.bat" : "/opt/run me";
        f.dialogs.fileAnswers = {program, ""};
        run(app, "CommandButton1_B");
        run(app, "CommandButton1_B"); // cancelled
        EXPECT_EQ(f.dialogs.fileFilters.at(0), windows
                                                   ? "exe files (*.exe)|*.exe|All files (*.*)|*.*"
                                                   : "exe files (*)|*|All files (*)|*");
        EXPECT_EQ(app.textBox("EPath_I").text(), program);
        EXPECT_EQ(platform.Emu[1].Path, program);
        EXPECT_EQ(platform.Emu[0].Path, "A.exe");
        EXPECT_EQ(app.listBox("Emu_L").listIndex(), 1);
    }
}

class ChooserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.writeAppFile("DATA.txt", catalogText({{"Sega", {"Saturn"}}, {"SNK", {}}}));
        for (const char *file :
             {"Arcade.htm", "Dreamcast.htm", ".hidden.htm", "dir.htm/x.htm", "abc",
              "Arcade.corrections.txt"})
            f.writeAppFile(std::string("wikigameslists/") + file, "A\r\n");
    }

    /// The main window's add-platform command, then the system's activation.
    Form &openChooser(int manufacturer)
    {
        f.app().listBox("manu_L").userClickRow(manufacturer);
        run(f.app(), "AddPlat_B");
        f.app().form2().userActivate();
        return f.app().form2();
    }

    ComboBox &lists() { return f.app().form2().get<ComboBox>("cb_L"); }
    TextBox &custom() { return f.app().form2().get<TextBox>("T_I"); }
    void press(const char *button) { f.app().form2().find(button)->raiseClick(); }

    AppFixture f{SystemKind::Posix};
};

TEST_F(ChooserTest, ChosenListOrCustomNameBecomesThePlatform)
{
    auto &app = f.start();
    auto &form = openChooser(0);
    // A list is named by its file name less the last four characters ("abc" gives ""); the
    // user's title choices beside the lists name no platform.
    EXPECT_EQ(sorted(lists().items()), (Names{"", "Arcade", "Dreamcast"}));
    const auto &items = lists().items();
    lists().userClickRow(int(std::find(items.begin(), items.end(), "Arcade") - items.begin()));
    press("cd_B");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(app.catalog().Man[0].Plat[1].Name, "Arcade");
    EXPECT_EQ(app.listBox("plat_list_L").items(), (Names{"Saturn", "Arcade"}));
    EXPECT_EQ(app.textBox("ajout").text(), "0") << "the main window took the new platform";

    openChooser(1);
    custom().setText("Neo Geo");
    press("cd_B");
    EXPECT_EQ(app.catalog().Man[1].Plat[0].Name, "Neo Geo");
}

TEST_F(ChooserTest, OneFieldExactlyOrNothingHappens)
{
    auto &app = f.start();
    auto &form = openChooser(0);
    press("cd_B");
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
    EXPECT_EQ(sorted(lists().items()), (Names{"", "Arcade", "Dreamcast", "Game Gear"}));

    // The main window changed while the chooser stayed open.
    custom().setText("Mega Drive");
    app.listBox("manu_L").setListIndex(-1);
    press("cd_B");
    EXPECT_EQ(messageTexts(f.dialogs).back(), "Choose a Manufaturer");
    EXPECT_TRUE(form.isVisible());

    press("cs_B");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(app.textBox("ajout").text(), "0");
    EXPECT_EQ(app.catalog().Man[0].LastPlat, 0);
}

TEST_F(ChooserTest, ANameThatIsEmptyBeforeItsFirstLineBreakStopsTheWholeAdd)
{
    auto &app = f.start();
    for (const char *pasted : {"\nNeo Geo", "\r\n", "\rX"}) {
        auto &form = openChooser(0);
        custom().setText(pasted);
        press("cd_B");
        EXPECT_EQ(app.listBox("plat_list_L").items(), Names{"Saturn"}) << pasted;
        EXPECT_EQ(app.catalog().Man[0].LastPlat, 0) << pasted;
        EXPECT_NE(app.textBox("ajout").text(), "1") << pasted;
        EXPECT_TRUE(f.dialogs.messages.empty()) << "no \"Set ROMS path?\" for " << pasted;
        form.hide();
    }
    // The main window's completion stops too when the name it is handed is empty.
    app.listBox("manu_L").userClickRow(0);
    app.listBox("plat_list_L").addItem("");
    app.textBox("txt").setText("\nlate");
    app.textBox("ajout").setText("1");
    EXPECT_TRUE(f.dialogs.messages.empty());
    EXPECT_EQ(app.catalog().Man[0].LastPlat, 0);
    EXPECT_EQ(app.listBox("plat_list_L").items(), Names{"Saturn"});
    EXPECT_EQ(app.textBox("ajout").text(), "0");
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

} // namespace
} // namespace kestrova::testing
