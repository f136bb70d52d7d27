#pragma once

#include <string>

namespace kestrova {

/// The hosts of the sites the web pane reaches. The program uses the defaults; tests point them
/// at a local server.
struct SiteHosts
{
    std::string encyclopedia = "en.wikipedia.org";
    std::string faq = "www.gamefaqs.com";
    std::string database = "www.mobygames.com";
    std::string ranking = "www.gamerankings.com";
    std::string manuals = "www.replacementdocs.com";
    std::string product = "kestrova";

    std::string encyclopediaRoot() const { return "http://" + encyclopedia; }
};

} // namespace kestrova
