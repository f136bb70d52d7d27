#include "fakes/app_fixture.h"
#include "main_window/main_layout.h"
#include "platform/list_box.h"
#include "platform/widgets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace kestrova::testing {
namespace {

using Names = std::vector<std::string>;
const Names kNormal = {"back1.gif",   "refresh1.gif", "next1.gif",
                       "colors1.gif", "settings.gif", "save1.gif"};
constexpr std::array<const char *, 6> kColumns = {"manu_L",  "plat_list_L", "Emu_L",
                                                  "Flist_L", "FavList_L",   "avail_L"};

/// The head of a GIF whose logical screen is w by h pixels: all the program reads.
std::string gifHeader(int w, int h)
{
    return std::string("GIF89a") + char(w & 0xFF) + char(w >> 8) + char(h & 0xFF) + char(h >> 8) +
           std::string("\0\0\0;", 4);
}

/// Every picture of an image set in `folder` ("menus" or "menus/<set>"), buttons w by h pixels.
void writeImageSet(const AppFixture &f, const std::string &folder, int w, int h)
{
    for (const char *stem : {"back", "refresh", "next", "colors", "save"}) {
        for (const char *state : {"1", "2", "3"})
            f.writeAppFile(folder + "/" + stem + state + ".gif", gifHeader(w, h));
    }
    for (const char *name : {"settings", "settings2", "settings3"})
        f.writeAppFile(folder + "/" + name + ".gif", gifHeader(w, h));
    for (const char *name : {"bar.gif", "add.gif", "Remove.gif", "remove.gif", "edit.gif"})
        f.writeAppFile(folder + "/" + name, gifHeader(10, 10));
    f.writeAppFile(folder + "/logo.gif", gifHeader(160, 80));
}

PictureControl &bar(Application &app, int k)
{
    return app.form1().get<PictureControl>("Image2(" + std::to_string(k) + ")");
}

/// The file names the six buttons show, e.g. "back1.gif".
Names shown(Application &app)
{
    Names names;
    for (int k = 0; k < 6; ++k)
        names.push_back(fromPath(toPath(bar(app, k).picture()).filename()));
    return names;
}

Names with(Names names, int k, const std::string &name)
{
    names[size_t(k)] = name;
    return names;
}

MenuItem &setEntry(Application &app, int n)
{
    return *app.form1().menuBar().find("M_set_nav_list(" + std::to_string(n) + ")");
}

/// The numbers of the ticked set entries of the "Nav bars" menu.
std::vector<int> ticked(Application &app)
{
    std::vector<int> entries;
    for (int n = 1; n <= app.comboBox("nav_C").count(); ++n) {
        if (setEntry(app, n).isChecked())
            entries.push_back(n);
    }
    return entries;
}

TEST(NavigationBar, DefaultSetLoadsEveryPictureAndOtherNamesBecomeSets)
{
    AppFixture f;
    writeImageSet(f, "menus", 40, 20);
    for (const char *file : {"Blue/back1.gif", "Red/bar.gif", "readme.txt", "notes", "ab"})
        f.writeAppFile(std::string("menus/") + file, "");
    auto &app = f.start();
    EXPECT_EQ(shown(app), kNormal);
    EXPECT_EQ(bar(app, 0).picture(), fromPath(f.dir.path() / "menus" / "back1.gif"));
    EXPECT_EQ(std::pair(bar(app, 0).width(), bar(app, 0).height()), std::pair(600.f, 300.f));
    EXPECT_TRUE(bar(app, 6).picture().ends_with("bar.gif"));
    EXPECT_TRUE(app.form1().get<PictureControl>("RemoveMan_B").picture().ends_with("Remove.gif"));
    EXPECT_TRUE(app.form1().get<PictureControl>("RemoveEmu_B").picture().ends_with("remove.gif"));
    EXPECT_FLOAT_EQ(app.control("Image1").width(), 160 * 15);
    for (const char *hidden : {"Frame1T", "Label_T(4)", "Image1"})
        EXPECT_FALSE(app.control(hidden).isVisible()) << hidden;

    // Folders, and names without a three-letter extension, listed and not chosen.
    auto &sets = app.comboBox("nav_C");
    for (int n = 1; n <= sets.count(); ++n)
        EXPECT_EQ(setEntry(app, n).caption(), sets.item(n - 1));
    auto names = sets.items();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{"Blue", "Red", "ab", "notes"}));
    EXPECT_EQ(sets.listIndex(), -1);
    EXPECT_TRUE(ticked(app).empty());
}

