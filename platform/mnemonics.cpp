#include "platform/mnemonics.h"

#include <cctype>
#include <functional>
#include <set>

namespace kestrova {

namespace {

// Only ASCII letters and digits: a multi-byte letter cannot be told apart by one byte.
bool isMarkable(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 && (c & 0x80) == 0;
}

char folded(char c)
{
    return char(std::tolower(static_cast<unsigned char>(c)));
}

bool startsWord(const std::string &caption, std::size_t k)
{
    return k == 0 || !isMarkable(caption[k - 1]);
}

} // namespace

std::vector<std::size_t> chooseMnemonics(const std::vector<std::string> &captions)
{
    std::vector<std::size_t> chosen(captions.size(), kNoMnemonic);
    std::set<char> taken;
    using Rule = std::function<bool(const std::string &, std::size_t, bool first)>;
    const Rule rules[] = {
        [](const std::string &, std::size_t, bool first) { return first; },
        [](const std::string &caption, std::size_t k, bool) { return startsWord(caption, k); },
        [](const std::string &, std::size_t, bool) { return true; }};
    for (const auto &rule : rules) {
        for (std::size_t i = 0; i < captions.size(); ++i) {
            const std::string &caption = captions[i];
            if (chosen[i] != kNoMnemonic || caption == "-")
                continue;
            bool first = true;
            for (std::size_t k = 0; k < caption.size(); ++k) {
                if (!isMarkable(caption[k]))
                    continue;
                if (rule(caption, k, first) && !taken.contains(folded(caption[k]))) {
                    chosen[i] = k;
                    taken.insert(folded(caption[k]));
                    break;
                }
                first = false;
            }
        }
    }
    return chosen;
}

} // namespace kestrova
