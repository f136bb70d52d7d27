#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kestrova {

/// `kestrova-cli roms FOLDER [--ext ENTRY]`; `args` follow the command's name. Prints the
/// names the ROM list shows for that folder text and extension entry, one per line, in the
/// same order. Returns 0, or 2 for bad arguments.
int runRomsCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

} // namespace kestrova
