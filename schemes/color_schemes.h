#pragma once

#include "core/feature.h"
#include "platform/color.h"
#include "platform/file_version.h"
#include "schemes/scheme_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kestrova {

class Application;
class MenuItem;
struct FileError;

/// The colour class of a control: the last letter of its name, or of its array's name.
char colorClassOf(const std::string &name);

/// Colour schemes: the slots (the back colours of the editor's `bcol` buttons), `ApplyColors`,
/// the scheme files of `ColorSchemes`, the "Colors" menu with its scheme entries, and the scheme
/// in force `Active.col` at start-up.
class ColorSchemes : public Feature
{
public:
    explicit ColorSchemes(Application &app);

    void startupStep(StartupStep step) override;

    /// Paints every loaded window: its background becomes formBack, and every control whose name
    /// ends with `colorClass` takes back and fore. The chooser window is loaded for it.
    void ApplyColors(Color back, Color fore, Color formBack, char colorClass);
    /// ApplyColors for the classes B, T, L, I, C and M from the slots.
    void applyScheme();

    Color slot(int n);
    void setSlot(int n, Color c);
    SchemeColors slots();

    /// Reads scheme `name` into the slots (its eighth and ninth lines may select an image set),
    /// copies it over Active.col unless it is Active.col, and applies it. A missing file is
    /// reported and changes nothing. `editorHidden`: load the editor hidden, hide it at the end.
    bool loadScheme(const std::string &name, bool editorHidden);
    /// Chooses scheme menu entry n (from 1) and moves the check mark to it.
    void chooseScheme(int n);
    void cycleSchemes();

    std::filesystem::path folder() const;
    /// Creates the ColorSchemes folder when missing; reports a failure.
    bool ensureFolder();
    /// Writes a file of the folder atomically; reports a failure.
    bool writeSchemeText(const std::string &fileName, const std::string &bytes);
    /// The regular files of the folder, in directory order.
    std::vector<std::string> folderFiles() const;

private:
    void install();
    void fillMenu();
    void readActiveScheme();
    void selectImageSet(const std::string &name);
    void markEntry(int n);
    void reportFileError(const std::string &what, const FileError &error);

    Application &m_app;
    std::vector<MenuItem *> m_entries; ///< scheme entries 1, 2, ...
    /// Active.col as read or last written. Named scheme files need none: the editor asks
    /// before it replaces any existing one.
    FileVersion m_activeVersion;
};

} // namespace kestrova
