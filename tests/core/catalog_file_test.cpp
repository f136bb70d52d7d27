#include "core/catalog_file.h"
#include "platform/text_codec.h"

#include <gtest/gtest.h>

#include <random>

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

TEST(CatalogFile, ArgumentTemplatesStayWithTheirEmulatorAndOlderReadersSkipThem)
{
    const std::string saved = crlf({"[Manufacturer]Orbital", "", "", "[Platform]Star 8",
                                    "[Emu]Multi", "[EmuPath]/opt/multi",
                                    "[EmuArgs]-L \"cores/c ore.so\" -f {rom} ]x[ \xE9",
                                    "[Emu]Plain", "[EmuPath]/opt/plain", "[Emu]No path",
                                    "[EmuArgs]--cart={rom}", "[Fav]a.s8", ""});
    const auto load = parseCatalog(saved, SystemKind::Posix);
    EXPECT_EQ(load.skippedLines, 0);
    const auto &star = load.catalog.Man[0].Plat[0];
    EXPECT_EQ(star.Emu[0].Args, "-L \"cores/c ore.so\" -f {rom} ]x[ \xE9") << "bytes kept";
    EXPECT_EQ(star.Emu[1].Args, "");
    EXPECT_EQ(star.Emu[2].Args, "--cart={rom}");
    EXPECT_EQ(writeCatalog(load.catalog, SystemKind::Posix), saved);

    // A reader that knows only the six keys reads the rest as if the lines were not there.
    std::string withoutTemplates;
    for (const auto &line : splitLines(saved))
        withoutTemplates += line.starts_with("[EmuArgs]") ? "" : line + "\r\n";
    auto older = load.catalog;
    for (int e = 0; e < kEmulatorSlots; ++e)
        older.Man[0].Plat[0].Emu[e].Args.clear();
    EXPECT_EQ(writeCatalog(parseCatalog(withoutTemplates).catalog), writeCatalog(older));
    EXPECT_EQ(writeCatalog(older), withoutTemplates) << "no template, no line";

    // A template belongs to the emulator before it: without one, or past the table, it is
    // skipped with it; one holding a line break is never written.
    std::string text = "[Manufacturer]A\r\n[Platform]P\r\n[EmuArgs]orphan\r\n";
    for (int i = 0; i < 52; ++i)
        text += "[Emu]E" + std::to_string(i) + "\r\n[EmuArgs]-n " + std::to_string(i) + "\r\n";
    const auto full = parseCatalog(text);
    EXPECT_EQ(full.skippedLines, 1 + 2);
    EXPECT_EQ(full.catalog.Man[0].Plat[0].Emu[50].Args, "-n 50");
    auto broken = full.catalog;
    broken.Man[0].Plat[0].Emu[0].Args = "-a\r\n[Manufacturer]B";
    const auto written = writeCatalog(broken);
    EXPECT_EQ(written.find("[EmuArgs]-a"), std::string::npos);
    EXPECT_EQ(parseCatalog(written).catalog.LastMan, 0);
}

