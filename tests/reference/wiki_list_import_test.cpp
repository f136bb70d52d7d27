#include "reference/article_link.h"
#include "reference/match_outcome.h"
#include "reference/reference_cli.h"
#include "reference/title_matcher.h"
#include "reference/wiki_list_import.h"
#include "reference/wiki_search.h"

#include "fakes/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace kestrova {
namespace {

std::string crlf(const std::vector<std::string> &lines)
{
    std::string out;
    for (const auto &line : lines)
        out += line + "\r\n";
    return out;
}

// Titles after the header "A", then a last line that is never taken.
std::string list(const std::vector<std::string> &lines)
{
    return "A\r\n" + crlf(lines) + "end\r\n";
}

// An import as text: rows "title<link>" joined by " | ", each followed by "[item]" when the
// avail_L item differs from the row's title and "{alias / alias}" when it has other names.
std::string describe(const WikiImport &result)
{
    std::string out;
    for (size_t r = 0; r < std::max(result.table.rows.size(), result.availItems.size()); ++r) {
        const WikiRow row = r < result.table.rows.size() ? result.table.rows[r] : WikiRow{};
        const std::string item = r < result.availItems.size() ? result.availItems[r] : "<none>";
        out += (r ? " | " : "") + row.title + "<" + row.link + ">";
        if (item != row.title)
            out += "[" + item + "]";
        for (size_t a = 0; a < row.aliases.size(); ++a)
            out += (a == 0 ? "{" : " / ") + row.aliases[a] + (a + 1 == row.aliases.size() ? "}" : "");
    }
    return out;
}

TEST(WikiListImport, ReadsHeadersAndTitlesByBothRules)
{
    const std::string title = "*Zed<wiki/Zed>\r\nx\r\n";
    const std::vector<std::tuple<const char *, std::string, std::string>> cases = {
        // Headers, trimmed of spaces only; "NUMBERS" compared in upper case.
        {"Gen", crlf({" A "}) + title, "Zed</wiki/Zed>"},
        {"Gen", crlf({"  numbers"}) + title, "Zed</wiki/Zed>"},
        {"Gen", crlf({"Magnavox games"}) + title, "Zed</wiki/Zed>"},
        {"Gen", crlf({"0-9"}) + title, "Zed</wiki/Zed>"},
        {"Gen", crlf({"#"}) + title, "Zed</wiki/Zed>"},
        {"Gen", crlf({"0\xE2\x80\x93\x39"}) + title, "Zed</wiki/Zed>"}, // the en dash in UTF-8
        {"Gen", crlf({"a"}) + title, ""},
        {"Gen", crlf({"\tA"}) + title, ""},
        {"Gen", crlf({"intro", "*Zed<wiki/Zed>", "A"}), ""},
        {"Gen", "", ""},
        // General rule, for any other platform name.
        {"Gen", list({"*Title <wiki/Title_page> (1990)"}), "Title</wiki/Title_page>[Title ]"},
        {"Gen", list({"  /Slash<wiki/S>", "*/Inner<wiki/I>"}), "Slash</wiki/S> | Inner</wiki/I>"},
        // The link ends at the first ">" or the next "<".
        {"Gen", list({"*A< w/1 <b>", "*B<w/2>x<y>", "*C<>"}), "A</w/1> | B</w/2> | C</>"},
        {"Gen", list({"*No>", "*S[edit]<w/E>", "p<w/P>", "\t*T<w/T>", "*K<w/K>"}), "K</w/K>"},
        {"Gen", list({"*<wiki/Nothing>"}), "</wiki/Nothing>"},
        // A title on the last line is never taken, with or without a final line end.
        {"Gen", crlf({"A", "*First<wiki/F>", "*Last<wiki/L>"}), "First</wiki/F>"},
        {"Gen", "A\r\n*First<wiki/F>\r\n*Last<wiki/L>", "First</wiki/F>"},
        {"Gen", "A\n*One<wiki/1>\r*Two<wiki/2>\n\rend", "One</wiki/1> | Two</wiki/2>"},
        // Joining: no separator, at most four lines, "Retrieved from" tested when reading on.
        {"Gen", list({"*Brick Breaker", "  Deluxe <wiki/BBD> (1989)"}),
         "Brick BreakerDeluxe</wiki/BBD>[Brick BreakerDeluxe ]"},
        {"Gen", list({"*", "*Kept<wiki/K>"}), "*Kept</wiki/K>"},
        {"Gen", list({"*T<w/a", "b", "c", "d", "e", "f>", "*U<w/u>"}), "T</w/abcde> | U</w/u>"},
        {"Gen", list({"*T<w/a", "Retrieved from x>", "*U<w/u>"}),
         "T</w/aRetrieved from x> | U</w/u>"},
        {"Gen", list({"*Z<w/z>", "*T<w/a", "Retrieved from x", "more>", "*U<w/u>"}), "Z</w/z>"},
        // A title completed by the file's last line is taken; one still open there is not.
        {"Gen", crlf({"A", "*Z<w/z>", "*T<w/a", "b>"}), "Z</w/z> | T</w/ab>"},
        {"Gen", "A\r\n*Z<w/z>\r\n*T<w/a\r\nb>", "Z</w/z> | T</w/ab>"},
        {"Gen", crlf({"A", "*Z<w/z>", "*T<w/a", "b"}), "Z</w/z>"},
        {"Gen", crlf({"A", "*Z<w/z>", "*T<w/a"}), "Z</w/z>"},
        // End markers: tested on the line after a title or a line passed over, not the first.
        {"Gen", list({"*Z<w/z>", "x Additional Notes x", "*U<w/u>"}), "Z</w/z>"},
        {"Gen", list({"*Z<w/z>", "p", "*A reference must be provided for all titles*", "*U<w/u>"}),
         "Z</w/z>"},
        {"Gen", list({"*Retrieved from<wiki/r>"}), "Retrieved from</wiki/r>"},
        // Body rule, in any case of the name; rows stay compact.
        {"NES", list({"Al<wiki/Al>", "Be< wiki/Be >tail"}), "Al<wiki/Al> | Be<wiki/Be>"},
        {"nes", list({"[EDIT]x", "[edit] y", "ab", "Gam", "ma<g>"}), "Gamma<g>"},
        {"Nes", list({"One<1>junk>Two<2>"}), "One<1> | Two<2>"},
        {"AMIGA", list({"x<1>  /Be<2>a/De/b<3>a/Ep<4>"}), "x<1> | Be<2> | De<3> | Ep<4>"},
        {"lynx", list({"T<l1<l2>"}), "T<l1>"},
        {"Lynx", list({"\t Al\tpha<x> "}), "Alpha<x>[ Alpha]"},
        {"NES", list({"One<1>", "Retrieved from", "Two<2>"}) + "Three<3>", "One<1>"},
        {"NES", crlf({"A", "One<1>", "Two<2>"}), "One<1>"},
    };
    for (const auto &[platform, page, rows] : cases)
        EXPECT_EQ(describe(parseWikiList(page, platform)), rows) << page;
}

TEST(WikiListImport, ALoneCrEndingTheFileEndsTheImportCleanly)
{
    for (const std::string platform : {"Gen", "NES"}) {
        EXPECT_NO_THROW((void)parseWikiList("A\r*\r>\r", platform)) << platform;
        EXPECT_NO_THROW((void)parseWikiList("A\r*T<wiki/T>\r", platform)) << platform;
    }
}

TEST(WikiListImport, StoresAtMost6001Rows)
{
    for (const std::string platform : {"Gen", "NES"}) {
        std::string page = "A\r\n";
        for (int i = 0; i < 6005; ++i)
            page += "*T" + std::to_string(i) + "<wiki/" + std::to_string(i) + ">\r\n";
        const WikiImport result = parseWikiList(page + "end\r\n", platform);
        ASSERT_EQ(result.table.rows.size(), 6001u) << platform;
        ASSERT_EQ(result.availItems.size(), 6001u) << platform;
        // The body rule keeps the "*" in the title.
        EXPECT_EQ(result.availItems.back(), platform == "NES" ? "*T6000" : "T6000");
    }
}

TEST(WikiListImport, UnreadableFileIsLikeAMissingOne)
{
    testing::TempDir dir;
    dir.write("wikigameslists/Dir.htm/x");
    EXPECT_FALSE(LoadWikiList(dir.path(), "Dir").has_value());
    EXPECT_FALSE(LoadWikiList(dir.path(), "Missing").has_value());
    // Raw titles are shown as UTF-8 when they are valid UTF-8, else read as Windows-1252.
    EXPECT_EQ(displayTitle("Caf\xC3\xA9"), "Caf\xC3\xA9");
    EXPECT_EQ(displayTitle("Caf\xE9"), "Caf\xC3\xA9");
}

TEST(ArticleLink, KeepsArticlesAndMissingOnesOnly)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/wiki/Gear_Racer", "/wiki/Gear_Racer"},
        {"https://en.wikipedia.org/wiki/Gear_Racer", "/wiki/Gear_Racer"},
        {"HTTP://EN.WIKIPEDIA.ORG/wiki/A#History", "/wiki/A#History"},
        {"//de.m.wikipedia.org/wiki/B", "/wiki/B"},
        {"https://wikipedia.org/wiki/C", "/wiki/C"},
        {"./Derby_Circuit", "/wiki/Derby_Circuit"},
        {"./Moon?action=edit&redlink=1", "/w/index.php?title=Moon&action=edit&redlink=1"},
        {"https://en.wikipedia.org/w/index.php?title=Moon&action=edit&redlink=1",
         "/w/index.php?title=Moon&action=edit&redlink=1"},
        {"/wiki/Aztec_Gold:_The_Lost_Temple", "/wiki/Aztec_Gold:_The_Lost_Temple"},
        {"/wiki/Portal:_Still_Here", "/wiki/Portal:_Still_Here"},
        // Not articles: other sites, anchors, files, help, edit links of sections, talk.
        {"https://notwikipedia.org/wiki/X", ""},
        {"https://fanwiki.example/wiki/X", ""},
        {"#cite_note-a", ""},
        {"/wiki/", ""},
        {"/wiki/File:Box.png", ""},
        {"/wiki/help:Contents", ""},
        {"/wiki/Template_talk:Sample", ""},
        {"/w/index.php?title=List&action=edit&section=2", ""},
        {"/w/index.php?title=Category:X&action=edit&redlink=1", ""},
        {"/w/index.php?action=edit&redlink=1", ""},
        {"mailto:someone@example.org", ""},
    };
    for (const auto &[href, expected] : cases)
        EXPECT_EQ(articleLink(href).value_or(""), expected) << href;
    EXPECT_EQ(missingArticleLink("Penguin Dungeon & Co"),
              "/w/index.php?title=Penguin_Dungeon_%26_Co&action=edit&redlink=1");
}

