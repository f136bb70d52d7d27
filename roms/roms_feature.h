#pragma once

#include "core/feature.h"
#include "roms/favourites.h"
#include "roms/launcher.h"
#include "roms/rom_list.h"

namespace kestrova {

class Application;

/// ROM browsing, launching and favourites.
class RomsFeature : public Feature
{
public:
    explicit RomsFeature(Application &app) : m_list(app), m_launcher(app), m_favourites(app) {}

private:
    RomList m_list;
    Launcher m_launcher;
    Favourites m_favourites;
};

} // namespace kestrova
