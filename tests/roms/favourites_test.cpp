#include "roms_test_support.h"

#include "platform/list_box.h"

#include <gtest/gtest.h>

namespace kestrova::testing {
namespace {

using Names = std::vector<std::string>;
const MouseEvent kLeft{LeftButton, 0, 0, 0};
const MouseEvent kRight{RightButton, 0, 0, 0};
const MouseEvent kMiddle{MiddleButton, 0, 0, 0};

class FavouritesTest : public ::testing::Test
{
protected:
    Application &start(Names favourites = {})
    {
        for (const char *rom : {"A.nes", "B.nes", "C.nes"})
            f.dir.write(std::string("roms/") + rom, "x");
        const std::string folder = folderText(f.dir.path() / "roms");
        f.writeAppFile("DATA.txt",
                       manufacturerLines("Maker", {{"NES", folder, {}, std::move(favourites)},
                                                   {"Other", "", {}, {"Elsewhere.nes"}}}));
        auto &app = f.start();
        selectPlatform(app, 0, 0);
        return app;
    }

    void addRom(const std::string &name, const MouseEvent &press = kRight)
    {
        auto &roms = f.app().listBox("Flist_L");
        roms.setListIndex(positionOf(roms, name));
        roms.userMouseDown(press);
    }

    PlatformRec &nes() { return f.app().catalog().Man[0].Plat[0]; }

    AppFixture f;
};

TEST_F(FavouritesTest, AddAndRemoveKeepTheSlotsPacked)
{
    auto &app = start();
    auto &favourites = app.listBox("FavList_L");
    addRom("A.nes", kLeft);
    EXPECT_EQ(favourites.count(), 0) << "the left button is ignored";
    for (const char *rom : {"A.nes", "B.nes", "C.nes", "C.nes"})
        addRom(rom, kMiddle);
    EXPECT_EQ(favourites.items(), (Names{"A.nes", "B.nes", "C.nes", "C.nes"}));
    EXPECT_EQ(favourites.listIndex(), 3);
    EXPECT_EQ(favourites.toolTip(), "C.nes");
    EXPECT_EQ(nes().LastFav, 3);

    favourites.userMouseDown(kLeft);
    favourites.userMouseDown(kRight); // the second C; the first C is then selected
    favourites.userClickRow(1);       // B
    favourites.userMouseDown(kRight);
    EXPECT_EQ(favourites.items(), (Names{"A.nes", "C.nes"}));
    EXPECT_EQ(favourites.listIndex(), 0);
    EXPECT_EQ((Names{nes().Fav[0], nes().Fav[1], nes().Fav[2]}), (Names{"A.nes", "C.nes", ""}));
    EXPECT_EQ(nes().LastFav, 1);
    ASSERT_TRUE(app.SaveData());
    EXPECT_NE(f.readAppFile("DATA.txt").find("[Fav]A.nes\r\n[Fav]C.nes\r\n[Platform]Other"),
              std::string::npos);

    app.listBox("plat_list_L").userClickRow(1);
    EXPECT_EQ(favourites.items(), Names{"Elsewhere.nes"});
    app.listBox("plat_list_L").userClickRow(0);
    EXPECT_EQ(favourites.items(), (Names{"A.nes", "C.nes"}));

    favourites.userClickRow(0);
    favourites.userMouseDown(kRight);
    favourites.userMouseDown(kRight);
    EXPECT_EQ(favourites.count(), 0);
    EXPECT_EQ(favourites.listIndex(), -1);
    EXPECT_EQ(nes().LastFav, -1);
    favourites.userMouseDown(kRight); // nothing selected
    EXPECT_EQ(nes().LastFav, -1);
}

TEST_F(FavouritesTest, TwoHundredIsTheLimit)
{
    Names many;
    for (int k = 0; k < 199; ++k)
        many.push_back("Game " + std::to_string(k) + ".nes");
    auto &app = start(many);
    auto &favourites = app.listBox("FavList_L");
    addRom("A.nes");
    EXPECT_EQ(favourites.count(), 200);
    EXPECT_EQ(nes().Fav[199], "A.nes");
    EXPECT_TRUE(f.dialogs.messages.empty());
    addRom("B.nes");
    app.listBox("Flist_L").setListIndex(-1);
    app.listBox("Flist_L").userMouseDown(kRight); // full: the message even without a ROM
    ASSERT_EQ(f.dialogs.messages.size(), 2u);
    EXPECT_EQ(f.dialogs.messages[0].text, "A maximum of 200 favorites per platform is supported.");
    EXPECT_EQ(f.dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(favourites.count(), 200);
    EXPECT_EQ(nes().Fav[200], "");
    EXPECT_EQ(nes().LastFav, 199);
}

TEST_F(FavouritesTest, NothingHappensWithoutASelectedPlatform)
{
    auto &app = start({"A.nes"});
    auto &favourites = app.listBox("FavList_L");
    app.listBox("plat_list_L").setListIndex(-1); // the lists keep their entries
    addRom("B.nes");
    favourites.setListIndex(0);
    favourites.userMouseDown(kRight);
    EXPECT_EQ(favourites.items(), Names{"A.nes"});
    EXPECT_EQ(nes().Fav[0], "A.nes");
    EXPECT_EQ(nes().LastFav, 0);
}

} // namespace
} // namespace kestrova::testing
