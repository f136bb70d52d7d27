#pragma once

#include "core/app_folder_check.h"
#include "platform/platform_rules.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestrova {

/// Where the program's files are. Program resources (menus/, pages/, the web engine module)
/// always come from the application folder; the files a user changes (DATA.txt, Ext.txt,
/// ColorSchemes/, wikigameslists/) live in the data folder, which is the application folder
/// itself when Kestrova may write there.
class FileLayout
{
public:
    /// Everything in the application folder.
    static FileLayout portable(std::filesystem::path appDir);
    FileLayout(std::filesystem::path appDir, std::filesystem::path dataDir, bool writable = true,
               std::optional<std::string> startupMessage = std::nullopt);

    const std::filesystem::path &appFolder() const { return m_appDir; }
    const std::filesystem::path &dataFolder() const { return m_dataDir; }
    bool isPortable() const { return m_appDir == m_dataDir; }

    std::filesystem::path catalogFile() const { return m_dataDir / "DATA.txt"; }
    std::filesystem::path extensionFile() const { return m_dataDir / "Ext.txt"; }
    std::filesystem::path schemesFolder() const { return m_dataDir / "ColorSchemes"; }
    std::filesystem::path wikiListsFolder() const { return m_dataDir / "wikigameslists"; }
    std::filesystem::path imageSetsFolder() const { return m_appDir / "menus"; }
    std::filesystem::path pagesFolder() const { return m_appDir / "pages"; }

    /// False when no folder Kestrova may write to was found: it then creates no empty files
    /// (each would be one more failure box after the one start-up message).
    bool isWritable() const { return m_writable; }
    /// Shown once at start-up, when there is something the user should know.
    const std::optional<std::string> &startupMessage() const { return m_startupMessage; }

private:
    std::filesystem::path m_appDir;
    std::filesystem::path m_dataDir;
    bool m_writable = true;
    std::optional<std::string> m_startupMessage;
};

/// What decides the layout at start-up.
struct LayoutRequest
{
    std::filesystem::path appDir;
    /// The folder given with --data-folder, if any.
    std::optional<std::filesystem::path> dataFolder;
    PlatformRules rules = PlatformRules::native();
    Environment environment = systemEnvironment();
    /// May the program create files there? Tests answer for folders root could write anyway.
    std::function<bool(const std::filesystem::path &)> canWrite = canWriteInto;
};

/// The layout to run with, or the message why the chosen data folder cannot be used (then
/// nothing has been written anywhere).
struct LayoutChoice
{
    std::optional<FileLayout> layout;
    std::optional<std::string> error;
};

/// The portable application folder when it is writable; otherwise the data folder given, or
/// the user's own, made and seeded from the application folder on its first use.
[[nodiscard]] LayoutChoice chooseFileLayout(const LayoutRequest &request);

/// Copies what the user may change and the program ships into a data folder that holds none
/// of the user's files yet; an existing file is never replaced. The reason of a failed copy.
[[nodiscard]] std::optional<std::string> seedDataFolder(const std::filesystem::path &appDir,
                                                        const std::filesystem::path &dataDir);

/// The value of --data-folder among the program's arguments ("--data-folder DIR" or
/// "--data-folder=DIR"); an error text when the option has no value.
struct DataFolderOption
{
    std::optional<std::filesystem::path> folder;
    std::optional<std::string> error;
    /// The arguments without the option.
    std::vector<std::string> others;
};
DataFolderOption findDataFolderOption(const std::vector<std::string> &arguments);

} // namespace kestrova
