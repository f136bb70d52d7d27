#pragma once

#include <filesystem>
#include <optional>

namespace kestrova {

/// The folder of the running program's executable, where its files live; when it cannot be
/// found, a box says so and nothing is returned, so that no other folder's files are touched.
std::optional<std::filesystem::path> programFolder();

} // namespace kestrova
