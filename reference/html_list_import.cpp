#include "reference/html_list_import.h"

#include "platform/text_codec.h"
#include "reference/article_link.h"

#include <libxml/HTMLparser.h>
#include <libxml/encoding.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <memory>

namespace kestrova {

namespace {

constexpr size_t kMaxRows = WikiTable::kRowCount;
constexpr int kMaxSpan = 1000;

struct DocFree
{
    void operator()(xmlDoc *doc) const { xmlFreeDoc(doc); }
};
using Document = std::unique_ptr<xmlDoc, DocFree>;

// Broken pages are normal input here: libxml2 must not print about them.
void ignoreMessage(void *, const char *, ...) {}
void ignoreError(void *, xmlError *) {}

// Parses with the given encoding; declarations inside the page are not followed, as the caller
// has chosen the encoding from them already.
Document readHtml(std::string_view bytes, const char *encoding)
{
    if (bytes.size() > size_t(INT_MAX))
        return nullptr;
    xmlSetGenericErrorFunc(nullptr, ignoreMessage);
    xmlSetStructuredErrorFunc(nullptr, ignoreError);
    constexpr int kOptions = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                             HTML_PARSE_NONET | HTML_PARSE_IGNORE_ENC | HTML_PARSE_COMPACT;
    return Document(htmlReadMemory(bytes.data(), int(bytes.size()), nullptr, encoding, kOptions));
}

std::string_view nameOf(const xmlNode *node)
{
    return node->name ? reinterpret_cast<const char *>(node->name) : "";
}

bool isElement(const xmlNode *node, std::string_view name = {})
{
    return node->type == XML_ELEMENT_NODE && (name.empty() || nameOf(node) == name);
}

std::string attribute(const xmlNode *node, const char *name)
{
    xmlChar *value = xmlGetProp(node, reinterpret_cast<const xmlChar *>(name));
    if (value == nullptr)
        return {};
    std::string out(reinterpret_cast<const char *>(value));
    xmlFree(value);
    return out;
}

std::string lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

bool hasClass(const xmlNode *node, std::string_view name)
{
    const std::string classes = attribute(node, "class");
    for (size_t pos = 0; pos < classes.size();) {
        const size_t start = classes.find_first_not_of(" \t\r\n\f", pos);
        if (start == std::string::npos)
            break;
        const size_t end = std::min(classes.find_first_of(" \t\r\n\f", start), classes.size());
        if (std::string_view(classes).substr(start, end - start) == name)
            return true;
        pos = end;
    }
    return false;
}

// Parts of a page that never hold the list's titles.
bool isOutsideTheList(const xmlNode *node)
{
    static constexpr std::array<std::string_view, 9> kTags = {
        "head", "script", "style", "noscript", "nav", "footer", "header", "aside", "template"};
    static constexpr std::array<std::string_view, 20> kClasses = {
        "navbox",     "vertical-navbox", "navbox-styles", "toc",         "reflist",
        "references", "mw-references-wrap", "refbegin", "catlinks",      "sidebar",
        "mw-editsection", "reference",   "metadata",      "ambox",       "portalbox",
        "sistersitebox", "printfooter",  "noprint",       "mw-jump-link", "infobox"};
    static constexpr std::array<std::string_view, 8> kIds = {
        "toc", "footer", "catlinks", "mw-navigation", "mw-panel", "mw-head", "siteNotice",
        "mw-indicators"};
    if (std::find(kTags.begin(), kTags.end(), lower(nameOf(node))) != kTags.end())
        return true;
    const std::string id = attribute(node, "id");
    if (std::find(kIds.begin(), kIds.end(), id) != kIds.end())
        return true;
    return std::any_of(kClasses.begin(), kClasses.end(),
                       [&](std::string_view c) { return hasClass(node, c); });
}

bool isSpace(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// The visible text of a node: runs of white space (no-break spaces too) become one space,
// control characters go; footnote marks and edit links are left out.
void appendText(const xmlNode *node, std::string &out)
{
    for (const xmlNode *child = node->children; child; child = child->next) {
        if (child->type == XML_TEXT_NODE && child->content) {
            out += reinterpret_cast<const char *>(child->content);
        } else if (isElement(child) && !isOutsideTheList(child)) {
            if (nameOf(child) == "br")
                out += ' ';
            appendText(child, out);
        }
    }
}

std::string collapsedText(std::string_view raw)
{
    std::string out;
    bool pendingSpace = false;
    for (size_t i = 0; i < raw.size(); ++i) {
        const auto c = static_cast<unsigned char>(raw[i]);
        const bool noBreakSpace = c == 0xC2 && i + 1 < raw.size() &&
                                  static_cast<unsigned char>(raw[i + 1]) == 0xA0;
        if (isSpace(c) || noBreakSpace) {
            pendingSpace = !out.empty();
            i += noBreakSpace ? 1 : 0;
            continue;
        }
        if (c < 0x20 || c == 0x7F)
            continue;
        if (pendingSpace)
            out += ' ';
        pendingSpace = false;
        out += char(c);
    }
    return out;
}

std::string textOf(const xmlNode *node)
{
    std::string raw;
    appendText(node, raw);
    return collapsedText(raw);
}

// A footnote mark written as plain text after a title: "Title[a]", "Title [12]".
std::string withoutTrailingMarks(std::string text)
{
    while (!text.empty() && text.back() == ']') {
        const size_t open = text.rfind('[');
        if (open == std::string::npos || text.size() - open > 8)
            break;
        text.erase(open);
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
    }
    return text;
}

struct Title
{
    std::string text;
    std::string link;
    std::vector<std::string> aliases;
};

std::string trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \"'");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \"'") - first + 1));
}

