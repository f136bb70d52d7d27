#include "schemes/scheme_file.h"

#include <gtest/gtest.h>

#include <random>

namespace kestrova {
namespace {

TEST(SchemeFile, WritesNineCrLfLinesWithTheSignColumnAndReadsThemBack)
{
    const SchemeColors colors = {0, 255, rgb(1, 2, 3), systemColor(15), 16777215, -1, 7, 8};
    EXPECT_EQ(writeSchemeFile(colors, "Blue"),
              " 0 \r\n 255 \r\n 197121 \r\n-2147483633 \r\n 16777215 \r\n-1 \r\n 7 \r\n 8 \r\n"
              "Blue\r\n");
    const auto back = parseSchemeFile(writeSchemeFile(colors, "Blue"));
    for (int k = 0; k < kSchemeSlots; ++k)
        EXPECT_EQ(back.color(k), colors[size_t(k)]) << k;
    EXPECT_EQ(back.imageSet(), "Blue");
}

TEST(SchemeFile, ReadsAnyLineEndsMissingLinesAsZeroAndGarbageAsTheToolkitColour)
{
    const auto file = parseSchemeFile("\xEF\xBB\xBF  12  \n-5\rabc\r\n12abc\n 99999999999 \n\n");
    const auto &toolkit = kToolkitSlots;
    const Color expected[kSchemeSlots] = {12, -5, toolkit[2], toolkit[3], toolkit[4], toolkit[5],
                                          0, 0}; // the last two: no line
    for (int k = 0; k < kSchemeSlots; ++k)
        EXPECT_EQ(file.color(k), expected[k]) << k;
    EXPECT_EQ(file.imageSet(), "");
    EXPECT_FALSE(file.isBlank());
    EXPECT_EQ(parseSchemeFile("1\n2\n3\n4\n5\n6\n7\n8\nSet\nextra\n").lines.size(), 9u);
    EXPECT_TRUE(parseSchemeFile("").isBlank());
    EXPECT_TRUE(parseSchemeFile("  \r\n\r\n").isBlank());

    for (const char *bad : {"", " ", "+-5", "- 5", "1 2", "0x10", "2147483648"})
        EXPECT_FALSE(parseColorLine(bad).has_value()) << '"' << bad << '"';
    EXPECT_EQ(parseColorLine("+7"), 7);
    EXPECT_EQ(parseColorLine("\t-2147483648 "), -2147483647 - 1);
}

// What choosing a scheme copies: its first nine lines with their own line ends, byte for byte,
// which read as the whole file does.
TEST(SchemeFile, TheHeadIsTheNineLinesAsWritten)
{
    std::mt19937 random(19);
    const char *ends[] = {"\r\n", "\n", "\r"};
    for (int trial = 0; trial < 500; ++trial) {
        std::string bytes;
        std::string nine;
        const int lines = int(random() % 14);
        for (int k = 0; k < lines; ++k) {
            std::string line(1 + random() % 5, ' '); // never empty: "\r" + "\n" is one end
            for (auto &c : line)
                c = char('0' + random() % 10);
            // A last line may lack its end.
            line += k + 1 == lines && random() % 2 ? "" : ends[random() % 3];
            bytes += line;
            if (k < 9)
                nine += line;
        }
        EXPECT_EQ(schemeFileHead(bytes), nine) << testing::PrintToString(bytes);
        EXPECT_EQ(parseSchemeFile(schemeFileHead(bytes)).lines, parseSchemeFile(bytes).lines)
            << testing::PrintToString(bytes);
    }
}

TEST(SchemeFile, TypedNamesMustBeFileNames)
{
    for (const char *good : {"Dark", "My scheme 2", "été", "a.b", "CONSOLE"})
        EXPECT_FALSE(schemeNameProblem(good).has_value()) << good;
    for (const char *bad : {"a/b", "a\\b", "..", "../evil", "x..y", "a:b", "a*b", "a?b", "a\"b",
                            "<a", "a>", "a|b", "tab\there", "CON", "nul", "com1", "LPT9.x"})
        EXPECT_TRUE(schemeNameProblem(bad).has_value()) << bad;
}

} // namespace
} // namespace kestrova
