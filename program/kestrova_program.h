#pragma once

#include "core/application.h"
#include "web/site_hosts.h"

#include <filesystem>
#include <memory>

namespace kestrova {

/// The whole program: an application object with every feature installed, in the order their
/// handlers and start-up steps run. Tests pass fake services and local hosts.
std::unique_ptr<Application> makeKestrova(std::filesystem::path appDir, Services services,
                                          PlatformRules rules = PlatformRules::native(),
                                          SiteHosts hosts = {});
/// The same, with the user's files where `files` puts them.
std::unique_ptr<Application> makeKestrova(FileLayout files, Services services,
                                          PlatformRules rules = PlatformRules::native(),
                                          SiteHosts hosts = {});

} // namespace kestrova
