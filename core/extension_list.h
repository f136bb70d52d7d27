#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

/// The entries of Ext.txt, one per line, unchanged and untrimmed (empty lines included).
std::vector<std::string> parseExtensionList(std::string_view bytes);

} // namespace kestrova
