#include "fakes/app_fixture.h"
#include "platform/list_box.h"
#include "platform/text_box.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrova::testing {
namespace {

using Names = std::vector<std::string>;
const MouseEvent kLeft{LeftButton, 0, 0, 0};
const MouseEvent kRight{RightButton, 0, 0, 0};
const std::string kSent = "COMMAND SENT TO THE EMULATOR";
const std::string kChooseEmulator = "Choose an emulator to launch a game";

void setExecutable(const std::string &file, bool executable)
{
    std::filesystem::permissions(toPath(file), std::filesystem::perms::owner_exec,
                                 executable ? std::filesystem::perm_options::add
                                            : std::filesystem::perm_options::remove);
}

std::string platformLines(const std::string &romPath, const Names &emulatorPaths,
                          const Names &favourites)
{
    std::string text = "[Manufacturer]Maker\r\n\r\n\r\n[Platform]Console\r\n[RomPath]" + romPath;
    for (const auto &path : emulatorPaths)
        text += "\r\n[Emu]" + fromPath(toPath(path).stem()) + "\r\n[EmuPath]" + path;
    for (const auto &favourite : favourites)
        text += "\r\n[Fav]" + favourite;
    return text + "\r\n\r\n";
}

/// One platform, selected, with its ROMs in `folderName` and one executable emulator whose path
/// holds spaces, quotes, parentheses and non-ASCII letters.
class RomActionsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The emulator here is a shell script found by its execute permission, under a name
        // Windows refuses ('"'); the Windows launch rules have their own test below.
        if (PlatformRules::native().kind() == SystemKind::Windows)
            GTEST_SKIP() << "POSIX launch rules and file names";
    }

    Application &start(const Names &roms, const Names &favourites = {},
                       const std::string &folderName = "roms")
    {
        for (const auto &rom : roms)
            f.dir.write(folderName + "/" + rom, "rom");
        emulator = fromPath(f.dir.write("emu dir (1)/émulateur 'x\".sh", "#!/bin/sh\n"));
        setExecutable(emulator, true);
        romFolder = fromPath(f.dir.path() / toPath(folderName)) + "/";
        f.writeAppFile("DATA.txt", platformLines(romFolder, {emulator}, favourites));
        auto &app = f.start();
        app.listBox("manu_L").userClickRow(0);
        app.listBox("plat_list_L").userClickRow(0);
        return app;
    }

    ListBox &list(const std::string &name) { return f.app().listBox(name); }
    void pickRom(const std::string &name)
    {
        const auto &items = list("Flist_L").items();
        list("Flist_L").setListIndex(
            int(std::find(items.begin(), items.end(), name) - items.begin()));
    }
    PlatformRec &platform() { return f.app().catalog().Man[0].Plat[0]; }

    AppFixture f{SystemKind::Posix};
    std::string emulator;
    std::string romFolder;
};

TEST_F(RomActionsTest, OtherButtonsAddAndRemoveFavouritesKeepingTheSlotsPacked)
{
    start({"A.nes", "B.nes", "C.nes"});
    auto &favourites = list("FavList_L");
    pickRom("A.nes");
    list("Flist_L").userMouseDown(kLeft);
    EXPECT_EQ(favourites.count(), 0) << "the left button is ignored";
    for (const char *rom : {"A.nes", "B.nes", "C.nes", "C.nes"}) {
        pickRom(rom);
        list("Flist_L").userMouseDown({MiddleButton, 0, 0, 0});
    }
    EXPECT_EQ(favourites.items(), (Names{"A.nes", "B.nes", "C.nes", "C.nes"}));
    EXPECT_EQ(favourites.listIndex(), 3);
    EXPECT_EQ(platform().LastFav, 3);

    favourites.userMouseDown(kLeft);
    favourites.userMouseDown(kRight); // the second C; the first C is then selected
    favourites.userClickRow(1);       // B
    favourites.userMouseDown(kRight);
    EXPECT_EQ(favourites.items(), (Names{"A.nes", "C.nes"}));
    EXPECT_EQ(favourites.listIndex(), 0);
    const auto &fav = platform().Fav;
    EXPECT_EQ((Names{fav[0], fav[1], fav[2]}), (Names{"A.nes", "C.nes", ""}));
    EXPECT_EQ(platform().LastFav, 1);

    // No selected platform (the lists keep their entries): neither adds nor removes.
    list("plat_list_L").setListIndex(-1);
    list("Flist_L").userMouseDown(kRight);
    favourites.userMouseDown(kRight);
    EXPECT_EQ(favourites.count(), 2);
    EXPECT_EQ(platform().LastFav, 1);

    list("plat_list_L").userClickRow(0);
    favourites.userClickRow(0);
    for (int k = 0; k < 3; ++k) // the third finds nothing selected
        favourites.userMouseDown(kRight);
    EXPECT_EQ(favourites.count(), 0);
    EXPECT_EQ(favourites.listIndex(), -1);
    EXPECT_EQ(platform().LastFav, -1);
}

