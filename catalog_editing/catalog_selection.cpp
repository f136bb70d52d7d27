#include "catalog_editing/catalog_selection.h"

#include "core/application.h"
#include "platform/list_box.h"

namespace kestrova {

CatalogSelection CatalogSelection::of(Application &app)
{
    return {app.listBox("manu_L").listIndex(), app.listBox("plat_list_L").listIndex(),
            app.listBox("Emu_L").listIndex()};
}

bool CatalogSelection::hasManufacturer() const
{
    return m >= 0 && m < kManufacturerSlots;
}

bool CatalogSelection::hasPlatform() const
{
    return hasManufacturer() && p >= 0 && p < kPlatformSlots;
}

bool CatalogSelection::hasEmulator() const
{
    return hasPlatform() && e >= 0 && e < kEmulatorSlots;
}

} // namespace kestrova
