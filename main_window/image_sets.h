#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kestrova {

/// Is this entry of the `menus` folder offered as an image set? Its fourth character from the end
/// (the first one of a shorter name) must not be "."; so folders are taken and the default set's
/// own ".gif" files are not.
bool isImageSetEntry(const std::string &name);

/// The names of the image sets in `menus` (files and folders alike), in listing order; none when
/// the folder is missing.
std::vector<std::string> listImageSets(const std::filesystem::path &menus);

} // namespace kestrova
