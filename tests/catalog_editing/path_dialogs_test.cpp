#include "editing_test_support.h"

#include "platform/list_box.h"
#include "platform/text_box.h"

#include <gtest/gtest.h>

namespace kestrova::testing {
namespace {

TEST(RomFolderButton, StoresTheFolderWithOneMoreSeparator)
{
    AppFixture f{SystemKind::Windows};
    f.writeAppFile("DATA.txt", catalogText({{"Nintendo", {"NES", "SNES"}}}));
    auto &app = f.start();
    auto &button = app.control("edit_path_B");
    button.raiseClick();
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, "Choose a platform");
    EXPECT_EQ(f.dialogs.messages[0].title, "No Platform selected");
    EXPECT_EQ(f.dialogs.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(f.dialogs.folderTitles.empty());

    app.listBox("manu_L").userClickRow(0);
    app.listBox("plat_list_L").userClickRow(1);
    app.listBox("Flist_L").addItems({"old.smc"});
    f.dialogs.folderAnswers = {"D:\\Roms\\SNES", "", "E:\\"};
    button.raiseClick();
    EXPECT_EQ(f.dialogs.folderTitles.at(0), "Select a ROM Folder");
    EXPECT_EQ(app.textBox("RPath_I").text(), "D:\\Roms\\SNES\\");
    const auto &catalog = app.catalog();
    EXPECT_EQ(catalog.Man[0].Plat[1].RomPath, "D:\\Roms\\SNES\\");
    EXPECT_EQ(catalog.Man[0].Plat[0].RomPath, "/roms/NES/");
    EXPECT_EQ(app.listBox("Flist_L").items(), std::vector<std::string>{"old.smc"})
        << "the new folder is listed at the next platform click";

    button.raiseClick(); // cancelled
    EXPECT_EQ(catalog.Man[0].Plat[1].RomPath, "D:\\Roms\\SNES\\");
    button.raiseClick();
    EXPECT_EQ(catalog.Man[0].Plat[1].RomPath, "E:\\\\");
    EXPECT_EQ(f.dialogs.messages.size(), 1u);
}

TEST(RomFolderButton, UsesTheSystemSeparator)
{
    AppFixture f{SystemKind::Posix};
    f.writeAppFile("DATA.txt", catalogText({{"Nintendo", {"NES"}}}));
    auto &app = f.start();
    app.listBox("manu_L").userClickRow(0);
    app.listBox("plat_list_L").userClickRow(0);
    f.dialogs.folderAnswers = {"/srv/My Roms"};
    app.control("edit_path_B").raiseClick();
    EXPECT_EQ(app.catalog().Man[0].Plat[0].RomPath, "/srv/My Roms/");
}

TEST(EmulatorFileButton, ChangesOnlyTheSelectedEmulator)
{
    AppFixture f{SystemKind::Windows};
    f.writeAppFile("DATA.txt", catalogText({{"Nintendo", {"NES"}}}, {"First", "Second"}));
    auto &app = f.start();
    auto &button = app.control("CommandButton1_B");
    app.listBox("manu_L").userClickRow(0);
    app.listBox("plat_list_L").userClickRow(0);
    button.raiseClick();
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, "Choose an emulator");
    EXPECT_EQ(f.dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(f.dialogs.messages[0].title, "");

    auto &emulators = app.listBox("Emu_L");
    emulators.userClickRow(1);
    f.dialogs.fileAnswers = {"C:\\Emu\\run.bat", ""};
    button.raiseClick();
    EXPECT_EQ(f.dialogs.fileFilters.at(0), "exe files (*.exe)|*.exe|All files (*.*)|*.*");
    EXPECT_EQ(app.textBox("EPath_I").text(), "C:\\Emu\\run.bat");
    const auto &platform = app.catalog().Man[0].Plat[0];
    EXPECT_EQ(platform.Emu[1].Path, "C:\\Emu\\run.bat");
    EXPECT_EQ(platform.Emu[0].Path, "First.exe");
    EXPECT_EQ(emulators.listIndex(), 1);

    button.raiseClick(); // cancelled
    EXPECT_EQ(platform.Emu[1].Path, "C:\\Emu\\run.bat");
    EXPECT_EQ(app.textBox("EPath_I").text(), "C:\\Emu\\run.bat");
}

} // namespace
} // namespace kestrova::testing
