#include "fakes/app_fixture.h"
#include "platform/list_box.h"
#include "schemes/color_schemes.h"
#include "schemes/scheme_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace kestrova::testing {
namespace {

ListBox &schemeList(Application &app)
{
    return app.colors().get<ListBox>("List1_L");
}

std::vector<std::string> sortedList(Application &app)
{
    auto items = schemeList(app).items();
    std::sort(items.begin(), items.end());
    return items;
}

void clickColorButton(Application &app, int n)
{
    app.colors().find("bcol(" + std::to_string(n) + ")")->raiseClick();
}

TEST(SchemeEditor, WindowHoldsTheSlotButtonsListAndCaptions)
{
    AppFixture f;
    f.writeAppFile("ColorSchemes/Dark.col", "");
    f.writeAppFile("ColorSchemes/notes.txt", "");
    auto &app = f.start();
    auto &colors = app.colors();
    EXPECT_EQ(colors.caption(), "Color Scheme");
    for (int n = 0; n < kSchemeSlots; ++n)
        EXPECT_NE(colors.find("bcol(" + std::to_string(n) + ")"), nullptr) << n;
    EXPECT_EQ(colors.find("save_B")->caption(), "Save");
    EXPECT_NE(colors.find("OK_B"), nullptr);
    std::set<std::string> captions;
    for (const auto &control : colors.controls()) {
        if (control->name().starts_with("Label_T("))
            captions.insert(control->caption());
    }
    EXPECT_EQ(captions, (std::set<std::string>{"Buttons", "Buttons text", "BackGround",
                                               "Lists Text", "Lists", "Text", "Schemes"}));

    app.form1().menuBar().find("M_set_col_New")->userClick();
    EXPECT_TRUE(colors.isVisible());
    EXPECT_EQ(sortedList(app), (std::vector<std::string>{"Active", "Dark"}));
}

TEST(SchemeEditor, EachColourButtonPreviewsItsClasses)
{
    // Which classes a pick on button n paints (class representatives on the main window).
    const std::map<int, std::string> painted = {{0, "MT"},   {1, "MT"},   {2, "MB"}, {3, "MB"},
                                                {4, "ICML"}, {5, "ICML"}, {6, "M"},  {7, "M"}};
    const std::map<char, const char *> representative = {{'T', "romc_T"}, {'B', "AddMan_B"},
                                                         {'L', "manu_L"}, {'I', "Text1_I"},
                                                         {'C', "ext1_C"}, {'M', "m_M"}};
    for (const auto &[n, classes] : painted) {
        AppFixture f;
        auto &app = f.start();
        f.dialogs.colorAnswers.push_back(rgb(1, 2, 3));
        clickColorButton(app, n);
        EXPECT_EQ(app.feature<ColorSchemes>().slot(n), rgb(1, 2, 3));
        EXPECT_EQ(app.form1().backColor(), app.feature<ColorSchemes>().slot(0)) << n;
        for (const auto &[letter, name] : representative) {
            const bool expected = classes.find(letter) != std::string::npos;
            EXPECT_EQ(app.control(name).backColor().has_value(), expected) << n << letter;
        }
        const char *changed = n == 0   ? "romc_T"
                              : n == 2 ? "AddMan_B"
                              : n == 4 ? "manu_L"
                              : n == 6 ? "m_M"
                                       : nullptr;
        if (changed) {
            EXPECT_EQ(app.control(changed).backColor(), rgb(1, 2, 3)) << n;
        }
        const char *changedText = n == 1   ? "romc_T"
                                  : n == 3 ? "AddMan_B"
                                  : n == 5 ? "Text1_I"
                                           : nullptr;
        if (changedText) {
            EXPECT_EQ(app.control(changedText).foreColor(), rgb(1, 2, 3)) << n;
        }
    }

    AppFixture f;
    auto &app = f.start();
    clickColorButton(app, 2); // cancelled
    EXPECT_EQ(f.dialogs.colorRequests, 1);
    EXPECT_EQ(app.feature<ColorSchemes>().slot(2), kToolkitSlots[2]);
    EXPECT_FALSE(app.form1().backColor().has_value());
}

TEST(SchemeEditor, OkWritesActiveAndSchemeListAppliesAScheme)
{
    AppFixture f;
    f.dir.write("menus/Blue/bar.gif");
    SchemeColors dark{};
    dark.fill(rgb(9, 9, 9));
    f.writeAppFile("ColorSchemes/Dark.col", writeSchemeFile(dark, "Blue"));
    auto &app = f.start();
    app.colors().activate();

    const auto row =
        std::find(schemeList(app).items().begin(), schemeList(app).items().end(), "Dark") -
        schemeList(app).items().begin();
    schemeList(app).userClickRow(int(row));
    EXPECT_TRUE(app.colors().isVisible());
    EXPECT_EQ(app.comboBox("nav_C").text(), "Blue");
    EXPECT_EQ(app.control("manu_L").backColor(), rgb(9, 9, 9));
    EXPECT_EQ(f.readAppFile("ColorSchemes/Active.col"), writeSchemeFile(dark, "Blue"));
    for (const auto &item : app.form1().menuBar().find("M_set_col")->items())
        EXPECT_FALSE(item->isChecked());

    f.dialogs.colorAnswers.push_back(rgb(200, 0, 0));
    clickColorButton(app, 7);
    app.colors().find("OK_B")->raiseClick();
    auto expected = app.feature<ColorSchemes>().slots();
    EXPECT_EQ(expected[7], rgb(200, 0, 0));
    EXPECT_EQ(f.readAppFile("ColorSchemes/Active.col"), writeSchemeFile(expected, "Blue"));
    EXPECT_FALSE(app.colors().isVisible());
}

TEST(SchemeEditor, SaveAsksBeforeOverwritingAndRefillsTheList)
{
    AppFixture f;
    f.writeAppFile("ColorSchemes/Active.col", "");
    f.writeAppFile("ColorSchemes/notes.txt", "");
    auto &app = f.start();
    app.colors().activate();
    EXPECT_EQ(sortedList(app), (std::vector<std::string>{"Active"}));
    auto &save = *app.colors().find("save_B");

    f.dialogs.inputAnswers.push_back("Dark");
    save.raiseClick();
    EXPECT_EQ(f.dialogs.inputs.back(), std::make_pair(std::string("Enter Color Scheme Name"),
                                                      std::string("Save Color Scheme")));
    const std::string written = f.readAppFile("ColorSchemes/Dark.col");
    EXPECT_EQ(written, writeSchemeFile(app.feature<ColorSchemes>().slots(), ""));
    EXPECT_EQ(f.readAppFile("ColorSchemes/Active.col"), written);
    EXPECT_TRUE(f.dialogs.messages.empty()); // a new name does not ask
    EXPECT_EQ(sortedList(app), (std::vector<std::string>{"Dark", "notes"}));

    f.writeAppFile("ColorSchemes/Dark.col", "old");
    f.dialogs.inputAnswers.push_back("Dark");
    f.dialogs.messageAnswers.push_back(MessageResult::No);
    save.raiseClick();
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, "Overwrtite Dark?");
    EXPECT_EQ(f.readAppFile("ColorSchemes/Dark.col"), "old");