#if KESTROVA_HTML_IMPORT

const std::string kPages = std::string(KESTROVA_TEST_DATA) + "/reference/html/";

std::string page(const std::string &head, const std::string &body)
{
    return "<!DOCTYPE html>\n<html><head>" + head + "</head>\n<body>\n" + body +
           "\n</body></html>\n";
}

std::string table(const std::string &rows)
{
    return "<table class=\"wikitable sortable\">\n" + rows + "\n</table>";
}

TEST(HtmlListImport, ReadsAPageSavedByABrowser)
{
    const auto bytes = readWikiListFile(kPages + "saved_by_browser.htm");
    ASSERT_TRUE(bytes);
    for (const char *platform : {"Sample Console", "NES"}) {
        EXPECT_EQ(describe(parseWikiList(*bytes, platform)),
                  "Gear Racer '94</wiki/Gear_Racer_%2794> | "
                  "Moon Patrol Zero</w/index.php?title=Moon_Patrol_Zero&action=edit&redlink=1> | "
                  "Caf\xC3\xA9 Panic</wiki/Caf%C3%A9_Panic> | "
                  "Penguin Dungeon</w/index.php?title=Penguin_Dungeon&action=edit&redlink=1> | "
                  "Derby Circuit</wiki/Derby_Circuit> | "
                  "Arcade Pack Vol. 1</wiki/Arcade_Pack_Vol._1> | "
                  "Astro Miner</wiki/Astro_Miner> | "
                  "Aztec Gold: The Lost Temple</wiki/Aztec_Gold:_The_Lost_Temple> | "
                  "Brick Breaker Deluxe</w/index.php?title=Brick_Breaker_Deluxe&action=edit"
                  "&redlink=1>")
            << platform;
    }
}

