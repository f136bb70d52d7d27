#include "fakes/app_fixture.h"
#include "platform/list_box.h"
#include "platform/text_box.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kestrova {
namespace {

using testing::AppFixture;
namespace fs = std::filesystem;

const std::string kCatalog = "[Manufacturer]Acme\r\n\r\n\r\n[Platform]P\r\n\r\n";
const std::string kReplace =
    "DATA.txt could not be read when Kestrova started. Replace it with the catalog shown now?";
const std::string kCloseAnyway = "The catalog was not saved. Close Kestrova anyway?";

std::vector<std::string> texts(const testing::FakeDialogs &dialogs)
{
    std::vector<std::string> result;
    for (const auto &message : dialogs.messages)
        result.push_back(message.text);
    return result;
}

void clickSave(Application &app)
{
    app.form1().menuBar().find("M_op_sav")->userClick();
}

TEST(DataIntegrity, AnUnreadableCatalogIsReportedAndNeverReplacedUnasked)
{
#ifdef _WIN32
    GTEST_SKIP() << "needs /proc to make a file that fails with an I/O error";
#else
    AppFixture f;
    // Reading /proc/self/mem at offset 0 fails with an I/O error, even for root.
    fs::create_symlink("/proc/self/mem", f.dir.path() / "DATA.txt");
    auto &app = f.start();
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_NE(f.dialogs.messages[0].text.find("Could not read "), std::string::npos);
    EXPECT_NE(f.dialogs.messages[0].text.find("Input/output error"), std::string::npos)
        << f.dialogs.messages[0].text;

    clickSave(app);
    EXPECT_EQ(texts(f.dialogs).back(), kReplace);
    EXPECT_TRUE(fs::is_symlink(f.dir.path() / "DATA.txt")) << "No saves nothing";

    // The exit prompt's Yes asks the same; No to replacing keeps the window and the file.
    f.dialogs.messageAnswers = {MessageResult::Yes, MessageResult::No, MessageResult::No};
    app.form1().userClose();
    const auto said = texts(f.dialogs);
    EXPECT_EQ(std::vector<std::string>(said.end() - 3, said.end()),
              (std::vector<std::string>{"Save before exiting?", kReplace, kCloseAnyway}));
    EXPECT_TRUE(app.form1().isLoaded());
    EXPECT_TRUE(fs::is_symlink(f.dir.path() / "DATA.txt"));
#endif
}

TEST(DataIntegrity, AFailedSaveAtExitAsksBeforeClosing)
{
#ifdef _WIN32
    GTEST_SKIP() << "POSIX permission bits";
#else
    // A read-only file fails the save even for root.
    const auto readOnly = [](const AppFixture &fixture) {
        fs::permissions(fixture.dir.path() / "DATA.txt", fs::perms::owner_read);
    };
    AppFixture f;
    f.writeAppFile("DATA.txt", kCatalog);
    auto &app = f.start();
    app.catalog().Man[0].Name = "Edited";
    readOnly(f);
    f.dialogs.messageAnswers = {MessageResult::Yes, MessageResult::Ok, MessageResult::No};
    app.form1().userClose();
    ASSERT_EQ(f.dialogs.messages.size(), 3u);
    EXPECT_EQ(f.dialogs.messages[1].text.rfind("Could not save ", 0), 0u);
    EXPECT_EQ(f.dialogs.messages[2].text, kCloseAnyway);
    EXPECT_EQ(f.dialogs.messages[2].buttons, MessageButtons::YesNoDefaultNo)
        << "a second Enter keeps the window";
    EXPECT_EQ(f.dialogs.messages[0].buttons, MessageButtons::YesNoDismissible) << "the prompt keeps Yes";
    EXPECT_TRUE(app.form1().isVisible()) << "No keeps the window open";
    EXPECT_EQ(app.catalog().Man[0].Name, "Edited") << "with every edit";

    fs::permissions(f.dir.path() / "DATA.txt", fs::perms::owner_write, fs::perm_options::add);
    f.dialogs.messageAnswers = {MessageResult::Yes};
    app.form1().userClose();
    EXPECT_FALSE(app.form1().isLoaded());
    EXPECT_EQ(f.readAppFile("DATA.txt"), "[Manufacturer]Edited\r\n\r\n\r\n[Platform]P\r\n\r\n");

    AppFixture g;
    g.writeAppFile("DATA.txt", kCatalog);
    auto &other = g.start();
    readOnly(g);
    g.dialogs.messageAnswers = {MessageResult::Yes, MessageResult::Ok, MessageResult::Yes};
    other.form1().userClose();
    EXPECT_FALSE(other.form1().isLoaded()) << "Yes closes without the edits";
#endif
}

TEST(DataIntegrity, AReadOnlyCatalogIsLeftAloneAndAReplacedOneKeepsItsPermissions)
{
#ifdef _WIN32
    GTEST_SKIP() << "POSIX permission bits";
#else
    AppFixture f;
    f.writeAppFile("DATA.txt", kCatalog);
    const auto data = f.dir.path() / "DATA.txt";
    fs::permissions(data, fs::perms::owner_read | fs::perms::group_read);
    auto &app = f.start();
    app.catalog().Man[0].Name = "Edited";
    clickSave(app);
    EXPECT_EQ(texts(f.dialogs).back(), "Could not save " + data.string() +
                                           ": the file is read-only");
    EXPECT_EQ(f.readAppFile("DATA.txt"), kCatalog);

    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(data, mode);
    clickSave(app);
    EXPECT_EQ(texts(f.dialogs).back(), "Saved");
    EXPECT_EQ(fs::status(data).permissions(), mode);
#endif
}

TEST(DataIntegrity, AnEmptyNamedPlatformOrEmulatorNeverShiftsPositionsFromSlots)
{
    AppFixture f;
    f.writeAppFile("DATA.txt", "[Manufacturer]Acme\r\n[Platform]A\r\n[RomPath]/a/\r\n"
                               "[Platform]\r\n[RomPath]/ghost/\r\n[Emu]Ghost\r\n[Fav]g.rom\r\n"
                               "[Platform]B\r\n[RomPath]/b/\r\n[Emu]\r\n[EmuPath]/ghost.exe\r\n"
                               "[Emu]Real\r\n[EmuPath]/real.exe\r\n");
    auto &app = f.start();
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text,
              "6 lines of DATA.txt could not be loaded. Saving the catalog will drop them.");
    app.listBox("manu_L").userClickRow(0);
    app.listBox("plat_list_L").userClickRow(1);
    EXPECT_EQ(app.textBox("RPath_I").text(), "/b/");
    app.listBox("Emu_L").userClickRow(0);
    EXPECT_EQ(app.textBox("EPath_I").text(), "/real.exe");

