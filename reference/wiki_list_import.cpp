#include "reference/wiki_list_import.h"

#include "platform/text_codec.h"
#if KESTROVA_HTML_IMPORT
#include "reference/html_list_import.h"
#endif

#include <algorithm>
#include <array>

namespace kestrova {

namespace {

constexpr size_t kMaxRows = WikiTable::kRowCount;
constexpr size_t kMaxJoinedLines = 4;

// Hands out lines one at a time. The end of the file counts as reached as soon as the last line
// has been read, and a final line end adds no empty line.
class LineCursor
{
public:
    explicit LineCursor(std::string_view text)
        : m_text(text), m_nextCr(find('\r', 0)), m_nextLf(find('\n', 0))
    {
    }

    bool atEnd() const { return m_pos >= m_text.size(); }

    std::string_view next()
    {
        const size_t start = m_pos;
        // Where the next CR and the next LF are, each found once with a fast search.
        if (m_nextCr < start)
            m_nextCr = find('\r', start);
        if (m_nextLf < start)
            m_nextLf = find('\n', start);
        const size_t stop = std::min(m_nextCr, m_nextLf);
        m_pos = stop;
        if (m_pos < m_text.size()) {
            // A CR at the very end has no LF after it, whatever m_nextLf says for "not found".
            const bool crLf = stop == m_nextCr && stop + 1 < m_text.size() && m_nextLf == stop + 1;
            m_pos += crLf ? 2 : 1;
        }
        return m_text.substr(start, stop - start);
    }

private:
    size_t find(char c, size_t from) const { return std::min(m_text.find(c, from), m_text.size()); }

