#include "demo_folder/demo_folder.h"

#include "core/catalog_file.h"
#include "core/extension_list.h"
#include "platform/web_pane.h"

#include <system_error>

namespace kestrova {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCrLf = "\r\n";

struct DemoPlatform
{
    const char *name;
    std::vector<std::string> favourites;
};

struct DemoManufacturer
{
    const char *name;
    std::vector<DemoPlatform> platforms;
};

const std::vector<DemoManufacturer> &demoManufacturers()
{
    static const std::vector<DemoManufacturer> table = {
        {"Orbital Toys",
         {{"Starlight 8", {"Comet Runner (E) [!].st8", "Café Racer.st8"}}, {"Comet Deck", {}}}},
        {"Lumen Works", {{"Nebula 16", {"Tumble Town (U).n16"}}}},
    };
    return table;
}

std::optional<FileError> failure(const fs::path &path, const std::error_code &ec)
{
    if (!ec)
        return std::nullopt;
    return FileError{fromPath(path), ec.message()};
}

// One file replaced. Where overwriting in place is refused (some Windows file systems), and
// where two shipped names ("Remove.gif", "remove.gif") are one file, the old file is removed
// first.
void replaceFile(const fs::path &from, const fs::path &to, std::error_code &ec)
{
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec && fs::exists(to)) {
        fs::remove(to, ec);
        if (!ec)
            fs::copy_file(from, to, ec);
    }
}

} // namespace

std::optional<FileError> copyFolder(const fs::path &from, const fs::path &to)
{
    std::error_code ec;
    fs::create_directories(to, ec);
    for (fs::recursive_directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const auto target = to / fs::relative(it->path(), from);
        if (it->is_directory())
            fs::create_directories(target, ec);
        else
            replaceFile(it->path(), target, ec);
    }
    return failure(to, ec);
}

namespace {

// Active.col holds the user's choice of scheme, so an existing one stays.
std::optional<FileError> copySchemes(const fs::path &from, const fs::path &to)
{
    std::error_code ec;
    fs::create_directories(to, ec);
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const auto target = to / it->path().filename();
        if (it->path().filename() == "Active.col" && fs::exists(target))
            continue;
        replaceFile(it->path(), target, ec);
        if (ec)
            return failure(target, ec);
    }
    return failure(from, ec);
}

// Programs are a few megabytes; a larger one is simply copied again.
constexpr std::uintmax_t kLargestShippedFile = std::uintmax_t(256) << 20;

bool sameBytes(const fs::path &a, const fs::path &b)
{
    const auto left = readFileBytes(a, kLargestShippedFile);
    return left && left == readFileBytes(b, kLargestShippedFile);
}

// A program that may be running (the demo's own kestrova during a rebuild) cannot be
// overwritten in place on every system, but it can be replaced by a new file.
std::optional<FileError> copyProgram(const fs::path &program, const fs::path &folder)
{
    const auto target = folder / program.filename();
    std::error_code ec;
    if (fs::exists(target, ec) && (fs::equivalent(program, target, ec) || sameBytes(program, target)))
        return std::nullopt;
    fs::remove(target, ec);
    fs::copy_file(program, target, ec);
    return failure(target, ec);
}

std::optional<FileError> writeExtensions(const fs::path &shipped, const fs::path &target)
{
    const auto ext = readFile(shipped, kExtensionFileBound);
    if (ext.error && !ext.missing)
        return ext.error;
    const auto bytes = demoExtensions(ext.bytes);
    if (readFileBytes(target, kExtensionFileBound) == bytes)
        return std::nullopt;
    return writeFileAtomically(target, bytes);
}

std::string folderText(const fs::path &folder)
{
    auto text = fromPath(fs::absolute(folder).lexically_normal());
    const auto root = fromPath(fs::absolute(folder).root_path());
    while (text.size() > root.size() && (text.back() == '/' || text.back() == '\\'))
        text.pop_back();
    return text;
}

} // namespace

