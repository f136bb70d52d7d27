#include "reference/title_matcher.h"

#include "platform/text_codec.h"
#include "reference/match_outcome.h"
#include "reference/oracle_matcher.h"
#include "reference/wiki_list_import.h"
#include "reference/wiki_search.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace kestrova {
namespace {

const std::string kRoot = "http://en.wikipedia.org";

TEST(TitleMatcher, NandLKeepsDigitsColonAndCapitals)
{
    EXPECT_EQ(NandL("SPACE RACE 3."), "SPACERACE3");
    EXPECT_EQ(NandL("ABC: DEF"), "ABC:DEF");
    EXPECT_EQ(NandL("CAF\xC9"), "CAF");
    EXPECT_EQ(NandL("Abc"), "A");
    EXPECT_EQ(normaliseRomName("Caf\xC3\xA9 \xE2\x98\x83 racer_2"), "CAFRACER2");
}

// Known values anchor the oracle too: the equivalence tests below only compare the two.
TEST(TitleMatcher, MatchValueScores)
{
    const std::vector<std::tuple<std::string, std::string, bool, double>> cases = {
        {"ABC", "ABC", true, 2},        // the whole name occurs: n - 1
        {"XABC", "ABC", true, 2},       // an occurring suffix earns its length - 1
        {"ABCX", "ABC", true, 2},       // the longest prefix that occurs, minus 1
        {"XYZABCDQ", "ABCD", true, -2}, // a late piece is charged its start: 0 - 4 / 2
        {"ABCDEF", "ABCXYZ", true, 2},  // six characters rank by the piece alone
        {"ABCDEFG", "ABCXYZ", true, -1.5}, {"", "ABC", true, 0}, {"A", "", true, 0},
        {"ABC", "ABC", false, 1}, {"AB", "A", false, 0.75}, {"", "ABC", false, 0},
        {std::string("AB\0", 3), "AB", false, 1}, // code 0 is not counted
    };
    for (const auto &[mot1, mot2, A, value] : cases) {
        EXPECT_EQ(MatchValue(mot1, mot2, A), value) << mot1 << " / " << mot2;
        EXPECT_EQ(oracle::MatchValue(mot1, mot2, A), value) << mot1 << " / " << mot2;
    }
}

TEST(TitleMatcher, SearchLooksAtTheFirst6001RowsOnly)
{
    WikiTable table;
    while (table.rows.size() < 6000)
        table.rows.push_back({"Filler " + std::to_string(table.rows.size()), "/wiki/F"});
    table.rows.push_back({"Exact Title", "/wiki/E"}); // row 6000, the last one searched
    EXPECT_EQ(TitleMatcher(table).searchBest("EXACTTITLE").row, 6000);
    table.rows.insert(table.rows.begin(), {"Filler", "/wiki/F"});
    EXPECT_LT(TitleMatcher(table).searchBest("EXACTTITLE").score, 9); // it would score 9
}

// Random texts: small alphabets give long shared pieces and many ties; lengths include the
// empty text, one character, 120 and both sides of a 64-bit word. An empty alphabet means
// any byte.
class TextSource
{
public:
    explicit TextSource(unsigned seed) : m_rng(seed) {}

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(m_rng); }

    std::string text(std::string_view alphabet, size_t size)
    {
        std::string out;
        const int symbols = alphabet.empty() ? 256 : int(alphabet.size());
        for (size_t i = 0; i < size; ++i)
            out += alphabet.empty() ? char(below(symbols)) : alphabet[size_t(below(symbols))];
        return out;
    }

    std::string anyText()
    {
        static const std::vector<size_t> kLengths = {0, 1, 2, 6, 7, 63, 64, 65, 120};
        static const std::vector<std::string> kAlphabets = {
            "A", "AB", "ABC", "0123456789:ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABab :-",
            "ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz0123456789'&:-!.\xE9\xC9\xFF",
            ""};
        const size_t size = below(3) == 0 ? kLengths[size_t(below(9))] : size_t(below(25));
        return text(kAlphabets[size_t(below(int(kAlphabets.size())))], size);
    }

