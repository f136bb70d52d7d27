#include "platform/mnemonics.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <set>

namespace kestrova {
namespace {

std::string shown(const std::vector<std::string> &captions)
{
    std::string text;
    for (const auto &caption : captions)
        text += "[" + caption + "]";
    return text;
}

// Random menus of words built from a few letters, so that letters collide often: every mark
// points at a letter or digit of its caption, no two marks share a letter, and a caption goes
// without one only when all of its letters are taken.
TEST(Mnemonics, EachCaptionGetsAFreeLetterOfItsOwn)
{
    std::mt19937 random(23);
    const std::string alphabet = "abcAB1 -&";
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::string> captions(1 + random() % 8);
        for (auto &caption : captions) {
            caption.resize(random() % 7);
            for (char &c : caption)
                c = alphabet[random() % alphabet.size()];
        }
        const auto marks = chooseMnemonics(captions);
        ASSERT_EQ(marks.size(), captions.size());
        std::set<char> taken;
        for (std::size_t i = 0; i < captions.size(); ++i) {
            if (marks[i] == kNoMnemonic)
                continue;
            ASSERT_LT(marks[i], captions[i].size()) << shown(captions);
            const char c = captions[i][marks[i]];
            ASSERT_TRUE(std::isalnum(static_cast<unsigned char>(c))) << shown(captions);
            ASSERT_TRUE(taken.insert(char(std::tolower(c))).second) << shown(captions);
        }
        for (std::size_t i = 0; i < captions.size(); ++i) {
            if (marks[i] != kNoMnemonic || captions[i] == "-")
                continue;
            for (char c : captions[i]) {
                if (std::isalnum(static_cast<unsigned char>(c))) {
                    EXPECT_TRUE(taken.contains(char(std::tolower(c)))) << shown(captions);
                }
            }
        }
    }
}

TEST(Mnemonics, FirstLettersFirstThenWordStarts)
{
    const std::vector<std::string> menu = {"Save", "Manufacturers", "Platforms", "Emulators",
                                           " Cycle Schemes", "Cycle NavBar Sets", "-"};
    EXPECT_EQ(chooseMnemonics(menu),
              (std::vector<std::size_t>{0, 0, 0, 0, 1, 6, kNoMnemonic}));
}

} // namespace
} // namespace kestrova
