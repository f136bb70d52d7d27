#include "reference/title_corrections.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kestrova {
namespace {

// Whatever names are set, the file reads back as the same choices, and a name that cannot sit on
// one line is refused rather than kept broken.
TEST(TitleCorrections, SavedChoicesReadBackTheSame)
{
    std::mt19937 rng(2407);
    // Names as the lists show them: UTF-8 text.
    const std::vector<std::string> alphabet = {"A", "b", " ", "(U)", "[!]", ".", "\t", "\r",
                                               "\n", "\xC3\xA9"};
    auto name = [&] {
        std::string out;
        for (int n = std::uniform_int_distribution<int>(0, 6)(rng); n > 0; --n)
            out += alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(rng)];
        return out;
    };
    for (int i = 0; i < 2000; ++i) {
        TitleCorrections choices;
        for (int k = 0; k < 4; ++k) {
            const std::string rom = name(), title = name();
            const bool plain = !rom.empty() && !title.empty() &&
                               rom.find_first_of("\t\r\n") == std::string::npos &&
                               title.find_first_of("\t\r\n") == std::string::npos;
            ASSERT_EQ(choices.set(rom, title), plain) << "[" << rom << "] [" << title << "]";
            if (plain) {
                ASSERT_EQ(*choices.titleFor(rom), title);
            }
        }
        const TitleCorrections back = TitleCorrections::parse(choices.text());
        ASSERT_EQ(back.text(), choices.text()) << choices.text();
        for (const auto &entry : choices.entries())
            ASSERT_EQ(*back.titleFor(entry.romFile), entry.title);
    }
    TitleCorrections one = TitleCorrections::parse("no tab here\r\nA.nes\tAstro\r\n");
    EXPECT_EQ(one.entries().size(), 1u);
    EXPECT_TRUE(one.forget("A.nes"));
    EXPECT_FALSE(one.forget("A.nes"));
    EXPECT_EQ(correctionsFileFor("lists/Game Boy.htm"), "lists/Game Boy.corrections.txt");
}

} // namespace
} // namespace kestrova
