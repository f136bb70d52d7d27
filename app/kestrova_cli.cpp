#include "core/catalog_cli.h"
#include "demo_folder/demo_cli.h"
#include "platform/executable_folder.h"
#include "platform/file_io.h"
#include "reference/coverage_cli.h"
#include "reference/match_folder_cli.h"
#include "reference/reference_cli.h"
#include "roms/roms_cli.h"

#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

using Command = int (*)(const std::vector<std::string> &, std::ostream &, std::ostream &);

int makeDemo(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    // The build and the install put the shipped files beside this program.
    const auto found = kestrova::findExecutableFolder();
    if (!found.folder) {
        err << "kestrova-cli: " << found.problem << "\n";
        return 1;
    }
    return kestrova::runMakeDemoCommand(args, out, err, *found.folder);
}

int catalog(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    // Without the program's folder only a named file can be printed.
    const auto found = kestrova::findExecutableFolder();
    return kestrova::runCatalogCommand(args, out, err, found.folder.value_or(std::filesystem::path{}));
}

struct Entry
{
    Command run;
    const char *usage;
};

const std::map<std::string, Entry> &commands()
{
    static const std::map<std::string, Entry> table = {
        {"catalog",
         {catalog,
          "catalog [--data-folder DIR] [FILE]\n"
          "                            print FILE as the program would save it; without FILE\n"
          "                            the catalog Kestrova keeps for you (in DIR if given)"}},
        {"roms",
         {kestrova::runRomsCommand,
          "roms FOLDER [--ext ENTRY] the names the ROM list shows for FOLDER"}},
        {"import",
         {kestrova::runImportCommand,
          "import --platform NAME FILE\n"
          "                            the reference list read from FILE, as JSON"}},
        {"match",
         {kestrova::runMatchCommand,
          "match --platform NAME --list FILE ROM...\n"
          "                            each ROM file name's best title, one JSON line each"}},
        {"match-folder",
         {kestrova::runMatchFolderCommand,
          "match-folder --platform NAME --list FILE FOLDER [--ext ENTRY] [--json]\n"
          "                            every ROM of FOLDER with its best title, worst first"}},
        {"coverage",
         {kestrova::runCoverageCommand,
          "coverage --platform NAME --list FILE FOLDER [--ext ENTRY] [--min-likeness X]\n"
          "         [--json | --html OUT]\n"
          "                            the list's titles FOLDER holds, the ones it misses and\n"
          "                            the ROMs no title matches well"}},
        {"make-demo",
         {makeDemo,
          "make-demo FOLDER          make FOLDER a demonstration application folder whose\n"
          "                            catalog points into it (keeps an existing DATA.txt)"}},
    };
    return table;
}

int help(std::ostream &out)
{
    out << "usage: kestrova-cli COMMAND [ARGS]\n\ncommands:\n";
    for (const auto &[name, entry] : commands())
        out << "  " << entry.usage << "\n";
    out << "  --help                    this text\n";
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h")
        return args.empty() ? (help(std::cerr), 2) : help(std::cout);
    const auto found = commands().find(args[0]);
    if (found == commands().end()) {
        std::cerr << "kestrova-cli: unknown command '" << args[0] << "' (see --help)\n";
        return 2;
    }
    kestrova::useBinaryStandardOutput();
    return found->second.run({args.begin() + 1, args.end()}, std::cout, std::cerr);
}
