#pragma once

#include "core/catalog.h"
#include "platform/platform_rules.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrova {

struct CatalogLoad
{
    Catalog catalog;
    /// Lines that could not be placed in the table (beyond a capacity, without a parent record,
    /// without a known key, or belonging to a record without a name); saving drops them.
    int skippedLines = 0;
};

/// The most DATA.txt may hold: well above a catalog with every slot full (about 35 MB), so
/// that only a file that cannot be a catalog is refused.
constexpr std::uintmax_t kCatalogFileBound = std::uintmax_t(64) << 20;

/// Reads the bytes of DATA.txt. Each line decodes on its own: valid UTF-8 stays as it is;
/// otherwise names read as Windows-1252 and, on POSIX systems, paths and argument templates
/// keep their bytes so that they still name the same files.
CatalogLoad parseCatalog(std::string_view bytes,
                         SystemKind kind = PlatformRules::native().kind());
/// The bytes of DATA.txt for this catalog, CR LF after every line. No value ever writes a line
/// break: names end at their first one, and a path or template holding one is left out.
std::string writeCatalog(const Catalog &catalog,
                         SystemKind kind = PlatformRules::native().kind());

} // namespace kestrova
