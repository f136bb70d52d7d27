#pragma once

#include "fakes/app_fixture.h"

#include <string>
#include <vector>

namespace kestrova::testing {

/// Manufacturers by name, each with its platforms' names.
using Makers = std::vector<std::pair<std::string, std::vector<std::string>>>;

/// DATA.txt with manufacturers, each with named platforms; every platform gets the emulators
/// named in `emulators` (paths "<name>.exe").
std::string catalogText(const Makers &makers, const std::vector<std::string> &emulators = {});

/// Clicks manufacturer m, platform p and emulator e (each skipped when -1).
void selectEmulator(Application &app, int m, int p, int e);

/// The messages the fake dialogs showed, as text only.
std::vector<std::string> messageTexts(const FakeDialogs &dialogs);

} // namespace kestrova::testing
