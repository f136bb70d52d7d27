#include "editing_test_support.h"

#include "platform/list_box.h"
#include "platform/text_box.h"

#include <gtest/gtest.h>

namespace kestrova::testing {
namespace {

using Names = std::vector<std::string>;
using Input = std::pair<std::string, std::string>;

void click(Application &app, const std::string &button)
{
    app.control(button).raiseClick();
}

void menu(Application &app, const std::string &item)
{
    app.form1().menuBar().find(item)->userClick();
}

TEST(ManufacturerEditing, AddUpToFiftyOneAndRemove)
{
    AppFixture f;
    f.writeAppFile("DATA.txt", catalogText({{"Atari", {"2600"}}, {"Nintendo", {"NES", "SNES"}}}));
    auto &app = f.start();
    auto &makers = app.listBox("manu_L");
    const auto &catalog = app.catalog();
    makers.userClickRow(0);
    f.dialogs.inputAnswers = {"Sega", ""};
    click(app, "AddMan_B");
    menu(app, "M_man_add"); // cancelled
    EXPECT_EQ(makers.items(), (Names{"Atari", "Nintendo", "Sega"}));
    EXPECT_EQ(makers.listIndex(), 0);
    EXPECT_EQ(catalog.Man[2].Name, "Sega");
    EXPECT_EQ(f.dialogs.inputs.at(0), (Input{"Enter new manufacturer name", "New Manufacturer"}));

    f.dialogs.inputAnswers.assign(48, "Maker");
    for (int k = 0; k < 49; ++k)
        click(app, "AddMan_B");
    EXPECT_EQ(catalog.LastMan, 50);
    EXPECT_EQ(f.dialogs.inputs.size(), 50u) << "the 52nd is refused before asking";
    EXPECT_EQ(messageTexts(f.dialogs), Names{"A maximum of 51 manufacturers is supported."});

    f.dialogs.messageAnswers = {MessageResult::Yes};
    click(app, "RemoveMan_B");
    EXPECT_EQ(f.dialogs.messages.at(1).text,
              "are you sure you want to delete Atari ? All Platforms will also be erased.");
    EXPECT_EQ(f.dialogs.messages.at(1).title, "Delete manufacturer");
    EXPECT_EQ(makers.count(), 50);
    EXPECT_EQ(makers.listIndex(), -1);
    EXPECT_EQ(catalog.LastMan, 49);
    EXPECT_EQ(catalog.Man[0].Plat[1].RomPath, "/roms/SNES/") << "whole records move down";
    EXPECT_EQ(catalog.Man[50].Name, "");

    makers.userClickRow(0);
    menu(app, "M_man_rem"); // answered No: rebuilt, nothing selected
    EXPECT_EQ(makers.count(), 50);
    EXPECT_EQ(makers.listIndex(), -1);
}

TEST(ListEditing, RenameInPlaceKeepsTheSelection)
{
    AppFixture f;
    f.writeAppFile("DATA.txt", catalogText({{"Atari", {"2600"}}}, {"Stella"}));
    auto &app = f.start();
    menu(app, "M_man_ren");
    EXPECT_TRUE(f.dialogs.inputs.empty()) << "nothing selected";
    selectEmulator(app, 0, 0, 0);
    app.listBox("Flist_L").addItems({"Combat.a26"});
    f.dialogs.inputAnswers = {"Atari Inc.", "VCS", "", "Stella 7"};
    click(app, "EditMan_B");
    menu(app, "M_plat_ren");
    click(app, "EditEmu_B"); // cancelled
    menu(app, "M_emu_ren");
    EXPECT_EQ(f.dialogs.inputs, (std::vector<Input>{{"Rename Atari", "Rename manufacturer"},
                                                    {"Rename 2600", "Rename platform"},
                                                    {"Rename Stella", "Rename emulator"},
                                                    {"Rename Stella", "Rename emulator"}}));
    const auto &maker = app.catalog().Man[0];
    EXPECT_EQ((Names{maker.Name, maker.Plat[0].Name, maker.Plat[0].Emu[0].Name}),
              (Names{"Atari Inc.", "VCS", "Stella 7"}));
    for (const char *list : {"manu_L", "plat_list_L", "Emu_L"}) {
        EXPECT_EQ(app.listBox(list).count(), 1);
        EXPECT_EQ(app.listBox(list).listIndex(), 0);
    }
    EXPECT_EQ(app.listBox("plat_list_L").item(0), "VCS");
    EXPECT_EQ(app.listBox("Flist_L").items(), Names{"Combat.a26"});
}

TEST(PlatformEditing, AddIsRefusedOrShowsTheChooser)
{
    AppFixture f;
    Names fifty;
    for (int k = 0; k < 50; ++k)
        fifty.push_back("P" + std::to_string(k));
    f.writeAppFile("DATA.txt", catalogText({{"Full", fifty}, {"Small", {"One"}}}));
    auto &app = f.start();
    click(app, "AddPlat_B");
    app.listBox("manu_L").userClickRow(0);
    menu(app, "M_plat_add");
    EXPECT_EQ(messageTexts(f.dialogs),
              (Names{"Choose a Manufaturer", "A maximum of 50 platforms is supported."}));
    EXPECT_EQ(f.dialogs.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(app.form2().isVisible());
    app.listBox("manu_L").userClickRow(1);
    click(app, "AddPlat_B");
    EXPECT_TRUE(app.form2().isVisible());
}

TEST(PlatformEditing, RemoveFromTheMenuSelectsTheFirstManufacturer)
{
    AppFixture f;
    f.writeAppFile("DATA.txt",
                   catalogText({{"Atari", {"2600", "5200", "7800"}}, {"Nintendo", {"NES"}}}));
    auto &app = f.start();
    auto &makers = app.listBox("manu_L");
    auto &platforms = app.listBox("plat_list_L");
    selectEmulator(app, 0, 1, -1);
    f.dialogs.messageAnswers = {MessageResult::Yes, MessageResult::Yes};
    click(app, "RemovePlat_B");
    EXPECT_EQ(f.dialogs.messages.at(0).text, "Delete 5200 ?");
    EXPECT_EQ(f.dialogs.messages.at(0).title, "Remove platform");
    EXPECT_EQ(makers.listIndex(), 0);
    EXPECT_EQ(platforms.items(), (Names{"2600", "7800"}));
    EXPECT_EQ(platforms.listIndex(), -1);
    EXPECT_EQ(app.catalog().Man[0].Plat[1].RomPath, "/roms/7800/");
    EXPECT_EQ(app.catalog().Man[0].LastPlat, 1);

    selectEmulator(app, 1, 0, -1);
    menu(app, "M_plat_rem");
    EXPECT_EQ(makers.listIndex(), 0);
    EXPECT_EQ(platforms.items(), (Names{"2600", "7800"}));
    EXPECT_EQ(app.catalog().Man[1].LastPlat, -1);

    platforms.userClickRow(0);
    menu(app, "M_plat_rem"); // answered No
    EXPECT_EQ(platforms.count(), 2);
    EXPECT_EQ(platforms.listIndex(), -1);
}

TEST(EmulatorEditing, AddAsksForTheFileThenTheNameUpToFiftyOne)
{
    AppFixture f{SystemKind::Posix};
    Names fifty;
    for (int k = 0; k < 50; ++k)
        fifty.push_back("E" + std::to_string(k));
    f.writeAppFile("DATA.txt", catalogText({{"Nintendo", {"NES"}}}, fifty));
    auto &app = f.start();
    auto &emulators = app.listBox("Emu_L");
    app.listBox("manu_L").userClickRow(0);
    click(app, "AddEmu_B");
    EXPECT_EQ(messageTexts(f.dialogs), Names{"Choose a platform"});
    EXPECT_EQ(f.dialogs.messages[0].icon, MessageIcon::Exclamation);

    app.listBox("plat_list_L").userClickRow(0);
    f.dialogs.fileAnswers = {"/opt/emu/fceux", "", "/opt/emu/nestopia"};
    f.dialogs.inputAnswers = {"", "Nestopia"};
    click(app, "AddEmu_B"); // name cancelled: the path stays shown
    EXPECT_EQ(app.textBox("EPath_I").text(), "/opt/emu/fceux");
    EXPECT_EQ(f.dialogs.fileFilters.at(0), "exe files (*)|*|All files (*)|*");
    EXPECT_EQ(f.dialogs.inputs.at(0), (Input{"Enter new emulator name", "New Emulator"}));
    menu(app, "M_emu_add"); // file cancelled: no name asked
    EXPECT_EQ(app.textBox("EPath_I").text(), "");
    EXPECT_EQ(f.dialogs.inputs.size(), 1u);
    click(app, "AddEmu_B");
    EXPECT_EQ(emulators.count(), 51);
    EXPECT_EQ(emulators.listIndex(), -1);
    const auto &platform = app.catalog().Man[0].Plat[0];
    EXPECT_EQ(platform.Emu[50].Name, "Nestopia");
    EXPECT_EQ(platform.Emu[50].Path, "/opt/emu/nestopia");
    EXPECT_EQ(platform.LastEmu, 50);

    click(app, "AddEmu_B");
    EXPECT_EQ(messageTexts(f.dialogs).back(),
              "A maximum of 51 emulators per platform is supported.");
    EXPECT_EQ(f.dialogs.fileFilters.size(), 3u);
}

TEST(EmulatorEditing, RemovingTheOnlyOneRefillsThePlatform)
{
    AppFixture f;
    f.writeAppFile("DATA.txt", catalogText({{"Nintendo", {"NES"}}}, {"Only"}));
    auto &app = f.start();
    auto &emulators = app.listBox("Emu_L");
    selectEmulator(app, 0, 0, 0);
    menu(app, "M_emu_rem"); // answered No
    EXPECT_EQ(emulators.listIndex(), 0);
    app.listBox("Flist_L").addItems({"rom.nes"});
    f.dialogs.messageAnswers = {MessageResult::Yes};
    click(app, "RemoveEmu_B");
    EXPECT_EQ(f.dialogs.messages.at(1).text, "Delete Only ?");
    EXPECT_EQ(f.dialogs.messages.at(1).title, "Remove emulator");
    EXPECT_EQ(emulators.count(), 0);
    EXPECT_EQ(app.catalog().Man[0].Plat[0].LastEmu, -1);
    EXPECT_EQ(app.listBox("Flist_L").count(), 0) << "emptied until the platform is chosen again";
    EXPECT_EQ(app.listBox("plat_list_L").listIndex(), 0);
}

} // namespace
} // namespace kestrova::testing
