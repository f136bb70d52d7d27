#include "editing_test_support.h"

#include "platform/list_box.h"
#include "platform/text_box.h"

#include <gtest/gtest.h>

namespace kestrova::testing {
namespace {

void click(Application &app, const std::string &button)
{
    app.control(button).raiseClick();
}

void menu(Application &app, const std::string &item)
{
    app.form1().menuBar().find(item)->userClick();
}

TEST(ManufacturerEditing, AddRenameAndTheFiftyOneLimit)
{
    AppFixture f;
    f.writeAppFile("DATA.txt", catalogText({{"Atari", {"2600"}}, {"Nintendo", {"NES"}}}));
    auto &app = f.start();
    auto &makers = app.listBox("manu_L");
    makers.userClickRow(0);

    f.dialogs.inputAnswers = {"Sega", ""};
    click(app, "AddMan_B");
    menu(app, "M_man_add");
    EXPECT_EQ(makers.items(), (std::vector<std::string>{"Atari", "Nintendo", "Sega"}));
    EXPECT_EQ(makers.listIndex(), 0);
    EXPECT_EQ(app.catalog().LastMan, 2);
    EXPECT_EQ(app.catalog().Man[2].Name, "Sega");
    ASSERT_EQ(f.dialogs.inputs.size(), 2u);
    EXPECT_EQ(f.dialogs.inputs[0], (std::pair<std::string, std::string>{
                                       "Enter new manufacturer name", "New Manufacturer"}));

    makers.userClickRow(1);
    f.dialogs.inputAnswers = {"Nintendo Co.", ""};
    menu(app, "M_man_ren");
    click(app, "EditMan_B");
    EXPECT_EQ(f.dialogs.inputs[2],
              (std::pair<std::string, std::string>{"Rename Nintendo", "Rename manufacturer"}));
    EXPECT_EQ(makers.item(1), "Nintendo Co.");
    EXPECT_EQ(makers.listIndex(), 1);
    EXPECT_EQ(app.catalog().Man[1].Name, "Nintendo Co.");
    EXPECT_EQ(app.listBox("plat_list_L").items(), std::vector<std::string>{"NES"});

    // Fill every slot: the 52nd is refused before anything is asked.
    f.dialogs.inputAnswers.assign(48, "Maker");
    for (int k = 0; k < 48; ++k)
        click(app, "AddMan_B");
    EXPECT_EQ(app.catalog().LastMan, 50);
    const size_t asked = f.dialogs.inputs.size();
    click(app, "AddMan_B");
    EXPECT_EQ(f.dialogs.inputs.size(), asked);
    EXPECT_EQ(messageTexts(f.dialogs),
              std::vector<std::string>{"A maximum of 51 manufacturers is supported."});
    EXPECT_EQ(makers.count(), 51);
}

TEST(ManufacturerEditing, RemoveMovesTheFollowingRecordsDown)
{
    AppFixture f;
    f.writeAppFile(
        "DATA.txt",
        catalogText({{"Atari", {"2600"}}, {"Nintendo", {"NES", "SNES"}}, {"Sega", {"Saturn"}}}));
    auto &app = f.start();
    auto &makers = app.listBox("manu_L");
    makers.userClickRow(0);
    f.dialogs.messageAnswers = {MessageResult::Yes};
    click(app, "RemoveMan_B");
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text,
              "are you sure you want to delete Atari ? All Platforms will also be erased.");
    EXPECT_EQ(f.dialogs.messages[0].title, "Delete manufacturer");
    EXPECT_EQ(f.dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(makers.items(), (std::vector<std::string>{"Nintendo", "Sega"}));
    EXPECT_EQ(makers.listIndex(), -1);
    const auto &catalog = app.catalog();
    EXPECT_EQ(catalog.LastMan, 1);
    EXPECT_EQ(catalog.Man[0].Plat[1].Name, "SNES");
    EXPECT_EQ(catalog.Man[0].Plat[1].RomPath, "/roms/SNES/");
    EXPECT_EQ(catalog.Man[2].Name, "");
    EXPECT_EQ(app.listBox("plat_list_L").count(), 0);

    makers.userClickRow(1);
    menu(app, "M_man_rem"); // answered No
    EXPECT_EQ(makers.items(), (std::vector<std::string>{"Nintendo", "Sega"}));
    EXPECT_EQ(makers.listIndex(), -1);
    EXPECT_EQ(catalog.LastMan, 1);

    click(app, "RemoveMan_B"); // nothing selected
    EXPECT_EQ(f.dialogs.messages.size(), 2u);
}

TEST(PlatformEditing, RemoveFromTheMenuSelectsTheFirstManufacturer)
{
    AppFixture f;
    f.writeAppFile("DATA.txt",
                   catalogText({{"Atari", {"2600", "5200", "7800"}}, {"Nintendo", {"NES"}}}));
    auto &app = f.start();
    auto &makers = app.listBox("manu_L");
    auto &platforms = app.listBox("plat_list_L");

    makers.userClickRow(0);
    platforms.userClickRow(1);
    f.dialogs.messageAnswers = {MessageResult::Yes};
    click(app, "RemovePlat_B");
    EXPECT_EQ(f.dialogs.messages.at(0).text, "Delete 5200 ?");
    EXPECT_EQ(f.dialogs.messages.at(0).title, "Remove platform");
    EXPECT_EQ(makers.listIndex(), 0);
    EXPECT_EQ(platforms.items(), (std::vector<std::string>{"2600", "7800"}));
    EXPECT_EQ(platforms.listIndex(), -1);
    EXPECT_EQ(app.catalog().Man[0].Plat[1].RomPath, "/roms/7800/");
    EXPECT_EQ(app.catalog().Man[0].LastPlat, 1);

    makers.userClickRow(1);
    platforms.userClickRow(0);
    f.dialogs.messageAnswers = {MessageResult::Yes};
    menu(app, "M_plat_rem");
    EXPECT_EQ(makers.listIndex(), 0);
    EXPECT_EQ(platforms.items(), (std::vector<std::string>{"2600", "7800"}));
    EXPECT_EQ(app.catalog().Man[1].LastPlat, -1);
    EXPECT_EQ(app.catalog().Man[1].Plat[0].Name, "");

    platforms.userClickRow(0);
    menu(app, "M_plat_rem"); // answered No
    EXPECT_EQ(platforms.count(), 2);
    EXPECT_EQ(platforms.listIndex(), -1);
    EXPECT_EQ(makers.listIndex(), 0);
}

TEST(PlatformEditing, RenameKeepsTheSelectionAndTheRomList)
{
    AppFixture f;
    f.writeAppFile("DATA.txt", catalogText({{"Atari", {"2600"}}}));
    auto &app = f.start();
    app.listBox("manu_L").userClickRow(0);
    auto &platforms = app.listBox("plat_list_L");
    menu(app, "M_plat_ren");
    EXPECT_TRUE(f.dialogs.inputs.empty()) << "nothing selected";
    platforms.userClickRow(0);
    app.listBox("Flist_L").addItems({"Combat.a26"});
    f.dialogs.inputAnswers = {"VCS"};
    click(app, "EditPlat_B");
    EXPECT_EQ(f.dialogs.inputs.at(0),
              (std::pair<std::string, std::string>{"Rename 2600", "Rename platform"}));
    EXPECT_EQ(platforms.items(), std::vector<std::string>{"VCS"});
    EXPECT_EQ(platforms.listIndex(), 0);
    EXPECT_EQ(app.catalog().Man[0].Plat[0].Name, "VCS");
    EXPECT_EQ(app.listBox("Flist_L").items(), std::vector<std::string>{"Combat.a26"});
}

TEST(PlatformEditing, AddShowsTheChooserUnlessRefused)
{
    AppFixture f;
    std::vector<std::string> fifty;
    for (int k = 0; k < 50; ++k)
        fifty.push_back("P" + std::to_string(k));
    f.writeAppFile("DATA.txt", catalogText({{"Full", fifty}, {"Small", {"One"}}}));
    auto &app = f.start();
    click(app, "AddPlat_B");
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, "Choose a Manufaturer");
    EXPECT_EQ(f.dialogs.messages[0].icon, MessageIcon::Exclamation);
    app.listBox("manu_L").userClickRow(0);
    menu(app, "M_plat_add");
    EXPECT_EQ(f.dialogs.messages.at(1).text, "A maximum of 50 platforms is supported.");
    EXPECT_EQ(f.dialogs.messages.at(1).buttons, MessageButtons::Ok);
    EXPECT_FALSE(app.form2().isVisible());
    app.listBox("manu_L").userClickRow(1);
    click(app, "AddPlat_B");
    EXPECT_TRUE(app.form2().isVisible());
    EXPECT_EQ(f.dialogs.messages.size(), 2u);
}

class EmulatorEditingTest : public ::testing::Test
{
protected:
    Application &start(SystemKind kind, const std::vector<std::string> &emulators)
    {
        f = std::make_unique<AppFixture>(kind);
        f->writeAppFile("DATA.txt", catalogText({{"Nintendo", {"NES"}}}, emulators));
        auto &app = f->start();
        app.listBox("manu_L").userClickRow(0);
        return app;
    }

