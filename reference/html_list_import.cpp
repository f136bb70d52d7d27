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

std::string textOf(const xmlNode *node)
{
    std::string raw;
    appendText(node, raw);
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
};

// A link to an article (or to the edit page of a missing one) with text to show.
std::optional<Title> titleLink(const xmlNode *node)
{
    if (!isElement(node, "a"))
        return std::nullopt;
    const auto link = articleLink(attribute(node, "href"));
    if (!link)
        return std::nullopt;
    Title title{textOf(node), *link};
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

std::optional<int> titleColumn(const std::vector<GridRow> &grid)
{
    for (const GridRow &row : grid) {
        if (!isHeaderRow(row))
            break;
        for (const Cell &cell : row.cells) {
            if (namesTitleColumn(textOf(cell.node)))
                return cell.column;
        }
    }
    return std::nullopt;
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
        m_result.table.rows.push_back({std::move(title.text), std::move(title.link)});
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
        const std::optional<int> column = titleColumn(grid);
        for (const GridRow &row : grid) {
            if (full())
                return;
            if (isHeaderRow(row))
                continue;
            if (column)
                takeTitleCell(row, *column);
            else
                takeFirstLinkedCell(row);
        }
    }

    void takeTitleCell(const GridRow &row, int column)
    {
        const auto cell = std::find_if(row.cells.begin(), row.cells.end(), [&](const Cell &c) {
            return c.column <= column && column < c.column + c.span;
        });
        if (cell == row.cells.end())
            return; // the title of the row above spans this one
        if (auto title = firstTitleLink(cell->node)) {
            take(std::move(*title));
            return;
        }
        // A title without any link: taken as one without an article, unless the cell is a
        // caption across the whole row.
        const bool wholeRow = row.cells.size() == 1 && cell->span > 1 && !row.spannedFromAbove;
        const std::string text = withoutTrailingMarks(textOf(cell->node));
        if (!text.empty() && !wholeRow)
            take({text, missingArticleLink(text)});
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
