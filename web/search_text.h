#pragma once

#include <string>
#include <string_view>

namespace kestrova {

/// A reference title as a site search query: trimmed of spaces, spaces and underscores turned
/// into "+", and every character that would change the address (& # ? % + controls, non-ASCII)
/// percent-encoded, so the whole title is searched for.
std::string searchText(std::string_view title);

} // namespace kestrova