    WikiTable table(int rowCount)
    {
        WikiTable table;
        for (int r = 0; r < rowCount; ++r) {
            const int kind = below(8);
            std::string title = kind == 0 ? "" : anyText();
            if (kind == 1 && !table.rows.empty())
                title = table.rows[size_t(below(int(table.rows.size())))].title;
            const std::string link = below(5) == 0 ? "/w/index.php?title=X" : "/wiki/T";
            // Some rows carry other names, now and then one no letter of which is kept.
            std::vector<std::string> aliases;
            for (int a = below(4) == 0 ? below(3) + 1 : 0; a > 0; --a)
                aliases.push_back(below(6) == 0 ? text("ab\xE9", 3) : anyText());
            table.rows.push_back({title, link + std::to_string(r), aliases});
        }
        return table;
    }

    // Often a tail of a listed title with a few more symbols, so that searches are close.
    std::string romName(const WikiTable &table)
    {
        if (below(3) != 0 || table.rows.empty())
            return decodeProgramText(anyText());
        const std::string name =
            decodeProgramText(table.rows[size_t(below(int(table.rows.size())))].title);
        return name.substr(size_t(below(int(name.size()) + 1))) + text("AB 1", 3);
    }

private:
    std::mt19937 m_rng;
};

TEST(TitleMatcher, MatchValueEqualsTheLiteralAlgorithm)
{
    TextSource source(20260611);
    for (int i = 0; i < 6000; ++i) {
        const std::string mot1 = source.anyText();
        const std::string mot2 = source.below(4) == 0
                                     ? mot1.substr(size_t(source.below(int(mot1.size()) + 1)))
                                     : source.anyText();
        for (const bool A : {true, false}) {
            ASSERT_EQ(MatchValue(mot1, mot2, A), oracle::MatchValue(mot1, mot2, A))
                << "pair " << i << " A=" << A << " [" << mot1 << "] [" << mot2 << "]";
        }
    }
}

void expectSameSearch(const WikiTable &table, const std::string &name)
{
    const oracle::SearchOutcome e = oracle::SearchMatch(table, name, kRoot);
    const MatchOutcome o = matchRom(TitleMatcher(table), WikiImport{table, {}}, name, kRoot);
    ASSERT_EQ(std::tie(o.jeu, o.row, o.name, o.score, o.m, o.color, o.caption, o.address),
              std::make_tuple(e.jeu, e.anyTitle ? std::optional(e.bestRow) : std::nullopt,
                              e.bestName, e.bestScore, e.m, MeterColor{e.red, e.green, e.blue},
                              displayTitle(e.caption), displayTitle(e.address)))
        << "name [" << name << "]";
}

TEST(TitleMatcher, SearchEqualsTheLiteralAlgorithm)
{
    TextSource source(7041);
    for (int i = 0; i < 3000; ++i) {
        const WikiTable table = source.table(source.below(40));
        ASSERT_NO_FATAL_FAILURE(expectSameSearch(table, source.romName(table)));
    }
    const WikiTable full = source.table(WikiTable::kRowCount + 3);
    for (int i = 0; i < 8; ++i)
        ASSERT_NO_FATAL_FAILURE(expectSameSearch(full, source.romName(full)));

    // Titles past 255 symbols and names of several 64-bit words take their own paths.
    const WikiTable longTitles{{{source.text("AB", 200), "/wiki/1"},
                                {std::string(300, 'A') + "B", "/wiki/2"},
                                {source.text("AB", 280), "/wiki/3"},
                                {"AB AB", "/wiki/4"}}};
    for (const std::string &name : {std::string(290, 'A'), source.text("AB", 200),
                                    longTitles.rows[2].title.substr(0, 150), std::string("ABBA")})
        ASSERT_NO_FATAL_FAILURE(expectSameSearch(longTitles, name));
}

// The runner-up, literally: the search over a table without the best row.
std::optional<int> literalRunnerUp(const WikiTable &table, const std::string &name, int bestRow)
{
    WikiTable others = table;
    others.rows[size_t(bestRow)] = WikiRow{};
    const oracle::SearchOutcome e = oracle::SearchMatch(others, name, kRoot);
    return e.anyTitle ? std::optional(e.bestRow) : std::nullopt;
}

