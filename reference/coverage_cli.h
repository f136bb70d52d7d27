#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kestrova {

/// `kestrova-cli coverage --platform NAME --list FILE FOLDER [--ext ENTRY] [--min-likeness X]
/// [--json | --html OUT]`: the titles of the list the folder holds (owned), the titles it does
/// not (missing) and the ROMs that match no title well enough (unsure), ending with one
/// summary line. Returns 0, 1 when the list cannot be read or the page not written, 2 for bad
/// arguments.
int runCoverageCommand(const std::vector<std::string> &args, std::ostream &out,
                       std::ostream &err);

} // namespace kestrova
