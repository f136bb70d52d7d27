#pragma once

#include "reference/wiki_table.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

/// What one import of a saved list page yields.
struct WikiImport
{
    WikiTable table;
    /// The titles appended to `avail_L`, untrimmed, in file order; item k is row k's title.
    std::vector<std::string> availItems;
};

/// The largest page read as HTML: its tree takes about sixteen times the page's size, and pages
/// saved by browsers hold a few megabytes.
constexpr size_t kHtmlPageBound = size_t(8) << 20;

/// Reads a saved encyclopedia list page (single-byte text; lines end at CR LF, CR or LF).
/// The platform name (UTF-8) chooses the body rule for "NES", "AMIGA" and "LYNX". A page from
/// which these rules take no title is read as HTML, when the build includes that reader and the
/// page holds at most kHtmlPageBound bytes.
[[nodiscard]] WikiImport parseWikiList(std::string_view fileBytes,
                                       std::string_view platformNameUtf8);

} // namespace kestrova
