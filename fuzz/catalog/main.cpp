// DATA.txt as any bytes, read by the Windows and the POSIX rules: loading never crashes nor
// writes past a table, and what a save writes loads back to the same save, with nothing skipped.

#include "core/catalog_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace kestrova;
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    for (const SystemKind kind : {SystemKind::Windows, SystemKind::Posix}) {
        const std::string saved = writeCatalog(parseCatalog(bytes, kind).catalog, kind);
        const CatalogLoad reloaded = parseCatalog(saved, kind);
        if (writeCatalog(reloaded.catalog, kind) != saved || reloaded.skippedLines != 0) {
            std::fprintf(stderr, "save -> load -> save changed the file (%s rules)\n",
                         kind == SystemKind::Windows ? "Windows" : "POSIX");
            std::abort();
        }
    }
    return 0;
}
