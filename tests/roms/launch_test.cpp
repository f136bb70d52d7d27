#include "roms_test_support.h"

#include "platform/list_box.h"
#include "platform/text_box.h"

#include <gtest/gtest.h>

namespace kestrova::testing {
namespace {

const std::string kSent = "COMMAND SENT TO THE EMULATOR";
const std::string kChooseEmulator = "Choose an emulator to launch a game";

/// One platform whose ROM folder and emulator live in the test's folder.
class LaunchTest : public ::testing::Test
{
protected:
    void prepare(const std::string &romFolderName, const std::vector<std::string> &roms,
                 const std::string &emulatorFile = "emu dir (1)/émulateur 'x\".sh")
    {
        for (const auto &rom : roms)
            f.dir.write(romFolderName + "/" + rom, "rom");
        emulator = fromPath(f.dir.write(emulatorFile, "#!/bin/sh\n"));
        setExecutable(toPath(emulator), true);
        romFolder = folderText(f.dir.path() / toPath(romFolderName));
        const TestPlatform platform{"Console", romFolder, {{"Emu", emulator}}, {roms.front()}};
        f.writeAppFile("DATA.txt", manufacturerLines("Maker", {platform}));
    }

    Application &startOnPlatform()
    {
        auto &app = f.start();
        selectPlatform(app, 0, 0);
        return app;
    }

    void doubleClickRom(Application &app, const std::string &name)
    {
        auto &roms = app.listBox("Flist_L");
        roms.setListIndex(positionOf(roms, name));
        ASSERT_NE(roms.listIndex(), -1) << name;
        roms.userDoubleClick();
    }