DemoSources demoSourcesBeside(const fs::path &programDir, SystemKind kind)
{
    const std::string suffix = kind == SystemKind::Windows ? ".exe" : "";
    DemoSources sources;
    sources.appFiles = programDir;
    sources.samples = programDir / kDemoSamplesFolder;
    sources.emulator = programDir / (std::string(kDemoEmulatorName) + suffix);
    const std::string module = std::string(kWebEngineModuleName)
                               + (kind == SystemKind::Windows ? ".dll" : ".so");
    sources.programs = {programDir / ("kestrova" + suffix), programDir / ("kestrova-cli" + suffix),
                        programDir / module};
    return sources;
}

Catalog demoCatalog(const std::string &folder, const std::string &emulatorFileName,
                    const PlatformRules &rules)
{
    const auto roms = rules.join(folder, "roms");
    Catalog catalog;
    for (const auto &maker : demoManufacturers()) {
        auto &man = catalog.Man[++catalog.LastMan];
        man.Name = maker.name;
        man.LastPlat = -1;
        for (const auto &platform : maker.platforms) {
            auto &plat = man.Plat[++man.LastPlat];
            plat.Name = platform.name;
            plat.RomPath = rules.join(roms, platform.name) + rules.separator();
            plat.Emu[0] = {"Demo emulator", rules.join(folder, emulatorFileName)};
            // The same stand-in again, started the way a multi-system emulator wants.
            plat.Emu[1] = {"Demo emulator with arguments", plat.Emu[0].Path,
                           std::string("--machine \"") + platform.name
                               + "\" --cart={rom} --title \"{romname}\" --fullscreen"};
            plat.LastEmu = 1;
            plat.LastFav = -1;
            for (const auto &favourite : platform.favourites)
                plat.Fav[++plat.LastFav] = favourite;
        }
    }
    return catalog;
}

std::string demoExtensions(std::string_view shippedExt)
{
    std::string bytes;
    for (const char *ext : {".st8", ".cdk", ".n16"})
        (bytes += ext) += kCrLf;
    while (!shippedExt.empty()) {
        const auto end = shippedExt.find_first_of("\r\n");
        (bytes += shippedExt.substr(0, end)) += kCrLf;
        if (end == std::string_view::npos)
            break;
        const bool crLf = shippedExt.substr(end, 2) == kCrLf;
        shippedExt.remove_prefix(end + (crLf ? 2 : 1));
    }
    return bytes;
}

DemoOutcome makeDemoFolder(const fs::path &folder, const DemoSources &sources,
                           const PlatformRules &rules)
{
    std::error_code ec;
    if (!fs::exists(sources.emulator, ec))
        return {FileError{fromPath(sources.emulator), "the stand-in emulator is missing"}};
    fs::create_directories(folder, ec);
    if (ec)
        return {failure(folder, ec)};

    std::optional<FileError> error;
    for (const char *name : {"menus", "pages"}) {
        if (!error)
            error = copyFolder(sources.appFiles / name, folder / name);
    }
    const std::pair<fs::path, fs::path> samples[] = {
        {sources.samples / "roms", folder / "roms"},
        {sources.samples / "wikigameslists", folder / "wikigameslists"},
    };
    for (const auto &[from, to] : samples) {
        if (!error)
            error = copyFolder(from, to);
    }
    if (!error)
        error = copySchemes(sources.appFiles / "ColorSchemes", folder / "ColorSchemes");
    if (!error)
        error = writeExtensions(sources.appFiles / "Ext.txt", folder / "Ext.txt");
    if (!error)
        error = copyProgram(sources.emulator, folder);
    for (const auto &program : sources.programs) {
        if (!error && fs::exists(program, ec))
            error = copyProgram(program, folder);
    }
    if (error)
        return {error};

    const auto catalogFile = folder / "DATA.txt";
    if (fs::exists(catalogFile, ec))
        return {};
    const auto catalog =
        demoCatalog(folderText(folder), fromPath(sources.emulator.filename()), rules);
    return {writeFileAtomically(catalogFile, writeCatalog(catalog, rules.kind())), true};
}

} // namespace kestrova
