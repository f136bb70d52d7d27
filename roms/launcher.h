#pragma once

#include <string>

namespace kestrova {

class Application;
class ListBox;

/// Double-clicks that start an emulator: with the ROM chosen in the ROM list or the
/// favourites, or alone from the emulator list.
class Launcher
{
public:
    explicit Launcher(Application &app);

    /// Starts the emulator of `EPath_I` with the ROM selected in `source`.
    void launchRom(const ListBox &source);
    /// Starts the emulator of `EPath_I` with no argument.
    void launchEmulator();

private:
    /// The name test made before looking for the file: "exe" at the end on Windows.
    bool namesProgram(const std::string &path) const;

    Application &m_app;
};

} // namespace kestrova