bool isRegionWord(std::string_view word)
{
    static constexpr std::array<std::string_view, 30> kRegions = {
        "na", "us", "usa", "eu", "eur", "pal", "jp", "jpn", "ja", "japan", "japanese",
        "europe", "european", "north america", "north american", "uk", "au", "aus", "kr",
        "korea", "korean", "br", "brazil", "de", "germany", "fr", "france", "ww", "worldwide",
        "int"};
    return std::find(kRegions.begin(), kRegions.end(), lower(trimmed(word))) != kRegions.end();
}

// "JP", "NA/EU", "JP, KR": one or more region words.
bool isRegionList(std::string_view text)
{
    bool any = false;
    for (size_t pos = 0; pos <= text.size();) {
        const size_t end = std::min(text.find_first_of("/,&", pos), text.size());
        const std::string_view word = text.substr(pos, end - pos);
        if (!isRegionWord(word))
            return false;
        any = true;
        pos = end + 1;
    }
    return any;
}

// Texts that fill a name cell without being a name.
bool isPlaceholder(const std::string &name)
{
    static constexpr std::array<std::string_view, 9> kPlaceholders = {
        "-", "\xE2\x80\x94", "\xE2\x80\x93", "n/a", "na", "tba", "unreleased", "none", "?"};
    return name.empty() ||
           std::find(kPlaceholders.begin(), kPlaceholders.end(), lower(name)) != kPlaceholders.end();
}

// A cell's text split where the page starts a new line or sets a name in small type.
void appendPieces(const xmlNode *node, std::vector<std::string> &pieces)
{
    for (const xmlNode *child = node->children; child; child = child->next) {
        if (child->type == XML_TEXT_NODE && child->content) {
            pieces.back() += reinterpret_cast<const char *>(child->content);
        } else if (isElement(child) && !isOutsideTheList(child)) {
            const std::string name = lower(nameOf(child));
            const bool apart = name == "br" || name == "small" || name == "p" || name == "div" ||
                               name == "li";
            if (apart)
                pieces.emplace_back();
            appendPieces(child, pieces);
            if (apart)
                pieces.emplace_back();
        }
    }
}

// Hepburn long vowels as file names spell them: "Kaij\u016B" is "Kaijuu", "D\u014D" is "Dou".
std::string withoutMacrons(const std::string &name)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kVowels = {{
        {"\xC4\x81", "aa"}, {"\xC4\x93", "ee"}, {"\xC4\xAB", "ii"}, {"\xC5\x8D", "ou"},
        {"\xC5\xAB", "uu"}, {"\xC4\x80", "Aa"}, {"\xC4\x92", "Ee"}, {"\xC4\xAA", "Ii"},
        {"\xC5\x8C", "Ou"}, {"\xC5\xAA", "Uu"}}};
    std::string out = name;
    for (const auto &[from, to] : kVowels) {
        for (size_t at = out.find(from); at != std::string::npos; at = out.find(from, at))
            out.replace(at, from.size(), to);
    }
    return out;
}