TEST(NavigationBar, SetChangeCyclingAndMenuEntriesMoveTheTick)
{
    AppFixture f;
    writeImageSet(f, "menus", 40, 20);
    for (const char *set : {"A", "B", "C"})
        writeImageSet(f, std::string("menus/") + set, 50, 24);
    f.dir.write("menus/C/next2.gif"); // an empty file: not a GIF, size kept
    std::filesystem::remove(f.dir.path() / "menus/C/back1.gif");
    auto &app = f.start();
    auto &sets = app.comboBox("nav_C");
    auto &cycle = *app.form1().menuBar().find("M_Cycle_nav");

    cycle.userClick();
    EXPECT_EQ(sets.listIndex(), 0);
    EXPECT_EQ(ticked(app), std::vector<int>{1});
    const auto folder = f.dir.path() / "menus" / toPath(sets.text());
    EXPECT_EQ(bar(app, 2).picture(), fromPath(folder / "next1.gif"));
    EXPECT_FLOAT_EQ(bar(app, 2).width(), 750);
    EXPECT_FALSE(app.control("Frame1T").isVisible());
    setEntry(app, 3).userClick();
    EXPECT_EQ(sets.listIndex(), 2);
    EXPECT_EQ(ticked(app), std::vector<int>{3});
    cycle.userClick();
    EXPECT_EQ(sets.listIndex(), 0);
    EXPECT_EQ(ticked(app), std::vector<int>{1});

    // Set C lacks back1.gif: the button keeps the picture it had.
    const std::string before = bar(app, 0).picture();
    sets.userClickRow(
        int(std::find(sets.items().begin(), sets.items().end(), "C") - sets.items().begin()));
    EXPECT_EQ(bar(app, 0).picture(), before);
    EXPECT_EQ(fromPath(toPath(bar(app, 1).picture()).parent_path().filename()), "C");
}

TEST(NavigationBar, PicturePerMouseEventAndWhatEachButtonDoes)
{
    AppFixture f;
    writeImageSet(f, "menus", 40, 20);
    auto &app = f.start();
    app.form1().menuBar().find("M_Cycle_nav")->userClick(); // no set to cycle through
    EXPECT_EQ(app.comboBox("nav_C").listIndex(), -1);
    bar(app, 0).userMouseMove({});
    EXPECT_EQ(shown(app), with(kNormal, 0, "back2.gif"));
    bar(app, 2).userMouseMove({});
    EXPECT_EQ(shown(app), with(kNormal, 2, "next2.gif"));
    bar(app, 2).userMouseDown({RightButton, 0, 0, 0});
    EXPECT_EQ(shown(app), with(kNormal, 2, "next3.gif"));
    EXPECT_EQ(f.web.forwards, 1);
    bar(app, 2).userMouseUp({RightButton, 0, 0, 0});
    EXPECT_EQ(shown(app), with(kNormal, 2, "next2.gif"));
    bar(app, 6).userMouseMove({});
    EXPECT_EQ(shown(app), kNormal);

    const auto pressAndRelease = [&](int k) {
        bar(app, k).userMouseDown({LeftButton, 0, 0, 0});
        bar(app, k).userMouseUp({LeftButton, 0, 0, 0});
    };
    const std::string barPicture = bar(app, 6).picture();
    pressAndRelease(6);
    EXPECT_EQ(shown(app), kNormal);
    EXPECT_EQ(bar(app, 6).picture(), barPicture);
    pressAndRelease(0);
    pressAndRelease(1);
    EXPECT_EQ(std::tuple(f.web.backs, f.web.refreshes, f.web.forwards), std::tuple(1, 1, 1));

    // Settings swaps the web pane for the settings panel and back, leaving the page alone.
    const auto navigations = f.web.navigations.size();
    pressAndRelease(4);
    EXPECT_FALSE(app.control("Browser").isVisible());
    for (const char *name : {"Frame1T", "Label_T(4)", "Image1"})
        EXPECT_TRUE(app.control(name).isVisible()) << name;
    pressAndRelease(4);
    EXPECT_TRUE(app.control("Browser").isVisible());
    EXPECT_FALSE(app.control("Frame1T").isVisible());
    EXPECT_EQ(f.web.navigations.size(), navigations);

    pressAndRelease(3);
    EXPECT_TRUE(app.colors().isVisible());
    f.dialogs.messages.clear();
    pressAndRelease(5);
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, "Saved");
}

