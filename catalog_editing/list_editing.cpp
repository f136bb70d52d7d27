#include "catalog_editing/list_editing.h"

#include "catalog_editing/catalog_selection.h"
#include "catalog_editing/path_dialogs.h"
#include "core/application.h"
#include "platform/dialogs.h"
#include "platform/list_box.h"
#include "platform/text_box.h"
#include "platform/text_codec.h"
#include "platform/widgets.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace kestrova {

namespace {

/// Moves the entries after slot i down by one over the visited range 0..last, empties the
/// last visited one and returns the new last; nothing changes when i lies outside it.
template <class Slots> int closeGap(Slots &slots, int i, int last)
{
    last = std::min(last, Slots::capacity - 1);
    if (i < 0 || i > last)
        return last;
    for (int k = i; k < last; ++k)
        slots[k] = std::move(slots[k + 1]);
    slots[last] = {};
    return last - 1;
}

} // namespace

ListEditing::ListEditing(Application &app) : m_app(app)
{
    install();
}

void ListEditing::install()
{
    struct Command
    {
        const char *button;
        const char *menuItem;
        std::function<void()> run;
    };
    const Command commands[] = {
        {"AddMan_B", "M_man_add", [this] { addManufacturer(); }},
        {"RemoveMan_B", "M_man_rem", [this] { removeManufacturer(); }},
        {"EditMan_B", "M_man_ren", [this] { renameManufacturer(); }},
        {"AddPlat_B", "M_plat_add", [this] { addPlatform(); }},
        {"RemovePlat_B", nullptr, [this] { removePlatform(false); }},
        {nullptr, "M_plat_rem", [this] { removePlatform(true); }},
        {"EditPlat_B", "M_plat_ren", [this] { renamePlatform(); }},
        {"AddEmu_B", "M_emu_add", [this] { addEmulator(); }},
        {"RemoveEmu_B", "M_emu_rem", [this] { removeEmulator(); }},
        {"EditEmu_B", "M_emu_ren", [this] { renameEmulator(); }},
    };
    for (const auto &command : commands) {
        if (command.button)
            m_app.control(command.button).onClick = command.run;
        if (command.menuItem)
            m_app.form1().menuBar().find(command.menuItem)->onClick = command.run;
    }
}

bool ListEditing::confirm(const std::string &text, const std::string &title)
{
    return m_app.dialogs().messageBox(text, MessageButtons::YesNo, MessageIcon::None, title) ==
           MessageResult::Yes;
}

void ListEditing::tell(const std::string &text)
{
    m_app.dialogs().messageBox(text, MessageButtons::Ok, MessageIcon::None, "");
}

std::string ListEditing::askName(const std::string &prompt, const std::string &title)
{
    // A pasted line break would start a new record in DATA.txt.
    return std::string(firstLine(m_app.dialogs().inputBox(prompt, title)));
}

std::string ListEditing::askNewName(const ListBox &list, const std::string &title)
{
    return askName("Rename " + list.text(), title);
}

void ListEditing::addManufacturer()
{
    auto &catalog = m_app.catalog();
    if (catalog.LastMan + 1 >= kManufacturerSlots) {
        tell("A maximum of 51 manufacturers is supported.");
        return;
    }
    const std::string name =
        askName("Enter new manufacturer name", "New Manufacturer");
    if (name.empty())
        return;
    m_app.listBox("manu_L").addItem(name);
    catalog.Man[catalog.LastMan + 1].Name = name;
    ++catalog.LastMan;
}

void ListEditing::renameManufacturer()
{
    const auto selected = CatalogSelection::of(m_app);
    if (!selected.hasManufacturer())
        return;
    auto &manufacturers = m_app.listBox("manu_L");
    const std::string name = askNewName(manufacturers, "Rename manufacturer");
    if (name.empty())
        return;
    m_app.catalog().Man[selected.m].Name = name;
    manufacturers.setItem(selected.m, name);
}

