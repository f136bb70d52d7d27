#include "core/file_layout.h"

#include "fakes/fake_program.h"
#include "fakes/temp_dir.h"
#include "platform/file_io.h"
#include "program/kestrova_program.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace kestrova {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;
using testing::addManufacturer;

/// Every file under `folder` with its bytes, to show that nothing was written there.
Tree snapshot(const fs::path &folder)
{
    Tree files;
    for (const auto &entry : fs::recursive_directory_iterator(folder)) {
        const auto generic = fs::relative(entry.path(), folder).generic_u8string();
        const std::string name(generic.begin(), generic.end());
        files[name] = entry.is_regular_file() ? readFileBytes(entry.path(), 1 << 20).value_or("?") : "/";
    }
    return files;
}

Environment environmentOf(std::map<std::string, fs::path> values)
{
    return [values](const std::string &name) -> std::optional<fs::path> {
        const auto found = values.find(name);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    };
}

/// An application folder as the package installs it, which this user may not write to.
struct InstalledFolder
{
    InstalledFolder()
    {
        root.write("opt/kestrova/DATA.txt", "[Manufacturer]Shipped\r\n\r\n\r\n");
        root.write("opt/kestrova/Ext.txt", ".n16\r\n");
        root.write("opt/kestrova/ColorSchemes/Active.col", "255\r\n");
        root.write("opt/kestrova/ColorSchemes/Blue.col", "255\r\n");
        root.write("opt/kestrova/wikigameslists/P.htm", "<html></html>");
        root.write("opt/kestrova/menus/save.gif", "GIF89a");
        fs::create_directories(home());
    }
    fs::path app() const { return root.path() / "opt" / "kestrova"; }
    fs::path home() const { return root.path() / "home"; }
    fs::path userFolder() const { return home() / ".local" / "share" / "kestrova"; }

    LayoutRequest request() const
    {
        LayoutRequest r;
        r.appDir = app();
        r.rules = PlatformRules(SystemKind::Posix);
        r.environment = environmentOf({{"HOME", home()}});
        // The tests run as root, who may write anywhere: the folder's owner says no here.
        r.canWrite = [app = app()](const fs::path &folder) { return folder != app; };
        return r;
    }

    testing::TempDir root;
};

TEST(DataFolder, AReadOnlyApplicationFolderKeepsTheUsersFilesInTheDataFolder)
{
    InstalledFolder installed;
    const Tree shipped = snapshot(installed.app());
    auto choice = chooseFileLayout(installed.request());
    ASSERT_TRUE(choice.layout) << *choice.error;
    EXPECT_EQ(choice.layout->dataFolder(), installed.userFolder());
    EXPECT_EQ(choice.layout->appFolder(), installed.app());

    {
        testing::FakeProgram run(*choice.layout, PlatformRules(SystemKind::Posix));
        EXPECT_TRUE(run.dialogs.messages.empty())
            << "no start-up warning: " << run.dialogs.messages.front().text;
        EXPECT_EQ(run.app->catalog().Man[0].Name, "Shipped") << "the seeded catalog is read";
        addManufacturer(*run.app, "Mine");
        ASSERT_TRUE(run.app->SaveData());
    }
    const Tree seeded = snapshot(installed.userFolder());
    EXPECT_NE(seeded.at("DATA.txt").find("Mine"), std::string::npos);
    for (const char *copied : {"Ext.txt", "ColorSchemes/Active.col", "ColorSchemes/Blue.col",
                               "wikigameslists/P.htm"})
        EXPECT_EQ(seeded.at(copied), shipped.at(copied)) << copied;
    EXPECT_FALSE(seeded.contains("menus")) << "program resources stay where they are";

    // The next start reads it back, and seeds nothing again.
    fs::remove(installed.userFolder() / "ColorSchemes" / "Blue.col");
    choice = chooseFileLayout(installed.request());
    testing::FakeProgram again(*choice.layout, PlatformRules(SystemKind::Posix));
    EXPECT_EQ(again.app->catalog().Man[1].Name, "Mine");
    EXPECT_FALSE(fs::exists(installed.userFolder() / "ColorSchemes" / "Blue.col"))
        << "a file the user removed is not brought back";
    EXPECT_EQ(snapshot(installed.app()), shipped) << "nothing is written into the application folder";
}

TEST(DataFolder, SeedingNeverReplacesAFileTheUserHas)
{
    InstalledFolder installed;
    // A data folder made by hand, or by an older start, before Kestrova first ran here.
    const std::map<std::string, std::string> own = {
        {"ColorSchemes/Blue.col", "0\r\n"}, {"wikigameslists/P.htm", "mine"}};
    for (const auto &[name, bytes] : own) {
        const auto file = installed.userFolder() / fs::path(name);
        fs::create_directories(file.parent_path());
        ASSERT_FALSE(writeFileAtomically(file, bytes));
    }
    ASSERT_FALSE(seedDataFolder(installed.app(), installed.userFolder()));
    const Tree after = snapshot(installed.userFolder());
    for (const auto &[name, bytes] : own)
        EXPECT_EQ(after.at(name), bytes) << name;
    EXPECT_EQ(after.at("ColorSchemes/Active.col"), "255\r\n") << "missing files are still copied";
    EXPECT_EQ(after.at("DATA.txt"), "[Manufacturer]Shipped\r\n\r\n\r\n");
}

