#include "roms/roms_cli.h"

#include "platform/platform_rules.h"
#include "roms/rom_listing.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace kestrova {

namespace {

struct RomsArguments
{
    std::string folder;
    std::string entry = "All";
};

std::optional<RomsArguments> parseArguments(const std::vector<std::string> &args)
{
    RomsArguments parsed;
    bool haveFolder = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--ext") {
            if (i + 1 >= args.size())
                return std::nullopt;
            parsed.entry = args[++i];
        } else if (!haveFolder && !args[i].starts_with("--")) {
            parsed.folder = args[i];
            haveFolder = true;
        } else {
            return std::nullopt;
        }
    }
    if (!haveFolder)
        return std::nullopt;
    return parsed;
}

} // namespace

int runRomsCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    const auto parsed = parseArguments(args);
    if (!parsed) {
        err << "usage: kestrova-cli roms FOLDER [--ext ENTRY]\n"
               "  FOLDER is the ROM path as the program keeps it, ending with a separator;\n"
               "  ENTRY is an extension filter entry such as .nes (default: All).\n";
        return 2;
    }
    const auto rules = PlatformRules::native();
    for (const auto &name : listRomFiles(parsed->folder, parsed->entry, rules))
        out << name << '\n';
    std::error_code ec;
    const bool namesFolder = std::filesystem::is_directory(toPath(parsed->folder), ec);
    if (namesFolder && !parsed->folder.ends_with(rules.separator()))
        err << "note: " << parsed->folder << " is a folder; the ROM list shows its files only "
            << "when the path ends with " << rules.separator() << '\n';
    return 0;
}

} // namespace kestrova
