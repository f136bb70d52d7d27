#include "editing_test_support.h"

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

std::vector<std::string> messageTexts(const FakeDialogs &dialogs)
{
    std::vector<std::string> texts;
    for (const auto &message : dialogs.messages)
        texts.push_back(message.text);
    return texts;
}

} // namespace kestrova::testing
