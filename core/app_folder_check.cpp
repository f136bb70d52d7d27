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

} // namespace kestrova
