#pragma once

#include <string>
#include <vector>

namespace kestrova {

/// Where the cascade's "Ext_change" step gets the ROM files of a folder; the ROM feature
/// provides it, so the core needs no knowledge of how folders are listed.
class RomSource
{
public:
    virtual ~RomSource() = default;
    /// The names the ROM list shows for this folder text and extension entry, in order.
    virtual std::vector<std::string> romFiles(const std::string &folderText,
                                              const std::string &entry) const = 0;
    /// Folder texts the user is likely to list next; a source may start reading them ahead.
    virtual void readAhead(const std::vector<std::string> &folderTexts) const
    {
        (void)folderTexts;
    }
};

} // namespace kestrova
