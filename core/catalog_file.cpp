#include "core/catalog_file.h"

#include "platform/text_codec.h"

namespace kestrova {

namespace {

enum class Key { Manufacturer, Platform, RomPath, Emu, EmuPath, EmuArgs, Fav, Unknown };

Key keyOf(std::string_view key)
{
    if (key == "Manufacturer")
        return Key::Manufacturer;
    if (key == "Platform")
        return Key::Platform;
    if (key == "RomPath")
        return Key::RomPath;
    if (key == "Emu")
        return Key::Emu;
    if (key == "EmuPath")
        return Key::EmuPath;
    if (key == "EmuArgs")
        return Key::EmuArgs;
    if (key == "Fav")
        return Key::Fav;
    return Key::Unknown;
}

// A template names files too, so its bytes are kept as the paths' are.
bool isPathKey(Key key)
{
    return key == Key::RomPath || key == Key::EmuPath || key == Key::EmuArgs || key == Key::Fav;
}

std::string decodeValue(std::string_view value, Key key, SystemKind kind)
{
    if (isValidUtf8(value) || (isPathKey(key) && kind == SystemKind::Posix))
        return std::string(value);
    return cp1252ToUtf8(value);
}

// Reads record lines in order. Records that do not fit the table or have no name, and the lines
// that belong to them, are skipped and counted, so that a list position is always its slot.
class CatalogReader
{
public:
    explicit CatalogReader(SystemKind kind) : m_kind(kind) {}
    void readLine(std::string_view line);
    CatalogLoad finish();

private:
    void closeManufacturer();
    void closePlatform();
    void manufacturer(std::string &&value);
    void platform(std::string &&value);
    void romPath(std::string &&value);
    void emulator(std::string &&value);
    void emulatorPath(std::string &&value);
    void emulatorArgs(std::string &&value);
    void favourite(std::string &&value);
    void skip() { ++m_load.skippedLines; }
    PlatformRec &currentPlatform() { return m_load.catalog.Man[m_load.catalog.LastMan].Plat[m_p]; }

    SystemKind m_kind;
    CatalogLoad m_load;
    int m_p = -1;
    int m_e = -1;
    int m_f = -1;
    bool m_skippingManufacturer = false;
    bool m_skippingPlatform = false;
    bool m_skippingEmulator = false;
};

void CatalogReader::readLine(std::string_view line)
{
    if (line.empty())
        return;
    const auto bracket = line.find(']');
    if (bracket == std::string::npos || bracket == 0) {
        skip();
        return;
    }
    const Key key = keyOf(line.substr(1, bracket - 1));
    std::string value = decodeValue(line.substr(bracket + 1), key, m_kind);
    // A key of no known name (a hand-edited "[manufacturer]") is lost by the next save, so it
    // counts; an empty favourite holds nothing to lose.
    if (key == Key::Unknown) {
        skip();
        return;
    }
    if (key == Key::Fav && value.empty())
        return;
    if (key == Key::Manufacturer) {
        manufacturer(std::move(value));
        return;
    }
    if (m_skippingManufacturer) {
        skip();
        return;
    }
    switch (key) {
    case Key::Platform: platform(std::move(value)); break;
    case Key::RomPath: romPath(std::move(value)); break;
    case Key::Emu: emulator(std::move(value)); break;
    case Key::EmuPath: emulatorPath(std::move(value)); break;
    case Key::EmuArgs: emulatorArgs(std::move(value)); break;
    case Key::Fav: favourite(std::move(value)); break;
    default: break;
    }
}

void CatalogReader::closeManufacturer()
{
    auto &catalog = m_load.catalog;
    if (catalog.LastMan == -1 || m_skippingManufacturer)
        return;
    catalog.Man[catalog.LastMan].LastPlat = std::int16_t(m_p);
    if (m_p != -1)
        closePlatform();
}

void CatalogReader::closePlatform()
{
    currentPlatform().LastEmu = std::int16_t(m_e);
    currentPlatform().LastFav = std::int16_t(m_f);
}

void CatalogReader::manufacturer(std::string &&value)
{
    auto &catalog = m_load.catalog;
    if (m_skippingManufacturer || catalog.LastMan + 1 >= kManufacturerSlots) {
        // The last manufacturer that fits must be closed before its slot is left for good.
        closeManufacturer();
        m_skippingManufacturer = true;
        skip();
        return;
    }
    closeManufacturer();
    m_p = -1;
    m_skippingPlatform = false;
    m_skippingEmulator = false;
    ++catalog.LastMan;
    catalog.Man[catalog.LastMan].Name = std::move(value);
}

void CatalogReader::platform(std::string &&value)
{
    if (m_load.catalog.LastMan == -1 || m_p + 1 >= kPlatformSlots || value.empty()) {
        m_skippingPlatform = true;
        skip();
        return;
    }
    if (m_p != -1)
        closePlatform();
    m_f = -1;
    m_e = -1;
    ++m_p;
    m_skippingPlatform = false;
    m_skippingEmulator = false;
    currentPlatform().Name = std::move(value);
}

void CatalogReader::romPath(std::string &&value)
{
    if (m_skippingPlatform || m_p == -1) {
        skip();
        return;
    }
    currentPlatform().RomPath = std::move(value);
}

void CatalogReader::emulator(std::string &&value)
{
    if (m_skippingPlatform || m_p == -1 || m_e + 1 >= kEmulatorSlots || value.empty()) {
        m_skippingEmulator = true;
        skip();
        return;
    }
    ++m_e;
    m_skippingEmulator = false;
    currentPlatform().Emu[m_e].Name = std::move(value);
}

void CatalogReader::emulatorPath(std::string &&value)
{
    if (m_skippingPlatform || m_skippingEmulator || m_p == -1 || m_e == -1) {
        skip();
        return;
    }
    currentPlatform().Emu[m_e].Path = std::move(value);
}

void CatalogReader::emulatorArgs(std::string &&value)
{
    if (m_skippingPlatform || m_skippingEmulator || m_p == -1 || m_e == -1) {
        skip();
        return;
    }
    currentPlatform().Emu[m_e].Args = std::move(value);
}

void CatalogReader::favourite(std::string &&value)
{
    if (m_skippingPlatform || m_p == -1 || m_f + 1 >= kFavouriteSlots) {
        skip();
        return;
    }
    ++m_f;
    currentPlatform().Fav[m_f] = std::move(value);
}

CatalogLoad CatalogReader::finish()
{
    closeManufacturer();
    return std::move(m_load);
}

// Writes each value as reading will give it back, so that saving a loaded file changes nothing.
class CatalogWriter
{
public:
    explicit CatalogWriter(SystemKind kind) : m_kind(kind) {}
    void manufacturer(const ManufacturerRec &manufacturer);
    std::string finish() { return std::move(m_out); }

private:
    void platform(const PlatformRec &platform);
    /// The name as it is written: its first line, in UTF-8. Empty names are not written.
    std::string_view name(const std::string &value);
    void path(std::string_view key, const std::string &value);
    void line(std::string_view key, std::string_view value)
    {
        m_out.append(key).append(value).append("\r\n");
    }

