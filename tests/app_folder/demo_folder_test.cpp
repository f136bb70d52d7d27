#include "core/catalog_file.h"
#include "demo_folder/demo_cli.h"
#include "demo_folder/demo_folder.h"
#include "fakes/temp_dir.h"
#include "reference/wiki_list_import.h"
#include "roms/rom_listing.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kestrova {
namespace {

namespace fs = std::filesystem;

const fs::path kAssets = KESTROVA_ASSETS_DIR;

std::string bytesOf(const fs::path &file)
{
    return readFileBytes(file, 1 << 30).value_or("<unreadable>");
}

bool liesInside(const std::string &path, const fs::path &folder)
{
    const auto inside = fromPath(folder) + PlatformRules::native().separator();
    return path.starts_with(inside) && path.find("..") == std::string::npos;
}

// The programs' folder as the build lays it out, with stand-ins for the programs.
class DemoFolderTest : public ::testing::Test
{
protected:
    DemoFolderTest()
    {
        const auto programs = m_dir.path() / "programs";
        EXPECT_FALSE(copyFolder(kAssets / "app", programs));
        EXPECT_FALSE(copyFolder(kAssets / "demo", programs / kDemoSamplesFolder));
        m_sources = demoSourcesBeside(programs, PlatformRules::native().kind());
        m_emulatorBytes = "stand-in emulator";
        std::ofstream(m_sources.emulator) << m_emulatorBytes;
        std::ofstream(m_sources.programs.front()) << "the program";
        m_demo = fs::absolute(m_dir.path() / "any where" / "demo");
    }

    DemoOutcome make() { return makeDemoFolder(m_demo, m_sources, PlatformRules::native()); }

    testing::TempDir m_dir;
    DemoSources m_sources;
    std::string m_emulatorBytes;
    fs::path m_demo;
};

TEST_F(DemoFolderTest, CatalogPointsIntoTheFolderWhichHoldsTheShippedFilesAndPrograms)
{
    const auto outcome = make();
    ASSERT_FALSE(outcome.error) << outcome.error->path << ": " << outcome.error->reason;
    EXPECT_TRUE(outcome.catalogWritten);

    const auto rules = PlatformRules::native();
    const auto load = parseCatalog(bytesOf(m_demo / "DATA.txt"));
    EXPECT_EQ(load.skippedLines, 0);
    int platforms = 0;
    int lists = 0;
    for (int m = 0; m <= load.catalog.LastMan; ++m) {
        for (int p = 0; p <= load.catalog.Man[m].LastPlat; ++p) {
            const auto &plat = load.catalog.Man[m].Plat[p];
            SCOPED_TRACE(plat.Name);
            ++platforms;
            EXPECT_TRUE(liesInside(plat.RomPath, m_demo)) << plat.RomPath;
            EXPECT_TRUE(fs::is_directory(toPath(plat.RomPath)));
            const auto roms = listRomFiles(plat.RomPath, "All", rules);
            EXPECT_FALSE(roms.empty());
            for (int f = 0; f <= plat.LastFav; ++f)
                EXPECT_TRUE(fs::exists(toPath(plat.RomPath + plat.Fav[f]))) << plat.Fav[f];
            ASSERT_FALSE(plat.Emu[0].Path.empty());
            EXPECT_TRUE(liesInside(plat.Emu[0].Path, m_demo)) << plat.Emu[0].Path;
            EXPECT_EQ(bytesOf(toPath(plat.Emu[0].Path)), m_emulatorBytes);
            EXPECT_EQ(plat.LastEmu, 1);
            EXPECT_EQ(plat.Emu[1].Path, plat.Emu[0].Path);
            EXPECT_EQ(plat.Emu[1].Args, "--machine \"" + plat.Name
                                            + "\" --cart={rom} --title \"{romname}\" --fullscreen");
            const auto page = m_demo / "wikigameslists" / toPath(plat.Name + ".htm");
            if (fs::exists(page)) {
                ++lists;
                EXPECT_FALSE(parseWikiList(bytesOf(page), plat.Name).availItems.empty());
            }
        }
    }
    EXPECT_EQ(platforms, 3);
    EXPECT_GE(lists, 2);

    // The shipped files and the programs are there too.
    for (const char *entry : {"menus/add.gif", "ColorSchemes/Active.col", "pages"})
        EXPECT_TRUE(fs::exists(m_demo / entry)) << entry;
    const auto program = m_demo / m_sources.programs.front().filename();
    EXPECT_EQ(bytesOf(program), "the program");
    // A program the folder lacks (a build without the window) is no error.
    EXPECT_FALSE(fs::exists(m_demo / m_sources.programs.back().filename()));

    const auto ext = bytesOf(m_demo / "Ext.txt");
    EXPECT_TRUE(ext.starts_with(".st8\r\n.cdk\r\n.n16\r\n")) << ext;
    EXPECT_TRUE(ext.ends_with(bytesOf(kAssets / "app" / "Ext.txt"))) << ext;
}

TEST_F(DemoFolderTest, RemakingKeepsTheUsersCatalogAndSchemeAndRestoresSamples)
{
    ASSERT_FALSE(make().error);
    std::ofstream(m_demo / "DATA.txt", std::ios::binary) << "[Manufacturer]Mine\r\n";
    std::ofstream(m_demo / "ColorSchemes" / "Active.col", std::ios::binary) << "chosen\r\n";
    const auto sample = m_demo / "roms" / "Comet Deck" / "Astro Pinball.cdk";
    fs::remove(sample);

    const auto again = make();
    ASSERT_FALSE(again.error);
    EXPECT_FALSE(again.catalogWritten);
    EXPECT_EQ(bytesOf(m_demo / "DATA.txt"), "[Manufacturer]Mine\r\n");
    EXPECT_EQ(bytesOf(m_demo / "ColorSchemes" / "Active.col"), "chosen\r\n");
    EXPECT_TRUE(fs::exists(sample));
}

TEST_F(DemoFolderTest, MissingEmulatorIsReportedBeforeAnythingIsWritten)
{
    fs::remove(m_sources.emulator);
    const auto outcome = make();
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->path, fromPath(m_sources.emulator));
    EXPECT_FALSE(fs::exists(m_demo));
}

