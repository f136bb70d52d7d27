#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kestrova {

/// `kestrova-cli match-folder --platform NAME --list FILE FOLDER [--ext ENTRY] [--json]`: every
/// ROM the ROM list would show for FOLDER with its best title and ratio and the runner-up title,
/// worst matches first.
int runMatchFolderCommand(const std::vector<std::string> &args, std::ostream &out,
                          std::ostream &err);

} // namespace kestrova
