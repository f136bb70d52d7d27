#pragma once

#include "platform/qt/desktop_host.h"
#include "program/kestrova_program.h"

#include <filesystem>
#include <memory>

namespace kestrova {

/// The whole program on a desktop, on the application folder `appDir`, with the web-engine
/// module the build placed beside the programs.
inline std::unique_ptr<DesktopHost> makeProgramHost(const std::filesystem::path &appDir,
                                                    SiteHosts hosts = {})
{
    const std::string product = hosts.product;
    return std::make_unique<DesktopHost>(appDir, product, [=](Services services) {
        return makeKestrova(appDir, services, PlatformRules::native(), hosts);
    }, std::filesystem::path(KESTROVA_APP_DIR));
}

} // namespace kestrova