    f.dialogs.messageAnswers = {MessageResult::Yes};
    clickSave(app);
    EXPECT_EQ(f.dialogs.messages.at(1).text,
              "6 lines of DATA.txt could not be loaded. Replace it with the catalog shown now?");
    EXPECT_EQ(f.readAppFile("DATA.txt"),
              "[Manufacturer]Acme\r\n\r\n\r\n[Platform]A\r\n[RomPath]/a/\r\n[Platform]B\r\n"
              "[RomPath]/b/\r\n[Emu]Real\r\n[EmuPath]/real.exe\r\n\r\n");
}

TEST(DataIntegrity, NoValueWritesALineBreakIntoTheCatalog)
{
    AppFixture f;
    f.writeAppFile("DATA.txt", kCatalog);
    auto &app = f.start();
    f.dialogs.inputAnswers = {"Pasted\r\n[Platform]Injected", "\nOnly after a break"};
    app.control("AddMan_B").raiseClick();
    EXPECT_EQ(app.listBox("manu_L").items(), (std::vector<std::string>{"Acme", "Pasted"}));
    app.listBox("manu_L").userClickRow(0);
    app.control("EditMan_B").raiseClick();
    EXPECT_EQ(app.listBox("manu_L").item(0), "Acme") << "nothing before the break: cancelled";

    app.listBox("plat_list_L").userClickRow(0);
    f.dialogs.folderAnswers = {"/roms/two\nlines"};
    app.control("edit_path_B").raiseClick();
    EXPECT_EQ(texts(f.dialogs).back(),
              "This folder name contains a line break and cannot be kept in the catalog.");
    EXPECT_EQ(app.catalog().Man[0].Plat[0].RomPath, "");
    f.dialogs.fileAnswers = {"/usr/bin/emu\r"};
    app.control("AddEmu_B").raiseClick();
    EXPECT_EQ(texts(f.dialogs).back(),
              "This file name contains a line break and cannot be kept in the catalog.");
    EXPECT_EQ(app.listBox("Emu_L").count(), 0);

    clickSave(app);
    EXPECT_EQ(f.readAppFile("DATA.txt"),
              kCatalog + "[Manufacturer]Pasted\r\n\r\n\r\n\r\n");
}

