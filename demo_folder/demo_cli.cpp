#include "demo_folder/demo_cli.h"

#include "demo_folder/demo_folder.h"

#include <ostream>

namespace kestrova {

int runMakeDemoCommand(const std::vector<std::string> &args, std::ostream &out,
                       std::ostream &err, const std::filesystem::path &programDir)
{
    if (args.size() != 1 || args[0].starts_with("--")) {
        err << "usage: kestrova-cli make-demo FOLDER\n"
               "  FOLDER becomes a demonstration application folder (created when missing);\n"
               "  an existing DATA.txt in it is kept.\n";
        return 2;
    }
    const auto rules = PlatformRules::native();
    const auto folder = toPath(args[0]);
    const auto outcome = makeDemoFolder(folder, demoSourcesBeside(programDir, rules.kind()), rules);
    if (outcome.error) {
        err << "kestrova-cli: " << outcome.error->path << ": " << outcome.error->reason << '\n';
        return 1;
    }
    out << "Demonstration folder " << args[0] << " is ready; "
        << (outcome.catalogWritten ? "its DATA.txt was written.\n"
                                   : "its DATA.txt was kept as it was.\n")
        << "Start " << fromPath(folder / "kestrova") << " to use it.\n";
    return 0;
}

} // namespace kestrova