void addName(std::vector<std::string> &names, const std::string &title, std::string name)
{
    name = trimmed(withoutTrailingMarks(trimmed(name)));
    while (!name.empty() && (name.back() == ',' || name.back() == ';'))
        name = trimmed(name.substr(0, name.size() - 1));
    if (isPlaceholder(name))
        return;
    for (const std::string &spelling : {name, withoutMacrons(name)}) {
        if (spelling != title && std::find(names.begin(), names.end(), spelling) == names.end())
            names.push_back(spelling);
    }
}

// The names one piece of a cell gives: the piece without its notes in parentheses, and the
// name a region note carries ("(JP: Name)"). Notes without a region word are dropped.
void addPieceNames(std::vector<std::string> &names, const std::string &title, std::string piece)
{
    std::string rest;
    for (size_t pos = 0; pos < piece.size();) {
        const size_t open = piece.find('(', pos);
        const size_t close = open == std::string::npos ? open : piece.find(')', open);
        if (close == std::string::npos) {
            rest += piece.substr(pos);
            break;
        }
        rest += piece.substr(pos, open - pos);
        const std::string note = piece.substr(open + 1, close - open - 1);
        const size_t colon = note.find(':');
        if (colon != std::string::npos && isRegionList(note.substr(0, colon)))
            addName(names, title, note.substr(colon + 1));
        pos = close + 1;
    }
    // "JP: Name" written without parentheses.
    const size_t colon = rest.find(':');
    if (colon != std::string::npos && colon < 20 && isRegionList(rest.substr(0, colon)))
        rest = rest.substr(colon + 1);
    addName(names, title, rest);
}

// Every name a cell holds, one per line or small-type piece.
void addCellNames(std::vector<std::string> &names, const std::string &title, const xmlNode *cell)
{
    std::vector<std::string> pieces(1);
    appendPieces(cell, pieces);
    for (const std::string &piece : pieces)
        addPieceNames(names, title, collapsedText(piece));
}

// A link to an article (or to the edit page of a missing one) with text to show.
std::optional<Title> titleLink(const xmlNode *node)
{
    if (!isElement(node, "a"))
        return std::nullopt;
    const auto link = articleLink(attribute(node, "href"));
    if (!link)
        return std::nullopt;
    Title title{textOf(node), *link, {}};
    if (title.text.empty())
        return std::nullopt;
    return title;
}

// The first article link below a node, in page order.
std::optional<Title> firstTitleLink(const xmlNode *node)
{
    for (const xmlNode *child = node->children; child; child = child->next) {
        if (!isElement(child) || isOutsideTheList(child))
            continue;
        if (auto title = titleLink(child))
            return title;
        if (auto title = firstTitleLink(child))
            return title;
    }
    return std::nullopt;
}

enum class Lead { Title, Blocked, Open };

// Looks for the link an item begins with: text before it, or a first link that leads to no
// article, means the item has none. Links without text (pictures) are passed over.
Lead leadingLink(const xmlNode *node, std::optional<Title> &found)
{
    for (const xmlNode *child = node->children; child; child = child->next) {
        if (child->type == XML_TEXT_NODE && child->content) {
            const std::string_view text(reinterpret_cast<const char *>(child->content));
            if (text.find_first_not_of(" \t\r\n\f\"'") != std::string_view::npos)
                return Lead::Blocked;
            continue;
        }
        if (!isElement(child) || isOutsideTheList(child))
            continue;
        const std::string_view name = nameOf(child);
        if (name == "ul" || name == "ol" || name == "dl" || name == "table")
            return Lead::Blocked;
        if (name == "a") {
            if (!articleLink(attribute(child, "href")) && textOf(child).empty())
                continue;
            found = titleLink(child);
            return found ? Lead::Title : Lead::Blocked;
        }
        const Lead inner = leadingLink(child, found);
        if (inner != Lead::Open)
            return inner;
    }
    return Lead::Open;
}

// The normalised text of a column header names the title column.
bool namesTitleColumn(std::string_view header)
{
    static constexpr std::array<std::string_view, 9> kNames = {
        "title", "titles", "title(s)", "game", "games", "game(s)", "name", "game title",
        "english title"};
    const std::string text = lower(withoutTrailingMarks(std::string(header)));
    return std::find(kNames.begin(), kNames.end(), text) != kNames.end();
}

int spanOf(const xmlNode *cell, const char *name)
{
    const std::string value = attribute(cell, name);
    int span = 0;
    for (char c : value) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        span = std::min(kMaxSpan, span * 10 + (c - '0'));
    }
    return std::max(1, span);
}

