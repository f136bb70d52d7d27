#pragma once

#include "fakes/app_fixture.h"

#include <string>

namespace kestrova::testing {

/// The head of a GIF whose logical screen is w by h pixels: all the program reads.
inline std::string gifHeader(int w, int h)
{
    std::string bytes = "GIF89a";
    for (int v : {w, h}) {
        bytes += char(v & 0xFF);
        bytes += char((v >> 8) & 0xFF);
    }
    return bytes + std::string("\0\0\0;", 4);
}

/// Every picture of an image set in `folder` ("menus" or "menus/<set>"), buttons w by h pixels.
inline void writeImageSet(const AppFixture &f, const std::string &folder, int w, int h)
{
    for (const char *stem : {"back", "refresh", "next", "colors", "save"}) {
        for (int s = 1; s <= 3; ++s)
            f.writeAppFile(folder + "/" + stem + std::to_string(s) + ".gif", gifHeader(w, h));
    }
    for (const char *name : {"settings.gif", "settings2.gif", "settings3.gif"})
        f.writeAppFile(folder + "/" + name, gifHeader(w, h));
    for (const char *name : {"bar.gif", "add.gif", "Remove.gif", "remove.gif", "edit.gif"})
        f.writeAppFile(folder + "/" + name, gifHeader(10, 10));
    f.writeAppFile(folder + "/logo.gif", gifHeader(160, 80));
}

} // namespace kestrova::testing
