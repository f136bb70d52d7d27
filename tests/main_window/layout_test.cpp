#include "fakes/app_fixture.h"
#include "gif_files.h"
#include "main_window/main_layout.h"
#include "platform/list_box.h"
#include "platform/widgets.h"

#include <gtest/gtest.h>

#include <array>

namespace kestrova::testing {
namespace {

constexpr std::array<const char *, 6> kColumns = {"manu_L",  "plat_list_L", "Emu_L",
                                                  "Flist_L", "FavList_L",   "avail_L"};

float right(Control &c)
{
    return c.left() + c.width();
}
float bottom(Control &c)
{
    return c.top() + c.height();
}
Control &bar(Application &app, int k)
{
    return app.control("Image2(" + std::to_string(k) + ")");
}

/// Buttons of 40 by 20 pixels (600 by 300 twips) in the default set, 50 by 24 in "Blue".
Application &startWithSets(AppFixture &f)
{
    writeImageSet(f, "menus", 40, 20);
    writeImageSet(f, "menus/Blue", 50, 24);
    return f.start();
}

void dragSplitter(Application &app, float toTop, int button = LeftButton)
{
    auto &splitter = app.control("Dragger_T");
    splitter.userMouseDown({button, 0, 0, 20});
    splitter.userMouseMove({button, 0, 0, 20 + toTop - splitter.top()});
}

TEST(MainLayout, ResizePlacesColumnsBarAddressRowAndWebPane)
{
    AppFixture f;
    auto &app = startWithSets(f);
    bar(app, 4).setLeft(120); // the settings button's design position, which the layout reads
    app.form1().setActualSize(6360, 12000, 6120, 11175);

    for (int k = 0; k < 6; ++k) {
        auto &column = app.control(kColumns[size_t(k)]);
        EXPECT_FLOAT_EQ(column.left(), 120 + 1000 * float(k)) << kColumns[size_t(k)];
        EXPECT_FLOAT_EQ(column.width(), 1000);
        EXPECT_FLOAT_EQ(column.top(), 315);
        EXPECT_FLOAT_EQ(app.control("Emulators_T(" + std::to_string(k) + ")").left(),
                        column.left());
    }
    auto &roms = app.control("Flist_L");
    auto &titles = app.control("avail_L");
    EXPECT_FLOAT_EQ(app.control("Text1_I").top(), bottom(roms));
    EXPECT_FLOAT_EQ(app.control("Text1_I").left(), roms.left());
    EXPECT_FLOAT_EQ(app.control("available_I").top(), bottom(titles));
    EXPECT_FLOAT_EQ(right(app.control("ext1_C")), right(roms));
    EXPECT_FLOAT_EQ(right(app.control("romc_T")), app.control("ext1_C").left());
    EXPECT_FLOAT_EQ(right(app.control("wikic_T")), right(titles));
    EXPECT_FLOAT_EQ(right(app.control("matches_L")), right(titles));

    // Bar: settings, colours, save, refresh, back, next, then the stretching bar image.
    const float l = 120;
    EXPECT_FLOAT_EQ(bar(app, 4).left(), l);
    EXPECT_FLOAT_EQ(bar(app, 4).width(), 600);
    const std::array<int, 6> order = {3, 5, 1, 0, 2, 6};
    for (size_t p = 0; p < order.size(); ++p)
        EXPECT_FLOAT_EQ(bar(app, order[p]).left(), l + 600 * float(p + 1)) << order[p];
    EXPECT_FLOAT_EQ(bar(app, 6).width(), 6360 - bar(app, 6).left() - 240);
    EXPECT_FLOAT_EQ(bar(app, 6).height(), 300);
    EXPECT_FLOAT_EQ(app.control("m_M").left(), bar(app, 6).left() + 120);

    const float meterTop = bottom(bar(app, 2));
    EXPECT_FLOAT_EQ(app.control("prog").top(), meterTop);
    EXPECT_FLOAT_EQ(app.control("matches_L").top(), meterTop);
    EXPECT_FLOAT_EQ(app.control("Dragger_T").top(), bottom(app.control("prog")));
    auto &browser = app.control("Browser");
    EXPECT_FLOAT_EQ(browser.width(), 6120 - 120 - 120);
    EXPECT_FLOAT_EQ(app.control("Dragger_T").width(), browser.width());
    EXPECT_FLOAT_EQ(bottom(browser), 12000 - 800 - app.control("StatusBar1").height());
    auto &frame = app.control("Frame1T");
    EXPECT_FLOAT_EQ(frame.left() + frame.width() / 2, 3180);
    EXPECT_FLOAT_EQ(frame.top(), app.control("Dragger_T").top() + 400);
    EXPECT_FLOAT_EQ(bottom(app.control("Image1")), 12000 - 645);
    EXPECT_FLOAT_EQ(bottom(app.control("Label_T(4)")), app.control("Image1").top());
}

TEST(MainLayout, RefusedSizesAreSkippedOneByOne)
{
    AppFixture f;
    auto &app = startWithSets(f);
    app.form1().setActualSize(6360, 12000, 6120, 11175);
    app.form1().setActualSize(240, 900, 120, 300);
    // Column width (240 - 360) / 6 < 0: widths stay, lefts still move.
    EXPECT_FLOAT_EQ(app.control("manu_L").width(), 1000);
    EXPECT_FLOAT_EQ(app.control("plat_list_L").left(), 100);
    EXPECT_FLOAT_EQ(app.control("Browser").width(), 6120 - 240);
    EXPECT_FLOAT_EQ(app.control("Dragger_T").top(), bottom(app.control("prog")));
}

TEST(MainLayout, SplitterDragMovesTheBoundaryWithinFiveToNinetyFivePercent)
{
    AppFixture f;
    auto &app = startWithSets(f);
    app.form1().setActualSize(6360, 12000, 6120, 11175);
    auto &splitter = app.control("Dragger_T");
    const float before = splitter.top();

    dragSplitter(app, 600); // exactly 5 %
    EXPECT_FLOAT_EQ(splitter.top(), before);
    dragSplitter(app, 11400); // exactly 95 %
    EXPECT_FLOAT_EQ(splitter.top(), before);
    dragSplitter(app, 6000, RightButton);
    EXPECT_FLOAT_EQ(splitter.top(), before);
    EXPECT_FLOAT_EQ(app.feature<MainLayout>().DragStartY(), 20);

    dragSplitter(app, 6000);
    EXPECT_FLOAT_EQ(splitter.top(), 6000);
    auto &browser = app.control("Browser");
    EXPECT_FLOAT_EQ(browser.top(), 6000 + splitter.height());
    EXPECT_FLOAT_EQ(bottom(browser), 12000 - 640);
    EXPECT_FLOAT_EQ(app.control("Frame1T").top(), 6400);
    EXPECT_FLOAT_EQ(bottom(app.control("prog")), 6000);
    EXPECT_FLOAT_EQ(bottom(app.control("matches_L")), 6000);
    const float barTop = app.control("matches_L").top() - 300;
    for (int k = 0; k <= 6; ++k)
        EXPECT_FLOAT_EQ(bar(app, k).top(), barTop);
    EXPECT_FLOAT_EQ(app.control("Text1_I").top(), barTop);
    EXPECT_FLOAT_EQ(app.control("available_I").top(), barTop);
    for (const char *column : kColumns)
        EXPECT_FLOAT_EQ(app.control(column).height(), barTop - 315) << column;

    // A resize keeps the list heights and seats the splitter right under the address row.
    app.form1().setActualSize(7000, 13000, 6760, 12175);
    EXPECT_FLOAT_EQ(app.control("manu_L").height(), barTop - 315);
    EXPECT_FLOAT_EQ(app.control("prog").top(), bottom(bar(app, 2)));
    EXPECT_FLOAT_EQ(splitter.top(), bottom(app.control("prog")));
    EXPECT_FLOAT_EQ(bottom(browser), 13000 - 800 - app.control("StatusBar1").height());
}

TEST(MainLayout, SetChangeSwapsSaveAndColoursUntilTheNextResize)
{
    AppFixture f;
    auto &app = startWithSets(f);
    app.form1().setActualSize(6360, 12000, 6120, 11175);
    app.comboBox("nav_C").userClickRow(0); // "Blue": 750 twips wide buttons

    EXPECT_FLOAT_EQ(bar(app, 4).left(), 120);
    EXPECT_FLOAT_EQ(bar(app, 5).left(), 120 + 750);
    EXPECT_FLOAT_EQ(bar(app, 3).left(), 120 + 2 * 750);
    EXPECT_FLOAT_EQ(bar(app, 6).left(), 120 + 6 * 750);
    EXPECT_FLOAT_EQ(app.control("matches_L").top(), bottom(bar(app, 2)));
    EXPECT_FLOAT_EQ(app.control("Dragger_T").top(), bottom(app.control("prog")));

    app.form1().setActualSize(6360, 12000, 6120, 11175);
    EXPECT_LT(bar(app, 3).left(), bar(app, 5).left());
    EXPECT_FLOAT_EQ(bar(app, 3).left(), 120 + 750);
}

TEST(MainLayout, MovingOverListsAndBackgroundResetsTheButtons)
{
    AppFixture f;
    auto &app = startWithSets(f);
    auto &back = app.form1().get<PictureControl>("Image2(0)");
    for (const char *name :
         {"Emu_L", "manu_L", "plat_list_L", "matches_L", "prog", "Frame1T", "Dragger_T", ""}) {
        back.userMouseMove({});
        ASSERT_TRUE(back.picture().ends_with("back2.gif"));
        if (*name)
            app.control(name).userMouseMove({});
        else
            app.form1().userMouseMove({});
        EXPECT_TRUE(back.picture().ends_with("back1.gif")) << name;
    }
}

} // namespace
} // namespace kestrova::testing
