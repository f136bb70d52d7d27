#include "fakes/app_fixture.h"
#include "platform/list_box.h"
#include "platform/text_codec.h"
#include "schemes/color_schemes.h"
#include "schemes/scheme_file.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrova::testing {
namespace {

std::string scheme(Color first, const std::string &set = "")
{
    SchemeColors colors{};
    for (int k = 0; k < kSchemeSlots; ++k)
        colors[size_t(k)] = first + k;
    return writeSchemeFile(colors, set);
}

std::optional<Color> back(Application &app, const std::string &name)
{
    return app.control(name).backColor();
}
std::optional<Color> fore(Application &app, const std::string &name)
{
    return app.control(name).foreColor();
}

MenuItem *schemeEntry(Application &app, const std::string &caption)
{
    auto &menu = *app.form1().menuBar().find("M_set_col");
    for (const auto &item : menu.items()) {
        if (item->name().starts_with("M_set_col_schemes(") &&
            item->name() != "M_set_col_schemes(0)" && item->caption() == caption)
            return item.get();
    }
    return nullptr;
}

std::vector<std::string> schemeCaptions(Application &app)
{
    std::vector<std::string> captions;
    for (const auto &item : app.form1().menuBar().find("M_set_col")->items()) {
        if (item->name().starts_with("M_set_col_schemes(") && item->caption() != "-")
            captions.push_back(item->caption());
    }
    return captions;
}

std::string checkedCaption(Application &app)
{
    for (const auto &item : app.form1().menuBar().find("M_set_col")->items()) {
        if (item->isChecked())
            return item->caption();
    }
    return "";
}

TEST(ColorSchemes, ActiveSchemeColoursEveryWindowByClassLetterAndPicksItsImageSet)
{
    AppFixture f;
    f.dir.write("menus/Blue/bar.gif");
    f.writeAppFile("ColorSchemes/Active.col", scheme(10, "Blue"));
    auto &app = f.start();

    EXPECT_EQ(app.form1().backColor(), 10);
    for (const char *name : {"romc_T", "Dragger_T", "Frame1T", "Check1_T"}) {
        EXPECT_EQ(back(app, name), 10) << name;
        EXPECT_EQ(fore(app, name), 11) << name;
    }
    EXPECT_EQ(back(app, "AddMan_B"), 12);
    EXPECT_EQ(fore(app, "AddMan_B"), 13);
    for (const char *name : {"manu_L", "Text1_I", "ext1_C", "nav_C", "matches_L"}) {
        EXPECT_EQ(back(app, name), 14) << name;
        EXPECT_EQ(fore(app, name), 15) << name;
    }
    EXPECT_EQ(back(app, "Emulators_T(0)"), 10) << "array members take their array's class";
    EXPECT_EQ(back(app, "m_M"), 16);
    EXPECT_EQ(fore(app, "m_M"), 11);
    for (const char *name :
         {"prog", "txt", "Browser", "StatusBar1", "Image2(0)"})
        EXPECT_FALSE(back(app, name).has_value()) << name;

    EXPECT_EQ(app.comboBox("nav_C").text(), "Blue");
    EXPECT_TRUE(app.form1().menuBar().find("M_set_nav_list(1)")->isChecked());
    EXPECT_TRUE(app.colors().isLoaded());
    EXPECT_FALSE(app.colors().isVisible());
    EXPECT_TRUE(app.form2().isLoaded());
    EXPECT_FALSE(app.form2().isVisible());
    EXPECT_EQ(app.form2().backColor(), 10);
    auto &schemes = app.feature<ColorSchemes>();
    for (int n = 0; n < 7; ++n)
        EXPECT_EQ(schemes.slot(n), 10 + n);
    EXPECT_EQ(schemes.slot(7), kToolkitSlots[7]); // start-up sets slots 0 to 6 only
    EXPECT_TRUE(schemeCaptions(app).empty());
    EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST(ColorSchemes, ShortActiveSchemeCountsMissingColoursAsBlack)
{
    AppFixture f;
    f.writeAppFile("ColorSchemes/Active.col", " 5 \r\n 6 \r\n");
    auto &app = f.start();
    EXPECT_EQ(back(app, "romc_T"), 5);
    EXPECT_EQ(fore(app, "romc_T"), 6);
    EXPECT_EQ(back(app, "manu_L"), 0);
}

TEST(ColorSchemes, MissingOrEmptyActiveSchemeKeepsTheToolkitColours)
{
    for (const char *content : {"<missing>", "", "\r\n  \r\n"}) {
        AppFixture f;
        if (std::string(content) != "<missing>")
            f.writeAppFile("ColorSchemes/Active.col", content);
        else
            std::filesystem::remove_all(f.dir.path() / "ColorSchemes");
        auto &app = f.start();
        EXPECT_NE(f.readAppFile("ColorSchemes/Active.col"), "<missing>") << content;
        EXPECT_FALSE(app.form1().backColor().has_value()) << content;
        EXPECT_FALSE(back(app, "manu_L").has_value()) << content;
        EXPECT_TRUE(f.dialogs.messages.empty()) << content;
    }
}

TEST(ColorSchemes, ApplyColorsPaintsOnlyTheClassAndKeepsTheChooserAsItWas)
{
    AppFixture f;
    auto &app = f.start();
    auto &schemes = app.feature<ColorSchemes>();
    schemes.ApplyColors(1, 2, 3, 'L');
    EXPECT_EQ(back(app, "Emu_L"), 1);
    EXPECT_EQ(fore(app, "Emu_L"), 2);
    EXPECT_FALSE(back(app, "Text1_I").has_value());
    EXPECT_EQ(app.form1().backColor(), 3);
    schemes.ApplyColors(7, 8, 3, 'T');
    EXPECT_EQ(fore(app, "Emulators_T(5)"), 8) << "array members take their array's class";
    EXPECT_FALSE(back(app, "Image2(3)").has_value());
    EXPECT_EQ(colorClassOf("M_ql"), 'l');
    EXPECT_EQ(colorClassOf("bcol(7)"), 'l');
    EXPECT_EQ(colorClassOf("(3)"), '\0');
    EXPECT_TRUE(app.form2().isLoaded());
    EXPECT_FALSE(app.form2().isVisible());

    app.form2().show();
    schemes.ApplyColors(4, 5, 6, 'I');
    EXPECT_TRUE(app.form2().isVisible());
    EXPECT_EQ(app.form2().backColor(), 6);
}

TEST(ColorSchemes, MenuListsSchemesAndChoosingCopiesOverActive)
{
    AppFixture f;
    f.writeAppFile("ColorSchemes/Active.col", scheme(10));
    f.writeAppFile("ColorSchemes/Dark.col", scheme(100));
    f.writeAppFile("ColorSchemes/my.col.col", scheme(200));
    f.writeAppFile("ColorSchemes/NotActive.col", scheme(300));
    f.writeAppFile("ColorSchemes/notes.txt", "");
    f.dir.write("ColorSchemes/Folder.col/x");
    auto &app = f.start();

    auto captions = schemeCaptions(app);
    std::sort(captions.begin(), captions.end());
    EXPECT_EQ(captions, (std::vector<std::string>{"Dark", "NotActive", "my.col"}));
    EXPECT_EQ(checkedCaption(app), "");

    schemeEntry(app, "my.col")->userClick();
    EXPECT_EQ(back(app, "manu_L"), 204);
    EXPECT_EQ(f.readAppFile("ColorSchemes/Active.col"), scheme(200));
    EXPECT_EQ(checkedCaption(app), "my.col");
    EXPECT_FALSE(std::filesystem::exists(f.dir.path() / "ColorSchemes/my.col"));
    EXPECT_FALSE(app.colors().isVisible());

    // The eighth line is read as an image-set name, never as slot 7.
    const Color spare = app.feature<ColorSchemes>().slot(7);
    schemeEntry(app, "NotActive")->userClick();
    EXPECT_EQ(back(app, "manu_L"), 304);
    EXPECT_EQ(app.feature<ColorSchemes>().slot(7), spare);
    EXPECT_EQ(f.readAppFile("ColorSchemes/Active.col"), scheme(200)); // "...Active.col": no copy
}

TEST(ColorSchemes, CyclingFollowsTheMarkAndWraps)
{
    AppFixture f;
    for (const char *name : {"A", "B", "C"})
        f.writeAppFile(std::string("ColorSchemes/") + name + ".col", scheme(10));
    auto &app = f.start();
    const auto order = schemeCaptions(app);
    ASSERT_EQ(order.size(), 3u);
    auto &cycle = *app.form1().menuBar().find("M_Cycle_c");

    cycle.userClick();
    EXPECT_EQ(checkedCaption(app), order[0]);
    cycle.userClick();
    EXPECT_EQ(checkedCaption(app), order[1]);
    schemeEntry(app, order[2])->userClick();
    cycle.userClick();
    EXPECT_EQ(checkedCaption(app), order[0]);
}

TEST(ColorSchemes, CyclingWithoutSchemesDoesNothing)
{
    AppFixture f;
    auto &app = f.start();
    app.form1().menuBar().find("M_Cycle_c")->userClick();
    EXPECT_TRUE(f.dialogs.messages.empty());
    EXPECT_EQ(f.readAppFile("ColorSchemes/Active.col"), "");
}

TEST(ColorSchemes, VanishedSchemeIsReportedAndNothingChanges)
{
    AppFixture f;
    f.writeAppFile("ColorSchemes/Active.col", scheme(10));
    f.writeAppFile("ColorSchemes/Gone.col", scheme(100));
    auto &app = f.start();
    std::filesystem::remove(f.dir.path() / "ColorSchemes/Gone.col");

    schemeEntry(app, "Gone")->userClick();
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    const auto gone = fromPath(f.dir.path() / "ColorSchemes" / "Gone.col");
    EXPECT_NE(f.dialogs.messages[0].text.find(gone), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(f.dir.path() / "ColorSchemes/Gone.col"));
    EXPECT_EQ(f.readAppFile("ColorSchemes/Active.col"), scheme(10));
    EXPECT_EQ(back(app, "manu_L"), 14);
    EXPECT_EQ(checkedCaption(app), "");
}

TEST(ColorSchemes, FailedCopyOverActiveIsReported)
{
    AppFixture f;
    f.writeAppFile("ColorSchemes/Dark.col", scheme(100));
    f.dir.write("ColorSchemes/Active.col/blocker"); // a folder: nothing can replace it
    auto &app = f.start();
    f.dialogs.messages.clear();

    schemeEntry(app, "Dark")->userClick();
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_TRUE(f.dialogs.messages[0].text.starts_with("Could not save "));
    EXPECT_NE(f.dialogs.messages[0].text.find("Active.col"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(f.dir.path() / "ColorSchemes/Active.col"));
    EXPECT_FALSE(std::filesystem::exists(f.dir.path() / "ColorSchemes/Active.col.tmp"));
}

} // namespace
} // namespace kestrova::testing