TEST(HtmlListImport, ChoosesTheTitleColumn)
{
    const std::string linked = "<a href=\"/wiki/G\">G</a>";
    const std::vector<std::pair<std::string, std::string>> cases = {
        // No header names a title column: the first cell with an article link.
        {table("<tr><th>Year</th><th>Developer</th><th>Game name</th></tr>\n"
               "<tr><td>1990</td><td><a href=\"/wiki/Dev\">Dev</a></td><td>" + linked + "</td></tr>"),
         "Dev</wiki/Dev>"},
        // "Game", "NAME", "titles" in any case, wherever the column stands.
        {table("<tr><th>Year</th><th>Developer</th><th>GAME</th></tr>\n"
               "<tr><td>1990</td><td><a href=\"/wiki/Dev\">Dev</a></td><td>" + linked + "</td></tr>"),
         "G</wiki/G>"},
        {table("<tr><th>Publisher</th><th>NAME</th></tr><tr><td>P</td><td>" + linked +
               "</td></tr>"),
         "G</wiki/G>"},
        // A row span before the title column shifts the cells of the next row.
        {table("<tr><th>Year</th><th>Publisher</th><th>Titles</th></tr>\n"
               "<tr><td rowspan=\"3\">1990</td><td><a href=\"/wiki/P\">P</a></td>"
               "<td><a href=\"/wiki/One\">One</a></td></tr>\n"
               "<tr><td><a href=\"/wiki/P\">P</a></td><td><a href=\"/wiki/Two\">Two</a></td></tr>\n"
               "<tr><td colspan=\"2\"><a href=\"/wiki/Three\">Three</a></td></tr>"),
         "One</wiki/One> | Two</wiki/Two> | Three</wiki/Three>"},
        // Headings repeated inside the table and row headings.
        {table("<tr><th scope=\"col\">Title</th><th>Year</th></tr>\n"
               "<tr><th scope=\"row\"><a href=\"/wiki/A\">A</a></th><td>1</td></tr>\n"
               "<tr><th>Title</th><th>Year</th></tr>\n"
               "<tr><th scope=\"row\"><i><a href=\"/wiki/B\">B</a></i>[c]</th><td>2</td></tr>"),
         "A</wiki/A> | B</wiki/B>"},
        // Lists: only items that begin with an article link; nested lists too.
        {"<ul><li><i>" + linked + "</i> (1990)</li><li>Port of " + linked +
             "</li><li><a href=\"#x\">Jump</a></li>"
             "<li><a href=\"/wiki/S\">Series</a><ul><li>\"<a href=\"/wiki/T\">T</a>\"</li></ul>"
             "</li></ul>\n<ol><li>" + linked + "</li></ol>",
         "G</wiki/G> | Series</wiki/S> | T</wiki/T>"},
        // Tables and lists in page order; closing sections and navigation boxes passed over.
        {"<ul><li>" + linked + "</li></ul>\n" +
             table("<tr><td><a href=\"/wiki/H\">H</a></td></tr>") +
             "\n<div class=\"navbox\"><ul><li><a href=\"/wiki/N\">N</a></li></ul></div>"
             "\n<h2>See also</h2><ul><li><a href=\"/wiki/L\">List</a></li></ul>"
             "\n<h2>More games</h2><ul><li><a href=\"/wiki/M\">M</a></li></ul>"
             "\n<footer><ul><li><a href=\"/wiki/F\">F</a></li></ul></footer>",
         "G</wiki/G> | H</wiki/H> | M</wiki/M>"},
        {"<p>No lists here: <a href=\"/wiki/G\">G</a></p>", ""},
        {"", ""},
    };
    for (const auto &[body, expected] : cases)
        EXPECT_EQ(describe(parseWikiList(page("", body), "Gen")), expected) << body;
}