    AppFixture f{SystemKind::Posix};
    std::string emulator;
    std::string romFolder;
};

TEST_F(LaunchTest, RomPathIsOneArgumentWhateverTheNameHolds)
{
    const std::vector<std::string> names = {
        "Super Game (E).smc", "Quote \"this\" & 'that'.smc", "Pokémon Édition Ωmega.gb",
        "semi;colon $(touch x) `y`.nes", "-starts-with-dash.nes"};
    prepare("My Roms (Europe) \"Ünïcode\"", names);
    auto &app = startOnPlatform();
    app.listBox("Emu_L").userClickRow(0);
    ASSERT_EQ(app.textBox("EPath_I").text(), emulator);
    for (const auto &name : names) {
        f.shell.launches.clear();
        app.control("m_M").setCaption("");
        doubleClickRom(app, name);
        ASSERT_EQ(f.shell.launches.size(), 1u) << name;
        const auto &launch = f.shell.launches.front();
        EXPECT_EQ(launch.program, emulator);
        EXPECT_EQ(launch.arguments, std::vector<std::string>{romFolder + name});
        EXPECT_TRUE(launch.minimized);
        EXPECT_EQ(app.control("m_M").caption(), kSent);
    }
    EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST_F(LaunchTest, FavouritesLaunchFromTheFolderNowShown)
{
    prepare("roms", {"Fav Game (U).nes"});
    auto &app = startOnPlatform();
    app.listBox("Emu_L").userClickRow(0);
    // The favourite keeps only its name, so it follows a changed ROM folder.
    app.textBox("RPath_I").setText("/elsewhere/");
    auto &favourites = app.listBox("FavList_L");
    favourites.userDoubleClick();
    EXPECT_TRUE(f.shell.launches.empty()) << "nothing selected";
    favourites.userClickRow(0);
    favourites.userDoubleClick();
    ASSERT_EQ(f.shell.launches.size(), 1u);
    EXPECT_EQ(f.shell.launches[0].arguments,
              std::vector<std::string>{"/elsewhere/Fav Game (U).nes"});
}

TEST_F(LaunchTest, EmulatorDoubleClickStartsItAlone)
{
    prepare("roms", {"a.nes"});
    auto &app = startOnPlatform();
    auto &emulators = app.listBox("Emu_L");
    emulators.userDoubleClick();
    EXPECT_TRUE(f.shell.launches.empty()) << "no emulator selected";
    emulators.userClickRow(0);
    emulators.userDoubleClick();
    ASSERT_EQ(f.shell.launches.size(), 1u);
    EXPECT_EQ(f.shell.launches[0].program, emulator);
    EXPECT_TRUE(f.shell.launches[0].arguments.empty());
    EXPECT_TRUE(f.shell.launches[0].minimized);
    EXPECT_EQ(app.control("m_M").caption(), "");
}

TEST_F(LaunchTest, NoEmulatorSelectedAsksOnceAndStartsNothing)
{
    prepare("roms", {"a.nes"});
    auto &app = startOnPlatform();
    app.control("m_M").setCaption("before");
    doubleClickRom(app, "a.nes");
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, kChooseEmulator);
    EXPECT_EQ(f.dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(f.dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(f.dialogs.messages[0].title, "");
    EXPECT_EQ(app.control("m_M").caption(), "before");
    EXPECT_TRUE(f.shell.launches.empty());

    // A path left in the box with no emulator selected: a missing file names the problem...
    app.textBox("EPath_I").setText(fromPath(f.dir.path() / "gone.exe"));
    doubleClickRom(app, "a.nes");
    EXPECT_EQ(app.control("m_M").caption(), kChooseEmulator);
    // ...and an existing one is started after the message.
    app.textBox("EPath_I").setText(emulator);
    doubleClickRom(app, "a.nes");
    EXPECT_EQ(f.shell.launches.size(), 1u);
    EXPECT_EQ(f.dialogs.messages.size(), 3u);
}

TEST_F(LaunchTest, UnusableEmulatorOrFailedStartChangesNothing)
{
    prepare("roms", {"a.nes"});
    auto &app = startOnPlatform();
    app.listBox("Emu_L").userClickRow(0);
    app.control("m_M").setCaption("before");
    setExecutable(toPath(emulator), false);
    doubleClickRom(app, "a.nes");
    EXPECT_TRUE(f.shell.launches.empty()) << "not executable";
    setExecutable(toPath(emulator), true);
    f.shell.startSucceeds = false;
    doubleClickRom(app, "a.nes");
    EXPECT_EQ(f.shell.launches.size(), 1u);
    EXPECT_EQ(app.control("m_M").caption(), "before") << "a failed start is not reported as sent";
    app.listBox("Flist_L").setListIndex(-1);
    app.listBox("Flist_L").userDoubleClick();
    EXPECT_EQ(f.shell.launches.size(), 1u);
    EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST(LaunchWindowsRules, OnlyAnExistingLowerCaseExeIsStarted)
{
    AppFixture f{SystemKind::Windows};
    const std::string realExe = fromPath(f.dir.write("Emu/emu.exe", "MZ"));
    const std::string upperExe = fromPath(f.dir.write("Emu/EMU.EXE", "MZ"));
    f.writeAppFile("DATA.txt", manufacturerLines("Maker", {{"SNES",
                                                            "D:\\My Roms\\",
                                                            {{"Missing", "C:\\EMU\\EMU.EXE"},
                                                             {"Upper", upperExe},
                                                             {"Batch", "C:\\EMU\\run.bat"},
                                                             {"Real", realExe}},
                                                            {"Super Game (E).smc"}}}));
    auto &app = f.start();
    selectPlatform(app, 0, 0);
    auto &emulators = app.listBox("Emu_L");
    auto &favourites = app.listBox("FavList_L");
    favourites.userClickRow(0);
    for (int e = 0; e < 3; ++e) {
        emulators.userClickRow(e);
        favourites.userDoubleClick();
        emulators.userDoubleClick();
    }
    EXPECT_TRUE(f.shell.launches.empty());
    EXPECT_TRUE(f.dialogs.messages.empty());
    EXPECT_EQ(app.control("m_M").caption(), "");

    emulators.userClickRow(3);
    favourites.userDoubleClick();
    ASSERT_EQ(f.shell.launches.size(), 1u);
    EXPECT_EQ(f.shell.launches[0].program, realExe);
    EXPECT_EQ(f.shell.launches[0].arguments,
              std::vector<std::string>{"D:\\My Roms\\Super Game (E).smc"});
    EXPECT_EQ(app.control("m_M").caption(), kSent);
}

} // namespace
} // namespace kestrova::testing
