#include "core/catalog_file.h"

#include "platform/text_codec.h"

namespace kestrova {

namespace {

enum class Key { Manufacturer, Platform, RomPath, Emu, EmuPath, Fav, Unknown };

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
    if (key == "Fav")
        return Key::Fav;
    return Key::Unknown;
}

// Reads record lines in order. Records that do not fit the table, and the lines that belong to
// them, are skipped and counted instead of being written past a slot.
class CatalogReader
{
public:
    void readLine(const std::string &line);
    CatalogLoad finish();

private:
    void closeManufacturer();
    void closePlatform();
    void manufacturer(const std::string &value);
    void platform(const std::string &value);
    void romPath(const std::string &value);
    void emulator(const std::string &value);
    void emulatorPath(const std::string &value);
    void favourite(const std::string &value);
    void skip() { ++m_load.skippedLines; }
    PlatformRec &currentPlatform() { return m_load.catalog.Man[m_load.catalog.LastMan].Plat[m_p]; }

    CatalogLoad m_load;
    int m_p = -1;
    int m_e = -1;
    int m_f = -1;
    bool m_skippingManufacturer = false;
    bool m_skippingPlatform = false;
    bool m_skippingEmulator = false;
};

void CatalogReader::readLine(const std::string &line)
{
    if (line.empty())
        return;
    const auto bracket = line.find(']');
    if (bracket == std::string::npos || bracket == 0) {
        skip();
        return;
    }
    const std::string value = line.substr(bracket + 1);
    const Key key = keyOf(std::string_view(line).substr(1, bracket - 1));
    if (key == Key::Unknown || (key == Key::Fav && value.empty()))
        return;
    if (key == Key::Manufacturer) {
        manufacturer(value);
        return;
    }
    if (m_skippingManufacturer) {
        skip();
        return;
    }
    switch (key) {
    case Key::Platform: platform(value); break;
    case Key::RomPath: romPath(value); break;
    case Key::Emu: emulator(value); break;
    case Key::EmuPath: emulatorPath(value); break;
    case Key::Fav: favourite(value); break;
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

void CatalogReader::manufacturer(const std::string &value)
{
    auto &catalog = m_load.catalog;
    if (m_skippingManufacturer || catalog.LastMan + 1 >= kManufacturerSlots) {
        m_skippingManufacturer = true;
        skip();
        return;
    }
    closeManufacturer();
    m_p = -1;
    m_skippingPlatform = false;
    m_skippingEmulator = false;
    ++catalog.LastMan;
    catalog.Man[catalog.LastMan].Name = value;
}

void CatalogReader::platform(const std::string &value)
{
    if (m_load.catalog.LastMan == -1 || m_p + 1 >= kPlatformSlots) {
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
    currentPlatform().Name = value;
}

void CatalogReader::romPath(const std::string &value)
{
    if (m_skippingPlatform || m_p == -1) {
        skip();
        return;
    }
    currentPlatform().RomPath = value;
}

void CatalogReader::emulator(const std::string &value)
{
    if (m_skippingPlatform || m_p == -1 || m_e + 1 >= kEmulatorSlots) {
        m_skippingEmulator = true;
        skip();
        return;
    }
    ++m_e;
    m_skippingEmulator = false;
    currentPlatform().Emu[m_e].Name = value;
}

void CatalogReader::emulatorPath(const std::string &value)
{
    if (m_skippingPlatform || m_skippingEmulator || m_p == -1 || m_e == -1) {
        skip();
        return;
    }
    currentPlatform().Emu[m_e].Path = value;
}

void CatalogReader::favourite(const std::string &value)
{
    if (m_skippingPlatform || m_p == -1 || m_f + 1 >= kFavouriteSlots) {
        skip();
        return;
    }
    ++m_f;
    currentPlatform().Fav[m_f] = value;
}

CatalogLoad CatalogReader::finish()
{
    closeManufacturer();
    return std::move(m_load);
}

void writePlatform(const PlatformRec &platform, std::vector<std::string> &lines)
{
    if (!platform.Name.empty())
        lines.push_back("[Platform]" + platform.Name);
    if (!platform.RomPath.empty())
        lines.push_back("[RomPath]" + platform.RomPath);
    for (int k = 0; k <= std::min<int>(platform.LastEmu, kEmulatorSlots - 1); ++k) {
        const auto &emulator = platform.Emu[k];
        if (emulator.Name.empty())
            continue;
        lines.push_back("[Emu]" + emulator.Name);
        if (!emulator.Path.empty())
            lines.push_back("[EmuPath]" + emulator.Path);
    }
    for (int k = 0; k <= std::min<int>(platform.LastFav, kFavouriteSlots - 1); ++k) {
        if (!platform.Fav[k].empty())
            lines.push_back("[Fav]" + platform.Fav[k]);
    }
}

} // namespace

CatalogLoad parseCatalog(std::string_view text)
{
    CatalogReader reader;
    for (const auto &line : splitLines(text))
        reader.readLine(line);
    return reader.finish();
}

std::string writeCatalog(const Catalog &catalog)
{
    std::vector<std::string> lines;
    for (int i = 0; i < kManufacturerSlots; ++i) {
        const auto &manufacturer = catalog.Man[i];
        if (manufacturer.Name.empty())
            continue;
        lines.push_back("[Manufacturer]" + manufacturer.Name);
        lines.emplace_back();
        lines.emplace_back();
        for (int j = 0; j <= std::min<int>(manufacturer.LastPlat, kPlatformSlots - 1); ++j)
            writePlatform(manufacturer.Plat[j], lines);
        lines.emplace_back();
    }
    return joinLinesCrLf(lines);
}

} // namespace kestrova
