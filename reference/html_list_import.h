#pragma once

#include "reference/wiki_list_import.h"

#include <string_view>

namespace kestrova {

/// Reads a list page as the HTML a current browser saves: the titles of the page's game tables
/// and game lists in page order, as UTF-8 decoded from the page's declared charset (UTF-8 when
/// none), with site-relative links. Navigation boxes, contents, references and footers are
/// passed over.
[[nodiscard]] WikiImport parseHtmlList(std::string_view fileBytes);

} // namespace kestrova
