#pragma once

#include <string>

namespace kestrova {

class Application;

/// The open-file dialog for an emulator's executable: its full path, or the empty text.
[[nodiscard]] std::string openExecutableFile(Application &app);

/// The two "..." buttons of the settings panel: the ROM folder of the selected platform and
/// the executable of the selected emulator.
class PathDialogs
{
public:
    explicit PathDialogs(Application &app);

    void chooseRomFolder();
    void chooseEmulatorFile();

private:
    Application &m_app;
};

} // namespace kestrova