    SystemKind m_kind;
    std::string m_out;
    std::string m_decoded;
};

std::string_view CatalogWriter::name(const std::string &value)
{
    if (isValidUtf8(value))
        return firstLine(value);
    m_decoded = cp1252ToUtf8(value);
    return firstLine(m_decoded);
}

void CatalogWriter::manufacturer(const ManufacturerRec &manufacturer)
{
    const std::string_view manufacturerName = name(manufacturer.Name);
    if (manufacturerName.empty())
        return;
    line("[Manufacturer]", manufacturerName);
    m_out.append("\r\n\r\n");
    for (int j = 0; j <= std::min<int>(manufacturer.LastPlat, kPlatformSlots - 1); ++j)
        platform(manufacturer.Plat[j]);
    m_out.append("\r\n");
}

// A platform without a name is left out whole: its lines would land under the previous one.
void CatalogWriter::platform(const PlatformRec &platform)
{
    const std::string_view platformName = name(platform.Name);
    if (platformName.empty())
        return;
    line("[Platform]", platformName);
    path("[RomPath]", platform.RomPath);
    for (int k = 0; k <= std::min<int>(platform.LastEmu, kEmulatorSlots - 1); ++k) {
        const std::string_view emulatorName = name(platform.Emu[k].Name);
        if (emulatorName.empty())
            continue;
        line("[Emu]", emulatorName);
        path("[EmuPath]", platform.Emu[k].Path);
        path("[EmuArgs]", platform.Emu[k].Args);
    }
    for (int k = 0; k <= std::min<int>(platform.LastFav, kFavouriteSlots - 1); ++k)
        path("[Fav]", platform.Fav[k]);
}

// A path cut at a line break would name another file, so such a path is not written at all.
void CatalogWriter::path(std::string_view key, const std::string &value)
{
    if (value.empty() || hasLineBreak(value))
        return;
    if (m_kind == SystemKind::Posix || isValidUtf8(value))
        line(key, value);
    else
        line(key, cp1252ToUtf8(value));
}

} // namespace

CatalogLoad parseCatalog(std::string_view bytes, SystemKind kind)
{
    CatalogReader reader(kind);
    forEachLine(programFileText(bytes), [&reader](std::string_view line) {
        reader.readLine(line);
    });
    return reader.finish();
}

std::string writeCatalog(const Catalog &catalog, SystemKind kind)
{
    CatalogWriter writer(kind);
    for (int i = 0; i < kManufacturerSlots; ++i)
        writer.manufacturer(catalog.Man[i]);
    return writer.finish();
}

} // namespace kestrova