void ListEditing::removeManufacturer()
{
    const auto selected = CatalogSelection::of(m_app);
    if (!selected.hasManufacturer())
        return;
    auto &catalog = m_app.catalog();
    if (confirm("are you sure you want to delete " + catalog.Man[selected.m].Name +
                    " ? All Platforms will also be erased.",
                "Delete manufacturer"))
        catalog.LastMan = std::int16_t(closeGap(catalog.Man, selected.m, catalog.LastMan));
    m_app.UpdatE("Boot", 0);
    m_app.listBox("manu_L").setListIndex(-1);
}

void ListEditing::addPlatform()
{
    if (!CatalogSelection::of(m_app).hasManufacturer()) {
        m_app.dialogs().messageBox("Choose a Manufaturer", MessageButtons::Ok,
                                   MessageIcon::Exclamation, "");
        return;
    }
    if (m_app.listBox("plat_list_L").count() >= kPlatformSlots - 1) {
        tell("A maximum of 50 platforms is supported.");
        return;
    }
    m_app.form2().activate();
}

void ListEditing::renamePlatform()
{
    const auto selected = CatalogSelection::of(m_app);
    if (!selected.hasPlatform())
        return;
    auto &platforms = m_app.listBox("plat_list_L");
    const std::string name = askNewName(platforms, "Rename platform");
    if (name.empty())
        return;
    m_app.catalog().Man[selected.m].Plat[selected.p].Name = name;
    platforms.setItem(selected.p, name);
}

void ListEditing::removePlatform(bool fromMenu)
{
    const auto selected = CatalogSelection::of(m_app);
    if (selected.hasPlatform()) {
        auto &manufacturer = m_app.catalog().Man[selected.m];
        if (confirm("Delete " + manufacturer.Plat[selected.p].Name + " ?", "Remove platform")) {
            manufacturer.LastPlat =
                std::int16_t(closeGap(manufacturer.Plat, selected.p, manufacturer.LastPlat));
            m_app.UpdatE("M_change", selected.m);
            if (fromMenu)
                m_app.listBox("manu_L").setListIndex(0);
        }
    }
    m_app.listBox("plat_list_L").setListIndex(-1);
}

void ListEditing::addEmulator()
{
    const auto selected = CatalogSelection::of(m_app);
    if (!selected.hasPlatform()) {
        m_app.dialogs().messageBox("Choose a platform", MessageButtons::Ok,
                                   MessageIcon::Exclamation, "");
        return;
    }
    auto &emulators = m_app.listBox("Emu_L");
    if (emulators.count() >= kEmulatorSlots) {
        tell("A maximum of 51 emulators per platform is supported.");
        return;
    }
    auto &pathBox = m_app.textBox("EPath_I");
    pathBox.setText(openExecutableFile(m_app));
    if (pathBox.text().empty())
        return;
    const std::string name = askName("Enter new emulator name", "New Emulator");
    if (name.empty())
        return;
    const int n = emulators.count();
    auto &platform = m_app.catalog().Man[selected.m].Plat[selected.p];
    platform.Emu[n] = {name, pathBox.text()};
    platform.LastEmu = std::int16_t(n);
    emulators.addItem(name);
}

void ListEditing::renameEmulator()
{
    const auto selected = CatalogSelection::of(m_app);
    if (!selected.hasEmulator())
        return;
    auto &emulators = m_app.listBox("Emu_L");
    const std::string name = askNewName(emulators, "Rename emulator");
    if (name.empty())
        return;
    m_app.catalog().Man[selected.m].Plat[selected.p].Emu[selected.e].Name = name;
    emulators.setItem(selected.e, name);
}

void ListEditing::removeEmulator()
{
    const auto selected = CatalogSelection::of(m_app);
    if (!selected.hasEmulator())
        return;
    auto &platform = m_app.catalog().Man[selected.m].Plat[selected.p];
    if (!confirm("Delete " + platform.Emu[selected.e].Name + " ?", "Remove emulator"))
        return;
    platform.LastEmu = std::int16_t(closeGap(platform.Emu, selected.e, platform.LastEmu));
    m_app.UpdatE("P_change", selected.p);
    m_app.listBox("Emu_L").setListIndex(-1);
}

} // namespace kestrova
