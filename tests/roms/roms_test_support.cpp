#include "roms_test_support.h"

#include "platform/list_box.h"

#include <algorithm>

namespace kestrova::testing {

std::string manufacturerLines(const std::string &name, const std::vector<TestPlatform> &platforms)
{
    std::string text = "[Manufacturer]" + name + "\r\n\r\n\r\n";
    for (const auto &platform : platforms) {
        text += "[Platform]" + platform.name + "\r\n";
        if (!platform.romPath.empty())
            text += "[RomPath]" + platform.romPath + "\r\n";
        for (const auto &[emulator, path] : platform.emulators)
            text += "[Emu]" + emulator + "\r\n[EmuPath]" + path + "\r\n";
        for (const auto &favourite : platform.favourites)
            text += "[Fav]" + favourite + "\r\n";
    }
    return text + "\r\n";
}

std::string folderText(const std::filesystem::path &folder)
{
    return fromPath(folder) + PlatformRules::native().separator();
}

void setExecutable(const std::filesystem::path &file, bool executable)
{
    using std::filesystem::perms;
    std::filesystem::permissions(file, perms::owner_exec,
                                 executable ? std::filesystem::perm_options::add
                                            : std::filesystem::perm_options::remove);
}

void selectPlatform(Application &app, int m, int p)
{
    app.listBox("manu_L").userClickRow(m);
    app.listBox("plat_list_L").userClickRow(p);
}

int positionOf(const ListBox &list, const std::string &text)
{
    const auto &items = list.items();
    const auto found = std::find(items.begin(), items.end(), text);
    return found == items.end() ? -1 : int(found - items.begin());
}

} // namespace kestrova::testing