TEST_F(RomActionsTest, TwoHundredFavouritesIsTheLimit)
{
    Names many;
    for (int k = 0; k < 199; ++k)
        many.push_back("Game " + std::to_string(k) + ".nes");
    start({"A.nes", "B.nes"}, many);
    for (const char *rom : {"A.nes", "B.nes"}) {
        pickRom(rom);
        list("Flist_L").userMouseDown(kRight);
    }
    list("Flist_L").setListIndex(-1);
    list("Flist_L").userMouseDown(kRight); // full: the message even without a ROM
    ASSERT_EQ(f.dialogs.messages.size(), 2u);
    EXPECT_EQ(f.dialogs.messages[0].text, "A maximum of 200 favorites per platform is supported.");
    EXPECT_EQ(list("FavList_L").count(), 200);
    EXPECT_EQ(platform().Fav[199], "A.nes");
    EXPECT_EQ(platform().Fav[200], "");
    EXPECT_EQ(platform().LastFav, 199);
}

#ifndef _WIN32
TEST_F(RomActionsTest, OddFileNamesStayTheSameFileOrAreRefusedAsFavourites)
{
    const std::string latin1 = "Jeu \xE9t\xE9.nes"; // not UTF-8: a Linux name kept as bytes
    start({latin1, "two\nlines.nes", "Caf\xC3\xA9.nes"});
    pickRom("two\nlines.nes");
    list("Flist_L").userMouseDown(kRight);
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text,
              "This file name contains a line break and cannot be kept as a favourite.");
    for (const auto &rom : {latin1, std::string("Caf\xC3\xA9.nes")}) {
        pickRom(rom);
        list("Flist_L").userMouseDown(kRight);
    }
    EXPECT_EQ(list("FavList_L").items(), (Names{latin1, "Caf\xC3\xA9.nes"}));
    f.app().SaveData();

    auto &again = f.start();
    again.listBox("manu_L").userClickRow(0);
    again.listBox("plat_list_L").userClickRow(0);
    again.listBox("Emu_L").userClickRow(0);
    EXPECT_EQ(again.catalog().Man[0].Name, "Maker");
    EXPECT_EQ(list("FavList_L").items(), (Names{latin1, "Caf\xC3\xA9.nes"}));
    list("FavList_L").userClickRow(0);
    list("FavList_L").userDoubleClick();
    ASSERT_EQ(f.shell.launches.size(), 1u);
    EXPECT_EQ(f.shell.launches[0].arguments, Names{romFolder + latin1});
}
#endif

TEST_F(RomActionsTest, RomPathIsOneArgumentWhateverTheNameHolds)
{
    const Names names = {"Super Game (E).smc", "Quote \"this\" & 'that'.smc",
                         "Pokémon Édition Ωmega.gb", "semi;colon $(touch x) `y`.nes",
                         "-starts-with-dash.nes"};
    auto &app = start(names, {names[0]}, "My Roms (Europe) \"Ünïcode\"");
    list("Emu_L").userClickRow(0);
    for (const auto &name : names) {
        f.shell.launches.clear();
        pickRom(name);
        list("Flist_L").userDoubleClick();
        ASSERT_EQ(f.shell.launches.size(), 1u) << name;
        const auto &launch = f.shell.launches[0];
        EXPECT_EQ(std::tuple(launch.program, launch.arguments, launch.minimized),
                  std::tuple(emulator, Names{romFolder + name}, true));
    }
    EXPECT_EQ(app.control("m_M").caption(), kSent);
    // The emulator alone gets no argument; a favourite follows a changed ROM folder.
    list("Emu_L").userDoubleClick();
    app.textBox("RPath_I").setText("/elsewhere/");
    list("FavList_L").userClickRow(0);
    list("FavList_L").userDoubleClick();
    ASSERT_EQ(f.shell.launches.size(), 3u);
    EXPECT_EQ(f.shell.launches[1].program, emulator);
    EXPECT_TRUE(f.shell.launches[1].arguments.empty());
    EXPECT_EQ(f.shell.launches[2].arguments, Names{"/elsewhere/" + names[0]});
    EXPECT_TRUE(f.dialogs.messages.empty());
}