    std::string_view m_text;
    size_t m_pos = 0;
    size_t m_nextCr;
    size_t m_nextLf;
};

// Every title needs a "<", so their count bounds the number of rows.
size_t countTags(std::string_view text)
{
    size_t count = 0;
    for (size_t pos = text.find('<'); pos != std::string_view::npos; pos = text.find('<', pos + 1))
        ++count;
    return count;
}

std::string_view trimSpaces(std::string_view s)
{
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

bool isSectionHeader(std::string_view line)
{
    // The last one is "0", an en dash in UTF-8, "9".
    static constexpr std::array<std::string_view, 5> kHeaders = {"Magnavox games", "0-9", "A", "#",
                                                                 "0\xE2\x80\x93\x39"};
    const std::string_view trimmed = trimSpaces(line);
    if (std::find(kHeaders.begin(), kHeaders.end(), trimmed) != kHeaders.end())
        return true;
    return trimmed.size() == 7 && upperCp1252(trimmed) == "NUMBERS";
}

bool usesBodyRule(std::string_view platformNameUtf8)
{
    const std::string name = upperCp1252(utf8ToCp1252(platformNameUtf8));
    return name == "NES" || name == "AMIGA" || name == "LYNX";
}

class Importer
{
public:
    explicit Importer(std::string_view fileBytes)
    {
        const size_t rows = std::min(countTags(fileBytes), kMaxRows);
        m_result.table.rows.reserve(rows);
        m_result.availItems.reserve(rows);
    }

    bool full() const { return m_result.table.rows.size() >= kMaxRows; }

    void take(std::string_view rawTitle, std::string link)
    {
        m_result.table.rows.push_back({std::string(trimSpaces(rawTitle)), std::move(link)});
        m_result.availItems.emplace_back(rawTitle);
    }

    WikiImport finish() { return std::move(m_result); }

private:
    WikiImport m_result;
};

// Body rule, collecting: every usable line is trimmed, stripped of TAB and CR and appended.
std::string collectBody(LineCursor &cursor, std::string_view line)
{
    std::string body;
    while (!cursor.atEnd() && !contains(line, "Retrieved from")) {
        const bool editMark = line.size() >= 5 && upperCp1252(line.substr(0, 5)) == "[EDIT";
        if (line.size() >= 3 && !editMark) {
            for (char c : trimSpaces(line)) {
                if (c != '\t' && c != '\r')
                    body += c;
            }
        }
        line = cursor.next();
    }
    return body;
}

// Body rule, one 'text<link' piece. Only pieces holding a "<" take a row, so rows stay compact
// and row k is always `avail_L` item k.
void takeBodyPiece(Importer &importer, std::string_view piece)
{
    const std::string_view trimmed = trimSpaces(piece);
    if (!trimmed.empty() && trimmed.front() == '/')
        piece = trimmed.substr(1);
    const size_t lt = piece.find('<');
    if (lt == std::string_view::npos)
        return;
    std::string_view title = piece.substr(0, lt);
    const std::string_view rest = piece.substr(lt + 1);
    const std::string_view link = rest.substr(0, rest.find('<'));
    const size_t slash = title.find('/');
    if (slash != std::string_view::npos) {
        title = title.substr(slash + 1);
        title = title.substr(0, title.find('/'));
    }
    importer.take(title, std::string(trimSpaces(link)));
}

void applyBodyRule(Importer &importer, LineCursor &cursor, std::string_view firstLine)
{
    const std::string body = collectBody(cursor, firstLine);
    const std::string_view text = body;
    // The text after the final ">" is not a piece.
    for (size_t start = 0; !importer.full();) {
        const size_t gt = text.find('>', start);
        if (gt == std::string_view::npos)
            break;
        takeBodyPiece(importer, text.substr(start, gt - start));
        start = gt + 1;
    }
}

bool isTitleLine(std::string_view trimmed)
{
    return !trimmed.empty() && (trimmed.front() == '/' || trimmed.front() == '*') &&
           !contains(trimmed, "[edit");
}

bool isEndMarker(std::string_view line)
{
    return contains(line, "Retrieved from") || contains(line, "Additional Notes") ||
           contains(line, "*A reference must be provided for all titles*");
}

// General rule: gathers a title line and up to four continuation lines until a ">" shows up.
// Returns false when the import must end here; the partly gathered title is then not taken.
// The file's last line may still complete the title: only a join that finds no line left fails.
bool gatherTitleText(LineCursor &cursor, std::string_view titleLine, std::string &text)
{
    text.assign(trimSpaces(titleLine.substr(1)));
    for (size_t joined = 0; !contains(text, ">") && joined < kMaxJoinedLines; ++joined) {
        if (cursor.atEnd())
            return false;
        const std::string_view next = cursor.next();
        if (contains(text, "Retrieved from") || contains(text, "Additional Notes"))
            return false;
        text += trimSpaces(next);
    }
    return true;
}

void takeGeneralTitle(Importer &importer, std::string_view text)
{
    const size_t lt = text.find('<');
    if (lt == std::string_view::npos)
        return;
    std::string_view title = text.substr(0, lt);
    if (!title.empty() && title.front() == '/')
        title.remove_prefix(1);
    const std::string_view rest = text.substr(lt + 1);
    const std::string_view link = rest.substr(0, rest.find_first_of("<>"));
    std::string fullLink = "/";
    fullLink += trimSpaces(link);
    importer.take(title, std::move(fullLink));
}

void applyGeneralRule(Importer &importer, LineCursor &cursor, std::string_view line)
{
    std::string text;
    while (!cursor.atEnd() && !importer.full()) {
        const std::string_view trimmed = trimSpaces(line);
        if (isTitleLine(trimmed)) {
            if (!gatherTitleText(cursor, trimmed, text))
                return;
            takeGeneralTitle(importer, text);
        }
        line = cursor.next();
        if (isEndMarker(line))
            return;
    }
}

WikiImport parseTextList(std::string_view fileBytes, std::string_view platformNameUtf8)
{
    Importer importer(fileBytes);
    LineCursor cursor(fileBytes);
    bool headerFound = false;
    while (!headerFound && !cursor.atEnd())
        headerFound = isSectionHeader(cursor.next());
    if (!headerFound || cursor.atEnd())
        return importer.finish();
    const std::string_view firstCandidate = cursor.next();
    if (usesBodyRule(platformNameUtf8))
        applyBodyRule(importer, cursor, firstCandidate);
    else
        applyGeneralRule(importer, cursor, firstCandidate);
    return importer.finish();
}

} // namespace

WikiImport parseWikiList(std::string_view fileBytes, std::string_view platformNameUtf8)
{
    WikiImport text = parseTextList(fileBytes, platformNameUtf8);
#if KESTROVA_HTML_IMPORT
    // Pages saved by current browsers have no line the text rules read.
    if (text.table.rows.empty() && fileBytes.size() <= kHtmlPageBound)
        return parseHtmlList(fileBytes);
#endif
    return text;
}

} // namespace kestrova
