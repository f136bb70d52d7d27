#include "reference/reference_panes.h"

#include "core/application.h"
#include "platform/list_box.h"
#include "platform/shell.h"
#include "platform/text_box.h"
#include "platform/text_codec.h"
#include "platform/web_pane.h"
#include "reference/match_outcome.h"
#include "reference/reference_list.h"

namespace kestrova {

ReferencePanes::ReferencePanes(Application &app, std::string encyclopediaRoot)
    : m_app(app), m_encyclopediaRoot(std::move(encyclopediaRoot))
{
    m_app.listBox("Flist_L").onClick = [this] { romSelected(); };
    m_app.listBox("avail_L").onClick = [this] { titleSelected(); };
    auto &address = m_app.textBox("matches_L");
    address.onDblClick = [this] { openTypedAddress(); };
    address.onKeyDown = [this](int key) {
        if (key == 13)
            openTypedAddress();
    };
    auto &opened = m_app.textBox("match2");
    opened.onDblClick = [this, &opened] { m_app.shell().shellOpen(opened.text()); };
}

ReferenceList &ReferencePanes::list()
{
    return m_app.feature<ReferenceList>();
}

void ReferencePanes::romSelected()
{
    auto &roms = m_app.listBox("Flist_L");
    roms.setToolTip(roms.text());
    auto &titles = m_app.listBox("avail_L");
    if (roms.listIndex() != -1 && titles.count() > 0 && list().titleMatcher()) {
        list().articleAddress() = SearchMatch(cleanRomName(roms.text()));
        m_app.textBox("matches_L").setText(articleStateText(list().articleAddress(), titles.text()));
    }
    m_app.ShowStatus();
}

std::string ReferencePanes::SearchMatch(const std::string &cleanedName)
{
    for (const char *box : {"matches_L", "MATCH", "match2"})
        m_app.textBox(box).setText("");
    auto &titles = m_app.listBox("avail_L");
    const auto outcome = matchRom(*list().titleMatcher(), *list().wikiTable(), titles.items(),
                                  cleanedName, m_encyclopediaRoot);
    m_app.textBox("matches_L").setText(outcome.title);
    auto &meter = m_app.control("prog");
    meter.setBackColor(rgb(outcome.color.red, outcome.color.green, outcome.color.blue));
    meter.setCaption(outcome.caption);
    titles.setListIndex(outcome.shownRow);
    return outcome.address;
}

void ReferencePanes::titleSelected()
{
    auto &titles = m_app.listBox("avail_L");
    titles.setToolTip(titles.text());
    const int k = titles.listIndex();
    if (k != -1) {
        const auto &table = list().wikiTable();
        const bool known = table && size_t(k) < table->rows.size();
        const std::string link = known ? table->rows[size_t(k)].link : std::string();
        m_app.textBox("matches_L").setText(articleStateText(link, titles.text()));
    }
    m_app.ShowStatus();
}

void ReferencePanes::openTypedAddress()
{
    const std::string &text = m_app.textBox("matches_L").text();
    const std::string upper = upperAscii(text);
    if (upper.starts_with("HTTP://") || upper.starts_with("WWW"))
        m_app.web().navigate(text);
}

} // namespace kestrova
