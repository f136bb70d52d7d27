#pragma once

#include "core/application.h"
#include "core/file_layout.h"
#include "fakes/fake_services.h"

#include <memory>
#include <string>

namespace kestrova::testing {

/// The whole program started with fake services on the files a layout names: a second window
/// on one catalog, or one run of an installed program.
struct FakeProgram
{
    explicit FakeProgram(FileLayout files, PlatformRules rules = PlatformRules::native());

    FakeDialogs dialogs;
    FakeShell shell;
    FakeWebPane web;
    FakeTaskRunner tasks;
    std::unique_ptr<Application> app;
};

/// Appends a manufacturer with no platform to the catalog shown.
void addManufacturer(Application &app, const std::string &name);

} // namespace kestrova::testing