TEST(HtmlListImport, DecodesTheDeclaredCharset)
{
    const std::string item = "<ul><li><a href=\"/wiki/C\">Caf\xE9 \x93Q\x94</a></li></ul>";
    const std::string utf8Item =
        "<ul><li><a href=\"/wiki/C\">Caf\xC3\xA9 \xE2\x80\x9CQ\xE2\x80\x9D</a></li></ul>";
    const std::string expected = "Caf\xC3\xA9 \xE2\x80\x9CQ\xE2\x80\x9D</wiki/C>";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {page("<meta charset=\"windows-1252\">", item), expected},
        {page("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\">",
              item),
         expected},
        {page("<meta charset=\"latin1\">", item), expected},
        {page("<meta charset=\"utf-8\">", utf8Item), expected},
        {page("", utf8Item), expected},
        {"\xEF\xBB\xBF" + page("<meta charset=\"windows-1252\">", utf8Item), expected},
        {page("<meta charset=\"no-such-charset\">", utf8Item), expected},
        // Undeclared bytes that are not UTF-8 show as replacement characters.
        {page("", "<ul><li><a href=\"/wiki/C\">Caf\xE9</a></li></ul>"),
         "Caf\xEF\xBF\xBD</wiki/C>"},
    };
    for (const auto &[bytes, rows] : cases)
        EXPECT_EQ(describe(parseWikiList(bytes, "Gen")), rows) << bytes;
}