TEST_F(DemoFolderTest, CommandMakesThenKeepsAndRefusesBadArguments)
{
    const auto programs = m_sources.appFiles;
    std::ostringstream out, err;
    ASSERT_EQ(runMakeDemoCommand({fromPath(m_demo)}, out, err, programs), 0) << err.str();
    EXPECT_NE(out.str().find("its DATA.txt was written"), std::string::npos) << out.str();
    ASSERT_EQ(runMakeDemoCommand({fromPath(m_demo)}, out, err, programs), 0) << err.str();
    EXPECT_NE(out.str().find("its DATA.txt was kept as it was"), std::string::npos) << out.str();

    for (const auto &args : std::vector<std::vector<std::string>>{{}, {"a", "b"}, {"--help"}})
        EXPECT_EQ(runMakeDemoCommand(args, out, err, programs), 2);
    EXPECT_EQ(runMakeDemoCommand({fromPath(m_demo)}, out, err, m_dir.path() / "elsewhere"), 1);
}

TEST(DemoCatalog, PathsFollowTheSystemsSeparator)
{
    const struct
    {
        SystemKind kind;
        std::string folder, romPath, emuPath;
    } cases[] = {
        {SystemKind::Windows, "D:\\Games\\Demo", "D:\\Games\\Demo\\roms\\Nebula 16\\",
         "D:\\Games\\Demo\\emu.exe"},
        {SystemKind::Posix, "/home/me/demo", "/home/me/demo/roms/Nebula 16/",
         "/home/me/demo/emu.exe"},
    };
    for (const auto &c : cases) {
        const auto catalog = demoCatalog(c.folder, "emu.exe", PlatformRules(c.kind));
        const auto &plat = catalog.Man[1].Plat[0];
        EXPECT_EQ(plat.Name, "Nebula 16");
        EXPECT_EQ(plat.RomPath, c.romPath);
        EXPECT_EQ(plat.Emu[0].Path, c.emuPath);
    }
}

TEST(DemoExtensions, SamplePlatformsFirstThenEveryShippedLine)
{
    const std::string samples = ".st8\r\n.cdk\r\n.n16\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", samples},
        {".nes\r\n.sfc\r\n", samples + ".nes\r\n.sfc\r\n"},
        {".nes\n.sfc", samples + ".nes\r\n.sfc\r\n"},
        {".nes\r\n\r\n.gb\r", samples + ".nes\r\n\r\n.gb\r\n"},
    };
    for (const auto &[shipped, expected] : cases)
        EXPECT_EQ(demoExtensions(shipped), expected) << shipped;
}

} // namespace
} // namespace kestrova
