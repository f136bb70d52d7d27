#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace kestrova {

/// `kestrova-cli make-demo FOLDER`: makes FOLDER a complete demonstration application folder
/// from the files beside the programs in `programDir`. Returns 0, 1 when a file could not be
/// copied or written, 2 for bad arguments.
int runMakeDemoCommand(const std::vector<std::string> &args, std::ostream &out,
                       std::ostream &err, const std::filesystem::path &programDir);

} // namespace kestrova
