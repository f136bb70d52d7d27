#pragma once

namespace kestrova {

class Application;
struct PlatformRec;

/// The favourites of the selected platform: a press of any button but the left one adds the
/// selected ROM (on `Flist_L`) or removes the selected favourite (on `FavList_L`).
class Favourites
{
public:
    explicit Favourites(Application &app);

    void addSelectedRom();
    void removeSelectedFavourite();

private:
    /// The platform selected in the lists, or none.
    PlatformRec *selectedPlatform();

    Application &m_app;
};

} // namespace kestrova
