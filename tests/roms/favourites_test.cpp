#include "roms_test_support.h"

#include "platform/list_box.h"

#include <gtest/gtest.h>

namespace kestrova::testing {
namespace {

const MouseEvent kLeft{LeftButton, 0, 0, 0};
const MouseEvent kRight{RightButton, 0, 0, 0};
const MouseEvent kMiddle{MiddleButton, 0, 0, 0};
const std::string kLimit = "A maximum of 200 favorites per platform is supported.";

class FavouritesTest : public ::testing::Test
{
protected:
    Application &start(std::vector<std::string> favourites = {})
    {
        for (const char *rom : {"A.nes", "B.nes", "C.nes"})
            f.dir.write(std::string("roms/") + rom, "x");
        f.writeAppFile(
            "DATA.txt",
            manufacturerLines(
                "Maker", {{"NES", folderText(f.dir.path() / "roms"), {}, std::move(favourites)},
                          {"Other", "", {}, {"Elsewhere.nes"}}}));
        auto &app = f.start();
        selectPlatform(app, 0, 0);
        return app;
    }

    void addRom(Application &app, const std::string &name, const MouseEvent &press = kRight)
    {
        auto &roms = app.listBox("Flist_L");
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
    addRom(app, "A.nes", kLeft);
    EXPECT_EQ(favourites.count(), 0) << "the left button is ignored";
    addRom(app, "A.nes");
    addRom(app, "B.nes", kMiddle);
    addRom(app, "C.nes");
    addRom(app, "C.nes");
    EXPECT_EQ(favourites.items(), (std::vector<std::string>{"A.nes", "B.nes", "C.nes", "C.nes"}));
    EXPECT_EQ(favourites.listIndex(), 3);
    EXPECT_EQ(favourites.toolTip(), "C.nes");
    EXPECT_EQ(nes().LastFav, 3);

    favourites.userMouseDown(kLeft);
    EXPECT_EQ(favourites.count(), 4);
    favourites.userMouseDown(kRight); // the second C
    favourites.userClickRow(1);       // B
    favourites.userMouseDown(kRight);
    EXPECT_EQ(favourites.items(), (std::vector<std::string>{"A.nes", "C.nes"}));
    EXPECT_EQ(favourites.listIndex(), 0);
    EXPECT_EQ(nes().Fav[0], "A.nes");
    EXPECT_EQ(nes().Fav[1], "C.nes");
    EXPECT_EQ(nes().Fav[2], "");
    EXPECT_EQ(nes().LastFav, 1);

    ASSERT_TRUE(app.SaveData());
    const std::string saved = f.readAppFile("DATA.txt");
    EXPECT_NE(saved.find("[Fav]A.nes\r\n[Fav]C.nes\r\n[Platform]Other"), std::string::npos)
        << saved;

    // Another platform and back: the order they were added in.
    app.listBox("plat_list_L").userClickRow(1);
    EXPECT_EQ(favourites.items(), std::vector<std::string>{"Elsewhere.nes"});
    app.listBox("plat_list_L").userClickRow(0);
    EXPECT_EQ(favourites.items(), (std::vector<std::string>{"A.nes", "C.nes"}));
}

TEST_F(FavouritesTest, RemovingSelectsTheEntryBeforeOrNothing)
{
    auto &app = start({"A.nes", "B.nes"});
    auto &favourites = app.listBox("FavList_L");
    favourites.userMouseDown(kRight);
    EXPECT_EQ(favourites.count(), 2) << "nothing selected";
    favourites.userClickRow(0);
    favourites.userMouseDown(kMiddle);
    EXPECT_EQ(favourites.items(), std::vector<std::string>{"B.nes"});
    EXPECT_EQ(favourites.listIndex(), 0);
    favourites.userMouseDown(kRight);
    EXPECT_EQ(favourites.count(), 0);
    EXPECT_EQ(favourites.listIndex(), -1);
    EXPECT_EQ(nes().LastFav, -1);
    EXPECT_EQ(nes().Fav[0], "");
}

TEST_F(FavouritesTest, TwoHundredIsTheLimit)
{
    std::vector<std::string> many;
    for (int k = 0; k < 199; ++k)
        many.push_back("Game " + std::to_string(k) + ".nes");
    auto &app = start(many);
    auto &favourites = app.listBox("FavList_L");
    addRom(app, "A.nes");
    EXPECT_EQ(favourites.count(), 200);
    EXPECT_EQ(nes().Fav[199], "A.nes");
    EXPECT_TRUE(f.dialogs.messages.empty());

    addRom(app, "B.nes");
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, kLimit);
    EXPECT_EQ(f.dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(favourites.count(), 200);
    EXPECT_EQ(nes().Fav[200], "");
    EXPECT_LE(nes().LastFav, 200);

    // Full: even without a selected ROM the message comes.
    app.listBox("Flist_L").setListIndex(-1);
    app.listBox("Flist_L").userMouseDown(kRight);
    EXPECT_EQ(f.dialogs.messages.size(), 2u);
}

TEST_F(FavouritesTest, NothingHappensWithoutASelectedPlatform)
{
    auto &app = start({"A.nes"});
    auto &favourites = app.listBox("FavList_L");
    auto &roms = app.listBox("Flist_L");
    app.listBox("plat_list_L").setListIndex(-1); // the lists keep their entries
    roms.setListIndex(0);
    roms.userMouseDown(kRight);
    favourites.setListIndex(0);
    favourites.userMouseDown(kRight);
    EXPECT_EQ(favourites.items(), std::vector<std::string>{"A.nes"});
    EXPECT_EQ(nes().Fav[0], "A.nes");
    EXPECT_EQ(nes().LastFav, 0);

    roms.setListIndex(-1);
    app.listBox("plat_list_L").userClickRow(0);
    roms.userMouseDown(kRight);
    EXPECT_EQ(favourites.count(), 1) << "no ROM selected";
}

} // namespace
} // namespace kestrova::testing
