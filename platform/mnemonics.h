#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kestrova {

constexpr std::size_t kNoMnemonic = std::string::npos;

/// For the captions of one menu, the byte position of the letter or digit that opens each with
/// Alt, unique among them regardless of case; kNoMnemonic when none is left (or for a
/// separator). First letters go first, then word starts, then any other letter or digit.
std::vector<std::size_t> chooseMnemonics(const std::vector<std::string> &captions);

} // namespace kestrova