TEST(HtmlListImport, TextRulesWinOnAPageWithBothLayouts)
{
    // A page the text rules read keeps their result, even with game tables in it.
    const std::string both =
        "<html><body>\r\n" +
        table("<tr><th>Title</th></tr><tr><td><a href=\"/wiki/H\">H</a></td></tr>") +
        "\r\nA\r\n*Zed <wiki/Zed> (1990)\r\n<ul><li><a href=\"/wiki/L\">L</a></li></ul>\r\n"
        "*Last<wiki/Last>\r\n</body></html>\r\n";
    EXPECT_EQ(describe(parseWikiList(both, "Gen")),
              "Zed</wiki/Zed>[Zed ] | Last</wiki/Last>");
    // The body rule takes '<'-pieces of the same lines, as before.
    const WikiImport body = parseWikiList(both, "NES");
    ASSERT_FALSE(body.table.rows.empty());
    EXPECT_EQ(body.table.rows[0].title, "*Zed");
}

TEST(HtmlListImport, KeepsTheOtherNamesOfARow)
{
    const std::string head = "<tr><th>Title</th><th>Japanese title</th><th>Year</th></tr>\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        // A "Japanese title" column, native and romanised on two lines; long vowels also as
        // file names spell them.
        {table(head + "<tr><td><i><a href=\"/wiki/G\">Godzilla</a></i></td><td>\xE3\x82\xB4\xE3"
                      "\x82\xB8\xE3\x83\xA9<br><i>Gojira-kun: Kaij\xC5\xAB Daik\xC5\x8Dshin</i>"
                      "[3]</td><td>1990</td></tr>\n"
                      "<tr><td><a href=\"/wiki/T\">Tetris</a></td><td>\xE2\x80\x94</td><td>1989</td>"
                      "</tr>"),
         "Godzilla</wiki/G>{\xE3\x82\xB4\xE3\x82\xB8\xE3\x83\xA9 / Gojira-kun: Kaij\xC5\xAB "
         "Daik\xC5\x8Dshin / Gojira-kun: Kaijuu Daikoushin} | Tetris</wiki/T>"},
        // Further names in the title cell: a second line, small type, a region note.
        {table("<tr><th>Title</th><th>Developer</th></tr>\n"
               "<tr><td><a href=\"/wiki/M\">Maerchen Club</a><br>Fairy Tale's Club (EU)</td>"
               "<td>Naxat</td></tr>\n"
               "<tr><td><i><a href=\"/wiki/S\">Super C</a></i> (NA)<small>Probotector II (EU)"
               "</small></td><td>Konami</td></tr>\n"
               "<tr><td><a href=\"/wiki/C\">Contra</a> (JP: <i>Gryzor</i>) (1988)</td><td>K</td>"
               "</tr>"),
         "Maerchen Club</wiki/M>{Fairy Tale's Club} | Super C</wiki/S>{Probotector II} | "
         "Contra</wiki/C>{Gryzor}"},
        // A "Title" header over one column per region; region columns of dates are no names.
        {table("<tr><th colspan=\"3\">Title</th><th colspan=\"2\">Release date</th></tr>\n"
               "<tr><th>North America</th><th>Japan</th><th>PAL</th><th>JP</th><th>NA</th></tr>\n"
               "<tr><td><a href=\"/wiki/B\">Bomber</a></td><td>Bakudan</td><td>Bomber</td>"
               "<td>1990</td><td>1991</td></tr>\n"
               "<tr><td>\xE2\x80\x94</td><td><a href=\"/wiki/K\">Kaiju</a></td><td>N/A</td>"
               "<td>1990</td><td></td></tr>"),
         "Bomber</wiki/B>{Bakudan} | Kaiju</wiki/K>"},
        // "Title (JP/EU)" and "Also known as" columns.
        {table("<tr><th>Also known as</th><th>Game</th><th>Title (JP/EU)</th></tr>\n"
               "<tr><td>Aka One</td><td><a href=\"/wiki/O\">One</a></td><td>Uno</td></tr>"),
         "One</wiki/O>{Aka One / Uno}"},
    };
    for (const auto &[body, expected] : cases)
        EXPECT_EQ(describe(parseWikiList(page("", body), "Gen")), expected) << body;
}

