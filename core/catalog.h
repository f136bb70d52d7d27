#pragma once

#include "core/slot_array.h"

#include <cstdint>
#include <string>

namespace kestrova {

constexpr int kManufacturerSlots = 51;
constexpr int kPlatformSlots = 51;
constexpr int kEmulatorSlots = 51;
constexpr int kFavouriteSlots = 201;

struct EmulatorRec
{
    std::string Name;
    std::string Path;
    /// The argument template of its command line; empty: the ROM's path alone. Records
    /// made of a name and a path leave it empty.
    std::string Args{};
};

struct PlatformRec
{
    std::string Name;
    std::string RomPath;
    SlotArray<EmulatorRec, kEmulatorSlots> Emu;
    SlotArray<std::string, kFavouriteSlots> Fav;
    std::int16_t LastEmu = 0;
    std::int16_t LastFav = 0;
};

struct ManufacturerRec
{
    std::string Name;
    std::int16_t LastPlat = 0;
    SlotArray<PlatformRec, kPlatformSlots> Plat;
};

/// The user's catalog: 51 manufacturer slots and the highest one in use.
struct Catalog
{
    SlotArray<ManufacturerRec, kManufacturerSlots> Man;
    std::int16_t LastMan = -1;
};

} // namespace kestrova
