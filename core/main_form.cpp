#include "core/main_form.h"

#include "platform/form.h"
#include "platform/list_box.h"
#include "platform/text_box.h"
#include "platform/widgets.h"

#include <array>
#include <string>

namespace kestrova {

namespace {

constexpr float kColumn = 2490;
constexpr std::array<const char *, 6> kColumns = {"manu_L",  "plat_list_L", "Emu_L",
                                                  "Flist_L", "FavList_L",   "avail_L"};
constexpr std::array<const char *, 6> kColumnCaptions = {
    "Manufacturer", "Platforms", "Emulators", "Roms List", "Favorites", "Wikipedia's List"};
constexpr std::array<const char *, 7> kBarNames = {"Back", "Refresh", "Next", "Colors",
                                                   "Settings", "Save", "Navigation bar"};

Label &label(Form &f, const std::string &name, const Geometry &g, const std::string &caption,
             Control *parent = nullptr)
{
    auto &l = f.add<Label>(name, g);
    l.setCaption(caption);
    l.setParent(parent);
    return l;
}

PictureControl &button(Form &f, const std::string &name, const Geometry &g,
                       const std::string &caption, Control *parent, const std::string &tip = {})
{
    auto &b = f.add<PictureControl>(name, g, ControlKind::Button);
    b.setCaption(caption);
    b.setParent(parent);
    b.setToolTip(tip);
    return b;
}

void buildColumns(Form &f)
{
    for (size_t k = 0; k < kColumns.size(); ++k) {
        const float left = 120 + float(k) * kColumn;
        label(f, "Emulators_T(" + std::to_string(k) + ")", {left, 60, 1900, 255},
              kColumnCaptions[k]);
        auto &list = f.add<ListBox>(kColumns[k], {left, 315, kColumn, 2595});
        list.setAccessibleName(kColumnCaptions[k]);
    }
    f.get<ListBox>("Flist_L").setToolTip(
        "Double-click to lauch the game(choose an emulator), right click to add to favorites.");
    f.get<ListBox>("Emu_L").setToolTip("Double-click to launch ");
    f.get<ListBox>("FavList_L").setToolTip("You can store you favorites games in this list for "
                                           "easy access.  Right click to remove selected game.");
    const float romRight = 120 + 4 * kColumn;
    // Narrow filter and counts, so that the caption, the count and the filter share a column
    // even in a small window; a long count is shown in a smaller type.
    constexpr float kFilterWidth = 660;
    constexpr float kCountWidth = 330;
    auto &ext = f.add<ComboBox>("ext1_C", {romRight - kFilterWidth, 0, kFilterWidth, 315});
    ext.setAccessibleName("Extension filter");
    label(f, "romc_T", {romRight - kFilterWidth - kCountWidth, 30, kCountWidth, 255}, "0");
    label(f, "wikic_T", {120 + 6 * kColumn - kCountWidth, 30, kCountWidth, 255}, "0");
}

// Created after the navigation row, so that they are drawn over the bar image they sit on.
void buildSearchBoxes(Form &f)
{
    f.add<TextBox>("Text1_I", {120 + 3 * kColumn, 2910, kColumn, 285})
        .setAccessibleName("Search ROMs");
    f.add<TextBox>("available_I", {120 + 5 * kColumn, 2910, kColumn, 285})
        .setAccessibleName("Search titles");
}

void buildNavigationRow(Form &f)
{
    // Left to right the bar shows settings, colours, save, refresh, back, next, then the bar.
    constexpr std::array<int, 7> kPosition = {4, 3, 5, 1, 0, 2, 6};
    for (int k = 0; k < 7; ++k) {
        const float left = 120 + float(kPosition[size_t(k)]) * 900;
        auto &image = f.add<PictureControl>("Image2(" + std::to_string(k) + ")",
                                            {left, 3000, 900, 450}, ControlKind::Image);
        image.setAccessibleName(kBarNames[size_t(k)]);
        image.setStretch(k == 6);
    }
    label(f, "m_M", {5640, 3090, 6000, 270}, "").setAccessibleName("Message");
    label(f, "Label_T(5)", {5640, 3195, 1200, 255}, "Best match");
    auto &meter = label(f, "prog", {120, 3450, 2895, 375}, "Match Meter");
    meter.setToolTip("When a rom is selected, the program finds the best match in the Wiki's "
                     "list. This is not perfect and depends greatly of the \"quality\" of the "
                     "file name. Green=good match, Red: bad match.");
    auto &address = f.add<TextBox>("matches_L", {3120, 3450, 11820, 405});
    address.setToolTip("Double click to browse to the displayed address.");
    address.setAccessibleName("Best match");
    label(f, "Dragger_T", {120, 3840, 14820, 50}, "").setAccessibleName("Splitter");
    f.add<Label>("Browser", {120, 3960, 14820, 6600}, ControlKind::Browser)
        .setAccessibleName("Web pane");
}

void buildSettingsFrame(Form &f)
{
    auto &frame = label(f, "Frame1T", {4642, 4240, 5775, 4335}, "Settings");
    frame.setVisible(false);
    auto &check = f.add<CheckBox>("Check1_T", {240, 360, 1935, 300});
    check.setCaption("AutoBrowse");
    check.setParent(&frame);
    check.setToolTip("If selected, the program will browse to the best match when a rom or a "
                     "wiki's game is selected.");
    label(f, "Label_T(7)", {120, 840, 2415, 255}, "Emulator Path", &frame);
    auto &emuPath = f.add<TextBox>("EPath_I", {120, 1200, 5055, 375});
    emuPath.setParent(&frame);
    emuPath.setAccessibleName("Emulator Path");
    emuPath.setToolTip(kEmulatorPathTip);
    button(f, "CommandButton1_B", {5160, 1200, 375, 375}, "...", &frame)
        .setAccessibleName("Choose emulator");
    label(f, "Label_T(1)", {120, 1800, 2295, 255}, "Roms Path", &frame);
    auto &romPath = f.add<TextBox>("RPath_I", {120, 2040, 5055, 375});
    romPath.setParent(&frame);
    romPath.setAccessibleName("Roms Path");
    romPath.setToolTip("Displays the path of the selected paltform's ROM folder");
    button(f, "edit_path_B", {5160, 2040, 375, 375}, "...", &frame)
        .setAccessibleName("Choose ROM folder");

    const std::array<std::pair<const char *, const char *>, 3> rows = {
        {{"Man", "Manufacturers"}, {"Plat", "Platforms"}, {"Emu", "Emulators"}}};
    // The buttons share their captions; a screen reader tells them apart by these.
    const std::array<const char *, 3> things = {"manufacturer", "platform", "emulator"};
    const std::array<const char *, 3> labelNames = {"Label_T(0)", "Label_T(2)", "Label_T(3)"};
    for (size_t r = 0; r < rows.size(); ++r) {
        const float top = 2760 + float(r) * 480;
        const std::string stem = rows[r].first;
        label(f, labelNames[r], {120, top, 1455, 255}, rows[r].second, &frame);
        const std::string removeTip = "Removes the selected item";
        const std::string editTip = "Edit the selected item's name";
        const std::string addTip = r == 0 ? "Add an item to the list" : "";
        const std::string thing = things[r];
        button(f, "Add" + stem + "_B", {1800, top, 495, 315}, "+", &frame, addTip)
            .setAccessibleName("Add " + thing);
        button(f, "Remove" + stem + "_B", {2400, top, 495, 315}, "-", &frame, removeTip)
            .setAccessibleName("Remove " + thing);
        button(f, "Edit" + stem + "_B", {3000, top, 495, 315}, "R", &frame, editTip)
            .setAccessibleName("Rename " + thing);
    }
    label(f, "Label1_T", {3840, 3360, 1575, 375}, "NavBar-Buttons", &frame);
    auto &sets = f.add<ComboBox>("nav_C", {3960, 3720, 1575, 315});
    sets.setParent(&frame);
    sets.setAccessibleName("NavBar-Buttons");
}

void buildBottom(Form &f)
{
    auto &logo = f.add<PictureControl>("Image1", {120, 9000, 2400, 1200}, ControlKind::Image);
    logo.setVisible(false);
    logo.setAccessibleName("Logo");
    label(f, "Label_T(4)", {120, 8700, 2000, 255}, "Kestrova 1.02").setVisible(false);
    f.add<StatusBar>("StatusBar1", {0, 11400, 15060, 375}).setAccessibleName("Status");
    for (const char *hidden : {"txt", "ajout", "MATCH", "match2"})
        f.add<TextBox>(hidden, {0, 0, 0, 0}).setVisible(false);
}

void buildMenus(Form &f)
{
    auto &bar = f.menuBar();
    auto &lists = bar.addItem("M_list", "Lists");
    lists.addItem("M_op_sav", "Save").setShortcut("Ctrl+S");
    for (const auto &[stem, caption] : std::array<std::pair<const char *, const char *>, 3>{
             {{"man", "Manufacturers"}, {"plat", "Platforms"}, {"emu", "Emulators"}}}) {
        auto &sub = lists.addItem(std::string("M_") + stem, caption);
        sub.addItem(std::string("M_") + stem + "_add", "Add");
        sub.addItem(std::string("M_") + stem + "_rem", "Remove");
        sub.addItem(std::string("M_") + stem + "_ren", "Rename");
    }
    lists.find("M_emu")->addItem("M_emu_args", "Arguments");
    auto &settings = bar.addItem("M_set", "Settings");
    auto &nav = settings.addItem("M_set_nav", "Nav bars");
    nav.addItem("M_Cycle_nav", " Cycle NavBar Sets");
    nav.addItem("M_set_nav_list(0)", "-");
    auto &colours = settings.addItem("M_set_col", "Colors");
    colours.addItem("M_set_col_New", "Add/Edit Scheme");
    colours.addItem("M_Cycle_c", "Cycle Schemes");
    colours.addItem("M_set_col_schemes(0)", "-");
    auto &links = bar.addItem("M_ql", "Quick Links");
    links.addItem("M_wiki", "Wikipedia");
    links.addItem("M_ql_gf", "Game Faqs");
    links.addItem("M_Gr", "GameRanking");
    links.addItem("M_Rep_docs", "Replacement Docs");
    links.addItem("M_moby", "Moby Games");
    auto &help = bar.addItem("M_help", "Help");
    help.addItem("M_help_about", "Website");
    help.addItem("Check_updates", "Check for updates");
    help.addItem("about", "Version");
}

} // namespace

void buildMainForm(Form &form1)
{
    buildColumns(form1);
    buildNavigationRow(form1);
    buildSearchBoxes(form1);
    buildSettingsFrame(form1);
    buildBottom(form1);
    buildMenus(form1);
    form1.resize(kDesignClientWidth + 240, kDesignClientHeight + 825);
}

} // namespace kestrova
