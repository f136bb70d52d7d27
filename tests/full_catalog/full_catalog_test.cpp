#include "core/catalog_file.h"
#include "fakes/app_fixture.h"
#include "fakes/full_catalog.h"
#include "platform/list_box.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kestrova {
namespace {

using namespace testing;

void expectSamePlatform(const PlatformRec &got, const PlatformRec &want)
{
    ASSERT_EQ(std::tie(got.Name, got.RomPath, got.LastEmu, got.LastFav),
              std::tie(want.Name, want.RomPath, want.LastEmu, want.LastFav));
    for (int e = 0; e < kEmulatorSlots; ++e) {
        ASSERT_EQ(std::tie(got.Emu[e].Name, got.Emu[e].Path),
                  std::tie(want.Emu[e].Name, want.Emu[e].Path))
            << want.Name << " emulator " << e;
    }
    for (int f = 0; f < kFavouriteSlots; ++f)
        ASSERT_EQ(got.Fav[f], want.Fav[f]) << want.Name << " favourite " << f;
}

TEST(FullCatalog, EveryRecordLoadsTheWindowListsTheLastOfEachTableAndSavesTheSameFile)
{
    const Catalog full = fullCatalog();
    const std::string bytes = writeCatalog(full);
    AppFixture f;
    f.writeAppFile("DATA.txt", bytes);
    Application &app = f.start();
    EXPECT_TRUE(f.dialogs.messages.empty()) << "no line skipped";
    const Catalog &loaded = app.catalog();
    ASSERT_EQ(loaded.LastMan, kFullManufacturers - 1);
    for (int m = 0; m < kManufacturerSlots; ++m) {
        ASSERT_EQ(std::tie(loaded.Man[m].Name, loaded.Man[m].LastPlat),
                  std::tie(full.Man[m].Name, full.Man[m].LastPlat));
        for (int p = 0; p < kPlatformSlots; ++p) {
            const PlatformRec &got = loaded.Man[m].Plat[p];
            ASSERT_NO_FATAL_FAILURE(expectSamePlatform(got, full.Man[m].Plat[p]));
        }
    }

    ListBox &makers = app.listBox("manu_L");
    ASSERT_EQ(makers.count(), kFullManufacturers);
    makers.userClickRow(kFullManufacturers - 1);
    ListBox &platforms = app.listBox("plat_list_L");
    ASSERT_EQ(platforms.count(), kFullPlatforms);
    platforms.userClickRow(kFullPlatforms - 1);
    EXPECT_EQ(platforms.text(), "Console 50.49");
    EXPECT_EQ(app.listBox("Emu_L").count(), kFullEmulators);
    ASSERT_EQ(app.listBox("FavList_L").count(), kFullFavourites);
    EXPECT_EQ(app.listBox("FavList_L").item(kFullFavourites - 1),
              "Favourite Game 199 (Europe) (Rev 1) [!].rom");

    ASSERT_TRUE(app.SaveData());
    EXPECT_TRUE(f.readAppFile("DATA.txt") == bytes);
}

} // namespace
} // namespace kestrova
