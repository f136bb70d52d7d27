#pragma once

#include <filesystem>

namespace kestrova {

/// May this program create files in the folder? Tried, not guessed from permission bits.
bool canWriteInto(const std::filesystem::path &folder);

} // namespace kestrova
