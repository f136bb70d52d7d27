#include "reference/title_matcher.h"

#include "platform/text_codec.h"
#include "reference/match_outcome.h"
#include "reference/oracle_matcher.h"
#include "reference/wiki_list_import.h"
#include "reference/wiki_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
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
    EXPECT_EQ(normaliseTitle("Caf\xE9 2: the game"), "CAF2:THEGAME");
    EXPECT_EQ(normaliseRomName("Caf\xC3\xA9 \xE2\x98\x83 racer_2"), "CAFRACER2");
}

TEST(TitleMatcher, MatchValueScores)
{
    struct Case
    {
        std::string mot1, mot2;
        bool A;
        double value;
    };
    const std::vector<Case> cases = {
        {"ABC", "ABC", true, 2},        // the whole name occurs: n - 1
        {"XABC", "ABC", true, 2},       // an occurring suffix earns its length - 1
        {"ABCX", "ABC", true, 2},       // the longest prefix that occurs, minus 1
        {"XYZABCDQ", "ABCD", true, -2}, // a late piece is charged its start: 0 - 4 / 2
        {"ABCDEF", "ABCXYZ", true, 2},  // six characters rank by the piece alone
        {"ABCDEFG", "ABCXYZ", true, -1.5},
        {"", "ABC", true, 0},
        {"A", "", true, 0},
        {"ABC", "ABC", false, 1},
        {"AB", "A", false, 0.75},
        {std::string("AB\0", 3), "AB", false, 1}, // code 0 is not counted
        {"", "ABC", false, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(MatchValue(c.mot1, c.mot2, c.A), c.value) << c.mot1 << " / " << c.mot2;
        EXPECT_EQ(oracle::MatchValue(c.mot1, c.mot2, c.A), c.value) << c.mot1 << " / " << c.mot2;
    }
}

TEST(TitleMatcher, SearchKeepsTheEarlierRowOnTies)
{
    const WikiTable table{{{"", ""},
                           {"Star Quest", "/wiki/A"},
                           {"Other", "/wiki/B"},
                           {"STAR QUEST", "/wiki/C"},
                           {"star-quest", "/wiki/D"}}};
    const TitleMatcher matcher(table);
    EXPECT_EQ(matcher.titleCount(), 4u);
    const SearchResult found = matcher.searchBest("STARQUEST");
    EXPECT_EQ(found.row, 1);
    EXPECT_EQ(found.score, 8);

    const SearchResult none = TitleMatcher(WikiTable{{{"", "/wiki/x"}}}).searchBest("ABC");
    EXPECT_FALSE(none.row.has_value());
    EXPECT_EQ(none.score, SearchResult::kStartScore);
}

TEST(TitleMatcher, RowsPast6000AreNotSearched)
{
    WikiTable table;
    for (int i = 0; i < 6003; ++i)
        table.rows.push_back({"Filler " + std::to_string(i), "/wiki/F"});
    table.rows[6002].title = "Exact Title";
    const SearchResult found = TitleMatcher(table).searchBest("EXACTTITLE");
    ASSERT_TRUE(found.row.has_value());
    EXPECT_LE(*found.row, 6000);
    EXPECT_LT(found.score, 9); // the exact title would score 9
}

// Random texts for the equivalence checks: small alphabets give long shared pieces and many
// ties; lengths include the empty text, one character and both sides of a 64-bit word.
class TextSource
{
public:
    explicit TextSource(unsigned seed) : m_rng(seed) {}

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(m_rng); }

    size_t length()
    {
        static const std::vector<size_t> kFixed = {0, 1, 2, 6, 7, 63, 64, 65, 120};
        return below(3) == 0 ? kFixed[size_t(below(int(kFixed.size())))] : size_t(below(25));
    }

    std::string text(std::string_view alphabet, size_t size)
    {
        std::string out;
        for (size_t i = 0; i < size; ++i)
            out += alphabet[size_t(below(int(alphabet.size())))];
        return out;
    }

    std::string anyText(size_t size)
    {
        static const std::string kAllBytes = [] {
            std::string all;
            for (int c = 0; c < 256; ++c)
                all += char(c);
            return all;
        }();
        static const std::vector<std::string> kAlphabets = {
            "A",
            "AB",
            "ABC",
            "0123456789:ABCDEFGHIJKLMNOPQRSTUVWXYZ",
            "ABab :-",
            "ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz0123456789'&:-!.\xE9\xC9\xFF",
            kAllBytes};
        return text(kAlphabets[size_t(below(int(kAlphabets.size())))], size);
    }

private:
    std::mt19937 m_rng;
};

