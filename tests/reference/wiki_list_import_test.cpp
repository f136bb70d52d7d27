#include "reference/wiki_list_import.h"
#include "reference/wiki_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kestrova {
namespace {

struct ImportCase
{
    const char *name;
    std::string platform;
    std::string page;
    std::vector<WikiRow> rows;
    std::vector<std::string> avail;
};

std::string crlf(const std::vector<std::string> &lines)
{
    std::string out;
    for (const auto &line : lines)
        out += line + "\r\n";
    return out;
}

std::string describe(const WikiImport &result)
{
    std::string out;
    for (size_t r = 0; r < result.table.rows.size(); ++r) {
        out += "  row " + std::to_string(r) + ": [" + result.table.rows[r].title + "] [" +
               result.table.rows[r].link + "]\n";
    }
    for (const auto &item : result.availItems)
        out += "  item: [" + item + "]\n";
    return out;
}

void expectImport(const ImportCase &c)
{
    const WikiImport result = parseWikiList(c.page, c.platform);
    ImportCase expected = c;
    WikiImport wanted{WikiTable{expected.rows}, expected.avail};
    EXPECT_EQ(describe(result), describe(wanted)) << "case: " << c.name;
}

const std::string kTail = "Trailing line\r\n";

TEST(WikiListImport, HeadersStartTheList)
{
    const std::string title = "*Zed<wiki/Zed>\r\n";
    const std::vector<ImportCase> cases = {
        {"spaced A",
         "Genesis",
         crlf({"intro", " A "}) + title + kTail,
         {{"Zed", "/wiki/Zed"}},
         {"Zed"}},
        {"lower a is not a header", "Genesis", crlf({"a"}) + title + kTail, {}, {}},
        {"numbers in any case",
         "Genesis",
         crlf({"  numbers"}) + title + kTail,
         {{"Zed", "/wiki/Zed"}},
         {"Zed"}},
        {"Magnavox games",
         "Genesis",
         crlf({"Magnavox games"}) + title + kTail,
         {{"Zed", "/wiki/Zed"}},
         {"Zed"}},
        {"0-9", "Genesis", crlf({"0-9"}) + title + kTail, {{"Zed", "/wiki/Zed"}}, {"Zed"}},
        {"hash", "Genesis", crlf({"#"}) + title + kTail, {{"Zed", "/wiki/Zed"}}, {"Zed"}},
        {"en dash bytes",
         "Genesis",
         crlf({"0\xE2\x80\x93"
               "9"}) +
             title + kTail,
         {{"Zed", "/wiki/Zed"}},
         {"Zed"}},
        {"tab is not trimmed", "Genesis", crlf({"\tA"}) + title + kTail, {}, {}},
        {"no header", "Genesis", title + kTail, {}, {}},
        {"header is the last line", "Genesis", crlf({"x", "A"}), {}, {}},
        {"empty file", "Genesis", "", {}, {}},
    };
    for (const auto &c : cases)
        expectImport(c);
}

TEST(WikiListImport, GeneralRuleTitleLines)
{
    const std::vector<ImportCase> cases = {
        {"spaced title keeps its space in the list",
         "SNES",
         crlf({"A", "*Title <wiki/Title_page> (1990)", "end"}),
         {{"Title", "/wiki/Title_page"}},
         {"Title "}},
        {"slash lines, and one leading slash of the title dropped",
         "SNES",
         crlf({"A", "  /Slash<wiki/S>", "*/Inner<wiki/I>", "end"}),
         {{"Slash", "/wiki/S"}, {"Inner", "/wiki/I"}},
         {"Slash", "Inner"}},
        {"link stops at the first > or <, then trimmed",
         "SNES",
         crlf({"A", "*One< wiki/1 <b>", "*Two<wiki/2>x<y>", "*Three<>", "end"}),
         {{"One", "/wiki/1"}, {"Two", "/wiki/2"}, {"Three", "/"}},
         {"One", "Two", "Three"}},
        {"lines passed over",
         "SNES",
         crlf({"A", "*No tag here>", "*Sec[edit]<wiki/E>", "plain<wiki/P>", "\t*Tab<wiki/T>",
               "*Kept<wiki/K>", "end"}),
         {{"Kept", "/wiki/K"}},
         {"Kept"}},
        {"empty title still takes a row",
         "SNES",
         crlf({"A", "*<wiki/Nothing>", "end"}),
         {{"", "/wiki/Nothing"}},
         {""}},
        {"title on the last line is never taken",
         "SNES",
         crlf({"A", "*First<wiki/F>", "*Last<wiki/L>"}),
         {{"First", "/wiki/F"}},
         {"First"}},
        {"also without a final line end",
         "SNES",
         "A\r\n*First<wiki/F>\r\n*Last<wiki/L>",
         {{"First", "/wiki/F"}},
         {"First"}},
        {"lone LF and lone CR end lines",
         "SNES",
         "A\n*One<wiki/1>\r*Two<wiki/2>\n\rend",
         {{"One", "/wiki/1"}, {"Two", "/wiki/2"}},
         {"One", "Two"}},
    };
    for (const auto &c : cases)
        expectImport(c);
}

TEST(WikiListImport, GeneralRuleJoiningAndEndMarkers)
{
    const std::vector<ImportCase> cases = {
        {"joined without separator",
         "SNES",
         crlf({"A", "*Brick Breaker", "  Deluxe <wiki/BBD> (1989)", "end"}),
         {{"Brick BreakerDeluxe", "/wiki/BBD"}},
         {"Brick BreakerDeluxe "}},
        {"a bare star joins the next title line",
         "SNES",
         crlf({"A", "*", "*Kept<wiki/K>", "end"}),
         {{"*Kept", "/wiki/K"}},
         {"*Kept"}},
        {"at most four lines joined",
         "SNES",
         crlf({"A", "*T<wiki/a", "b", "c", "d", "e", "f>", "*U<wiki/u>", "end"}),
         {{"T", "/wiki/abcde"}, {"U", "/wiki/u"}},
         {"T", "U"}},
        {"Retrieved from joined with its >",
         "SNES",
         crlf({"A", "*T<wiki/a", "Retrieved from x>", "*U<wiki/u>", "end"}),
         {{"T", "/wiki/aRetrieved from x"}, {"U", "/wiki/u"}},
         {"T", "U"}},
        {"Retrieved from joined without > ends at the next read",
         "SNES",
         crlf({"A", "*Z<wiki/z>", "*T<wiki/a", "Retrieved from x", "more>", "*U<wiki/u>", "x"}),
         {{"Z", "/wiki/z"}},
         {"Z"}},
        {"end of file while joining",
         "SNES",
         crlf({"A", "*Z<wiki/z>", "*T<wiki/a", "b>"}),
         {{"Z", "/wiki/z"}},
         {"Z"}},
        {"end markers after a title",
         "SNES",
         crlf({"A", "*Z<wiki/z>", "x Additional Notes x", "*U<wiki/u>", "end"}),
         {{"Z", "/wiki/z"}},
         {"Z"}},
        {"end marker after a line passed over",
         "SNES",
         crlf({"A", "*Z<wiki/z>", "plain", "*A reference must be provided for all titles*",
               "*U<wiki/u>", "end"}),
         {{"Z", "/wiki/z"}},
         {"Z"}},
        {"the first candidate is not tested for end markers",
         "SNES",
         crlf({"A", "*Retrieved from<wiki/r>", "end"}),
         {{"Retrieved from", "/wiki/r"}},
         {"Retrieved from"}},
    };
    for (const auto &c : cases)
        expectImport(c);
}

TEST(WikiListImport, BodyRule)
{
    const std::vector<ImportCase> cases = {
        {"pairs, the text after the final > dropped",
         "NES",
         crlf({"A", "Alpha<wiki/Alpha>", "Beta< wiki/Beta >tail", "end"}),
         {{"Alpha", "wiki/Alpha"}, {"Beta", "wiki/Beta"}},
         {"Alpha", "Beta"}},
        {"edit marks and short lines skipped, for every case of the name",
         "nes",
         crlf({"A", "[EDIT]x", "[edit] y", "ab", "Gam", "ma<g>", "end"}),
         {{"Gamma", "g"}},
         {"Gamma"}},
        {"rows stay compact",
         "Nes",
         crlf({"A", "One<1>junk>Two<2>", "end"}),
         {{"One", "1"}, {"Two", "2"}},
         {"One", "Two"}},
        {"slash pieces and slashed titles",
         "AMIGA",
         crlf({"A", "x<1>  /Beta<2>a/Delta/b<3>a/Eps<4>", "end"}),
         {{"x", "1"}, {"Beta", "2"}, {"Delta", "3"}, {"Eps", "4"}},
         {"x", "Beta", "Delta", "Eps"}},
        {"link up to the next <", "lynx", crlf({"A", "T<l1<l2>", "end"}), {{"T", "l1"}}, {"T"}},
        {"trimmed first, then TAB removed",
         "Lynx",
         crlf({"A", "\t Al\tpha<x> ", "end"}),
         {{"Alpha", "x"}},
         {" Alpha"}},
        {"collection stops at Retrieved from and at the last line",
         "NES",
         crlf({"A", "One<1>", "Retrieved from", "Two<2>", "end"}) + "Three<3>",
         {{"One", "1"}},
         {"One"}},
        {"last line not taken", "NES", crlf({"A", "One<1>", "Two<2>"}), {{"One", "1"}}, {"One"}},
    };
    for (const auto &c : cases)
        expectImport(c);
}

TEST(WikiListImport, StoresAtMost6001Rows)
{
    for (const std::string platform : {"SNES", "NES"}) {
        std::string page = "A\r\n";
        for (int i = 0; i < 6005; ++i)
            page += "*T" + std::to_string(i) + "<wiki/" + std::to_string(i) + ">\r\n";
        page += "end\r\n";
        const WikiImport result = parseWikiList(page, platform);
        ASSERT_EQ(result.table.rows.size(), 6001u) << platform;
        ASSERT_EQ(result.availItems.size(), 6001u) << platform;
        // The body rule keeps the "*" in the title.
        const std::string last = platform == "NES" ? "*T6000" : "T6000";
        EXPECT_EQ(result.table.rows.back().title, last);
        EXPECT_EQ(result.availItems.back(), last);
    }
}

TEST(WikiListImport, LoadsTheFileOfThePlatform)
{
    const std::filesystem::path appDir =
        std::filesystem::path(KESTROVA_TEST_DATA) / "reference" / "app";
    const auto list = LoadWikiList(appDir, "Sample Console");
    ASSERT_TRUE(list.has_value());
    ASSERT_EQ(list->table.rows.size(), 6u);
    EXPECT_EQ(list->table.rows[1].title, "Astro Miner");
    EXPECT_EQ(list->availItems[1], "Astro Miner ");
    EXPECT_EQ(list->table.rows[3].title, "Brick Breaker Deluxe");
    EXPECT_EQ(list->table.rows[4].link, "/w/index.php?title=Cafe_Panic&action=edit");
    EXPECT_EQ(displayTitle(list->table.rows[4].title), "Caf\xC3\xA9 Panic");
    EXPECT_EQ(displayTitle("Caf\xC3\xA9"), "Caf\xC3\xA9");
    EXPECT_EQ(list->table.rows[5].title, "Crystal Caves II");

    EXPECT_FALSE(LoadWikiList(appDir, "Missing Console").has_value());
    const auto temp = std::filesystem::temp_directory_path() / "kestrova_ref_unreadable";
    std::filesystem::create_directories(temp / "wikigameslists" / "Dir.htm");
    EXPECT_FALSE(LoadWikiList(temp, "Dir").has_value());
    std::filesystem::remove_all(temp);
}

} // namespace
} // namespace kestrova
