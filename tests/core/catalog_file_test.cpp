#include "core/catalog_file.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

std::string crlf(std::initializer_list<const char *> lines)
{
    std::string text;
    for (const char *line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

TEST(CatalogFile, SavedCatalogRoundTripsByteForByte)
{
    const std::string saved = crlf({"[Manufacturer]Orbital", "", "", "[Platform]Star 8",
                                    "[RomPath]D:\\Roms\\S8\\", "[Emu]Emu One", "[EmuPath]C:\\E\\1.exe",
                                    "[Emu]Emu Two", "[Fav]Game ]one[.s8", "[Fav]Two.s8",
                                    "[Platform]Bare", "", "[Manufacturer]Empty", "", "", ""});
    const auto load = parseCatalog(saved);
    EXPECT_EQ(load.skippedLines, 0);
    EXPECT_EQ(load.catalog.LastMan, 1);
    const auto &star = load.catalog.Man[0].Plat[0];
    EXPECT_EQ(star.Fav[0], "Game ]one[.s8");
    EXPECT_EQ(star.LastEmu, 1);
    EXPECT_EQ(star.LastFav, 1);
    EXPECT_EQ(load.catalog.Man[0].LastPlat, 1);
    EXPECT_EQ(load.catalog.Man[1].LastPlat, -1);
    EXPECT_EQ(writeCatalog(load.catalog), saved);
}

TEST(CatalogFile, ReadingFollowsTheKeysExactly)
{
    const auto load = parseCatalog(crlf({"[Manufacturer]A", "[Platform]P", "", "[fav]lower",
                                         "[Fav]", "[Emu]", "[EmuPath]lost", "[Platform]Q",
                                         "[Emu]E", "[Manufacturer]", "[Manufacturer]C"}));
    const auto &catalog = load.catalog;
    EXPECT_EQ(catalog.LastMan, 2);
    EXPECT_EQ(catalog.Man[0].Plat[0].LastFav, -1) << "case-different key and empty Fav ignored";
    EXPECT_EQ(catalog.Man[0].Plat[0].LastEmu, 0) << "an empty [Emu] still takes a slot";
    EXPECT_EQ(catalog.Man[0].Plat[1].Emu[0].Name, "E") << "the last platform keeps its emulators";
    // Saving drops the empty names and packs what is left.
    EXPECT_EQ(writeCatalog(catalog), crlf({"[Manufacturer]A", "", "", "[Platform]P",
                                           "[Platform]Q", "[Emu]E", "", "[Manufacturer]C", "",
                                           "", ""}));
}

TEST(CatalogFile, AcceptsLoneLineFeedsAndCarriageReturns)
{
    const auto load = parseCatalog("[Manufacturer]A\n[Platform]P\r[RomPath]/r/\n");
    EXPECT_EQ(load.catalog.Man[0].Plat[0].RomPath, "/r/");
}

TEST(CatalogFile, LinesThatDoNotFitAreSkippedAndCounted)
{
    std::string text = "]first\r\nno bracket\r\n[Platform]orphan\r\n[RomPath]orphan\r\n";
    text += "[Manufacturer]A\r\n[Emu]before platform\r\n[Platform]P\r\n[EmuPath]before emu\r\n";
    for (int i = 0; i < 52; ++i)
        text += "[Emu]E" + std::to_string(i) + "\r\n[EmuPath]/e" + std::to_string(i) + "\r\n";
    for (int i = 0; i < 203; ++i)
        text += "[Fav]F" + std::to_string(i) + "\r\n";
    for (int i = 1; i < 53; ++i)
        text += "[Manufacturer]M" + std::to_string(i) + "\r\n[Platform]X\r\n";
    const auto load = parseCatalog(text);
    // 2 malformed + 2 orphans + emu before platform + path before emu + 1 emu with its path
    // + 2 favourites + 2 manufacturers with their platform line.
    EXPECT_EQ(load.skippedLines, 2 + 2 + 1 + 1 + 2 + 2 + 4);
    EXPECT_EQ(load.catalog.LastMan, 50);
    const auto &platform = load.catalog.Man[0].Plat[0];
    EXPECT_EQ(platform.LastEmu, 50);
    EXPECT_EQ(platform.Emu[50].Path, "/e50");
    EXPECT_EQ(platform.LastFav, 200);
    EXPECT_EQ(load.catalog.Man[50].Name, "M50");
}

TEST(CatalogFile, AllNamesEmptySavesAnEmptyFile)
{
    Catalog catalog;
    catalog.LastMan = 0;
    catalog.Man[0].Plat[0].Name = "orphaned";
    EXPECT_EQ(writeCatalog(catalog), "");
}

} // namespace
} // namespace kestrova