// Enter on a list does what its double-click does, with or without a selection; other keys
// start nothing.
TEST_F(RomActionsTest, EnterStartsWhatTheDoubleClickStarts)
{
    start({"a.nes", "b.nes"}, {"b.nes"});
    const auto outcome = [this](const std::string &name, bool enter) {
        f.shell.launches.clear();
        f.dialogs.messages.clear();
        if (enter)
            list(name).userKeyDown(13);
        else
            list(name).userDoubleClick();
        std::vector<std::string> seen;
        for (const auto &launch : f.shell.launches) {
            seen.push_back(launch.program);
            seen.insert(seen.end(), launch.arguments.begin(), launch.arguments.end());
        }
        for (const auto &message : f.dialogs.messages)
            seen.push_back(message.text);
        return seen;
    };
    for (int emulator : {-1, 0}) {
        list("Emu_L").setListIndex(emulator);
        for (int row : {-1, 0, 1}) {
            for (const char *name : {"Flist_L", "FavList_L", "Emu_L"}) {
                if (std::string(name) != "Emu_L")
                    list(name).setListIndex(row);
                const auto byClick = outcome(name, false);
                EXPECT_EQ(outcome(name, true), byClick) << name << " row " << row;
                f.shell.launches.clear();
                list(name).userKeyDown(40);
                list(name).userKeyDown(32);
                EXPECT_TRUE(f.shell.launches.empty()) << name << ": only Enter starts";
            }
        }
    }
    list("Emu_L").setListIndex(0);
    list("Flist_L").setListIndex(0);
    EXPECT_EQ(outcome("Flist_L", true), (Names{emulator, romFolder + "a.nes"}));
}

TEST_F(RomActionsTest, WithoutAnUsableEmulatorNothingStarts)
{
    auto &app = start({"a.nes"}, {"a.nes"});
    auto &hint = app.control("m_M");
    list("Emu_L").userDoubleClick(); // nothing selected: no message, no launch
    list("FavList_L").userDoubleClick();
    hint.setCaption("before");
    pickRom("a.nes");
    list("Flist_L").userDoubleClick();
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, kChooseEmulator);
    EXPECT_EQ(hint.caption(), "before");
    // A path left in the box without a selected emulator: missing names the problem.
    app.textBox("EPath_I").setText(fromPath(f.dir.path() / "gone.exe"));
    list("Flist_L").userDoubleClick();
    EXPECT_EQ(hint.caption(), kChooseEmulator);

    list("Emu_L").userClickRow(0);
    list("Flist_L").userDoubleClick();
    EXPECT_EQ(hint.caption(), kSent);
    f.shell.launches.clear();
    f.dialogs.messages.clear();

    // Under these rules a path that names no program says why, whichever list started it.
    const std::string folder = fromPath(f.dir.path() / "a folder");
    std::filesystem::create_directory(toPath(folder));
    const std::vector<std::pair<std::string, std::string>> refused = {
        {emulator, "Permission denied"}, // made not executable below
        {fromPath(f.dir.path() / "gone"), "No such file or directory"},
        {folder, "Is a directory"}};
    setExecutable(emulator, false);
    for (const auto &[path, reason] : refused) {
        app.textBox("EPath_I").setText(path);
        list("Flist_L").userDoubleClick();
        list("Emu_L").userDoubleClick();
        ASSERT_EQ(f.dialogs.messages.size(), 2u) << path;
        for (const auto &message : f.dialogs.messages)
            EXPECT_EQ(message.text, "Could not start " + path + ": " + reason);
        EXPECT_NE(hint.caption(), kSent);
        f.dialogs.messages.clear();
    }
    EXPECT_TRUE(f.shell.launches.empty());

    // A start the system refuses is reported with its reason, and nothing claims it was sent.
    setExecutable(emulator, true);
    app.textBox("EPath_I").setText(emulator);
    f.shell.failure = "Exec format error";
    list("Flist_L").userDoubleClick();
    EXPECT_EQ(f.shell.launches.size(), 1u);
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, "Could not start " + emulator + ": Exec format error");
    EXPECT_EQ(hint.caption(), "") << "a failed start is not reported as sent";
}

