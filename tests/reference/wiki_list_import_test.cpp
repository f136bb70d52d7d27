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
// avail_L item differs from the row's title.
std::string describe(const WikiImport &result)
{
    std::string out;
    for (size_t r = 0; r < std::max(result.table.rows.size(), result.availItems.size()); ++r) {
        const WikiRow row = r < result.table.rows.size() ? result.table.rows[r] : WikiRow{};
        const std::string item = r < result.availItems.size() ? result.availItems[r] : "<none>";
        out += (r ? " | " : "") + row.title + "<" + row.link + ">";
        if (item != row.title)
            out += "[" + item + "]";
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

TEST(WikiListImport, TakesATitleCompletedByTheLastLine)
{
    const std::string page =
        crlf({"A", "*Gear Racer <wiki/Gear_Racer>", "/Penguin Dungeon",
              "**Derby Circuit <wiki/Derby_Circuit>"});
    EXPECT_EQ(describe(parseWikiList(page, "Gen")),
              "Gear Racer</wiki/Gear_Racer>[Gear Racer ] | "
              "Penguin Dungeon**Derby Circuit</wiki/Derby_Circuit>"
              "[Penguin Dungeon**Derby Circuit ]");
    // A lone CR ending the file, even while a title is being joined, ends the import cleanly.
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

} // namespace
} // namespace kestrova
