// A saved list page as any bytes, under the general rule and the body rule: no crash, at most
// 6001 rows, and never more list items than rows.

#include "reference/wiki_list_import.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace kestrova;
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    for (const char *platform : {"Sample Console", "NES", "amiga", "LYNX"}) {
        const WikiImport list = parseWikiList(bytes, platform);
        if (list.table.rows.size() > size_t(WikiTable::kRowCount) ||
            list.availItems.size() > list.table.rows.size()) {
            std::fprintf(stderr, "%s: %zu rows, %zu items\n", platform, list.table.rows.size(),
                         list.availItems.size());
            std::abort();
        }
    }
    return 0;
}
