#include "roms/rom_list.h"

#include "core/application.h"
#include "platform/list_box.h"
#include "platform/task_runner.h"
#include "platform/text_box.h"
#include "reference/reference_list.h"
#include "reference/wiki_search.h"
#include "platform/case_fold.h"
#include "roms/rom_listing.h"

namespace kestrova {

namespace {

// Read and imported in a few tens of milliseconds even as HTML; larger pages (real ones hold
// 0.5 to 3 MB) would hold the window up for a noticeable time.
constexpr std::uintmax_t kReadHereUpTo = std::uintmax_t(256) << 10;

} // namespace

RomList::RomList(Application &app) : m_app(app)
{
    m_app.listBox("plat_list_L").onClick = [this] { platformSelected(); };
    m_app.textBox("Text1_I").onChange = [this] { search(); };
    m_app.setRomSource(this);
}

RomList::~RomList()
{
    m_app.setRomSource(nullptr);
}

std::vector<std::string> RomList::romFiles(const std::string &folderText,
                                           const std::string &entry) const
{
    return listRomFiles(folderText, entry, m_app.rules(), &m_folders);
}

void RomList::readAhead(const std::vector<std::string> &folderTexts) const
{
    std::vector<std::filesystem::path> folders;
    for (const auto &text : folderTexts) {
        if (auto folder = romFolderOf(text, m_app.rules()))
            folders.push_back(std::move(*folder));
    }
    m_folders.readAhead(std::move(folders), m_app.rules());
}

void RomList::platformSelected()
{
    auto &platforms = m_app.listBox("plat_list_L");
    platforms.setToolTip(platforms.text());
    const int p = platforms.listIndex();
    if (p != -1) {
        m_app.listBox("Flist_L").clear();
        m_app.UpdatE("P_change", p);
        loadReferenceList(platforms.text());
        m_app.UpdatE("Ext_change", 0);
        showCounts();
    }
    m_app.ShowStatus();
}

void RomList::loadReferenceList(const std::string &platformName)
{
    m_app.listBox("avail_L").clear();
    m_app.feature<ReferenceList>().setWikiTable(std::nullopt);
    m_wantedPage = platformName;
    const auto page = wikiListPath(m_app.files().dataFolder(), platformName);
    std::error_code ec;
    const auto size = std::filesystem::file_size(page, ec);
    // A page of the usual size is read here, so that the click's lists and counts reach the
    // screen together; a larger one would hold the window up.
    if (ec || size <= kReadHereUpTo) {
        showReferenceList(loadListPage(page, platformName));
        return;
    }
    if (!m_readingAway)
        readPageAway(platformName);
}

void RomList::readPageAway(const std::string &platformName)
{
    m_readingAway = true;
    const auto page = wikiListPath(m_app.files().dataFolder(), platformName);
    std::weak_ptr<RomList *> self = m_self;
    m_app.tasks().run([self, page, platformName]() -> TaskRunner::Finish {
        auto load = std::make_shared<ListPageLoad>(loadListPage(page, platformName));
        return [self, load, platformName] {
            if (auto list = self.lock())
                (*list)->pageArrived(std::move(*load), platformName);
        };
    });
}

// One page is read away at a time, so memory holds one page; clicks meanwhile only change which
// page is wanted, and a page nobody wants any more is dropped.
void RomList::pageArrived(ListPageLoad load, const std::string &platformName)
{
    m_readingAway = false;
    const auto &platforms = m_app.listBox("plat_list_L");
    const bool stillSelected = platforms.listIndex() != -1 && platforms.text() == platformName;
    if (platformName != m_wantedPage || !stillSelected) {
        if (!m_wantedPage.empty() && m_wantedPage != platformName)
            readPageAway(m_wantedPage);
        return;
    }
    showReferenceList(std::move(load));
    showCounts();
}

void RomList::showReferenceList(ListPageLoad load)
{
    m_wantedPage.clear();
    if (!load.tooLarge.empty())
        m_app.control("m_M").setCaption(load.tooLarge);
    if (!load.import)
        return;
    std::vector<std::string> shown;
    shown.reserve(load.import->availItems.size());
    for (const auto &raw : load.import->availItems)
        shown.push_back(displayTitle(raw));
    m_app.listBox("avail_L").addItems(std::move(shown));
    m_app.feature<ReferenceList>().setWikiTable(std::move(load.import->table));
}

void RomList::showCounts()
{
    auto &romCount = m_app.control("romc_T");
    auto &titleCount = m_app.control("wikic_T");
    romCount.setCaption(std::to_string(m_app.listBox("Flist_L").count()));
    const auto &titles = m_app.listBox("avail_L");
    titleCount.setCaption(std::to_string(titles.count()));
    // Each count sits against the right edge of what it counts.
    romCount.setLeft(m_app.control("ext1_C").left() - romCount.width());
    titleCount.setLeft(titles.left() + titles.width() - titleCount.width());
}

void RomList::search()
{
    auto &roms = m_app.listBox("Flist_L");
    if (roms.count() == 0)
        return;
    const std::string &typed = m_app.textBox("Text1_I").text();
    if (typed.empty()) {
        roms.setListIndex(0);
        return;
    }
    for (int k = 0; k < roms.count(); ++k) {
        if (startsWithIgnoringCase(roms.item(k), typed)) {
            roms.setListIndex(k);
            return;
        }
    }
}

} // namespace kestrova
