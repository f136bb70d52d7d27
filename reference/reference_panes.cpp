#include "reference/reference_panes.h"

#include "core/application.h"
#include "platform/list_box.h"
#include "platform/shell.h"
#include "platform/text_box.h"
#include "platform/text_codec.h"
#include "platform/web_pane.h"
#include "reference/match_outcome.h"
#include "reference/reference_list.h"
#include "reference/title_corrections.h"
#include "reference/wiki_search.h"
#include "platform/dialogs.h"
#include "platform/file_io.h"

namespace kestrova {

ReferencePanes::ReferencePanes(Application &app, std::string encyclopediaRoot)
    : m_app(app), m_encyclopediaRoot(std::move(encyclopediaRoot))
{
    m_app.listBox("Flist_L").onClick = [this] { romSelected(); };
    m_app.listBox("avail_L").onClick = [this] { titleSelected(); };
    m_app.listBox("avail_L").onMouseDown = [this](const MouseEvent &e) {
        if (e.button == RightButton)
            correctTitle(e.row);
    };
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

std::filesystem::path ReferencePanes::correctionsFile()
{
    return correctionsFileFor(wikiListPath(m_app.files().dataFolder(), m_app.listBox("plat_list_L").text()));
}

std::optional<int> ReferencePanes::chosenRow(const std::string &romFile)
{
    const auto chosen = TitleCorrections::parse(readFileBytes(correctionsFile(), kCorrectionsFileBound).value_or(""));
    const std::string *title = chosen.titleFor(romFile);
    // A chosen title the list no longer holds is passed over: the match decides again.
    const std::optional<int> row = title ? correctedRow(*list().wikiTable(), *title) : std::nullopt;
    return row && *row < m_app.listBox("avail_L").count() ? row : std::nullopt;
}

void ReferencePanes::romSelected()
{
    auto &roms = m_app.listBox("Flist_L");
    roms.setToolTip(roms.text());
    auto &titles = m_app.listBox("avail_L");
    bool corrected = false;
    if (roms.listIndex() != -1 && titles.count() > 0 && list().titleMatcher()) {
        if (const std::optional<int> row = chosenRow(roms.text())) {
            for (const char *box : {"matches_L", "MATCH", "match2"})
                m_app.textBox(box).setText("");
            const MatchOutcome outcome = correctedMatch(*list().wikiTable(), titles.items(),
                                                        cleanRomName(roms.text()), *row,
                                                        m_encyclopediaRoot);
            show(outcome);
            list().articleAddress() = outcome.address;
            corrected = true;
        } else {
            list().articleAddress() = SearchMatch(cleanRomName(roms.text()));
        }
        std::string state = articleStateText(list().articleAddress(), titles.text());
        if (corrected)
            state += kUsersChoiceMark;
        m_app.textBox("matches_L").setText(state);
    }
    m_app.ShowStatus();
    markUsersChoice(corrected);
}

// The status panels keep their texts; the bar's tool tip tells that the title is the user's.
void ReferencePanes::markUsersChoice(bool corrected)
{
    m_app.control("StatusBar1")
        .setToolTip(corrected ? "The Wiki title of this ROM is your choice" : "");
}

std::string ReferencePanes::SearchMatch(const std::string &cleanedName)
{
    for (const char *box : {"matches_L", "MATCH", "match2"})
        m_app.textBox(box).setText("");
    auto &titles = m_app.listBox("avail_L");
    const auto outcome = matchRom(*list().titleMatcher(), *list().wikiTable(), titles.items(),
                                  cleanedName, m_encyclopediaRoot);
    show(outcome);
    return outcome.address;
}

void ReferencePanes::show(const MatchOutcome &outcome)
{
    m_app.textBox("matches_L").setText(outcome.title);
    auto &meter = m_app.control("prog");
    meter.setBackColor(rgb(outcome.color.red, outcome.color.green, outcome.color.blue));
    meter.setCaption(outcome.caption);
    m_app.listBox("avail_L").setListIndex(outcome.shownRow);
}

void ReferencePanes::correctTitle(int row)
{
    const auto &roms = m_app.listBox("Flist_L");
    const auto &table = list().wikiTable();
    if (roms.listIndex() == -1 || row < 0 || !table || size_t(row) >= table->rows.size() ||
        row >= m_app.listBox("avail_L").count() || table->rows[size_t(row)].title.empty())
        return;
    const std::string rom = roms.text();
    const std::string title = displayTitle(table->rows[size_t(row)].title);
    const std::filesystem::path file = correctionsFile();
    const FileContent content = readFile(file, kCorrectionsFileBound);
    if (content.error && !content.missing) {
        m_app.dialogs().messageBox("The title choices cannot be read from " + content.error->path +
                                       ": " + content.error->reason,
                                   MessageButtons::Ok, MessageIcon::Exclamation, "");
        return;
    }
    TitleCorrections corrections = TitleCorrections::parse(content.bytes);
    const std::string *current = corrections.titleFor(rom);
    const bool forget = current && *current == title;
    const std::string question =
        std::string(forget ? "Forget \"" : "Use \"") + title + "\" for \"" + rom + "\"?";
    if (m_app.dialogs().messageBox(question, MessageButtons::YesNo, MessageIcon::None, "") !=
        MessageResult::Yes)
        return;
    if (forget) {
        corrections.forget(rom);
    } else if (!corrections.set(rom, title)) {
        m_app.dialogs().messageBox("A title choice cannot be kept for a file name with a tab "
                                   "or a line break.",
                                   MessageButtons::Ok, MessageIcon::Exclamation, "");
        return;
    }
    if (const auto error = writeFileAtomically(file, corrections.text())) {
        m_app.dialogs().messageBox("The title choice could not be saved in " + error->path +
                                       ": " + error->reason,
                                   MessageButtons::Ok, MessageIcon::Exclamation, "");
        return;
    }
    romSelected();
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
    markUsersChoice(false); // a ROM click that shows a chosen title marks it again after this
}

void ReferencePanes::openTypedAddress()
{
    const std::string &text = m_app.textBox("matches_L").text();
    const std::string upper = upperAscii(text);
    if (upper.starts_with("HTTP://") || upper.starts_with("WWW"))
        m_app.web().navigate(text);
}

} // namespace kestrova