TEST(TitleMatcher, MatchValueEqualsTheLiteralAlgorithm)
{
    TextSource source(20260611);
    for (int i = 0; i < 6000; ++i) {
        const std::string mot1 = source.anyText(source.length());
        const std::string mot2 = source.below(4) == 0
                                     ? mot1.substr(size_t(source.below(int(mot1.size()) + 1)))
                                     : source.anyText(source.length());
        for (const bool A : {true, false}) {
            ASSERT_EQ(MatchValue(mot1, mot2, A), oracle::MatchValue(mot1, mot2, A))
                << "pair " << i << " A=" << A << " [" << mot1 << "] [" << mot2 << "]";
        }
    }
}

WikiTable randomTable(TextSource &source, int rowCount)
{
    WikiTable table;
    for (int r = 0; r < rowCount; ++r) {
        const int kind = source.below(8);
        std::string title;
        if (kind == 0)
            title = "";
        else if (kind == 1 && !table.rows.empty())
            title = table.rows[size_t(source.below(int(table.rows.size())))].title;
        else
            title = source.anyText(source.length());
        const std::string link = source.below(5) == 0 ? "/w/index.php?title=X" : "/wiki/T";
        table.rows.push_back({title, link + std::to_string(r)});
    }
    return table;
}

std::string randomRomName(TextSource &source, const WikiTable &table)
{
    if (source.below(3) == 0 && !table.rows.empty()) {
        std::string name = table.rows[size_t(source.below(int(table.rows.size())))].title;
        name = decodeProgramText(name);
        return name.substr(size_t(source.below(int(name.size()) + 1))) + source.text("AB 1", 3);
    }
    return decodeProgramText(source.anyText(source.length()));
}

void expectSameSearch(const WikiTable &table, const std::string &name, int caseNumber)
{
    const WikiImport list{table, {}};
    const TitleMatcher matcher(table);
    const oracle::SearchOutcome expected = oracle::SearchMatch(table, name, kRoot);
    const MatchOutcome outcome = matchRom(matcher, list, name, kRoot);
    const std::string context = "case " + std::to_string(caseNumber) + " name [" + name + "]";
    ASSERT_EQ(outcome.jeu, expected.jeu) << context;
    ASSERT_EQ(outcome.row.has_value(), expected.anyTitle) << context;
    if (outcome.row) {
        ASSERT_EQ(*outcome.row, expected.bestRow) << context;
    }
    ASSERT_EQ(outcome.score, expected.bestScore) << context;
    ASSERT_EQ(outcome.m, expected.m) << context;
    ASSERT_EQ(outcome.color, (MeterColor{expected.red, expected.green, expected.blue})) << context;
    ASSERT_EQ(outcome.caption, displayTitle(expected.caption)) << context;
    ASSERT_EQ(outcome.address, displayTitle(expected.address)) << context;
}

TEST(TitleMatcher, SearchEqualsTheLiteralAlgorithm)
{
    TextSource source(7041);
    for (int i = 0; i < 3000; ++i) {
        const WikiTable table = randomTable(source, source.below(40));
        expectSameSearch(table, randomRomName(source, table), i);
    }
}

TEST(TitleMatcher, LongTextsAndUnnormalisedNamesAgree)
{
    // Titles past 255 symbols and names of several 64-bit words take their own paths.
    TextSource source(5);
    WikiTable table;
    table.rows.push_back({source.text("AB", 200), "/wiki/1"});
    table.rows.push_back({std::string(300, 'A') + "B", "/wiki/2"});
    table.rows.push_back({source.text("AB", 280), "/wiki/3"});
    table.rows.push_back({"AB AB", "/wiki/4"});
    const std::vector<std::string> names = {std::string(290, 'A'), source.text("AB", 200),
                                            table.rows[2].title.substr(0, 150), "ABBA"};
    for (size_t i = 0; i < names.size(); ++i)
        expectSameSearch(table, names[i], int(i));

    const TitleMatcher matcher(table);
    for (const std::string jeu : {"ab AB", "A-B", "?"}) {
        SearchResult expected;
        for (size_t r = 0; r < table.rows.size(); ++r) {
            const double v = oracle::MatchValue(jeu, normaliseTitle(table.rows[r].title), true);
            if (v > expected.score) {
                expected.score = v;
                expected.row = int(r);
            }
        }
        const SearchResult found = matcher.searchBest(jeu);
        EXPECT_EQ(found.row, expected.row) << jeu;
        EXPECT_EQ(found.score, expected.score) << jeu;
    }
}

TEST(TitleMatcher, SearchEqualsTheLiteralAlgorithmOnAFullList)
{
    TextSource source(99);
    WikiTable table = randomTable(source, WikiTable::kRowCount + 3);
    for (int i = 0; i < 8; ++i)
        expectSameSearch(table, randomRomName(source, table), i);
}

} // namespace
} // namespace kestrova