// The ROM named with another name of a row gets that row, the meter's ratio against that name.
TEST(HtmlListImport, ARomNamedWithAnotherNameGetsItsRow)
{
    const std::string body = table(
        "<tr><th>Title</th><th>Japanese title</th></tr>\n"
        "<tr><td><a href=\"/wiki/GG\">Godzilla Generations</a></td><td></td></tr>\n"
        "<tr><td><a href=\"/wiki/G\">Godzilla</a></td><td>Gojira-kun: Kaij\xC5\xAB "
        "Daik\xC5\x8Dshin</td></tr>\n"
        "<tr><td><a href=\"/wiki/FC\">Fighting Club</a></td><td></td></tr>\n"
        "<tr><td><a href=\"/wiki/M\">Maerchen Club</a><br>Fairy Tale's Club</td><td></td></tr>");
    const WikiImport list = parseWikiList(page("", body), "Game Boy");
    const TitleMatcher matcher(list.table);
    const std::string root = "http://en.wikipedia.org";
    const MatchOutcome godzilla =
        matchRom(matcher, list, cleanRomName("Gojira-kun - Kaijuu Daikoushin (J).gb"), root);
    EXPECT_EQ(godzilla.title, "Godzilla");
    EXPECT_EQ(godzilla.caption, "Godzilla");
    EXPECT_EQ(godzilla.matchedName, "Gojira-kun: Kaijuu Daikoushin");
    EXPECT_EQ(godzilla.m, MatchValue(godzilla.jeu, "GOJIRA-KUN: KAIJUU DAIKOUSHIN"));
    const MatchOutcome fairy = matchRom(matcher, list, cleanRomName("Fairy Tale's Club (J).gb"), root);
    EXPECT_EQ(fairy.title, "Maerchen Club");
    EXPECT_EQ(fairy.address, "http://en.wikipedia.org/wiki/M");
    EXPECT_NE(explainJson(matcher, list.table, fairy.jeu).find(
                  "\"title\": \"Maerchen Club\", \"alias\": \"Fairy Tale's Club\""),
              std::string::npos);
    EXPECT_NE(importJson(&list).find("\"aliases\": [\"Fairy Tale's Club\"]"), std::string::npos);
    // One list item per row, whatever the names.
    EXPECT_EQ(list.availItems.size(), 4u);
}

TEST(HtmlListImport, StoresAtMost6001Titles)
{
    std::string rows;
    for (int i = 0; i < 6010; ++i)
        rows += "<li><a href=\"/wiki/T" + std::to_string(i) + "\">T" + std::to_string(i) +
                "</a></li>\n";
    const WikiImport result = parseWikiList(page("", "<ul>" + rows + "</ul>"), "Gen");
    ASSERT_EQ(result.table.rows.size(), 6001u);
    ASSERT_EQ(result.availItems.size(), 6001u);
    EXPECT_EQ(result.table.rows.back().link, "/wiki/T6000");
}

#endif

} // namespace
} // namespace kestrova
