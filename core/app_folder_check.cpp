#include "core/app_folder_check.h"

#include <fstream>
#include <system_error>

namespace kestrova {

bool canWriteInto(const std::filesystem::path &folder)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        return false;
    const auto probe = folder / ".kestrova-write-test";
    const bool written = std::ofstream(probe, std::ios::binary).is_open();
    std::filesystem::remove(probe, ec);
    return written;
}

std::optional<std::string> appFolderWarning(const std::filesystem::path &appDir, bool writable,
                                            SystemKind kind)
{
    if (writable)
        return std::nullopt;
    const auto folder = fromPath(appDir);
    std::string text = "Kestrova keeps its catalog, colour schemes and settings in its own "
                       "folder, " + folder + ", but it cannot write there: nothing you change "
                       "will be saved.\n\nTo keep your changes, copy the whole folder to a place "
                       "where you may write, such as your home folder, and start Kestrova from "
                       "the copy.";
    if (kind == SystemKind::Posix)
        text += " For example:\n\ncp -r \"" + folder + "\" ~/Kestrova\n~/Kestrova/kestrova";
    return text;
}

std::optional<std::string> checkAppFolder(const std::filesystem::path &appDir)
{
    return appFolderWarning(appDir, canWriteInto(appDir), PlatformRules::native().kind());
}

} // namespace kestrova