struct Cell
{
    const xmlNode *node = nullptr;
    int column = 0;
    int span = 1;
    bool header = false;
};

struct GridRow
{
    std::vector<Cell> cells; // the row's own cells, with the column each one starts at
    bool inHead = false;
    bool spannedFromAbove = false;
};

void collectRows(const xmlNode *node, bool inHead, std::vector<std::pair<const xmlNode *, bool>> &rows)
{
    for (const xmlNode *child = node->children; child; child = child->next) {
        if (isElement(child, "tr"))
            rows.emplace_back(child, inHead);
        else if (isElement(child, "thead") || isElement(child, "tbody") || isElement(child, "tfoot"))
            collectRows(child, inHead || isElement(child, "thead"), rows);
    }
}

// Places every cell of the table in its column, following row and column spans.
std::vector<GridRow> tableGrid(const xmlNode *table)
{
    std::vector<std::pair<const xmlNode *, bool>> rows;
    collectRows(table, false, rows);
    std::vector<GridRow> grid;
    std::vector<int> busy; // per column, the rows a cell from above still covers
    for (const auto &[tr, inHead] : rows) {
        GridRow row;
        row.inHead = inHead;
        row.spannedFromAbove = std::any_of(busy.begin(), busy.end(), [](int b) { return b > 0; });
        size_t column = 0;
        for (const xmlNode *cell = tr->children; cell; cell = cell->next) {
            if (!isElement(cell, "td") && !isElement(cell, "th"))
                continue;
            while (column < busy.size() && busy[column] > 0)
                ++column;
            const int span = spanOf(cell, "colspan");
            const int rowSpan = spanOf(cell, "rowspan");
            busy.resize(std::max(busy.size(), column + size_t(span)), 0);
            for (int c = 0; c < span; ++c)
                busy[column + size_t(c)] = rowSpan;
            row.cells.push_back({cell, int(column), span, isElement(cell, "th")});
            column += size_t(span);
        }
        for (int &b : busy)
            b = std::max(0, b - 1);
        grid.push_back(std::move(row));
    }
    return grid;
}

// Column headings: all cells are headings, none of them heads a row.
bool isHeaderRow(const GridRow &row)
{
    if (row.inHead)
        return true;
    return !row.cells.empty() && std::all_of(row.cells.begin(), row.cells.end(), [](const Cell &c) {
        return c.header && lower(attribute(c.node, "scope")) != "row";
    });
}

// Headers of columns that give a row's other names.
bool namesOtherNameColumn(std::string_view header)
{
    static constexpr std::array<std::string_view, 22> kNames = {
        "japanese title", "japanese title(s)", "japanese titles", "japanese name",
        "alternate title", "alternate titles", "alternate title(s)", "alternative title",
        "alternative titles", "alternative title(s)", "original title", "original titles",
        "also known as", "aka", "a.k.a.", "other title", "other titles", "other title(s)",
        "other names", "native title", "romanized title", "romanised title"};
    const std::string text = lower(withoutTrailingMarks(std::string(header)));
    if (std::find(kNames.begin(), kNames.end(), text) != kNames.end())
        return true;
    // "Title (JP/EU/NA)", "European title", "JP name".
    if (text.starts_with("title (") && text.ends_with(")"))
        return isRegionList(std::string_view(text).substr(7, text.size() - 8));
    for (std::string_view suffix : {" title", " name", " title(s)", " titles"}) {
        if (text.ends_with(suffix))
            return isRegionList(std::string_view(text).substr(0, text.size() - suffix.size()));
    }
    return false;
}

// Where a table keeps its names: the title column (with the columns a spanning "Title"
// header groups, one per region, the first of them) and the columns of other names.
struct NameColumns
{
    int title = 0;
    std::vector<int> others;
};

std::optional<NameColumns> nameColumns(const std::vector<GridRow> &grid)
{
    std::optional<NameColumns> found;
    int spanEnd = 0;
    std::vector<int> others;
    for (const GridRow &row : grid) {
        if (!isHeaderRow(row))
            break;
        for (const Cell &cell : row.cells) {
            const std::string text = textOf(cell.node);
            if (!found && namesTitleColumn(text)) {
                found = NameColumns{cell.column, {}};
                spanEnd = cell.column + cell.span;
                for (int c = cell.column + 1; c < spanEnd; ++c)
                    others.push_back(c);
            } else if ((!found || cell.column >= spanEnd) && namesOtherNameColumn(text)) {
                others.push_back(cell.column);
            }
        }
    }
    if (found)
        found->others = std::move(others);
    return found;
}