TEST(DataIntegrity, ByteOrderMarksAreSkippedInEveryProgramFile)
{
    const std::string bom = "\xEF\xBB\xBF";
    AppFixture f;
    f.writeAppFile("DATA.txt", bom + kCatalog);
    f.writeAppFile("Ext.txt", bom + ".nes\r\n\r\nAll\r\n.Sm\xE9\r\n");
    auto &app = f.start();
    EXPECT_EQ(app.listBox("manu_L").items(), std::vector<std::string>{"Acme"});
    // Entries follow "All" as written, each line decoded on its own.
    EXPECT_EQ(app.comboBox("ext1_C").items(),
              (std::vector<std::string>{"All", ".nes", "", "All", ".Sm\xC3\xA9"}));
    EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST(DataIntegrity, LinesDecodeOnTheirOwnAndPathsKeepTheirBytes)
{
    const std::string file = "[Manufacturer]Caf\xC3\xA9\r\n\r\n\r\n[Platform]Ni\xE9vre\r\n"
                             "[RomPath]/roms/\xE9t\xE9/\r\n[Fav]Jeu \xE9t\xE9.rom\r\n"
                             "[Fav]Jeu \xC3\xA9t\xC3\xA9.rom\r\n\r\n";
    AppFixture posix(SystemKind::Posix);
    posix.writeAppFile("DATA.txt", file);
    auto &app = posix.start();
    EXPECT_EQ(app.catalog().Man[0].Name, "Caf\xC3\xA9") << "one odd line re-encodes nothing";
    const auto &platform = app.catalog().Man[0].Plat[0];
    EXPECT_EQ(platform.Name, "Ni\xC3\xA9vre") << "names of odd lines read as Windows-1252";
    EXPECT_EQ(platform.RomPath, "/roms/\xE9t\xE9/");
    EXPECT_EQ(platform.Fav[0], "Jeu \xE9t\xE9.rom");
    clickSave(app);
    const std::string expected = "[Manufacturer]Caf\xC3\xA9\r\n\r\n\r\n[Platform]Ni\xC3\xA9vre\r\n"
                                 "[RomPath]/roms/\xE9t\xE9/\r\n[Fav]Jeu \xE9t\xE9.rom\r\n"
                                 "[Fav]Jeu \xC3\xA9t\xC3\xA9.rom\r\n\r\n";
    EXPECT_EQ(posix.readAppFile("DATA.txt"), expected);

    AppFixture windows(SystemKind::Windows);
    windows.writeAppFile("DATA.txt", file);
    auto &winApp = windows.start();
    EXPECT_EQ(winApp.catalog().Man[0].Plat[0].Fav[0], "Jeu \xC3\xA9t\xC3\xA9.rom")
        << "Windows file names are ANSI text";
}

} // namespace
} // namespace kestrova
