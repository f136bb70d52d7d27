#include "core/catalog_cli.h"

#include "core/catalog_file.h"
#include "platform/file_io.h"
#include "platform/platform_rules.h"

#include <ostream>

namespace kestrova {

int runCatalogCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    if (args.size() != 1) {
        err << "usage: kestrova-cli catalog FILE\n";
        return 2;
    }
    const auto bytes = readFileBytes(toPath(args[0]), kCatalogFileBound);
    if (!bytes) {
        err << "kestrova-cli: cannot read " << args[0] << "\n";
        return 1;
    }
    const auto load = parseCatalog(*bytes);
    if (load.skippedLines > 0)
        err << "kestrova-cli: " << load.skippedLines
            << " line(s) could not be loaded and are left out\n";
    out << writeCatalog(load.catalog);
    return out ? 0 : 1;
}

} // namespace kestrova
