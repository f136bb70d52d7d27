#include "core/selection_cascade.h"

#include "core/application.h"
#include "core/main_form.h"
#include "platform/case_fold.h"
#include "platform/dialogs.h"
#include "platform/list_box.h"
#include "platform/text_box.h"
#include "platform/text_codec.h"

namespace kestrova {

SelectionCascade::SelectionCascade(Application &app) : m_app(app)
{
    install();
}

void SelectionCascade::install()
{
    auto &manufacturers = m_app.listBox("manu_L");
    manufacturers.onClick = [this, &manufacturers] {
        UpdatE("M_change", manufacturers.listIndex());
        manufacturers.setToolTip(manufacturers.text());
        m_app.ShowStatus();
    };
    auto &emulators = m_app.listBox("Emu_L");
    emulators.onClick = [this, &emulators] {
        emulators.setToolTip(emulators.text());
        UpdatE("E_change", emulators.listIndex());
        m_app.ShowStatus();
    };
    m_app.comboBox("ext1_C").onClick = [this] { UpdatE("Ext_change", 0); };
    m_app.textBox("ajout").onChange = [this] { completeAddedPlatform(); };
    m_app.textBox("available_I").onChange = [this] { typeAheadTitles(); };
    for (const char *box : {"RPath_I", "EPath_I"}) {
        auto &path = m_app.textBox(box);
        path.onDblClick = [this, &path] { m_app.control("m_M").setCaption(path.text()); };
    }
}

void SelectionCascade::UpdatE(const std::string &caller, int index)
{
    if (caller == "Boot")
        boot();
    else if (caller == "M_change")
        manufacturerChanged(index);
    else if (caller == "P_change")
        platformChanged(index);
    else if (caller == "Ext_change")
        listRoms();
    else if (caller == "E_change")
        emulatorChanged(index);
}

void SelectionCascade::boot()
{
    for (const char *list : {"Flist_L", "FavList_L", "plat_list_L", "Emu_L", "manu_L"})
        m_app.listBox(list).clear();
    const auto &catalog = m_app.catalog();
    std::vector<std::string> names;
    for (int m = 0; m <= std::min<int>(catalog.LastMan, kManufacturerSlots - 1); ++m)
        names.push_back(catalog.Man[m].Name);
    m_app.listBox("manu_L").addItems(std::move(names));
}

void SelectionCascade::manufacturerChanged(int m)
{
    m_app.textBox("EPath_I").setText("");
    showArguments({});
    m_app.textBox("RPath_I").setText("");
    for (const char *list : {"Flist_L", "FavList_L", "plat_list_L", "Emu_L", "avail_L"})
        m_app.listBox(list).clear();
    m_app.textBox("matches_L").setText("");
    if (m < 0 || m >= kManufacturerSlots)
        return;
    const auto &manufacturer = m_app.catalog().Man[m];
    auto &platforms = m_app.listBox("plat_list_L");
    std::vector<std::string> romFolders;
    for (int j = 0; j <= std::min<int>(manufacturer.LastPlat, kPlatformSlots - 1); ++j) {
        if (!manufacturer.Plat[j].Name.empty()) {
            platforms.addItem(manufacturer.Plat[j].Name);
            romFolders.push_back(manufacturer.Plat[j].RomPath);
        }
    }
    // A platform click lists its ROM folder; a large one is read while the user looks.
    m_app.readRomFoldersAhead(romFolders);
}

void SelectionCascade::platformChanged(int p)
{
    const int m = m_app.listBox("manu_L").listIndex();
    if (m < 0 || p < 0 || p >= kPlatformSlots)
        return;
    m_app.textBox("EPath_I").setText("");
    showArguments({});
    for (const char *list : {"FavList_L", "Emu_L", "Flist_L", "avail_L"})
        m_app.listBox(list).clear();
    m_app.textBox("matches_L").setText("");
    const auto &platform = m_app.catalog().Man[m].Plat[p];
    m_app.textBox("RPath_I").setText(platform.RomPath);
    auto &favourites = m_app.listBox("FavList_L");
    for (int k = 0; k <= std::min<int>(platform.LastFav, kFavouriteSlots - 1); ++k) {
        if (!platform.Fav[k].empty())
            favourites.addItem(platform.Fav[k]);
    }
    auto &emulators = m_app.listBox("Emu_L");
    for (int k = 0; k <= std::min<int>(platform.LastEmu, kEmulatorSlots - 1); ++k) {
        if (!platform.Emu[k].Name.empty())
            emulators.addItem(platform.Emu[k].Name);
    }
}

void SelectionCascade::listRoms()
{
    auto &roms = m_app.listBox("Flist_L");
    roms.clear();
    roms.addItems(m_app.romFiles(m_app.textBox("RPath_I").text(), m_app.comboBox("ext1_C").text()));
}

void SelectionCascade::emulatorChanged(int e)
{
    const int m = m_app.listBox("manu_L").listIndex();
    const int p = m_app.listBox("plat_list_L").listIndex();
    if (m < 0 || p < 0 || e < 0 || e >= kEmulatorSlots)
        return;
    const auto &emulator = m_app.catalog().Man[m].Plat[p].Emu[e];
    m_app.textBox("EPath_I").setText(emulator.Path);
    showArguments(emulator.Args);
}

// The template is not on the layout, so the path box tells it when one is set.
void SelectionCascade::showArguments(const std::string &argumentTemplate)
{
    m_app.textBox("EPath_I").setToolTip(argumentTemplate.empty() ? kEmulatorPathTip
                                                                  : argumentTemplate);
}

void SelectionCascade::completeAddedPlatform()
{
    auto &ajout = m_app.textBox("ajout");
    if (ajout.text() != "1")
        return;
    auto &platforms = m_app.listBox("plat_list_L");
    const int m = m_app.listBox("manu_L").listIndex();
    if (m < 0) {
        ajout.setText("0");
        return;
    }
    auto &manufacturer = m_app.catalog().Man[m];
    const std::string name(firstLine(m_app.textBox("txt").text()));
    // No name, no platform: nothing further is asked, and the entry just added goes again.
    if (name.empty()) {
        if (platforms.count() > 0)
            platforms.removeItem(platforms.count() - 1);
        ajout.setText("0");
        return;
    }
    // The slot of the entry just added; an empty first entry means the list held nothing real.
    int slot = platforms.count() - 1;
    if (platforms.count() == 0 || platforms.item(0).empty()) {
        platforms.clear();
        slot = 0;
    }
    if (slot >= kPlatformSlots) {
        ajout.setText("0");
        return;
    }
    manufacturer.Plat[slot].Name = name;
    manufacturer.LastPlat = std::int16_t(std::min(manufacturer.LastPlat + 1, kPlatformSlots - 1));
    const auto answer = m_app.dialogs().messageBox(
        "Browse to the folder containing your " + name + " roms.", MessageButtons::YesNo,
        MessageIcon::None, "Set ROMS path?");
    if (answer == MessageResult::Yes) {
        const std::string folder = m_app.OpenDir();
        if (!folder.empty())
            manufacturer.Plat[slot].RomPath = folder + m_app.rules().separator();
    }
    ajout.setText("0");
    UpdatE("M_change", m_app.listBox("manu_L").listIndex());
}

void SelectionCascade::typeAheadTitles()
{
    auto &titles = m_app.listBox("avail_L");
    const std::string &typed = m_app.textBox("available_I").text();
    if (typed.empty()) {
        if (titles.listIndex() != -1)
            titles.setListIndex(0);
        return;
    }
    for (int k = 0; k < titles.count(); ++k) {
        if (startsWithIgnoringCase(titles.item(k), typed)) {
            titles.setListIndex(k);
            return;
        }
    }
}

} // namespace kestrova
