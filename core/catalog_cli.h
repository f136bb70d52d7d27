#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace kestrova {

/// `kestrova-cli catalog [--data-folder DIR] [FILE]`: the bytes that saving FILE's catalog
/// would write; without FILE, the catalog the program in `programDir` keeps for this user.
int runCatalogCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err,
                      const std::filesystem::path &programDir = {});

} // namespace kestrova