/// Buttons of 40 by 20 pixels (600 by 300 twips) in the default set, 50 by 24 in "Blue"; the
/// window resized to 6360 by 12000 twips (client 6120 by 11175).
class MainLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeImageSet(f, "menus", 40, 20);
        writeImageSet(f, "menus/Blue", 50, 24);
        f.start().form1().setActualSize(6360, 12000, 6120, 11175);
    }

    Control &c(const std::string &name) { return f.app().control(name); }
    Control &bar(int k) { return c("Image2(" + std::to_string(k) + ")"); }
    static float right(Control &c) { return c.left() + c.width(); }
    static float bottom(Control &c) { return c.top() + c.height(); }
    void dragSplitter(float toTop, int button = LeftButton)
    {
        auto &splitter = c("Dragger_T");
        splitter.userMouseDown({button, 0, 0, 20});
        splitter.userMouseMove({button, 0, 0, 20 + toTop - splitter.top()});
    }

    AppFixture f;
};

TEST_F(MainLayoutTest, ResizePlacesColumnsBarAddressRowAndWebPane)
{
    for (int k = 0; k < 6; ++k) {
        auto &column = c(kColumns[size_t(k)]);
        EXPECT_FLOAT_EQ(column.left(), 120 + 1000 * float(k)) << kColumns[size_t(k)];
        EXPECT_FLOAT_EQ(column.width(), 1000);
        EXPECT_FLOAT_EQ(c("Emulators_T(" + std::to_string(k) + ")").left(), column.left());
    }
    auto &roms = c("Flist_L");
    EXPECT_FLOAT_EQ(c("Text1_I").top(), bottom(roms));
    EXPECT_FLOAT_EQ(c("available_I").top(), bottom(c("avail_L")));
    EXPECT_FLOAT_EQ(right(c("ext1_C")), right(roms));
    EXPECT_FLOAT_EQ(right(c("romc_T")), c("ext1_C").left());
    EXPECT_FLOAT_EQ(right(c("wikic_T")), right(c("avail_L")));
    EXPECT_FLOAT_EQ(right(c("matches_L")), right(c("avail_L")));

    // Bar: settings, colours, save, refresh, back, next, then the stretching bar image.
    const std::array<int, 7> order = {4, 3, 5, 1, 0, 2, 6};
    for (size_t p = 0; p < order.size(); ++p)
        EXPECT_FLOAT_EQ(bar(order[p]).left(), 120 + 600 * float(p)) << order[p];
    EXPECT_FLOAT_EQ(right(bar(6)), 6360 - 240);
    EXPECT_FLOAT_EQ(bar(6).height(), 300);
    EXPECT_FLOAT_EQ(c("prog").top(), bottom(bar(2)));
    EXPECT_FLOAT_EQ(c("Dragger_T").top(), bottom(c("prog")));
    EXPECT_FLOAT_EQ(c("Browser").width(), 6120 - 120 - 120);
    EXPECT_FLOAT_EQ(bottom(c("Browser")), 12000 - 800 - c("StatusBar1").height());
    EXPECT_FLOAT_EQ(c("Frame1T").left() + c("Frame1T").width() / 2, 3180);

    // Sizes that would turn negative are skipped one by one; the rest still moves.
    f.app().form1().setActualSize(240, 900, 120, 300);
    EXPECT_FLOAT_EQ(c("manu_L").width(), 1000);
    EXPECT_FLOAT_EQ(c("plat_list_L").left(), 100);
    EXPECT_FLOAT_EQ(c("Browser").width(), 6120 - 240);
}

