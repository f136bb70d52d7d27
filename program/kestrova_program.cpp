#include "program/kestrova_program.h"

#include "catalog_editing/catalog_editing.h"
#include "main_window/main_layout.h"
#include "main_window/navigation_bar.h"
#include "reference/chooser_window.h"
#include "reference/reference_list.h"
#include "reference/reference_panes.h"
#include "roms/roms_feature.h"
#include "schemes/color_schemes.h"
#include "schemes/scheme_editor.h"
#include "web/quick_links.h"

namespace kestrova {

std::unique_ptr<Application> makeKestrova(std::filesystem::path appDir, Services services,
                                          PlatformRules rules, SiteHosts hosts)
{
    return makeKestrova(FileLayout::portable(std::move(appDir)), services, rules,
                        std::move(hosts));
}

std::unique_ptr<Application> makeKestrova(FileLayout files, Services services,
                                          PlatformRules rules, SiteHosts hosts)
{
    auto app = std::make_unique<Application>(std::move(files), services, rules);
    Application &a = *app;
    a.addFeature(std::make_unique<ReferenceList>());
    a.addFeature(std::make_unique<RomsFeature>(a));
    a.addFeature(std::make_unique<CatalogEditing>(a));
    a.addFeature(std::make_unique<ChooserWindow>(a));
    a.addFeature(std::make_unique<MainLayout>(a));
    a.addFeature(std::make_unique<NavigationBar>(a));
    a.addFeature(std::make_unique<ColorSchemes>(a));
    a.addFeature(std::make_unique<SchemeEditor>(a));
    a.addFeature(std::make_unique<ReferencePanes>(a, hosts.encyclopediaRoot()));
    a.addFeature(std::make_unique<QuickLinks>(a, std::move(hosts)));
    return app;
}

} // namespace kestrova
