#include "roms_test_support.h"

#include "platform/list_box.h"
#include "platform/text_box.h"

#include <gtest/gtest.h>

namespace kestrova::testing {
namespace {

using Args = std::vector<std::string>;
const std::string kSent = "COMMAND SENT TO THE EMULATOR";
const std::string kChooseEmulator = "Choose an emulator to launch a game";

/// One platform whose ROM folder and executable emulator live in the test's folder.
class LaunchTest : public ::testing::Test
{
protected:
    Application &start(const std::string &romFolderName, const Args &roms)
    {
        for (const auto &rom : roms)
            f.dir.write(romFolderName + "/" + rom, "rom");
        emulator = fromPath(f.dir.write("emu dir (1)/émulateur 'x\".sh", "#!/bin/sh\n"));
        setExecutable(toPath(emulator), true);
        romFolder = folderText(f.dir.path() / toPath(romFolderName));
        const TestPlatform platform{"Console", romFolder, {{"Emu", emulator}}, {roms.front()}};
        f.writeAppFile("DATA.txt", manufacturerLines("Maker", {platform}));
        auto &app = f.start();
        selectPlatform(app, 0, 0);
        return app;
    }

    void doubleClickRom(Application &app, const std::string &name)
    {
        auto &roms = app.listBox("Flist_L");
        roms.setListIndex(positionOf(roms, name));
        roms.userDoubleClick();
    }

    AppFixture f{SystemKind::Posix};
    std::string emulator;
    std::string romFolder;
};

TEST_F(LaunchTest, RomPathIsOneArgumentWhateverTheNameHolds)
{
    const Args names = {"Super Game (E).smc", "Quote \"this\" & 'that'.smc",
                        "Pokémon Édition Ωmega.gb", "semi;colon $(touch x) `y`.nes",
                        "-starts-with-dash.nes"};
    auto &app = start("My Roms (Europe) \"Ünïcode\"", names);
    app.listBox("Emu_L").userClickRow(0);
    for (const auto &name : names) {
        f.shell.launches.clear();
        app.control("m_M").setCaption("");
        doubleClickRom(app, name);
        ASSERT_EQ(f.shell.launches.size(), 1u) << name;
        EXPECT_EQ(f.shell.launches[0].program, emulator);
        EXPECT_EQ(f.shell.launches[0].arguments, Args{romFolder + name});
        EXPECT_TRUE(f.shell.launches[0].minimized);
        EXPECT_EQ(app.control("m_M").caption(), kSent);
    }
    EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST_F(LaunchTest, FavouritesAndTheEmulatorAlone)
{
    auto &app = start("roms", {"Fav Game (U).nes"});
    auto &favourites = app.listBox("FavList_L");
    auto &emulators = app.listBox("Emu_L");
    emulators.userDoubleClick();
    favourites.userDoubleClick();
    EXPECT_TRUE(f.shell.launches.empty()) << "nothing selected";
    emulators.userClickRow(0);
    emulators.userDoubleClick();
    // A favourite keeps only its name, so it follows a changed ROM folder.
    app.textBox("RPath_I").setText("/elsewhere/");
    favourites.userClickRow(0);
    favourites.userDoubleClick();
    ASSERT_EQ(f.shell.launches.size(), 2u);
    EXPECT_EQ(f.shell.launches[0].program, emulator);
    EXPECT_TRUE(f.shell.launches[0].arguments.empty());
    EXPECT_EQ(f.shell.launches[1].arguments, Args{"/elsewhere/Fav Game (U).nes"});
}

TEST_F(LaunchTest, WithoutAnUsableEmulatorNothingStarts)
{
    auto &app = start("roms", {"a.nes"});
    app.control("m_M").setCaption("before");
    doubleClickRom(app, "a.nes");
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, kChooseEmulator);
    EXPECT_EQ(f.dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(app.control("m_M").caption(), "before");
    // A path left in the box without a selected emulator: missing names the problem.
    app.textBox("EPath_I").setText(fromPath(f.dir.path() / "gone.exe"));
    doubleClickRom(app, "a.nes");
    EXPECT_EQ(app.control("m_M").caption(), kChooseEmulator);
    EXPECT_TRUE(f.shell.launches.empty());

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
    EXPECT_EQ(f.dialogs.messages.size(), 2u);
}

TEST(LaunchWindowsRules, OnlyAnExistingLowerCaseExeIsStarted)
{
    AppFixture f{SystemKind::Windows};
    const std::string realExe = fromPath(f.dir.write("Emu/emu.exe", "MZ"));
    const std::string upperExe = fromPath(f.dir.write("Emu/EMU.EXE", "MZ"));
    const TestPlatform snes{"SNES",
                            "D:\\My Roms\\",
                            {{"Missing", "C:\\EMU\\EMU.EXE"},
                             {"Upper", upperExe},
                             {"Batch", "C:\\EMU\\run.bat"},
                             {"Real", realExe}},
                            {"Super Game (E).smc"}};
    f.writeAppFile("DATA.txt", manufacturerLines("Maker", {snes}));
    auto &app = f.start();
    selectPlatform(app, 0, 0);
    auto &emulators = app.listBox("Emu_L");
    auto &favourites = app.listBox("FavList_L");
    favourites.userClickRow(0);
    for (int e = 0; e < 4; ++e) {
        emulators.userClickRow(e);
        favourites.userDoubleClick();
        emulators.userDoubleClick();
        EXPECT_EQ(f.shell.launches.empty(), e < 3) << e;
    }
    EXPECT_TRUE(f.dialogs.messages.empty());
    ASSERT_EQ(f.shell.launches.size(), 2u);
    EXPECT_EQ(f.shell.launches[0].program, realExe);
    EXPECT_EQ(f.shell.launches[0].arguments, Args{"D:\\My Roms\\Super Game (E).smc"});
    EXPECT_EQ(app.control("m_M").caption(), kSent);
}

} // namespace
} // namespace kestrova::testing