TEST(CatalogFile, ReadingFollowsTheKeysExactly)
{
    const auto load = parseCatalog(crlf({"[Manufacturer]A", "[Platform]P", "", "[fav]lower",
                                         "[Fav]", "[Emu]", "[EmuPath]lost", "[Platform]Q",
                                         "[Emu]E", "[Manufacturer]", "[Manufacturer]C"}));
    const auto &catalog = load.catalog;
    EXPECT_EQ(catalog.LastMan, 2);
    EXPECT_EQ(catalog.Man[0].Plat[0].LastFav, -1) << "case-different key and empty Fav ignored";
    EXPECT_EQ(catalog.Man[0].Plat[0].LastEmu, -1) << "an empty [Emu] is skipped with its path";
    EXPECT_EQ(load.skippedLines, 3) << "the unknown key, the empty [Emu] and its path";
    EXPECT_EQ(catalog.Man[0].Plat[1].Emu[0].Name, "E") << "the last platform keeps its emulators";
    // Saving drops the empty names and packs what is left.
    EXPECT_EQ(writeCatalog(catalog), crlf({"[Manufacturer]A", "", "", "[Platform]P",
                                           "[Platform]Q", "[Emu]E", "", "[Manufacturer]C", "",
                                           "", ""}));
    // Lone line feeds and carriage returns end lines too.
    const auto lone = parseCatalog("[Manufacturer]A\n[Platform]P\r[RomPath]/r/\n");
    EXPECT_EQ(lone.catalog.Man[0].Plat[0].RomPath, "/r/");
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

TEST(CatalogFile, TheLastManufacturerThatFitsKeepsEverythingWhenMoreFollow)
{
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "[Manufacturer]M" + std::to_string(i) + "\r\n[Platform]P\r\n";
    const std::string last = "[Manufacturer]Last\r\n\r\n\r\n[Platform]One\r\n[Emu]E1\r\n"
                             "[EmuPath]/e1\r\n[Fav]a.rom\r\n[Platform]Two\r\n[RomPath]/two/\r\n"
                             "[Emu]E2\r\n[EmuPath]/e2\r\n[Fav]b.rom\r\n[Fav]c.rom\r\n\r\n";
    text += last + "[Manufacturer]Extra\r\n\r\n[Platform]X\r\n[RomPath]/x/\r\n[Emu]EX\r\n";
    const auto load = parseCatalog(text);
    EXPECT_EQ(load.skippedLines, 4) << "the 52nd manufacturer's four lines, nothing else";
    const auto saved = writeCatalog(load.catalog);
    EXPECT_TRUE(saved.ends_with(last)) << saved.substr(saved.size() - last.size());
}

namespace {

// Values that try every way of breaking a line-based file.
std::string hostileValue(std::mt19937 &random)
{
    const int kind = int(random() % 10);
    if (kind == 0)
        return {};
    const size_t length = kind == 1 && random() % 20 == 0 ? 10000 : 1 + random() % 12;
    static const std::string special = "[]\r\n \xE9\xC3\xA9\xEF\xBB\xBF";
    std::string value;
    for (size_t i = 0; i < length; ++i) {
        value += kind < 4 ? special[random() % special.size()]
                 : kind < 7 ? char('a' + random() % 26)
                            : char(1 + random() % 255);
    }
    return value;
}

Catalog randomCatalog(std::mt19937 &random, bool full)
{
    Catalog catalog;
    const auto upTo = [&](int slots) { return full ? slots - 1 : int(random() % 4) - 1; };
    const auto value = [&] { return full ? std::string("v") : hostileValue(random); };
    catalog.LastMan = std::int16_t(full ? kManufacturerSlots - 1 : random() % 5);
    for (int m = 0; m <= catalog.LastMan; ++m) {
        auto &manufacturer = catalog.Man[m];
        manufacturer.Name = value();
        manufacturer.LastPlat = std::int16_t(upTo(kPlatformSlots));
        for (int p = 0; p <= manufacturer.LastPlat; ++p) {
            auto &platform = manufacturer.Plat[p];
            platform = {value(), value(), {}, {}, std::int16_t(upTo(kEmulatorSlots)),
                        std::int16_t(upTo(kFavouriteSlots))};
            for (int e = 0; e <= platform.LastEmu; ++e)
                platform.Emu[e] = {value(), value(), value()};
            for (int k = 0; k <= platform.LastFav; ++k)
                platform.Fav[k] = value();
        }
    }
    return catalog;
}

int recordCount(const Catalog &catalog)
{
    int count = 0;
    const auto add = [&count](const std::string &value) { count += value.empty() ? 0 : 1; };
    for (int m = 0; m <= catalog.LastMan; ++m) {
        add(catalog.Man[m].Name);
        for (int p = 0; p <= catalog.Man[m].LastPlat; ++p) {
            const auto &platform = catalog.Man[m].Plat[p];
            add(platform.Name);
            add(platform.RomPath);
            for (int e = 0; e <= platform.LastEmu; ++e) {
                add(platform.Emu[e].Name);
                add(platform.Emu[e].Path);
                add(platform.Emu[e].Args);
            }
            for (int k = 0; k <= platform.LastFav; ++k)
                add(platform.Fav[k]);
        }
    }
    return count;
}

int recordLines(const std::string &saved)
{
    int count = 0;
    for (const auto &line : splitLines(saved))
        count += line.empty() ? 0 : 1;
    return count;
}

} // namespace

TEST(CatalogFile, SavingWhatWasLoadedChangesNothingWhateverTheValuesHold)
{
    std::mt19937 random(20261206);
    int cases = 0;
    for (SystemKind kind : {SystemKind::Posix, SystemKind::Windows}) {
        for (int trial = 0; trial < 3000; ++trial, ++cases) {
            const Catalog catalog = randomCatalog(random, trial % 1000 == 0);
            const std::string first = writeCatalog(catalog, kind);
            const auto load = parseCatalog(first, kind);
            const std::string second = writeCatalog(load.catalog, kind);
            ASSERT_EQ(second, first) << "case " << trial;
            ASSERT_EQ(load.skippedLines, 0)
                << "case " << trial << ": " << ::testing::PrintToString(first);
            ASSERT_LE(recordLines(first), recordCount(catalog)) << "case " << trial;
        }
    }
    EXPECT_EQ(cases, 6000);
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
