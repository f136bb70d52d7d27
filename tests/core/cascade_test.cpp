#include "fakes/app_fixture.h"
#include "platform/list_box.h"
#include "platform/text_box.h"
#include "platform/widgets.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

using testing::AppFixture;

// A chosen ROM folder is stored with the system's own separator at its end.
const std::string kSeparator(1, PlatformRules::native().separator());

class Cascade : public ::testing::Test
{
protected:
    void SetUp() override
    {
        roms = f.dir.path() / "roms";
        f.dir.write("roms/Alpha.nes", "x"); // so that a switch has a ROM list to empty
        const std::string folder = roms.string() + "/";
        f.writeAppFile("Ext.txt", ".nes\r\n");
        f.writeAppFile("DATA.txt", "[Manufacturer]Acme\r\n[Platform]P0\r\n[RomPath]" + folder
                                       + "\r\n[Emu]E0\r\n[EmuPath]/e0\r\n[Emu]E1\r\n[EmuPath]/e1"
                                       + "\r\n[Fav]Alpha.nes\r\n[Platform]P1\r\n"
                                       + "[Manufacturer]Other\r\n[Platform]Q0\r\n");
        app = &f.start();
    }
    ListBox &list(const char *name) { return app->listBox(name); }

    AppFixture f;
    Application *app = nullptr;
    std::filesystem::path roms;
};

TEST_F(Cascade, ManufacturerThenPlatformThenEmulatorFillTheirDependants)
{
    list("manu_L").userClickRow(0);
    EXPECT_EQ(list("plat_list_L").items(), (std::vector<std::string>{"P0", "P1"}));
    EXPECT_EQ(list("manu_L").toolTip(), "Acme");
    EXPECT_EQ(app->form1().get<StatusBar>("StatusBar1").panel(1), "Man: Acme");

    list("plat_list_L").userClickRow(0);
    EXPECT_EQ(app->textBox("RPath_I").text(), roms.string() + "/");
    EXPECT_EQ(list("Emu_L").items(), (std::vector<std::string>{"E0", "E1"}));
    EXPECT_EQ(list("FavList_L").items(), std::vector<std::string>{"Alpha.nes"});

    ASSERT_EQ(list("Flist_L").count(), 1);
    list("Emu_L").userClickRow(1);
    EXPECT_EQ(app->textBox("EPath_I").text(), "/e1");
    EXPECT_EQ(list("Emu_L").toolTip(), "E1");

    app->comboBox("ext1_C").userClickRow(1);
    EXPECT_EQ(app->textBox("EPath_I").text(), "/e1") << "the filter touches nothing else";

    app->textBox("matches_L").setText("something");
    list("manu_L").userClickRow(1);
    for (const char *name : {"Flist_L", "FavList_L", "Emu_L", "avail_L"})
        EXPECT_EQ(list(name).count(), 0) << name;
    EXPECT_EQ(list("plat_list_L").items(), std::vector<std::string>{"Q0"});
    EXPECT_EQ(app->textBox("RPath_I").text(), "");
    EXPECT_EQ(app->textBox("EPath_I").text(), "");
    EXPECT_EQ(app->textBox("matches_L").text(), "");
}

TEST_F(Cascade, AddedPlatformTakesTheNextSlotAndItsChosenFolder)
{
    // Also the first platform of an empty manufacturer: slot 0 must keep its folder.
    app->catalog().Man[2].Name = "Fresh";
    app->catalog().LastMan = 2;
    app->UpdatE("Boot", 0);
    const auto add = [&](int maker, const std::string &name, const std::string &folder) {
        list("manu_L").userClickRow(maker);
        f.dialogs.messageAnswers = {MessageResult::Yes};
        f.dialogs.folderAnswers = {folder};
        list("plat_list_L").addItem(name);
        app->textBox("txt").setText(name);
        app->textBox("ajout").setText("1");
    };
    add(1, "New", "/data/new roms");
    const auto &manufacturer = app->catalog().Man[1];
    EXPECT_EQ(manufacturer.Plat[1].Name, "New");
    EXPECT_EQ(manufacturer.Plat[1].RomPath, "/data/new roms" + kSeparator);
    EXPECT_EQ(manufacturer.LastPlat, 1);
    EXPECT_EQ(f.dialogs.messages.back().text, "Browse to the folder containing your New roms.");
    EXPECT_EQ(f.dialogs.messages.back().title, "Set ROMS path?");
    EXPECT_EQ(f.dialogs.folderTitles, std::vector<std::string>{"Select a ROM Folder"});
    EXPECT_EQ(app->textBox("ajout").text(), "0");
    EXPECT_EQ(list("plat_list_L").items(), (std::vector<std::string>{"Q0", "New"}));
    EXPECT_EQ(list("plat_list_L").listIndex(), -1);

    add(2, "First", "/r");
    EXPECT_EQ(app->catalog().Man[2].Plat[0].Name, "First");
    EXPECT_EQ(app->catalog().Man[2].Plat[0].RomPath, "/r" + kSeparator);
    EXPECT_EQ(list("plat_list_L").items(), std::vector<std::string>{"First"});
}

TEST_F(Cascade, TypeAheadAndPathDoubleClick)
{
    auto &titles = list("avail_L");
    titles.addItems({"alpha", "Beta", "bravo", "Charlie"});
    auto &typed = app->textBox("available_I");
    typed.setText("b");
    EXPECT_EQ(titles.listIndex(), 1);
    typed.setText("BR");
    EXPECT_EQ(titles.listIndex(), 2);
    typed.setText("zz");
    EXPECT_EQ(titles.listIndex(), 2) << "no match leaves the selection";
    typed.setText("");
    EXPECT_EQ(titles.listIndex(), 0);

    list("manu_L").userClickRow(0);
    app->UpdatE("P_change", 0);
    app->textBox("RPath_I").userDoubleClick();
    EXPECT_EQ(app->control("m_M").caption(), roms.string() + "/");
}

TEST(StatusSummary, ArticlePanelLooksAtTheFirstCharactersOnly)
{
    AppFixture f;
    auto &app = f.start();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"http://en.wikipedia.org/wiki/X", "Article: Yes"},
        {"HTTP://x", "Article: --"},
        {"No article about X", "Article: NO"},
        {"Nothing", "Article: NO"},
        {"no article", "Article: --"},
        {"Article available at Wikipedia", "Article: --"},
        {"", "Article: --"}};
    for (const auto &[text, panel] : cases) {
        app.textBox("matches_L").setText(text);
        app.ShowStatus();
        EXPECT_EQ(app.form1().get<StatusBar>("StatusBar1").panel(6), panel) << text;
    }
}

} // namespace
} // namespace kestrova