TEST_F(MainLayoutTest, SplitterDragMovesTheBoundaryWithinFiveToNinetyFivePercent)
{
    auto &splitter = c("Dragger_T");
    const float before = splitter.top();
    dragSplitter(600);   // exactly 5 %
    dragSplitter(11400); // exactly 95 %
    dragSplitter(6000, RightButton);
    EXPECT_FLOAT_EQ(splitter.top(), before);
    EXPECT_FLOAT_EQ(f.app().feature<MainLayout>().DragStartY(), 20);

    dragSplitter(6000);
    EXPECT_FLOAT_EQ(splitter.top(), 6000);
    EXPECT_FLOAT_EQ(c("Browser").top(), 6000 + splitter.height());
    EXPECT_FLOAT_EQ(bottom(c("Browser")), 12000 - 640);
    EXPECT_FLOAT_EQ(c("Frame1T").top(), 6400);
    EXPECT_FLOAT_EQ(bottom(c("prog")), 6000);
    EXPECT_FLOAT_EQ(bottom(c("matches_L")), 6000);
    const float barTop = c("matches_L").top() - 300;
    for (int k = 0; k <= 6; ++k)
        EXPECT_FLOAT_EQ(bar(k).top(), barTop);
    EXPECT_FLOAT_EQ(c("Text1_I").top(), barTop);
    EXPECT_FLOAT_EQ(c("available_I").top(), barTop);
    for (const char *column : kColumns)
        EXPECT_FLOAT_EQ(c(column).height(), barTop - 315) << column;

    // A resize keeps the list heights and seats the splitter right under the address row.
    f.app().form1().setActualSize(7000, 13000, 6760, 12175);
    EXPECT_FLOAT_EQ(c("manu_L").height(), barTop - 315);
    EXPECT_FLOAT_EQ(c("prog").top(), bottom(bar(2)));
    EXPECT_FLOAT_EQ(splitter.top(), bottom(c("prog")));
    EXPECT_FLOAT_EQ(bottom(c("Browser")), 13000 - 800 - c("StatusBar1").height());
}

TEST_F(MainLayoutTest, SetChangeSwapsSaveAndColoursUntilTheNextResize)
{
    f.app().comboBox("nav_C").userClickRow(0); // "Blue": 750 twips wide buttons
    const std::array<int, 4> order = {4, 5, 3, 1};
    for (size_t p = 0; p < order.size(); ++p)
        EXPECT_FLOAT_EQ(bar(order[p]).left(), 120 + 750 * float(p)) << order[p];
    EXPECT_FLOAT_EQ(bar(6).left(), 120 + 6 * 750);
    EXPECT_FLOAT_EQ(c("matches_L").top(), bottom(bar(2)));
    EXPECT_FLOAT_EQ(c("Dragger_T").top(), bottom(c("prog")));

    f.app().form1().setActualSize(6360, 12000, 6120, 11175);
    EXPECT_FLOAT_EQ(bar(3).left(), 120 + 750);
    EXPECT_FLOAT_EQ(bar(5).left(), 120 + 2 * 750);
}

TEST_F(MainLayoutTest, MovingOverListsAndBackgroundResetsTheButtons)
{
    auto &back = f.app().form1().get<PictureControl>("Image2(0)");
    for (const char *name :
         {"Emu_L", "manu_L", "plat_list_L", "matches_L", "prog", "Frame1T", "Dragger_T", ""}) {
        back.userMouseMove({});
        ASSERT_TRUE(back.picture().ends_with("back2.gif"));
        if (*name)
            c(name).userMouseMove({});
        else
            f.app().form1().userMouseMove({});
        EXPECT_TRUE(back.picture().ends_with("back1.gif")) << name;
    }
}

} // namespace
} // namespace kestrova::testing

