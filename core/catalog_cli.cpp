#include "core/catalog_cli.h"

#include "core/catalog_file.h"
#include "core/file_layout.h"
#include "platform/file_io.h"
#include "platform/platform_rules.h"

#include <ostream>

namespace kestrova {

namespace {

// The user's DATA.txt, found as the program finds it.
std::optional<std::filesystem::path> usersCatalog(const DataFolderOption &option,
                                                  const std::filesystem::path &programDir,
                                                  std::ostream &err)
{
    LayoutRequest request;
    request.appDir = programDir;
    std::error_code ec;
    if (option.folder)
        request.dataFolder = std::filesystem::absolute(*option.folder, ec);
    const auto choice = chooseFileLayout(request);
    if (!choice.layout) {
        err << "kestrova-cli: " << *choice.error << "\n";
        return std::nullopt;
    }
    return choice.layout->catalogFile();
}

} // namespace

int runCatalogCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err,
                      const std::filesystem::path &programDir)
{
    const auto option = findDataFolderOption(args);
    const auto &files = option.others;
    if (option.error || files.size() > 1 || (files.empty() && programDir.empty())) {
        err << "usage: kestrova-cli catalog [--data-folder DIR] [FILE]\n";
        return 2;
    }
    const auto path = files.empty() ? usersCatalog(option, programDir, err) : toPath(files[0]);
    if (!path)
        return 1;
    const auto bytes = readFileBytes(*path, kCatalogFileBound);
    if (!bytes) {
        err << "kestrova-cli: cannot read " << fromPath(*path) << "\n";
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