TEST(DataFolder, AnExplicitFolderThatCannotBeMadeStopsBeforeWritingAnything)
{
    InstalledFolder installed;
    const auto blocker = installed.root.write("home/file");
    auto request = installed.request();
    request.dataFolder = blocker / "kestrova";
    const Tree before = snapshot(installed.root.path());
    const auto choice = chooseFileLayout(request);
    EXPECT_FALSE(choice.layout);
    ASSERT_TRUE(choice.error);
    EXPECT_NE(choice.error->find("cannot use the data folder " + fromPath(blocker / "kestrova")),
              std::string::npos)
        << *choice.error;
    EXPECT_EQ(snapshot(installed.root.path()), before) << "nothing written elsewhere";

    // A folder that exists but may not be written is refused the same way.
    request.dataFolder = installed.app();
    EXPECT_FALSE(chooseFileLayout(request).layout);
}

TEST(DataFolder, NeitherFolderWritableSaysSoOnceAndWritesNothing)
{
    InstalledFolder installed;
    const Tree before = snapshot(installed.root.path());
    auto request = installed.request();
    request.canWrite = [](const fs::path &) { return false; };
    auto choice = chooseFileLayout(request);
    ASSERT_TRUE(choice.layout);
    EXPECT_FALSE(choice.layout->isWritable());

    testing::FakeProgram run(*choice.layout, PlatformRules(SystemKind::Posix));
    ASSERT_EQ(run.dialogs.messages.size(), 1u) << run.dialogs.messages.back().text;
    const auto &text = run.dialogs.messages[0].text;
    EXPECT_NE(text.find("cannot save anything"), std::string::npos) << text;
    EXPECT_NE(text.find("kestrova --data-folder ~/Kestrova"), std::string::npos) << text;
    EXPECT_EQ(run.app->catalog().Man[0].Name, "Shipped") << "reading still works";
    run.app.reset();
    // The made (empty) user folder is the only trace; no file is created anywhere.
    Tree after = snapshot(installed.root.path());
    for (const char *made : {"home/.local", "home/.local/share", "home/.local/share/kestrova"})
        after.erase(made);
    EXPECT_EQ(after, before);

    // No user folder at all is the same single message.
    request.environment = environmentOf({});
    choice = chooseFileLayout(request);
    EXPECT_NE(choice.layout->startupMessage()->find("HOME is not set"), std::string::npos);
}

TEST(DataFolder, AWritableApplicationFolderIsUsedExactlyAsBefore)
{
    InstalledFolder installed;
    auto request = installed.request();
    request.canWrite = canWriteInto;
    const auto choice = chooseFileLayout(request);
    ASSERT_TRUE(choice.layout);
    EXPECT_TRUE(choice.layout->isPortable());
    EXPECT_FALSE(choice.layout->startupMessage());
    EXPECT_FALSE(fs::exists(installed.userFolder()));

    // The same start and save as an application made on the folder itself, byte for byte.
    testing::TempDir twins;
    const auto twin = twins.path() / "kestrova";
    fs::copy(installed.app(), twin, fs::copy_options::recursive);
    for (auto files : {*choice.layout, FileLayout::portable(twin)}) {
        testing::FakeProgram run(files, PlatformRules(SystemKind::Posix));
        addManufacturer(*run.app, "Mine");
        ASSERT_TRUE(run.app->SaveData());
    }
    EXPECT_EQ(snapshot(installed.app()), snapshot(twin));
}

TEST(DataFolder, EachSystemNamesItsOwnUserFolder)
{
    const PlatformRules posix(SystemKind::Posix);
    const PlatformRules windows(SystemKind::Windows);
    const fs::path home = "/home/ann";
    EXPECT_EQ(posix.userDataFolder(environmentOf({{"HOME", home}})),
              home / ".local" / "share" / "kestrova");
    EXPECT_EQ(posix.userDataFolder(environmentOf({{"HOME", home}, {"XDG_DATA_HOME", "/d"}})),
              fs::path("/d") / "kestrova");
    EXPECT_EQ(posix.userDataFolder(environmentOf({{"HOME", home}, {"XDG_DATA_HOME", "rel"}})),
              home / ".local" / "share" / "kestrova")
        << "a relative value is ignored";
    EXPECT_EQ(posix.userDataFolder(environmentOf({})), std::nullopt);
    const fs::path roaming = "C:\\Users\\Ann\\AppData\\Roaming";
    EXPECT_EQ(windows.userDataFolder(environmentOf({{"APPDATA", roaming}, {"HOME", home}})),
              roaming / "Kestrova");
    EXPECT_EQ(windows.userDataFolder(environmentOf({{"HOME", home}})), std::nullopt);

    // The running system's own environment names a folder (Wine sets APPDATA).
    EXPECT_TRUE(PlatformRules::native().userDataFolder(systemEnvironment()));
}

TEST(DataFolder, TheOptionTakesTheNextArgumentOrItsOwnValue)
{
    using Args = std::vector<std::string>;
    EXPECT_EQ(findDataFolderOption(Args{"--data-folder", "/d"}).folder, fs::path("/d"));
    EXPECT_EQ(findDataFolderOption(Args{"-x", "--data-folder=/e"}).folder, fs::path("/e"));
    EXPECT_FALSE(findDataFolderOption(Args{"x"}).folder);
    EXPECT_FALSE(findDataFolderOption(Args{"x"}).error);
    EXPECT_TRUE(findDataFolderOption(Args{"--data-folder"}).error);
    EXPECT_TRUE(findDataFolderOption(Args{"--data-folder="}).error);
}

} // namespace
} // namespace kestrova
