#pragma once

#include "fakes/app_fixture.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kestrova::testing {

/// One platform of a test catalog.
struct TestPlatform
{
    std::string name;
    std::string romPath;
    std::vector<std::pair<std::string, std::string>> emulators; ///< name, path
    std::vector<std::string> favourites;
};

/// DATA.txt lines for one manufacturer and its platforms.
std::string manufacturerLines(const std::string &name, const std::vector<TestPlatform> &platforms);

/// The folder as the program keeps it: native text ending with the native separator.
std::string folderText(const std::filesystem::path &folder);

/// Makes a file executable by its owner (or not).
void setExecutable(const std::filesystem::path &file, bool executable);

/// Selects manufacturer m and platform p as a user's clicks would.
void selectPlatform(Application &app, int m, int p);

/// The position of an entry in a list, or -1.
int positionOf(const ListBox &list, const std::string &text);

} // namespace kestrova::testing
