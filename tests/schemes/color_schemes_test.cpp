#include "fakes/app_fixture.h"
#include "platform/list_box.h"
#include "schemes/color_schemes.h"
#include "schemes/scheme_file.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrova::testing {
namespace {

using Names = std::vector<std::string>;

/// A scheme whose slot k holds first + k.
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

/// The run-time scheme entries of the Colors menu, in menu order.
std::vector<MenuItem *> entries(Application &app)
{
    std::vector<MenuItem *> found;
    for (const auto &item : app.form1().menuBar().find("M_set_col")->items()) {
        if (item->name().starts_with("M_set_col_schemes(") && item->caption() != "-")
            found.push_back(item.get());
    }
    return found;
}

MenuItem &entry(Application &app, const std::string &caption)
{
    const auto all = entries(app);
    return **std::find_if(all.begin(), all.end(),
                          [&](MenuItem *item) { return item->caption() == caption; });
}

/// The caption of the ticked scheme entry, or "".
std::string ticked(Application &app)
{
    for (MenuItem *item : entries(app)) {
        if (item->isChecked())
            return item->caption();
    }
    return "";
}

void press(Application &app, const std::string &editorButton)
{
    app.colors().find(editorButton)->raiseClick();
}

Names sortedEditorList(Application &app)
{
    auto items = app.colors().get<ListBox>("List1_L").items();
    std::sort(items.begin(), items.end());
    return items;
}

TEST(ColorSchemes, ActiveSchemeColoursEveryWindowByClassLetterAndPicksItsImageSet)
{
    AppFixture f;
    f.dir.write("menus/Blue/bar.gif");
    f.writeAppFile("ColorSchemes/Active.col", scheme(10, "Blue"));
    auto &app = f.start();

    // Back and fore by class: T 0/1, B 2/3, L I C 4/5, M 6/1; array members and the settings
    // frame's children count like the others; other endings stay uncoloured.
    const std::tuple<const char *, int, int> painted[] = {
        {"romc_T", 10, 11},   {"Emulators_T(0)", 10, 11}, {"Check1_T", 10, 11},
        {"AddMan_B", 12, 13}, {"manu_L", 14, 15},         {"Text1_I", 14, 15},
        {"ext1_C", 14, 15},   {"nav_C", 14, 15},          {"m_M", 16, 11}};
    for (const auto &[name, backColor, foreColor] : painted) {
        EXPECT_EQ(back(app, name), backColor) << name;
        EXPECT_EQ(app.control(name).foreColor(), foreColor) << name;
    }
    for (const char *name : {"prog", "txt", "Browser", "Image2(0)"})
        EXPECT_FALSE(back(app, name).has_value()) << name;
    EXPECT_EQ(app.form1().backColor(), 10);
    EXPECT_EQ(app.form2().backColor(), 10);
    EXPECT_FALSE(app.form2().isVisible());
    EXPECT_FALSE(app.colors().isVisible());

    EXPECT_EQ(app.comboBox("nav_C").text(), "Blue");
    EXPECT_EQ(app.feature<ColorSchemes>().slot(7), kToolkitSlots[7]) << "start-up sets 0 to 6";
}

TEST(ColorSchemes, MissingBlankOrShortActiveScheme)
{
    for (const std::string content : {"<missing>", "", "\r\n  \r\n"}) {
        AppFixture f;
        if (content != "<missing>")
            f.writeAppFile("ColorSchemes/Active.col", content);
        else
            std::filesystem::remove_all(f.dir.path() / "ColorSchemes");
        auto &app = f.start();
        app.form1().menuBar().find("M_Cycle_c")->userClick(); // no scheme to cycle through
        EXPECT_EQ(f.readAppFile("ColorSchemes/Active.col"), content[0] == '<' ? "" : content);
        EXPECT_FALSE(app.form1().backColor().has_value()) << content;
        EXPECT_TRUE(f.dialogs.messages.empty()) << content;
    }
    AppFixture f;
    f.writeAppFile("ColorSchemes/Active.col", " 5 \r\n 6 \r\n");
    auto &app = f.start();
    EXPECT_EQ(back(app, "romc_T"), 5);
    EXPECT_EQ(app.control("romc_T").foreColor(), 6);
    EXPECT_EQ(back(app, "manu_L"), 0) << "missing colours are black";
}

TEST(ColorSchemes, ApplyColorsKeepsTheChooserAsItWas)
{
    for (const auto &[name, letter] : {std::pair("M_ql", 'l'), {"bcol(7)", 'l'}, {"(3)", '\0'}})
        EXPECT_EQ(colorClassOf(name), letter) << name;
    AppFixture f;
    auto &app = f.start();
    app.form2().show();
    app.feature<ColorSchemes>().ApplyColors(4, 5, 6, 'I');
    EXPECT_TRUE(app.form2().isVisible());
    EXPECT_EQ(app.form2().backColor(), 6);
}

TEST(ColorSchemes, MenuListsSchemesChoosingCopiesOverActiveAndCyclingWraps)
{
    AppFixture f;
    f.writeAppFile("ColorSchemes/Active.col", scheme(10));
    f.writeAppFile("ColorSchemes/Dark.col", scheme(100));
    f.writeAppFile("ColorSchemes/my.col.col", scheme(200));
    f.writeAppFile("ColorSchemes/NotActive.col", scheme(300));
    f.writeAppFile("ColorSchemes/notes.txt", "");
    f.dir.write("ColorSchemes/Folder.col/x");
    auto &app = f.start();
    Names captions;
    for (MenuItem *item : entries(app))
        captions.push_back(item->caption());
    std::sort(captions.begin(), captions.end());
    EXPECT_EQ(captions, (Names{"Dark", "NotActive", "my.col"}));
    const auto order = entries(app);
    auto &cycle = *app.form1().menuBar().find("M_Cycle_c");
    cycle.userClick();
    EXPECT_EQ(ticked(app), order[0]->caption()) << "nothing ticked: the first";

    entry(app, "my.col").userClick();
    EXPECT_EQ(back(app, "manu_L"), 204);
    EXPECT_EQ(f.readAppFile("ColorSchemes/Active.col"), scheme(200));
    EXPECT_EQ(ticked(app), "my.col");
    EXPECT_FALSE(std::filesystem::exists(f.dir.path() / "ColorSchemes/my.col"));
    EXPECT_FALSE(app.colors().isVisible());

    // The eighth line is read as an image-set name, never as slot 7.
    const Color spare = app.feature<ColorSchemes>().slot(7);
    entry(app, "NotActive").userClick();
    EXPECT_EQ(back(app, "manu_L"), 304);
    EXPECT_EQ(app.feature<ColorSchemes>().slot(7), spare);
    EXPECT_EQ(f.readAppFile("ColorSchemes/Active.col"), scheme(200)); // "...Active.col": no copy

    // Cycling ticks the entry after the ticked one, the first after the last.
    order[1]->userClick();
    cycle.userClick();
    EXPECT_EQ(ticked(app), order[2]->caption());
    cycle.userClick();
    EXPECT_EQ(ticked(app), order[0]->caption());
}

TEST(ColorSchemes, VanishedSchemeOrFailedCopyIsReportedAndNothingChanges)
{
    AppFixture f;
    f.writeAppFile("ColorSchemes/Active.col", scheme(10));
    f.writeAppFile("ColorSchemes/Gone.col", scheme(100));
    f.writeAppFile("ColorSchemes/Dark.col", scheme(200));
    auto &app = f.start();
    std::filesystem::remove(f.dir.path() / "ColorSchemes/Gone.col");
    entry(app, "Gone").userClick();
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    const auto gone = fromPath(f.dir.path() / "ColorSchemes" / "Gone.col");
    EXPECT_NE(f.dialogs.messages[0].text.find(gone), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(f.dir.path() / "ColorSchemes/Gone.col"));
    EXPECT_EQ(f.readAppFile("ColorSchemes/Active.col"), scheme(10));
    EXPECT_EQ(back(app, "manu_L"), 14);
    EXPECT_EQ(ticked(app), "");

    // Active.col as a folder: nothing can replace it, and no temporary file stays behind.
    const auto active = f.dir.path() / "ColorSchemes/Active.col";
    std::filesystem::remove(active);
    f.dir.write("ColorSchemes/Active.col/blocker");
    entry(app, "Dark").userClick();
    ASSERT_EQ(f.dialogs.messages.size(), 2u);
    EXPECT_TRUE(f.dialogs.messages[1].text.starts_with("Could not save "));
    EXPECT_NE(f.dialogs.messages[1].text.find("Active.col"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(active));
    EXPECT_FALSE(std::filesystem::exists(f.dir.path() / "ColorSchemes/Active.col.tmp"));
}

// A gigabyte in a scheme's place (a hole, no disk used) costs a few kilobytes: its nine lines
// are read and copied, the rest is never read.
TEST(ColorSchemes, AHugeSchemeFileIsReadAndCopiedAsItsNineLines)
{
    AppFixture f;
    const std::uintmax_t huge = std::uintmax_t(1) << 30;
    const std::string nine = scheme(100, "Blue");
    for (const char *name : {"ColorSchemes/Active.col", "ColorSchemes/Huge.col"}) {
        f.writeAppFile(name, nine + "a tenth line\r\n");
        std::filesystem::resize_file(f.dir.path() / name, huge);
    }
    auto &app = f.start();
    EXPECT_TRUE(f.dialogs.messages.empty());
    EXPECT_EQ(back(app, "manu_L"), 104);

    entry(app, "Huge").userClick();
    EXPECT_TRUE(f.dialogs.messages.empty());
    EXPECT_EQ(back(app, "manu_L"), 104);
    EXPECT_EQ(ticked(app), "Huge");
    EXPECT_EQ(std::filesystem::file_size(f.dir.path() / "ColorSchemes/Active.col"), nine.size());
    EXPECT_EQ(f.readAppFile("ColorSchemes/Active.col"), nine);
    EXPECT_EQ(std::filesystem::file_size(f.dir.path() / "ColorSchemes/Huge.col"), huge);

    // No line end in what is read: no line is read, and the toolkit's colours stay.
    f.writeAppFile("ColorSchemes/Hole.col", "");
    std::filesystem::resize_file(f.dir.path() / "ColorSchemes/Hole.col", huge);
    EXPECT_TRUE(app.feature<ColorSchemes>().loadScheme("Hole", true));
    EXPECT_EQ(f.readAppFile("ColorSchemes/Active.col"), "");
}

TEST(SchemeEditor, EachColourButtonPreviewsItsClasses)
{
    // Per button: the classes a pick paints, and the control that then shows the colour as its
    // back (or, for the text slots, fore) colour.
    const std::tuple<int, std::string, const char *> cases[] = {
        {0, "MT", "romc_T"},   {1, "MT", "romc_T"},    {2, "MB", "AddMan_B"}, {3, "MB", "AddMan_B"},
        {4, "ICML", "manu_L"}, {5, "ICML", "Text1_I"}, {6, "M", "m_M"},       {7, "M", nullptr}};
    const std::pair<char, const char *> representatives[] = {{'T', "romc_T"}, {'B', "AddMan_B"},
                                                             {'L', "manu_L"}, {'I', "Text1_I"},
                                                             {'C', "ext1_C"}, {'M', "m_M"}};
    const Color picked = rgb(1, 2, 3);
    for (const auto &[n, classes, shows] : cases) {
        AppFixture f;
        auto &app = f.start();
        f.dialogs.colorAnswers.push_back(picked);
        press(app, "bcol(" + std::to_string(n) + ")");
        EXPECT_EQ(app.feature<ColorSchemes>().slot(n), picked);
        EXPECT_EQ(app.form1().backColor(), app.feature<ColorSchemes>().slot(0)) << n;
        for (const auto &[letter, name] : representatives) {
            EXPECT_EQ(back(app, name).has_value(), classes.find(letter) != std::string::npos)
                << n << letter;
        }
        if (shows) {
            auto &control = app.control(shows);
            EXPECT_EQ(n % 2 == 1 && n < 6 ? control.foreColor() : control.backColor(), picked) << n;
        }
    }
    AppFixture f;
    auto &app = f.start();
    press(app, "bcol(2)"); // cancelled
    EXPECT_EQ(f.dialogs.colorRequests, 1);
    EXPECT_EQ(app.feature<ColorSchemes>().slot(2), kToolkitSlots[2]);
    EXPECT_FALSE(app.form1().backColor().has_value());
}

TEST(SchemeEditor, SchemeListAppliesASchemeAndOkWritesActive)
{
    AppFixture f;
    f.dir.write("menus/Blue/bar.gif");
    SchemeColors dark{};
    dark.fill(rgb(9, 9, 9));
    f.writeAppFile("ColorSchemes/Dark.col", writeSchemeFile(dark, "Blue"));
    f.writeAppFile("ColorSchemes/notes.txt", "");
    auto &app = f.start();
    app.form1().menuBar().find("M_set_col_New")->userClick();
    EXPECT_TRUE(app.colors().isVisible());
    EXPECT_EQ(sortedEditorList(app), (Names{"Active", "Dark"}));

    auto &list = app.colors().get<ListBox>("List1_L");
    list.userClickRow(
        int(std::find(list.items().begin(), list.items().end(), "Dark") - list.items().begin()));
    EXPECT_TRUE(app.colors().isVisible());
    EXPECT_EQ(app.comboBox("nav_C").text(), "Blue");
    EXPECT_EQ(back(app, "manu_L"), rgb(9, 9, 9));
    EXPECT_EQ(f.readAppFile("ColorSchemes/Active.col"), writeSchemeFile(dark, "Blue"));
    EXPECT_EQ(ticked(app), "") << "the menu's tick is left alone";

    f.dialogs.colorAnswers.push_back(rgb(200, 0, 0));
    press(app, "bcol(7)");
    press(app, "OK_B");
    auto expected = app.feature<ColorSchemes>().slots();
    EXPECT_EQ(expected[7], rgb(200, 0, 0));
    EXPECT_EQ(f.readAppFile("ColorSchemes/Active.col"), writeSchemeFile(expected, "Blue"));
    EXPECT_FALSE(app.colors().isVisible());
}

TEST(SchemeEditor, SaveRefusesBadNamesAndAsksBeforeOverwriting)
{
    AppFixture f;
    f.writeAppFile("ColorSchemes/notes.txt", "");
    auto &app = f.start();
    app.colors().activate();
    const auto files = [&] {
        return std::distance(std::filesystem::directory_iterator(f.dir.path() / "ColorSchemes"),
                             std::filesystem::directory_iterator());
    };
    const auto before = files();
    press(app, "save_B"); // cancelled: the empty name
    for (const char *bad : {"../evil", "a/b", "a:b", "x\\y"}) {
        f.dialogs.inputAnswers.push_back(bad);
        press(app, "save_B");
        ASSERT_FALSE(f.dialogs.messages.empty()) << bad;
        EXPECT_NE(f.dialogs.messages.back().text.find(bad), std::string::npos);
    }
    EXPECT_EQ(files(), before);
    EXPECT_FALSE(std::filesystem::exists(f.dir.path() / "evil.col"));

    f.dialogs.messages.clear();
    f.dialogs.inputAnswers.push_back("Dark");
    press(app, "save_B");
    EXPECT_EQ(f.dialogs.inputs.back().first + "|" + f.dialogs.inputs.back().second,
              "Enter Color Scheme Name|Save Color Scheme");
    const std::string written = f.readAppFile("ColorSchemes/Dark.col");
    EXPECT_EQ(written, writeSchemeFile(app.feature<ColorSchemes>().slots(), ""));
    EXPECT_EQ(f.readAppFile("ColorSchemes/Active.col"), written);
    EXPECT_TRUE(f.dialogs.messages.empty()) << "a new name does not ask";
    EXPECT_EQ(sortedEditorList(app), (Names{"Dark", "notes"})) << "after a save: all but Active";

    f.writeAppFile("ColorSchemes/Dark.col", "old");
    f.dialogs.inputAnswers = {"Dark", "Dark"};
    f.dialogs.messageAnswers = {MessageResult::No, MessageResult::Yes};
    press(app, "save_B");
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, "Overwrtite Dark?");
    EXPECT_EQ(f.readAppFile("ColorSchemes/Dark.col"), "old");
    press(app, "save_B");
    EXPECT_EQ(f.readAppFile("ColorSchemes/Dark.col"), written);
}

TEST(SchemeEditor, DraggingTheBackgroundMovesTheWindow)
{
    AppFixture f;
    auto &colors = f.start().colors();
    colors.move(1000, 2000);
    colors.userMouseDown({LeftButton, 0, 300, 400});
    colors.userMouseMove({LeftButton, 0, 450, 350});
    EXPECT_EQ(std::pair(colors.left(), colors.top()), std::pair(1150.f, 1950.f));
    colors.userMouseMove({0, 0, 900, 900}); // button released
    EXPECT_EQ(colors.left(), 1150.f);
}

} // namespace
} // namespace kestrova::testing
