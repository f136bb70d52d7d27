#pragma once

#include "core/application.h"
#include "fakes/fake_services.h"
#include "fakes/temp_dir.h"
#include "web/site_hosts.h"

#include <memory>
#include <string>

namespace kestrova::testing {

/// An application on a fresh temporary application folder with fake services.
class AppFixture
{
public:
    explicit AppFixture(SystemKind kind = PlatformRules::native().kind(), SiteHosts hosts = {});

    /// Writes a file of the application folder (relative path with '/').
    void writeAppFile(const std::string &relative, const std::string &bytes) const;
    std::string readAppFile(const std::string &relative) const;
    /// Creates the application object (after the files are in place) and starts it.
    Application &start();

    Application &app() { return *m_app; }

    TempDir dir;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeWebPane web;
    FakeTaskRunner tasks;

private:
    SystemKind m_kind;
    SiteHosts m_hosts;
    std::unique_ptr<Application> m_app;
};

} // namespace kestrova::testing
