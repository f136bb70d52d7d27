#include "editing_test_support.h"

#include "platform/list_box.h"

namespace kestrova::testing {

std::string catalogText(const Makers &makers, const std::vector<std::string> &emulators)
{
    std::string text;
    for (const auto &[maker, platforms] : makers) {
        text += "[Manufacturer]" + maker + "\r\n\r\n\r\n";
        for (const auto &platform : platforms) {
            text += "[Platform]" + platform + "\r\n[RomPath]/roms/" + platform + "/\r\n";
            for (const auto &emulator : emulators)
                text += "[Emu]" + emulator + "\r\n[EmuPath]" + emulator + ".exe\r\n";
        }
        text += "\r\n";
    }
    return text;
}

void selectEmulator(Application &app, int m, int p, int e)
{
    const std::pair<const char *, int> clicks[] = {{"manu_L", m}, {"plat_list_L", p}, {"Emu_L", e}};
    for (const auto &[list, row] : clicks) {
        if (row != -1)
            app.listBox(list).userClickRow(row);
    }
}

std::vector<std::string> messageTexts(const FakeDialogs &dialogs)
{
    std::vector<std::string> texts;
    for (const auto &message : dialogs.messages)
        texts.push_back(message.text);
    return texts;
}

} // namespace kestrova::testing