class HtmlListReader
{
public:
    /// Reads a node and the siblings after it.
    WikiImport read(const xmlNode *first)
    {
        visitSiblings(first);
        return std::move(m_result);
    }

private:
    bool full() const { return m_result.table.rows.size() >= kMaxRows; }

    void take(Title title)
    {
        if (full())
            return;
        m_result.availItems.push_back(title.text);
        m_result.table.rows.push_back(
            {std::move(title.text), std::move(title.link), std::move(title.aliases)});
    }

    void visitSiblings(const xmlNode *first)
    {
        for (const xmlNode *child = first; child && !full(); child = child->next) {
            if (!isElement(child) || isOutsideTheList(child))
                continue;
            visitElement(child);
        }
    }

    void visitElement(const xmlNode *node)
    {
        const std::string name = lower(nameOf(node));
        if (name == "h2") {
            m_inClosingSection = isClosingSection(textOf(node));
            return;
        }
        if (m_inClosingSection && (name == "table" || name == "ul"))
            return;
        if (name == "table" && !isLayoutTable(node)) {
            readTable(node);
            return;
        }
        if (name == "li" && node->parent && isElement(node->parent, "ul")) {
            std::optional<Title> found;
            if (leadingLink(node, found) == Lead::Title)
                take(std::move(*found));
        }
        visitSiblings(node->children);
    }

    static bool isClosingSection(const std::string &heading)
    {
        static constexpr std::array<std::string_view, 12> kSections = {
            "see also", "references", "notes", "external links", "further reading",
            "bibliography", "sources", "footnotes", "citations", "works cited",
            "notes and references", "references and notes"};
        const std::string text = lower(heading);
        return std::find(kSections.begin(), kSections.end(), text) != kSections.end();
    }

    // Tables that only lay out columns of lists.
    static bool isLayoutTable(const xmlNode *table)
    {
        return lower(attribute(table, "role")) == "presentation" || hasClass(table, "multicol");
    }

    void readTable(const xmlNode *table)
    {
        const std::vector<GridRow> grid = tableGrid(table);
        const std::optional<NameColumns> columns = nameColumns(grid);
        for (const GridRow &row : grid) {
            if (full())
                return;
            if (isHeaderRow(row))
                continue;
            if (columns)
                takeTitleCell(row, *columns);
            else
                takeFirstLinkedCell(row);
        }
    }

    static const Cell *cellAt(const GridRow &row, int column)
    {
        const auto cell = std::find_if(row.cells.begin(), row.cells.end(), [&](const Cell &c) {
            return c.column <= column && column < c.column + c.span;
        });
        return cell == row.cells.end() ? nullptr : &*cell;
    }

    void takeTitleCell(const GridRow &row, const NameColumns &columns)
    {
        const Cell *cell = cellAt(row, columns.title);
        if (cell == nullptr)
            return; // the title of the row above spans this one
        std::optional<Title> title = firstTitleLink(cell->node);
        if (!title) {
            // A title without any link: taken as one without an article, unless the cell is a
            // caption across the whole row.
            const bool wholeRow = row.cells.size() == 1 && cell->span > 1 && !row.spannedFromAbove;
            const std::string text = withoutTrailingMarks(textOf(cell->node));
            if (text.empty() || wholeRow)
                return;
            // A region's column left blank: the game goes by another region's linked name.
            for (const int column : isPlaceholder(text) ? columns.others : std::vector<int>()) {
                const Cell *other = cellAt(row, column);
                if (other == nullptr || other == cell)
                    continue;
                if ((title = firstTitleLink(other->node))) {
                    cell = other;
                    break;
                }
            }
            if (!title)
                title = Title{text, missingArticleLink(text), {}};
        }
        addCellNames(title->aliases, title->text, cell->node);
        for (const int column : columns.others) {
            const Cell *other = cellAt(row, column);
            if (other != nullptr && other != cell)
                addCellNames(title->aliases, title->text, other->node);
        }
        take(std::move(*title));
    }

    void takeFirstLinkedCell(const GridRow &row)
    {
        for (const Cell &cell : row.cells) {
            if (auto title = firstTitleLink(cell.node)) {
                take(std::move(*title));
                return;
            }
        }
    }

