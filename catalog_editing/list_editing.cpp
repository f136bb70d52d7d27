#include "catalog_editing/list_editing.h"

#include "catalog_editing/path_dialogs.h"
#include "core/application.h"
#include "platform/dialogs.h"
#include "platform/list_box.h"
#include "platform/text_box.h"
#include "platform/widgets.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace kestrova {

namespace {

/// Moves the entries after slot i down by one over the visited range 0..last, empties the
/// last visited one and returns the new last; nothing changes when i lies outside it.
template<class Slots>
int closeGap(Slots &slots, int i, int last)
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
    return m_app.dialogs().messageBox(text, MessageButtons::YesNo, MessageIcon::None, title)
           == MessageResult::Yes;
}

void ListEditing::tell(const std::string &text)
{
    m_app.dialogs().messageBox(text, MessageButtons::Ok, MessageIcon::None, "");
}

std::string ListEditing::askNewName(const ListBox &list, const std::string &title)
{
    if (list.listIndex() == -1)
        return {};
    return m_app.dialogs().inputBox("Rename " + list.text(), title);
}

void ListEditing::addManufacturer()
{
    auto &catalog = m_app.catalog();
    if (catalog.LastMan + 1 >= kManufacturerSlots) {
        tell("A maximum of 51 manufacturers is supported.");
        return;
    }
    const std::string name =
        m_app.dialogs().inputBox("Enter new manufacturer name", "New Manufacturer");
    if (name.empty())
        return;
    m_app.listBox("manu_L").addItem(name);
    catalog.Man[catalog.LastMan + 1].Name = name;
    ++catalog.LastMan;
}

void ListEditing::renameManufacturer()
{
    auto &manufacturers = m_app.listBox("manu_L");
    const std::string name = askNewName(manufacturers, "Rename manufacturer");
    const int m = manufacturers.listIndex();
    if (name.empty() || m < 0 || m >= kManufacturerSlots)
        return;
    m_app.catalog().Man[m].Name = name;
    manufacturers.setItem(m, name);
}

void ListEditing::removeManufacturer()
{
    auto &manufacturers = m_app.listBox("manu_L");
    const int i = manufacturers.listIndex();
    if (i < 0 || i >= kManufacturerSlots)
        return;
    auto &catalog = m_app.catalog();
    if (confirm("are you sure you want to delete " + catalog.Man[i].Name
                    + " ? All Platforms will also be erased.",
                "Delete manufacturer"))
        catalog.LastMan = std::int16_t(closeGap(catalog.Man, i, catalog.LastMan));
    m_app.UpdatE("Boot", 0);
    manufacturers.setListIndex(-1);
}

void ListEditing::addPlatform()
{
    if (m_app.listBox("manu_L").listIndex() == -1) {
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
    auto &platforms = m_app.listBox("plat_list_L");
    const std::string name = askNewName(platforms, "Rename platform");
    const int m = m_app.listBox("manu_L").listIndex();
    const int p = platforms.listIndex();
    if (name.empty() || m < 0 || m >= kManufacturerSlots || p < 0 || p >= kPlatformSlots)
        return;
    m_app.catalog().Man[m].Plat[p].Name = name;
    platforms.setItem(p, name);
}

void ListEditing::removePlatform(bool fromMenu)
{
    auto &platforms = m_app.listBox("plat_list_L");
    auto &manufacturers = m_app.listBox("manu_L");
    const int m = manufacturers.listIndex();
    const int p = platforms.listIndex();
    if (m >= 0 && m < kManufacturerSlots && p >= 0 && p < kPlatformSlots) {
        auto &manufacturer = m_app.catalog().Man[m];
        if (confirm("Delete " + manufacturer.Plat[p].Name + " ?", "Remove platform")) {
            manufacturer.LastPlat =
                std::int16_t(closeGap(manufacturer.Plat, p, manufacturer.LastPlat));
            m_app.UpdatE("M_change", m);
            if (fromMenu)
                manufacturers.setListIndex(0);
        }
    }
    platforms.setListIndex(-1);
}

void ListEditing::addEmulator()
{
    const int m = m_app.listBox("manu_L").listIndex();
    const int p = m_app.listBox("plat_list_L").listIndex();
    if (p == -1 || m < 0 || m >= kManufacturerSlots || p >= kPlatformSlots) {
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
    const std::string name = m_app.dialogs().inputBox("Enter new emulator name", "New Emulator");
    if (name.empty())
        return;
    const int n = emulators.count();
    auto &platform = m_app.catalog().Man[m].Plat[p];
    platform.Emu[n] = {name, pathBox.text()};
    platform.LastEmu = std::int16_t(n);
    emulators.addItem(name);
}

void ListEditing::renameEmulator()
{
    auto &emulators = m_app.listBox("Emu_L");
    const std::string name = askNewName(emulators, "Rename emulator");
    const int m = m_app.listBox("manu_L").listIndex();
    const int p = m_app.listBox("plat_list_L").listIndex();
    const int e = emulators.listIndex();
    if (name.empty() || m < 0 || m >= kManufacturerSlots || p < 0 || p >= kPlatformSlots
        || e < 0 || e >= kEmulatorSlots)
        return;
    m_app.catalog().Man[m].Plat[p].Emu[e].Name = name;
    emulators.setItem(e, name);
}

void ListEditing::removeEmulator()
{
    auto &emulators = m_app.listBox("Emu_L");
    const int m = m_app.listBox("manu_L").listIndex();
    const int p = m_app.listBox("plat_list_L").listIndex();
    const int e = emulators.listIndex();
    if (e < 0 || e >= kEmulatorSlots || p < 0 || p >= kPlatformSlots || m < 0
        || m >= kManufacturerSlots)
        return;
    auto &platform = m_app.catalog().Man[m].Plat[p];
    if (!confirm("Delete " + platform.Emu[e].Name + " ?", "Remove emulator"))
        return;
    platform.LastEmu = std::int16_t(closeGap(platform.Emu, e, platform.LastEmu));
    m_app.UpdatE("P_change", p);
    emulators.setListIndex(-1);
}

} // namespace kestrova