TEST_F(RomActionsTest, TheSelectedEmulatorsTemplateShapesItsCommandLine)
{
    auto &app = start({"Star Run (E).nes"});
    auto &emu = platform().Emu[0];
    emu.Args = "-L \"cores/x y.so\" --cart={rom} --name={romname}";
    auto &pathBox = app.textBox("EPath_I");
    const std::string designTip = pathBox.toolTip();
    list("Emu_L").userClickRow(0);
    EXPECT_EQ(pathBox.toolTip(), emu.Args);
    pickRom("Star Run (E).nes");
    list("Flist_L").userDoubleClick();
    list("Emu_L").userDoubleClick();
    ASSERT_EQ(f.shell.launches.size(), 2u);
    EXPECT_EQ(f.shell.launches[0].arguments,
              (Names{"-L", "cores/x y.so", "--cart=" + romFolder + "Star Run (E).nes",
                     "--name=Star Run (E)"}));
    EXPECT_EQ(f.shell.launches[1].arguments, (Names{"-L", "cores/x y.so"}))
        << "on its own the emulator gets what names no ROM";
    list("plat_list_L").userClickRow(0);
    EXPECT_EQ(pathBox.toolTip(), designTip) << "no emulator, no template";

    // A relative path is taken from the application folder, wherever Kestrova runs from.
    f.dir.write("emus/run.sh", "#!/bin/sh\n");
    setExecutable(fromPath(f.dir.path() / "emus/run.sh"), true);
    emu.Path = "emus/run.sh";
    list("Emu_L").userClickRow(0);
    list("Flist_L").userClickRow(0);
    list("Flist_L").userDoubleClick();
    ASSERT_EQ(f.shell.launches.size(), 3u);
    EXPECT_EQ(f.shell.launches[2].program, fromPath(f.dir.path() / "emus/run.sh"));
    EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST(LaunchRules, APathIsAbsoluteAsItsSystemWritesOne)
{
    const PlatformRules windows(SystemKind::Windows);
    const PlatformRules posix(SystemKind::Posix);
    for (const char *path : {"C:\\EMU\\EMU.EXE", "c:/emu.exe", "\\\\host\\emu.exe", "\\emu.exe",
                             "/emu.exe"})
        EXPECT_TRUE(windows.isAbsolute(path)) << path;
    for (const char *path : {"emu.exe", "Emu\\emu.exe", ".\\emu.exe", ""})
        EXPECT_FALSE(windows.isAbsolute(path)) << path;
    EXPECT_TRUE(posix.isAbsolute("/usr/bin/emu"));
    for (const char *path : {"emus/run.sh", "C:\\EMU\\EMU.EXE", "./run", ""})
        EXPECT_FALSE(posix.isAbsolute(path)) << path;
}

TEST(LaunchWindowsRules, OnlyAnExistingPathEndingInLowerCaseExeIsStarted)
{
    AppFixture f{SystemKind::Windows};
    const std::string realExe = fromPath(f.dir.write("Emu/emu.exe", "MZ"));
    const Names emulators = {"C:\\EMU\\gone.exe", fromPath(f.dir.write("Emu/EMU.EXE", "MZ")),
                             fromPath(f.dir.write("Emu/run.bat", "")), realExe};
    f.writeAppFile("DATA.txt", platformLines("D:\\My Roms\\", emulators, {"Super Game (E).smc"}));
    auto &app = f.start();
    app.listBox("manu_L").userClickRow(0);
    app.listBox("plat_list_L").userClickRow(0);
    app.listBox("FavList_L").userClickRow(0);
    for (int e = 0; e < 4; ++e) {
        app.listBox("Emu_L").userClickRow(e);
        app.listBox("FavList_L").userDoubleClick();
        app.listBox("Emu_L").userDoubleClick();
        EXPECT_EQ(f.shell.launches.empty(), e < 3) << e;
    }
    EXPECT_TRUE(f.dialogs.messages.empty());
    ASSERT_EQ(f.shell.launches.size(), 2u);
    EXPECT_EQ(f.shell.launches[0].program, realExe);
    EXPECT_EQ(f.shell.launches[0].arguments, Names{"D:\\My Roms\\Super Game (E).smc"});
    EXPECT_EQ(app.control("m_M").caption(), kSent);
}

} // namespace
} // namespace kestrova::testing
