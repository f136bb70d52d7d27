#pragma once

#include <string>

namespace kestrova {

class Application;
class ListBox;

/// Adding, removing and renaming manufacturers, platforms and emulators, from the settings
/// panel's buttons and the "Lists" menu.
class ListEditing
{
public:
    explicit ListEditing(Application &app);

    void addManufacturer();
    void removeManufacturer();
    void renameManufacturer();
    void addPlatform();
    /// From the menu, a confirmed removal also selects the first manufacturer.
    void removePlatform(bool fromMenu);
    void renamePlatform();
    void addEmulator();
    void removeEmulator();
    void renameEmulator();

private:
    void install();
    /// An input box's text up to its first line break; empty when the box was cancelled.
    std::string askName(const std::string &prompt, const std::string &title);
    /// Asks for the selected entry's new name; the empty text when the box was cancelled.
    std::string askNewName(const ListBox &list, const std::string &title);
    bool confirm(const std::string &text, const std::string &title);
    void tell(const std::string &text);

    Application &m_app;
};

} // namespace kestrova
