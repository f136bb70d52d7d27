#pragma once

#include "core/rom_source.h"
#include "platform/folder_listing_cache.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace kestrova {

class Application;
struct ListPageLoad;

/// The ROM column: what a click on a platform sets going (emulators, favourites, reference
/// list, ROM files, counts, status bar) and the search box over the ROM files.
class RomList : public RomSource
{
public:
    explicit RomList(Application &app);
    ~RomList() override;

    std::vector<std::string> romFiles(const std::string &folderText,
                                      const std::string &entry) const override;
    void readAhead(const std::vector<std::string> &folderTexts) const override;

    /// The click on `plat_list_L`.
    void platformSelected();
    /// A change of `Text1_I`: selects the first ROM whose name begins with the text.
    void search();

private:
    void loadReferenceList(const std::string &platformName);
    void readPageAway(const std::string &platformName);
    void pageArrived(ListPageLoad load, const std::string &platformName);
    void showReferenceList(ListPageLoad load);
    void showCounts();

    Application &m_app;
    mutable FolderListingCache m_folders;
    /// The platform whose list page is wanted now; the page being read away may be another's.
    std::string m_wantedPage;
    bool m_readingAway = false;
    /// Finishes of work still on its way hold a weak copy: none runs once this list is gone.
    std::shared_ptr<RomList *> m_self = std::make_shared<RomList *>(this);
};

} // namespace kestrova