namespace kestrova::testing {
namespace {

/// The strips of the window whose controls stand side by side: the captions, counts and filter
/// above the lists, and the navigation row with its buttons, search boxes and captions.
std::vector<std::vector<std::string>> sideBySideRows()
{
    std::vector<std::string> top = {"romc_T", "ext1_C", "wikic_T"};
    for (int k = 0; k < 6; ++k)
        top.push_back("Emulators_T(" + std::to_string(k) + ")");
    std::vector<std::string> bar = {"Text1_I", "available_I", "Label_T(5)", "m_M"};
    for (int k = 0; k < 6; ++k)
        bar.push_back("Image2(" + std::to_string(k) + ")");
    return {top, bar};
}

// Every window size from the minimum to a full-HD screen, at scale 1 and 2 (whose sizes in
// device-independent pixels are the smaller ones of the same walk), with the buttons of the
// default set: no two controls of a row overlap and every control lies inside the window.
TEST(MainLayoutSizes, NothingOverlapsOrIsCutFromTheMinimumSizeUp)
{
    AppFixture f;
    writeImageSet(f, "menus", 60, 30);
    auto &app = f.start();
    auto &form = app.form1();
    const float minWidth = form.minimumWidth();
    const float minHeight = form.minimumHeight();
    ASSERT_GT(minWidth, 0);
    ASSERT_GT(minHeight, 0);
    // The smallest screens asked of it, outer size included: 800x600, and 1280x1024 at scale
    // 2 (640x512 device-independent pixels, a panel of 40 taken off).
    EXPECT_LE(minWidth, 640 * 15);
    EXPECT_LE(minHeight, 512 * 15 - 40 * 15);
    constexpr float kFrameWidth = 8 * 15;
    constexpr float kFrameHeight = (31 + 25) * 15; // caption, borders and the menu bar
    for (float w = minWidth; w <= 1920 * 15; w += 7 * 15) {
        for (float h : {minHeight, minHeight + 1500, 540.0F * 15, 1080.0F * 15}) {
            if (h < minHeight)
                continue;
            form.setActualSize(w, h, w - kFrameWidth, h - kFrameHeight);
            const std::string size = std::to_string(int(w / 15)) + "x" + std::to_string(int(h / 15));
            for (const auto &row : sideBySideRows()) {
                std::vector<std::pair<float, float>> spans;
                for (const auto &name : row) {
                    const auto &c = app.control(name);
                    if (c.width() > 0)
                        spans.emplace_back(c.left(), c.left() + c.width());
                }
                std::sort(spans.begin(), spans.end());
                for (size_t k = 1; k < spans.size(); ++k)
                    ASSERT_LE(spans[k - 1].second, spans[k].first + 0.5F)
                        << size << ": something ending at " << spans[k - 1].second
                        << " overlaps what starts at " << spans[k].first;
            }
            for (const auto &control : form.controls()) {
                if (!control->isVisible() || control->parent() || control->width() <= 0
                    || control->kind() == ControlKind::StatusBar)
                    continue;
                const std::string what = size + " " + control->name();
                // The web pane's gap of 800 stands for a caption and menu bar of about that
                // height; the status bar is drawn over the little a taller frame leaves.
                const float below = control->name() == "Browser" ? 800 : kFrameHeight;
                ASSERT_GE(control->left(), 0) << what;
                ASSERT_LE(control->left() + control->width(), w - kFrameWidth + 0.5F) << what;
                ASSERT_LE(control->top() + control->height(),
                          h - below - app.control("StatusBar1").height() + 0.5F)
                    << what;
            }
            ASSERT_GT(app.control("Browser").height(), 0) << size;
            for (int k = 0; k < 6; ++k)
                ASSERT_GE(app.control("Emulators_T(" + std::to_string(k) + ")").width(), 539.5F)
                    << size << ": room for caption " << k;
        }
    }
}

} // namespace
} // namespace kestrova::testing
