#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace kestrova {

enum class SystemKind { Windows, Posix };

/// An environment variable's value as a path; nothing when it is unset or empty.
using Environment = std::function<std::optional<std::filesystem::path>(const std::string &)>;
/// The environment of the running program.
Environment systemEnvironment();

/// The few rules that differ between systems, chosen once at start-up. Tests pick either kind.
class PlatformRules
{
public:
    explicit PlatformRules(SystemKind kind) : m_kind(kind) {}
    /// The rules of the system the program runs on.
    static PlatformRules native();

    SystemKind kind() const { return m_kind; }
    /// "\" on Windows, "/" elsewhere.
    char separator() const { return m_kind == SystemKind::Windows ? '\\' : '/'; }
    /// Folder text followed by the separator and the name, as the program builds its paths.
    std::string join(const std::string &folder, const std::string &name) const;
    /// May the launch start this program? Windows: ends in "exe" (case-sensitive) and the file
    /// exists. Elsewhere: an existing regular file that the user may execute.
    bool isLaunchable(const std::string &path) const { return launchRefusal(path).empty(); }
    /// Why isLaunchable() refuses this path, in the system's words ("No such file or
    /// directory", "Is a directory", "Permission denied"); empty when it does not.
    std::string launchRefusal(const std::string &path) const;
    /// Does the path name its place without a folder to start from? Windows: a drive ("C:"),
    /// or a leading "\" or "/"; elsewhere a leading "/".
    bool isAbsolute(const std::string &path) const;
    /// Hidden files are left out of ROM listings.
    bool isHidden(const std::filesystem::directory_entry &entry) const;
    /// The open-file filter for executables, given the Windows one.
    std::string executableFilter(const std::string &windowsFilter) const;
    /// Where this user's own files live when the application folder cannot hold them: the
    /// roaming application-data folder on Windows, the XDG data folder elsewhere. Nothing when
    /// the environment names no such place.
    std::optional<std::filesystem::path> userDataFolder(const Environment &environment) const;

private:
    SystemKind m_kind;
};

/// UTF-8 text to a path, and back.
std::filesystem::path toPath(const std::string &utf8);
std::string fromPath(const std::filesystem::path &path);

} // namespace kestrova
