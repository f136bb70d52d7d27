#pragma once

#include "core/feature.h"
#include "web/site_hosts.h"

#include <string>

namespace kestrova {

class Application;

/// The web pane's side of the program: the quick links, the forms two sites get filled in,
/// the address bar following the pane, the product's own pages and the version box.
class QuickLinks : public Feature
{
public:
    QuickLinks(Application &app, SiteHosts hosts);

    void startupStep(StartupStep step) override;
    /// "Wikipedia": the article of the selected reference title.
    void openArticle();

private:
    void installMenus();
    void followSelections();
    void search(const std::string &root, const std::string &path);
    void showProductPage(const std::string &address);
    void documentComplete();
    bool autoBrowse() const;

    Application &m_app;
    SiteHosts m_hosts;
    bool m_romSelectionRunning = false;
};

} // namespace kestrova