    f.dialogs.inputAnswers.push_back("Dark");
    f.dialogs.messageAnswers.push_back(MessageResult::Yes);
    save.raiseClick();
    EXPECT_EQ(f.readAppFile("ColorSchemes/Dark.col"), written);
}

TEST(SchemeEditor, SaveRefusesNamesThatAreNotFileNames)
{
    AppFixture f;
    auto &app = f.start();
    auto &save = *app.colors().find("save_B");
    const auto files = [&] {
        std::vector<std::string> names;
        const auto folder = f.dir.path() / "ColorSchemes";
        for (const auto &entry : std::filesystem::directory_iterator(folder))
            names.push_back(fromPath(entry.path().filename()));
        return names;
    };
    const auto before = files();

    save.raiseClick(); // cancelled: the empty name
    EXPECT_TRUE(f.dialogs.messages.empty());
    for (const char *bad : {"../evil", "a/b", "a:b", "x\\y"}) {
        f.dialogs.inputAnswers.push_back(bad);
        save.raiseClick();
        ASSERT_FALSE(f.dialogs.messages.empty()) << bad;
        EXPECT_NE(f.dialogs.messages.back().text.find(bad), std::string::npos);
    }
    EXPECT_EQ(files(), before);
    EXPECT_FALSE(std::filesystem::exists(f.dir.path() / "evil.col"));
}

TEST(SchemeEditor, DraggingTheBackgroundMovesTheWindow)
{
    AppFixture f;
    auto &app = f.start();
    auto &colors = app.colors();
    colors.move(1000, 2000);
    colors.userMouseDown({LeftButton, 0, 300, 400});
    colors.userMouseMove({LeftButton, 0, 450, 350});
    EXPECT_FLOAT_EQ(colors.left(), 1150);
    EXPECT_FLOAT_EQ(colors.top(), 1950);
    colors.userMouseMove({0, 0, 900, 900});
    EXPECT_FLOAT_EQ(colors.left(), 1150);
}

} // namespace
} // namespace kestrova::testing
