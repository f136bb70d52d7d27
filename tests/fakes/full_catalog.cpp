#include "fakes/full_catalog.h"

#include <string>

namespace kestrova::testing {

namespace {

std::string number(int n)
{
    return std::to_string(n);
}

PlatformRec fullPlatform(int m, int p)
{
    PlatformRec platform;
    const std::string id = number(m) + "." + number(p);
    platform.Name = "Console " + id;
    platform.RomPath = "/home/player/roms/Maker " + number(m) + "/Console " + number(p) + "/";
    for (int e = 0; e < kFullEmulators; ++e) {
        platform.Emu[e].Name = "Emulator " + number(e) + " for " + id;
        platform.Emu[e].Path = "/opt/emulators/emu" + number(e) + "/bin/emulator-" + id;
    }
    for (int f = 0; f < kFullFavourites; ++f)
        platform.Fav[f] = "Favourite Game " + number(f) + " (Europe) (Rev 1) [!].rom";
    platform.LastEmu = kFullEmulators - 1;
    platform.LastFav = kFullFavourites - 1;
    return platform;
}

} // namespace

Catalog fullCatalog()
{
    Catalog catalog;
    for (int m = 0; m < kFullManufacturers; ++m) {
        ManufacturerRec &maker = catalog.Man[m];
        maker.Name = "Maker " + number(m);
        for (int p = 0; p < kFullPlatforms; ++p)
            maker.Plat[p] = fullPlatform(m, p);
        maker.LastPlat = kFullPlatforms - 1;
    }
    catalog.LastMan = kFullManufacturers - 1;
    return catalog;
}

} // namespace kestrova::testing