    WikiImport m_result;
    bool m_inClosingSection = false;
};

// WHATWG reads these labels as Windows-1252, and so do the browsers that saved the page.
std::string encodingForLabel(std::string label)
{
    label = lower(label);
    label.erase(0, label.find_first_not_of(" \t\r\n\"'"));
    label.erase(std::min(label.size(), label.find_first_of(" \t\r\n\"';")));
    static constexpr std::array<std::string_view, 13> kWestern = {
        "iso-8859-1", "iso8859-1", "iso_8859-1", "latin1", "l1", "us-ascii", "ascii",
        "cp819", "ibm819", "windows-1252", "cp1252", "x-cp1252", "iso-8859-15"};
    if (label.empty() || label == "utf8" || label == "unicode-1-1-utf-8")
        return label.empty() ? "" : "UTF-8";
    if (std::find(kWestern.begin(), kWestern.end(), label) != kWestern.end() &&
        label != "iso-8859-15")
        return "windows-1252";
    return label;
}

// The charset a page declares in a meta element, found by parsing it byte for byte first.
std::string declaredCharset(std::string_view bytes)
{
    const Document doc = readHtml(bytes, "ISO-8859-1");
    if (!doc)
        return {};
    std::string found;
    auto search = [&](auto &&self, const xmlNode *node) -> void {
        for (const xmlNode *child = node; child && found.empty(); child = child->next) {
            if (isElement(child, "meta")) {
                found = attribute(child, "charset");
                const std::string content = lower(attribute(child, "content"));
                const size_t at = content.find("charset=");
                if (found.empty() && at != std::string::npos &&
                    lower(attribute(child, "http-equiv")) == "content-type")
                    found = content.substr(at + 8);
            }
            if (isElement(child, "body"))
                return;
            if (child->children)
                self(self, child->children);
        }
    };
    search(search, xmlDocGetRootElement(doc.get()));
    return encodingForLabel(found);
}

// Invalid sequences become U+FFFD, as a browser shows them; libxml2 would pass them on raw.
std::string repairedUtf8(std::string_view bytes)
{
    if (isValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (size_t i = 0; i < bytes.size();) {
        size_t length = 1;
        for (size_t n = 4; n >= 1; --n) {
            if (i + n <= bytes.size() && isValidUtf8(bytes.substr(i, n))) {
                length = n;
                break;
            }
        }
        const bool valid = isValidUtf8(bytes.substr(i, length));
        out += valid ? std::string(bytes.substr(i, length)) : std::string("\xEF\xBF\xBD");
        i += length;
    }
    return out;
}

bool isKnownEncoding(const std::string &name)
{
    xmlCharEncodingHandler *handler = xmlFindCharEncodingHandler(name.c_str());
    if (handler == nullptr)
        return false;
    xmlCharEncCloseFunc(handler);
    return true;
}

const xmlNode *findContent(const xmlNode *node)
{
    for (const xmlNode *child = node; child; child = child->next) {
        if (isElement(child) && attribute(child, "id") == "mw-content-text")
            return child;
        if (child->children) {
            if (const xmlNode *found = findContent(child->children))
                return found;
        }
    }
    return nullptr;
}

} // namespace

WikiImport parseHtmlList(std::string_view fileBytes)
{
    xmlInitParser();
    std::string encoding;
    std::string_view body = fileBytes;
    if (body.starts_with("\xEF\xBB\xBF")) {
        encoding = "UTF-8";
        body.remove_prefix(3);
    } else if (body.starts_with("\xFF\xFE") || body.starts_with("\xFE\xFF")) {
        encoding = body.starts_with("\xFF\xFE") ? "UTF-16LE" : "UTF-16BE";
        body.remove_prefix(2);
    } else {
        encoding = declaredCharset(body);
    }
    if (encoding.empty() || !isKnownEncoding(encoding))
        encoding = "UTF-8";
    const std::string repaired = encoding == "UTF-8" ? repairedUtf8(body) : std::string();
    const Document doc = readHtml(encoding == "UTF-8" ? repaired : body, encoding.c_str());
    const xmlNode *root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    if (root == nullptr)
        return {};
    const xmlNode *content = findContent(root);
    // Without a content area the whole document is read, skipping what lies outside the list.
    return HtmlListReader().read(content ? content->children : root);
}

} // namespace kestrova
