// DATA.txt as any bytes, read by the Windows and the POSIX rules: loading never crashes nor
// writes past a table, what a save writes loads back to the same save, with nothing skipped,
// and every argument template read can be turned into a command line.

#include "core/catalog_file.h"
#include "roms/argument_template.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace kestrova;
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    for (const SystemKind kind : {SystemKind::Windows, SystemKind::Posix}) {
        const CatalogLoad load = parseCatalog(bytes, kind);
        const std::string saved = writeCatalog(load.catalog, kind);
        const CatalogLoad reloaded = parseCatalog(saved, kind);
        if (writeCatalog(reloaded.catalog, kind) != saved || reloaded.skippedLines != 0) {
            std::fprintf(stderr, "save -> load -> save changed the file (%s rules)\n",
                         kind == SystemKind::Windows ? "Windows" : "POSIX");
            std::abort();
        }
        for (int e = 0; e < kEmulatorSlots; ++e) {
            const std::string &argumentTemplate = load.catalog.Man[0].Plat[0].Emu[e].Args;
            if (romArguments(argumentTemplate, {"/roms/", "a.nes"}).empty())
                std::abort(); // the ROM is always named somewhere
            (void)emulatorArguments(argumentTemplate, "/roms/");
        }
    }
    return 0;
}