    std::unique_ptr<AppFixture> f;
};

TEST_F(EmulatorEditingTest, AddAsksForTheFileThenTheName)
{
    auto &app = start(SystemKind::Posix, {"Old"});
    auto &emulators = app.listBox("Emu_L");
    click(app, "AddEmu_B");
    EXPECT_EQ(messageTexts(f->dialogs), std::vector<std::string>{"Choose a platform"});
    EXPECT_EQ(f->dialogs.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(f->dialogs.fileFilters.empty());

    app.listBox("plat_list_L").userClickRow(0);
    f->dialogs.fileAnswers = {"/opt/emu/fceux", "", "/opt/emu/nestopia"};
    f->dialogs.inputAnswers = {""};
    click(app, "AddEmu_B"); // name cancelled
    EXPECT_EQ(app.textBox("EPath_I").text(), "/opt/emu/fceux");
    EXPECT_EQ(emulators.items(), std::vector<std::string>{"Old"});
    EXPECT_EQ(f->dialogs.fileFilters.at(0), "exe files (*)|*|All files (*)|*");
    EXPECT_EQ(f->dialogs.inputs.at(0),
              (std::pair<std::string, std::string>{"Enter new emulator name", "New Emulator"}));

    menu(app, "M_emu_add"); // file cancelled: no name asked
    EXPECT_EQ(app.textBox("EPath_I").text(), "");
    EXPECT_EQ(f->dialogs.inputs.size(), 1u);

    f->dialogs.inputAnswers = {"Nestopia"};
    click(app, "AddEmu_B");
    EXPECT_EQ(emulators.items(), (std::vector<std::string>{"Old", "Nestopia"}));
    EXPECT_EQ(emulators.listIndex(), -1);
    const auto &platform = app.catalog().Man[0].Plat[0];
    EXPECT_EQ(platform.Emu[1].Name, "Nestopia");
    EXPECT_EQ(platform.Emu[1].Path, "/opt/emu/nestopia");
    EXPECT_EQ(platform.LastEmu, 1);
}

TEST_F(EmulatorEditingTest, FiftyOneEmulatorsAreTheLimit)
{
    std::vector<std::string> many;
    for (int k = 0; k < 51; ++k)
        many.push_back("E" + std::to_string(k));
    auto &app = start(SystemKind::Windows, many);
    app.listBox("plat_list_L").userClickRow(0);
    click(app, "AddEmu_B");
    EXPECT_EQ(messageTexts(f->dialogs),
              std::vector<std::string>{"A maximum of 51 emulators per platform is supported."});
    EXPECT_TRUE(f->dialogs.fileFilters.empty());

    app.listBox("Emu_L").userClickRow(50);
    f->dialogs.inputAnswers = {"Last"};
    click(app, "EditEmu_B");
    EXPECT_EQ(f->dialogs.inputs.at(0).second, "Rename emulator");
    EXPECT_EQ(app.catalog().Man[0].Plat[0].Emu[50].Name, "Last");
    EXPECT_EQ(app.listBox("Emu_L").item(50), "Last");
}

TEST_F(EmulatorEditingTest, RemoveRefillsThePlatformsLists)
{
    auto &app = start(SystemKind::Windows, {"Only"});
    app.listBox("plat_list_L").userClickRow(0);
    auto &emulators = app.listBox("Emu_L");
    emulators.userClickRow(0);
    menu(app, "M_emu_rem"); // answered No
    EXPECT_EQ(emulators.count(), 1);
    EXPECT_EQ(emulators.listIndex(), 0);
    app.listBox("Flist_L").addItems({"rom.nes"});
    f->dialogs.messageAnswers = {MessageResult::Yes};
    click(app, "RemoveEmu_B");
    EXPECT_EQ(f->dialogs.messages.at(1).text, "Delete Only ?");
    EXPECT_EQ(f->dialogs.messages.at(1).title, "Remove emulator");
    EXPECT_EQ(emulators.count(), 0);
    EXPECT_EQ(emulators.listIndex(), -1);
    EXPECT_EQ(app.catalog().Man[0].Plat[0].LastEmu, -1);
    EXPECT_EQ(app.listBox("Flist_L").count(), 0);
    EXPECT_EQ(app.listBox("plat_list_L").listIndex(), 0);
}

} // namespace
} // namespace kestrova::testing
