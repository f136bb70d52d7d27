#pragma once

#include <optional>
#include <string>

namespace kestrova {

class Application;

/// "Lists" > "Emulators" > "Arguments": the selected emulator's argument template.
class EmulatorArguments
{
public:
    explicit EmulatorArguments(Application &app);

    /// Asks for the template, offering the current one; an empty answer removes it, Cancel
    /// keeps it. A template that could not be split as typed is refused, and asked again.
    void editArguments();

private:
    /// Why the template cannot be kept, for the user; nothing when it can.
    std::optional<std::string> problem(const std::string &argumentTemplate) const;

    Application &m_app;
};

} // namespace kestrova
