#include "web/quick_links.h"

#include "core/application.h"
#include "platform/dialogs.h"
#include "platform/list_box.h"
#include "platform/text_box.h"
#include "platform/web_pane.h"
#include "platform/widgets.h"
#include "reference/match_outcome.h"
#include "reference/reference_list.h"
#include "web/search_text.h"

namespace kestrova {

namespace {

std::string http(const std::string &host)
{
    return "http://" + host;
}

} // namespace

QuickLinks::QuickLinks(Application &app, SiteHosts hosts)
    : m_app(app), m_hosts(std::move(hosts))
{
    installMenus();
    followSelections();
    m_app.web().onNavigationComplete = [this] {
        m_app.textBox("matches_L").setText(m_app.web().currentAddress());
    };
    m_app.web().onDocumentComplete = [this] { documentComplete(); };
    m_app.control("Image1").onClick = [this] { showProductPage(m_hosts.product); };
}

void QuickLinks::installMenus()
{
    auto &menus = m_app.form1().menuBar();
    menus.find("M_wiki")->onClick = [this] { openArticle(); };
    menus.find("M_ql_gf")->onClick = [this] {
        search(http(m_hosts.faq), "/search/index.html?game=");
    };
    menus.find("M_moby")->onClick = [this] {
        search(http(m_hosts.database), "/search/quick?q=");
    };
    menus.find("M_Gr")->onClick = [this] { m_app.web().navigate(m_hosts.ranking); };
    menus.find("M_Rep_docs")->onClick = [this] {
        m_app.web().navigate(http(m_hosts.manuals) + "/news.php");
    };
    menus.find("M_help_about")->onClick = [this] { showProductPage(m_hosts.product); };
    menus.find("Check_updates")->onClick = [this] {
        showProductPage(m_hosts.product + "/102.html");
    };
    menus.find("about")->onClick = [this] {
        m_app.dialogs().messageBox("Kestrova 1.02", MessageButtons::Ok, MessageIcon::None,
                                   "Version");
    };
}

void QuickLinks::followSelections()
{
    // AutoBrowse: the pane follows the selected title, after the selection's own handling.
    auto &titles = m_app.listBox("avail_L");
    titles.onClick = [this, previous = titles.onClick] {
        if (previous)
            previous();
        if (autoBrowse() && !m_romSelectionRunning)
            openArticle();
    };
    auto &roms = m_app.listBox("Flist_L");
    roms.onClick = [this, previous = roms.onClick] {
        m_romSelectionRunning = true;
        if (previous)
            previous();
        m_romSelectionRunning = false;
        if (autoBrowse() && m_app.listBox("Flist_L").listIndex() != -1)
            openArticle();
    };
}

bool QuickLinks::autoBrowse() const
{
    return m_app.form1().get<CheckBox>("Check1_T").isChecked();
}

void QuickLinks::startupStep(StartupStep step)
{
    // The start-up page waits for the catalog: with nothing in it yet, the first page says
    // how to begin.
    if (step != StartupStep::StartPage)
        return;
    const bool firstRun = m_app.catalog().LastMan == -1;
    m_app.web().navigate(http(m_hosts.product) + (firstRun ? "/first-steps.html" : "/102.html"));
}

void QuickLinks::openArticle()
{
    const auto &titles = m_app.listBox("avail_L");
    const int k = titles.listIndex();
    const auto &table = m_app.feature<ReferenceList>().wikiTable();
    if (k == -1 || !table)
        return;
    const std::string link = size_t(k) < table->rows.size() ? table->rows[size_t(k)].link : "";
    if (hasNoArticle(link)) {
        m_app.textBox("matches_L").setText("No article about " + titles.item(k));
        return;
    }
    const std::string address = m_hosts.encyclopediaRoot() + link;
    m_app.textBox("matches_L").setText(address);
    m_app.web().navigate(address);
}

void QuickLinks::search(const std::string &root, const std::string &path)
{
    const std::string text = searchText(m_app.listBox("avail_L").text());
    m_app.web().navigate(text.empty() ? root : root + path + text);
}

void QuickLinks::showProductPage(const std::string &address)
{
    m_app.control("Browser").setVisible(true);
    m_app.web().navigate(address);
}

void QuickLinks::documentComplete()
{
    const std::string address = m_app.web().currentAddress();
    const std::string title = m_app.listBox("avail_L").text();
    if (address == http(m_hosts.ranking) + "/") {
        m_app.web().fillAndSubmit("Itemname", 1, title, "submit2");
    } else if (address == http(m_hosts.manuals) + "/news.php") {
        m_app.web().fillAndSubmit("searchquery", 0, title, "searchsubmit");
    }
}

} // namespace kestrova
