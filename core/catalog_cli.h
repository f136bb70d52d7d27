#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kestrova {

/// `kestrova-cli catalog FILE`: the bytes that saving FILE's catalog would write.
int runCatalogCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

} // namespace kestrova
