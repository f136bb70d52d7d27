#pragma once

#include <string>
#include <vector>

namespace kestrova {

class Application;
class ListBox;

/// Double-clicks that start an emulator: with the ROM chosen in the ROM list or the
/// favourites, or alone from the emulator list.
class Launcher
{
public:
    explicit Launcher(Application &app);

    /// Starts the emulator of `EPath_I` with the ROM selected in `source`, as the selected
    /// emulator's argument template says.
    void launchRom(const ListBox &source);
    /// Starts the emulator of `EPath_I` with its template's arguments that name no ROM.
    void launchEmulator();

private:
    /// The name test made before looking for the file: "exe" at the end on Windows.
    bool namesProgram(const std::string &path) const;
    /// The path in `EPath_I`; a relative one is taken from the application folder, wherever
    /// Kestrova was started from.
    std::string programPath() const;
    /// The argument template of the emulator selected in `Emu_L`; empty when none is.
    std::string selectedTemplate() const;
    /// Starts the program; a failure is reported with the system's reason. True when it started.
    bool start(const std::string &program, const std::vector<std::string> &arguments);
    void reportFailure(const std::string &program, const std::string &reason);

    Application &m_app;
};

} // namespace kestrova
