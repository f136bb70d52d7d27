#include "platform/platform_rules.h"

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

bool PlatformRules::isLaunchable(const std::string &path) const
{
    std::error_code ec;
    if (m_kind == SystemKind::Windows) {
        if (path.size() < 3 || path.compare(path.size() - 3, 3, "exe") != 0)
            return false;
        return std::filesystem::is_regular_file(toPath(path), ec);
    }
    if (path.empty() || !std::filesystem::is_regular_file(toPath(path), ec))
        return false;
#ifdef _WIN32
    return true;
#else
    return ::access(path.c_str(), X_OK) == 0;
#endif
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