TEST(TitleMatcher, RunnerUpAndScoreTermsEqualTheLiteralAlgorithm)
{
    TextSource source(5150);
    for (int i = 0; i < 3000; ++i) {
        const WikiTable table = source.table(source.below(40));
        const std::string name = source.romName(table);
        const std::string jeu = normaliseRomName(name);
        const TitleMatcher matcher(table);
        const SearchResult best = matcher.searchBest(jeu);
        if (!best.row)
            continue;
        const SearchResult second = matcher.searchRunnerUp(jeu, *best.row);
        ASSERT_EQ(second.row, literalRunnerUp(table, name, *best.row)) << "name [" << name << "]";
        if (!second.row)
            continue;
        const std::string t =
            normaliseTitle(rowName(table.rows[size_t(*second.row)], second.name));
        const MatchTerms terms = matchTerms(jeu, t);
        ASSERT_EQ(terms.score, second.score) << "name [" << name << "]";
        ASSERT_EQ(terms.score, oracle::MatchValue(jeu, t, true));
        ASSERT_EQ(terms.score, jeu.size() > 6 ? terms.piece - double(terms.difference) / 2
                                              : terms.piece);
        ASSERT_GE(best.score, second.score);
    }
    const WikiTable one{{{"ONLY", "/wiki/1"}}};
    EXPECT_FALSE(TitleMatcher(one).searchRunnerUp("ONLY", 0).row);
}

// Short names rank by the longest piece alone, so a compilation that holds the name ties with
// the exact title; the title closest in length to the name must win, wherever it is listed.
TEST(TitleMatcher, TiesGoToTheTitleClosestInLength)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"Tetris (W) (V1.1) [!].gb",
         {"Mani 4 in 1 - Tetris + Alleyway + Yakuman + Tennis", "Tetris", "Tetris 2"}},
        {"X-Men (U) [!].smd", {"Spider-Man - X-Men - Arcade's Revenge", "X-Men"}},
        {"Gods (U) [!].smd", {"Asterix and the Power of the Gods", "Gods"}},
    };
    for (const auto &[file, titles] : cases) {
        WikiTable table;
        for (const std::string &title : titles)
            table.rows.push_back({title, "/wiki/" + title});
        const MatchOutcome o =
            matchRom(TitleMatcher(table), WikiImport{table, {}}, cleanRomName(file), kRoot);
        EXPECT_EQ(o.title, titles[1]) << file;
        EXPECT_EQ(oracle::SearchMatch(table, cleanRomName(file), kRoot).bestRow, 1) << file;
        // Scores are unchanged: both rows still score the same.
        EXPECT_EQ(MatchValue(o.jeu, normaliseTitle(titles[0]), true), o.score) << file;
    }
}

TEST(MatchOutcome, CleansRomNames)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Game Title (U) [!].nes", "Game Title"}, {"[BIOS] Sys.rom", "[BIOS] Sys"},
        {"(Proto) Game .bin", "(Proto) Game "},   {"My_Game.zip", "MyGame"},
        {"Game [a] (b).x.zip", "Game"},           {"  Spaced  Name  .sms", "Spaced  Name"},
        {"No Dot At All", "No Dot At All"},       {"Half (Beta", "Half"},
        {".hidden", ""},                          {"", ""}};
    for (const auto &[file, name] : cases)
        EXPECT_EQ(cleanRomName(file), name) << file;
}

TEST(MatchOutcome, MeterColourRoundsHalvesToEven)
{
    EXPECT_EQ(meterColor(0.5), (MeterColor{255, 64, 50}));
    EXPECT_EQ(meterColor(1.0), (MeterColor{50, 205, 50}));
    // 255 - 102.5 and 64 + 70.5: both halves go to the even neighbour.
    EXPECT_EQ(meterColor(0.75), (MeterColor{152, 134, 50}));
}

TEST(MatchOutcome, RomClickResults)
{
    const WikiImport list =
        parseWikiList("A\r\n*Lost Game <w/index.php?title=Lost_Game>\r\nx", "Gen");
    const MatchOutcome missing = matchRom(TitleMatcher(list.table), list, "Lost Game", kRoot);
    EXPECT_EQ(missing.caption, "Lost Game(no article)");
    EXPECT_EQ(missing.address, "http://en.wikipedia.org/w/index.php?title=Lost_Game");
    EXPECT_EQ(missing.matchesText, "No article about Lost Game "); // the list item, untrimmed

    // No title at all: nothing is the best row, and row 0 is shown.
    const WikiImport blank{WikiTable{{{"", "/w/index.php?title=Blank"}}}, {""}};
    const MatchOutcome none = matchRom(TitleMatcher(blank.table), blank, "Game", kRoot);
    EXPECT_FALSE(none.row.has_value());
    EXPECT_EQ(none.shownRow, 0);
    EXPECT_EQ(none.caption, "(no article)");
    EXPECT_EQ(none.matchesText, "No article about ");
}

} // namespace
} // namespace kestrova
