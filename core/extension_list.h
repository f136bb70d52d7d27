#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

/// The most Ext.txt may hold; a list of every extension ever used fits many times over.
constexpr std::uintmax_t kExtensionFileBound = std::uintmax_t(1) << 20;

/// The entries of Ext.txt, one per line, unchanged and untrimmed (empty lines included).
std::vector<std::string> parseExtensionList(std::string_view bytes);

} // namespace kestrova
