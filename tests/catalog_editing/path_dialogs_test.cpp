#include "editing_test_support.h"

#include "platform/list_box.h"
#include "platform/text_box.h"

#include <gtest/gtest.h>

namespace kestrova::testing {
namespace {

TEST(RomFolderButton, StoresTheFolderWithOneMoreSeparator)
{
    for (const auto kind : {SystemKind::Windows, SystemKind::Posix}) {
        AppFixture f{kind};
        f.writeAppFile("DATA.txt", catalogText({{"Nintendo", {"NES", "SNES"}}}));
        auto &app = f.start();
        auto &button = app.control("edit_path_B");
        button.raiseClick();
        ASSERT_EQ(f.dialogs.messages.size(), 1u);
        EXPECT_EQ(f.dialogs.messages[0].text, "Choose a platform");
        EXPECT_EQ(f.dialogs.messages[0].title, "No Platform selected");
        EXPECT_EQ(f.dialogs.messages[0].icon, MessageIcon::Exclamation);

        selectEmulator(app, 0, 1, -1);
        app.listBox("Flist_L").addItems({"old.smc"});
        const bool windows = kind == SystemKind::Windows;
        f.dialogs.folderAnswers = {windows ? "D:\\Roms\\SNES" : "/srv/My Roms", "",
                                   windows ? "E:\\" : "/"};
        const auto &platforms = app.catalog().Man[0].Plat;
        button.raiseClick();
        EXPECT_EQ(f.dialogs.folderTitles.at(0), "Select a ROM Folder");
        const std::string stored = windows ? "D:\\Roms\\SNES\\" : "/srv/My Roms/";
        EXPECT_EQ(app.textBox("RPath_I").text(), stored);
        EXPECT_EQ(platforms[1].RomPath, stored);
        EXPECT_EQ(platforms[0].RomPath, "/roms/NES/");
        EXPECT_EQ(app.listBox("Flist_L").items(), std::vector<std::string>{"old.smc"})
            << "the new folder is listed at the next platform click";
        button.raiseClick(); // cancelled
        EXPECT_EQ(platforms[1].RomPath, stored);
        button.raiseClick();
        EXPECT_EQ(platforms[1].RomPath, windows ? "E:\\\\" : "//");
    }
}

TEST(EmulatorFileButton, ChangesOnlyTheSelectedEmulator)
{
    AppFixture f{SystemKind::Windows};
    f.writeAppFile("DATA.txt", catalogText({{"Nintendo", {"NES"}}}, {"First", "Second"}));
    auto &app = f.start();
    auto &button = app.control("CommandButton1_B");
    selectEmulator(app, 0, 0, -1);
    button.raiseClick();
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, "Choose an emulator");
    EXPECT_EQ(f.dialogs.messages[0].icon, MessageIcon::None);

    app.listBox("Emu_L").userClickRow(1);
    f.dialogs.fileAnswers = {"C:\\Emu\\run.bat", ""};
    button.raiseClick();
    button.raiseClick(); // cancelled
    EXPECT_EQ(f.dialogs.fileFilters.at(0), "exe files (*.exe)|*.exe|All files (*.*)|*.*");
    EXPECT_EQ(app.textBox("EPath_I").text(), "C:\\Emu\\run.bat");
    const auto &platform = app.catalog().Man[0].Plat[0];
    EXPECT_EQ(platform.Emu[1].Path, "C:\\Emu\\run.bat");
    EXPECT_EQ(platform.Emu[0].Path, "First.exe");
    EXPECT_EQ(app.listBox("Emu_L").listIndex(), 1);
}

} // namespace
} // namespace kestrova::testing
