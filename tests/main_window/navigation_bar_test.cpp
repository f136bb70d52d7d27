#include "fakes/app_fixture.h"
#include "gif_files.h"
#include "main_window/navigation_bar.h"
#include "platform/list_box.h"
#include "platform/widgets.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrova::testing {
namespace {

PictureControl &bar(Application &app, int k)
{
    return app.form1().get<PictureControl>("Image2(" + std::to_string(k) + ")");
}

/// The file names the six buttons show, e.g. "back1.gif".
std::vector<std::string> shown(Application &app)
{
    std::vector<std::string> names;
    for (int k = 0; k < 6; ++k)
        names.push_back(fromPath(toPath(bar(app, k).picture()).filename()));
    return names;
}

std::vector<std::string> normal()
{
    return {"back1.gif", "refresh1.gif", "next1.gif", "colors1.gif", "settings.gif", "save1.gif"};
}

std::vector<std::string> with(std::vector<std::string> names, int k, const std::string &name)
{
    names[size_t(k)] = name;
    return names;
}

MenuItem &setEntry(Application &app, int n)
{
    return *app.form1().menuBar().find("M_set_nav_list(" + std::to_string(n) + ")");
}

std::vector<int> ticked(Application &app)
{
    std::vector<int> entries;
    for (int n = 1; n <= app.comboBox("nav_C").count(); ++n) {
        if (setEntry(app, n).isChecked())
            entries.push_back(n);
    }
    return entries;
}

TEST(NavigationBar, ListsFoldersAndNamesWithoutAThreeLetterExtension)
{
    AppFixture f;
    writeImageSet(f, "menus", 40, 20);
    writeImageSet(f, "menus/Blue", 40, 20);
    f.writeAppFile("menus/Red/back1.gif", gifHeader(40, 20));
    f.writeAppFile("menus/readme.txt", "");
    f.writeAppFile("menus/notes", "");
    f.writeAppFile("menus/ab", "");
    auto &app = f.start();

    auto &sets = app.comboBox("nav_C");
    auto names = sets.items();
    for (int n = 1; n <= sets.count(); ++n)
        EXPECT_EQ(setEntry(app, n).caption(), sets.item(n - 1));
    EXPECT_EQ(app.form1().menuBar().find("M_set_nav_list(0)")->caption(), "-");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Blue", "Red", "ab", "notes"}));
    EXPECT_EQ(sets.listIndex(), -1);
    EXPECT_TRUE(ticked(app).empty());
}

TEST(NavigationBar, DefaultSetLoadsEveryPictureAndHidesTheSettingsPanel)
{
    AppFixture f;
    writeImageSet(f, "menus", 40, 20);
    auto &app = f.start();
    const auto menus = fromPath(f.dir.path() / "menus");

    EXPECT_EQ(shown(app), normal());
    EXPECT_EQ(bar(app, 0).picture(), fromPath(f.dir.path() / "menus" / "back1.gif"));
    EXPECT_FLOAT_EQ(bar(app, 0).width(), 600);
    EXPECT_FLOAT_EQ(bar(app, 0).height(), 300);
    EXPECT_TRUE(bar(app, 6).picture().ends_with("bar.gif"));
    EXPECT_TRUE(app.form1().get<PictureControl>("RemoveMan_B").picture().ends_with("Remove.gif"));
    EXPECT_TRUE(app.form1().get<PictureControl>("RemoveEmu_B").picture().ends_with("remove.gif"));
    EXPECT_TRUE(app.form1().get<PictureControl>("EditPlat_B").picture().ends_with("edit.gif"));
    auto &logo = app.form1().get<PictureControl>("Image1");
    EXPECT_TRUE(logo.picture().ends_with("logo.gif"));
    EXPECT_FLOAT_EQ(logo.width(), 160 * 15);
    for (const char *hidden : {"Frame1T", "Label_T(4)", "Image1"})
        EXPECT_FALSE(app.control(hidden).isVisible()) << hidden;
    auto &store = app.feature<NavigationBar>();
    EXPECT_TRUE(store.storedPicture(3 * 4 + 0).ends_with("settings.gif"));
    EXPECT_TRUE(store.storedPicture(3 * 2 + 2).ends_with("next3.gif"));
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
    const int c =
        int(std::find(sets.items().begin(), sets.items().end(), "C") - sets.items().begin());
    const std::string before = bar(app, 0).picture();
    sets.userClickRow(c);
    EXPECT_EQ(bar(app, 0).picture(), before);
    EXPECT_EQ(fromPath(toPath(bar(app, 1).picture()).parent_path().filename()), "C");
}

TEST(NavigationBar, CyclingWithoutSetsDoesNothing)
{
    AppFixture f;
    writeImageSet(f, "menus", 40, 20);
    auto &app = f.start();
    app.form1().menuBar().find("M_Cycle_nav")->userClick();
    EXPECT_EQ(app.comboBox("nav_C").listIndex(), -1);
    EXPECT_EQ(shown(app), normal());
}

TEST(NavigationBar, PicturePerMouseEvent)
{
    AppFixture f;
    writeImageSet(f, "menus", 40, 20);
    auto &app = f.start();

    bar(app, 0).userMouseMove({});
    EXPECT_EQ(shown(app), with(normal(), 0, "back2.gif"));
    bar(app, 2).userMouseMove({});
    EXPECT_EQ(shown(app), with(normal(), 2, "next2.gif"));
    bar(app, 2).userMouseDown({RightButton, 0, 0, 0});
    EXPECT_EQ(shown(app), with(normal(), 2, "next3.gif"));
    EXPECT_EQ(f.web.forwards, 1);
    bar(app, 2).userMouseUp({RightButton, 0, 0, 0});
    EXPECT_EQ(shown(app), with(normal(), 2, "next2.gif"));
    bar(app, 6).userMouseMove({});
    EXPECT_EQ(shown(app), normal());

    const std::string barPicture = bar(app, 6).picture();
    bar(app, 6).userMouseDown({LeftButton, 0, 0, 0});
    bar(app, 6).userMouseUp({LeftButton, 0, 0, 0});
    EXPECT_EQ(shown(app), normal());
    EXPECT_EQ(bar(app, 6).picture(), barPicture);
    EXPECT_EQ(f.web.backs + f.web.forwards + f.web.refreshes, 1);
}

TEST(NavigationBar, ButtonsDriveTheWebPaneEditorSettingsAndSave)
{
    AppFixture f;
    writeImageSet(f, "menus", 40, 20);
    auto &app = f.start();
    const auto pressAndRelease = [&](int k) {
        bar(app, k).userMouseDown({LeftButton, 0, 0, 0});
        bar(app, k).userMouseUp({LeftButton, 0, 0, 0});
    };

    pressAndRelease(0);
    pressAndRelease(1);
    EXPECT_EQ(f.web.backs, 1);
    EXPECT_EQ(f.web.refreshes, 1);

    const auto navigations = f.web.navigations.size();
    pressAndRelease(4);
    EXPECT_FALSE(app.control("Browser").isVisible());
    for (const char *name : {"Frame1T", "Label_T(4)", "Image1"})
        EXPECT_TRUE(app.control(name).isVisible()) << name;
    pressAndRelease(4);
    EXPECT_TRUE(app.control("Browser").isVisible());
    EXPECT_FALSE(app.control("Frame1T").isVisible());
    EXPECT_EQ(f.web.navigations.size(), navigations); // the page is left alone

    pressAndRelease(3);
    EXPECT_TRUE(app.colors().isVisible());

    f.dialogs.messages.clear();
    pressAndRelease(5);
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, "Saved");
}

} // namespace
} // namespace kestrova::testing
