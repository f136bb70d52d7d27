#pragma once

#include "core/catalog.h"

#include <string>
#include <string_view>

namespace kestrova {

struct CatalogLoad
{
    Catalog catalog;
    /// Lines that could not be placed in the table (beyond a capacity, without a parent record,
    /// or without a key); saving drops them.
    int skippedLines = 0;
};

/// Reads the text of DATA.txt (already decoded to UTF-8).
CatalogLoad parseCatalog(std::string_view text);
/// The text of DATA.txt for this catalog, CR LF after every line.
std::string writeCatalog(const Catalog &catalog);

} // namespace kestrova
