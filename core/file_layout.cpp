#include "core/file_layout.h"

#include <system_error>

namespace kestrova {

namespace fs = std::filesystem;

namespace {

constexpr const char *kOption = "--data-folder";

// The entries that make a folder a Kestrova data folder; any one of them means the user has
// been here before, so seeding would bring back what they removed.
constexpr const char *kUserEntries[] = {"DATA.txt", "Ext.txt", "ColorSchemes", "wikigameslists"};

bool holdsUserFiles(const fs::path &dataDir)
{
    std::error_code ec;
    for (const char *name : kUserEntries) {
        if (fs::exists(dataDir / name, ec))
            return true;
    }
    return false;
}

std::optional<std::string> copyFileIfMissing(const fs::path &from, const fs::path &to)
{
    std::error_code ec;
    // Asked first: skip_existing alone reports an error for an existing file on some systems.
    if (fs::exists(to, ec) || ec)
        return ec ? std::optional(fromPath(to) + ": " + ec.message()) : std::nullopt;
    fs::copy_file(from, to, ec);
    return ec ? std::optional(fromPath(to) + ": " + ec.message()) : std::nullopt;
}

// File by file: a recursive fs::copy into an existing folder fails on some systems.
std::optional<std::string> copyMissing(const fs::path &from, const fs::path &to)
{
    std::error_code ec;
    if (!fs::is_directory(from, ec))
        return fs::is_regular_file(from, ec) ? copyFileIfMissing(from, to) : std::nullopt;
    fs::create_directories(to, ec);
    for (fs::recursive_directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const auto target = to / fs::relative(it->path(), from, ec);
        if (it->is_directory(ec))
            fs::create_directories(target, ec);
        else if (auto failed = copyFileIfMissing(it->path(), target))
            return failed;
    }
    return ec ? std::optional(fromPath(to) + ": " + ec.message()) : std::nullopt;
}

std::optional<std::string> makeWritable(const fs::path &folder, const LayoutRequest &request)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        return ec.message();
    if (!request.canWrite(folder))
        return "Kestrova may not write there";
    return std::nullopt;
}

std::string unusableFolderMessage(const fs::path &folder, const std::string &reason)
{
    return "Kestrova cannot use the data folder " + fromPath(folder) + " (" + reason +
           "). Start it with --data-folder and a folder you may write to, or without the "
           "option to use your own data folder.";
}

std::string nowhereToSaveMessage(const LayoutRequest &request,
                                 const std::optional<fs::path> &userFolder,
                                 const std::string &reason)
{
    std::string text = "Kestrova cannot save anything: it may not write to its own folder, " +
                       fromPath(request.appDir);
    if (userFolder)
        text += ", nor to your data folder, " + fromPath(*userFolder) + " (" + reason + ")";
    else
        text += ", and no data folder is set for your user (" + reason + ")";
    text += ". You can look around, but nothing you change will be kept.\n\nTo keep your "
            "changes, start Kestrova with a folder you may write to";
    if (request.rules.kind() == SystemKind::Posix)
        return text + ", for example:\n\nkestrova --data-folder ~/Kestrova";
    return text + ": kestrova --data-folder FOLDER";
}

LayoutChoice usableFolder(const fs::path &folder, const LayoutRequest &request)
{
    auto message = std::optional<std::string>{};
    if (!holdsUserFiles(folder)) {
        if (auto failed = seedDataFolder(request.appDir, folder))
            message = "Kestrova could not copy its starting files into your data folder: " +
                      *failed;
    }
    return {FileLayout(request.appDir, folder, true, message), std::nullopt};
}

} // namespace

FileLayout FileLayout::portable(fs::path appDir)
{
    auto dataDir = appDir;
    return FileLayout(std::move(appDir), std::move(dataDir));
}

FileLayout::FileLayout(fs::path appDir, fs::path dataDir, bool writable,
                       std::optional<std::string> startupMessage)
    : m_appDir(std::move(appDir)),
      m_dataDir(std::move(dataDir)),
      m_writable(writable),
      m_startupMessage(std::move(startupMessage))
{
}

LayoutChoice chooseFileLayout(const LayoutRequest &request)
{
    if (request.dataFolder) {
        if (auto reason = makeWritable(*request.dataFolder, request))
            return {std::nullopt, unusableFolderMessage(*request.dataFolder, *reason)};
        return usableFolder(*request.dataFolder, request);
    }
    if (request.canWrite(request.appDir))
        return {FileLayout::portable(request.appDir), std::nullopt};
    const auto userFolder = request.rules.userDataFolder(request.environment);
    const auto reason = userFolder ? makeWritable(*userFolder, request)
                                   : std::optional<std::string>(
                                         request.rules.kind() == SystemKind::Windows
                                             ? "APPDATA is not set"
                                             : "HOME is not set");
    if (!reason)
        return usableFolder(*userFolder, request);
    // Reading still works, so the user sees the shipped catalog and settings.
    return {FileLayout(request.appDir, request.appDir, false,
                       nowhereToSaveMessage(request, userFolder, *reason)),
            std::nullopt};
}

std::optional<std::string> seedDataFolder(const fs::path &appDir, const fs::path &dataDir)
{
    for (const char *name : kUserEntries) {
        if (auto failed = copyMissing(appDir / name, dataDir / name))
            return failed;
    }
    return std::nullopt;
}

DataFolderOption findDataFolderOption(const std::vector<std::string> &arguments)
{
    const std::string prefix = std::string(kOption) + "=";
    DataFolderOption found;
    for (size_t k = 0; k < arguments.size(); ++k) {
        const auto &argument = arguments[k];
        std::optional<std::string> value;
        if (argument.starts_with(prefix))
            value = argument.substr(prefix.size());
        else if (argument == kOption && k + 1 < arguments.size())
            value = arguments[++k];
        else if (argument == kOption)
            value = "";
        if (!value) {
            found.others.push_back(argument);
            continue;
        }
        if (value->empty())
            found.error = "The option --data-folder needs a folder, for example: "
                          "--data-folder ~/Kestrova";
        else
            found.folder = toPath(*value);
    }
    return found;
}

} // namespace kestrova
