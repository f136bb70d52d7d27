#pragma once

namespace kestrova {

class Application;

/// The positions selected in `manu_L`, `plat_list_L` and `Emu_L`, which are catalog slots.
struct CatalogSelection
{
    int m = -1;
    int p = -1;
    int e = -1;

    [[nodiscard]] static CatalogSelection of(Application &app);
    /// A manufacturer slot is selected.
    [[nodiscard]] bool hasManufacturer() const;
    /// A manufacturer and one of its platform slots are selected.
    [[nodiscard]] bool hasPlatform() const;
    /// A manufacturer, a platform and one of its emulator slots are selected.
    [[nodiscard]] bool hasEmulator() const;
};

} // namespace kestrova
