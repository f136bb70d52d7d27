#pragma once

#include "core/catalog.h"

namespace kestrova::testing {

constexpr int kFullManufacturers = 51;
constexpr int kFullPlatforms = 50;
constexpr int kFullEmulators = 51;
constexpr int kFullFavourites = 200;

/// A catalog as full as a user can make it: 51 manufacturers of 50 platforms, each platform with
/// 51 emulators and 200 favourites, every name and path distinct.
Catalog fullCatalog();

} // namespace kestrova::testing
