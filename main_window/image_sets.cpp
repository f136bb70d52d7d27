#include "main_window/image_sets.h"

#include "platform/platform_rules.h"

#include <system_error>

namespace kestrova {

bool isImageSetEntry(const std::string &name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    const char tested = name.size() >= 4 ? name[name.size() - 4] : name.front();
    return tested != '.';
}

std::vector<std::string> listImageSets(const std::filesystem::path &menus)
{
    std::vector<std::string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(menus, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::string name = fromPath(it->path().filename());
        if (isImageSetEntry(name))
            names.push_back(std::move(name));
    }
    return names;
}

} // namespace kestrova
