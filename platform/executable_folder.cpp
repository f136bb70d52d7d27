#include "platform/executable_folder.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kestrova {

namespace {

ExecutableFolder problem(std::string text)
{
    return {std::nullopt, std::move(text)};
}

#ifdef _WIN32
// The name can be longer than MAX_PATH; a full buffer means it may have been cut.
std::optional<std::filesystem::path> executablePath()
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length == 0)
            return std::nullopt;
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name);
        }
        if (name.size() >= 32768)
            return std::nullopt;
        name.resize(name.size() * 2);
    }
}
#elif defined(__linux__)
std::optional<std::filesystem::path> executablePath()
{
    std::error_code ec;
    auto link = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::nullopt;
    return link;
}
#else
std::optional<std::filesystem::path> executablePath()
{
    return std::nullopt;
}
#endif

} // namespace

ExecutableFolder findExecutableFolder()
{
    const auto executable = executablePath();
    if (!executable)
        return problem("The system did not tell Kestrova where its program file is.");
    return executableFolderOf(*executable);
}

ExecutableFolder executableFolderOf(const std::filesystem::path &executable)
{
    const auto folder = executable.parent_path();
    if (!executable.is_absolute() || folder.empty())
        return problem("The program's path \"" + executable.string() + "\" is not a full path.");
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        return problem("The program's folder " + folder.string() +
                       " cannot be found (it may have been moved or removed).");
    return {folder, {}};
}

} // namespace kestrova
