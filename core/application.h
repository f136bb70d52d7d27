#pragma once

#include "core/catalog.h"
#include "core/feature.h"
#include "core/file_layout.h"
#include "platform/file_version.h"
#include "platform/form.h"
#include "platform/platform_rules.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kestrova {

class Dialogs;
class Shell;
class WebPane;
class ListBox;
class ComboBox;
class TextBox;
class Label;
class RomSource;
class TaskRunner;

/// The system services the program uses; tests pass fakes.
struct Services
{
    Dialogs &dialogs;
    Shell &shell;
    WebPane &web;
    TaskRunner &tasks;
};

/// The application object: the three windows, the catalog and the routines they share. Each
/// feature installs its own event handlers on the windows' controls; the program that
/// assembles the application adds them.
class Application
{
public:
    /// Everything in `appDir`, the portable folder.
    Application(std::filesystem::path appDir, Services services,
                PlatformRules rules = PlatformRules::native());
    Application(FileLayout files, Services services, PlatformRules rules = PlatformRules::native());
    ~Application();
    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;

    /// The main window's load sequence.
    void start();
    /// The main window's unload: the exit prompt, the save on Yes, the other windows closed.
    void shutDown();

    Form &form1() { return m_form1; }
    Form &form2() { return m_form2; }
    Form &colors() { return m_colors; }
    /// Controls of the main window by name.
    ListBox &listBox(const std::string &name);
    ComboBox &comboBox(const std::string &name);
    TextBox &textBox(const std::string &name);
    Control &control(const std::string &name);

    Catalog &catalog() { return m_catalog; }
    Dialogs &dialogs() { return m_services.dialogs; }
    Shell &shell() { return m_services.shell; }
    WebPane &web() { return m_services.web; }
    TaskRunner &tasks() { return m_services.tasks; }
    const PlatformRules &rules() const { return m_rules; }
    /// The application folder, which holds the program's resources.
    const std::filesystem::path &appDir() const { return m_files.appFolder(); }
    /// Where every file of the program is; readers and writers ask it.
    const FileLayout &files() const { return m_files; }
    /// A file of the application folder (which is always a path of the running system).
    std::string appPath(const std::string &name) const;

    /// Installs a feature; start-up steps run in the order the features were added.
    template<class T>
    T &addFeature(std::unique_ptr<T> feature)
    {
        T &added = *feature;
        m_features.push_back(std::move(feature));
        return added;
    }

    /// The installed feature of that type; asking for a missing one is a programming error.
    template<class T>
    T &feature()
    {
        for (auto &f : m_features) {
            if (auto *found = dynamic_cast<T *>(f.get()))
                return *found;
        }
        std::abort();
    }

    /// The ROM files of a folder, as the installed ROM feature lists them (none without one).
    std::vector<std::string> romFiles(const std::string &folderText,
                                      const std::string &entry) const;
    /// Lets the ROM feature read these folders ahead of the user listing them.
    void readRomFoldersAhead(const std::vector<std::string> &folderTexts) const;
    void setRomSource(const RomSource *source) { m_romSource = source; }

    void UpdatE(const std::string &caller, int index);
    void ShowStatus();
    void LoadData();
    /// Writes DATA.txt and shows "Saved"; a failed write is reported instead. False when
    /// nothing was saved.
    bool SaveData();
    void UnloadAllForms(const std::string &formToIgnore = {});
    /// The folder dialog for a ROM folder: the chosen folder, or the empty text.
    std::string OpenDir();

private:
    void runStartupStep(StartupStep step);
    void fillExtensionFilter();
    void createStatusPanels();
    void reportFileError(const std::string &what, const std::string &path,
                         const std::string &reason);
    bool confirm(const std::string &question);

    FileLayout m_files;
    Services m_services;
    PlatformRules m_rules;
    Catalog m_catalog;
    /// Asked before a save replaces DATA.txt when the file holds more than the catalog shows
    /// (unreadable, lines dropped, another encoding); empty when a save may simply replace it.
    std::string m_replaceQuestion;
    /// DATA.txt as read or last written, to notice another writer before replacing it.
    FileVersion m_dataVersion;
    Form m_form1;
    Form m_form2;
    Form m_colors;
    const RomSource *m_romSource = nullptr; // before the features, which outlive it otherwise
    std::vector<std::unique_ptr<Feature>> m_features;
};

} // namespace kestrova
