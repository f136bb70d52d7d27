#include "platform/platform_rules.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace kestrova {

PlatformRules PlatformRules::native()
{
#ifdef _WIN32
    return PlatformRules(SystemKind::Windows);
#else
    return PlatformRules(SystemKind::Posix);
#endif
}

std::string PlatformRules::join(const std::string &folder, const std::string &name) const
{
    return folder + separator() + name;
}

namespace {

std::string reason(std::errc error)
{
    return std::make_error_code(error).message();
}

} // namespace

std::string PlatformRules::launchRefusal(const std::string &path) const
{
    if (m_kind == SystemKind::Windows && !path.ends_with("exe"))
        return "the name does not end in \"exe\"";
    if (path.empty())
        return reason(std::errc::no_such_file_or_directory);
    std::error_code ec;
    const auto status = std::filesystem::status(toPath(path), ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return reason(std::errc::no_such_file_or_directory);
    if (ec)
        return ec.message();
    if (std::filesystem::is_directory(status))
        return reason(std::errc::is_a_directory);
    if (!std::filesystem::is_regular_file(status))
        return reason(std::errc::permission_denied);
#ifndef _WIN32
    if (m_kind == SystemKind::Posix && ::access(path.c_str(), X_OK) != 0)
        return std::generic_category().message(errno);
#endif
    return {};
}

bool PlatformRules::isAbsolute(const std::string &path) const
{
    if (path.starts_with('/'))
        return true;
    if (m_kind == SystemKind::Posix)
        return false;
    return path.starts_with('\\') || (path.size() >= 2 && path[1] == ':');
}

bool PlatformRules::isHidden(const std::filesystem::directory_entry &entry) const
{
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(entry.path().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES
           && (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
#else
    const auto name = entry.path().filename().native();
    return !name.empty() && name.front() == '.';
#endif
}

std::string PlatformRules::executableFilter(const std::string &windowsFilter) const
{
    if (m_kind == SystemKind::Windows)
        return windowsFilter;
    return "exe files (*)|*|All files (*)|*";
}

std::optional<std::filesystem::path>
PlatformRules::userDataFolder(const Environment &environment) const
{
    if (m_kind == SystemKind::Windows) {
        const auto roaming = environment("APPDATA");
        return roaming ? std::optional(*roaming / "Kestrova") : std::nullopt;
    }
    // The base-directory convention ignores a relative value (asked by text: a Windows build
    // checking these rules would not take "/d" for absolute).
    const auto xdg = environment("XDG_DATA_HOME");
    if (xdg && fromPath(*xdg).starts_with('/'))
        return *xdg / "kestrova";
    const auto home = environment("HOME");
    if (!home)
        return std::nullopt;
    return *home / ".local" / "share" / "kestrova";
}

Environment systemEnvironment()
{
    return [](const std::string &name) -> std::optional<std::filesystem::path> {
#ifdef _WIN32
        // The wide form: a user name outside the code page must survive.
        const std::wstring wide(name.begin(), name.end());
        const wchar_t *value = _wgetenv(wide.c_str());
#else
        const char *value = std::getenv(name.c_str());
#endif
        if (!value || !*value)
            return std::nullopt;
        return std::filesystem::path(value);
    };
}

std::filesystem::path toPath(const std::string &utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string fromPath(const std::filesystem::path &path)
{
    const auto u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

} // namespace kestrova
