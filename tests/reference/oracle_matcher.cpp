#include "reference/oracle_matcher.h"

#include "platform/text_codec.h"
#include "reference/wiki_table.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace kestrova::oracle {

namespace {

std::string replaceSpaces(std::string text)
{
    std::erase(text, ' ');
    return text;
}

std::string trim(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// Half to even, spelled out rather than relying on the rounding mode.
int roundHalfEven(double x)
{
    const double lower = std::floor(x);
    const double fraction = x - lower;
    if (fraction > 0.5)
        return int(lower) + 1;
    if (fraction < 0.5)
        return int(lower);
    return std::fmod(lower, 2.0) == 0 ? int(lower) : int(lower) + 1;
}

} // namespace

std::string NandL(std::string_view mot)
{
    std::string out;
    for (char ch : mot) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 48 && c <= 58) || (c >= 65 && c <= 90))
            out += ch;
    }
    return out;
}

double MatchValue(std::string_view mot1, std::string_view mot2, bool A)
{
    std::array<long, 301> table1{};
    std::array<long, 301> table2{};
    const long n = static_cast<long>(mot1.size());
    for (char c : mot1)
        ++table1[static_cast<unsigned char>(c)];
    for (char c : mot2)
        ++table2[static_cast<unsigned char>(c)];
    long s = 0;
    for (size_t code = 1; code <= 300; ++code)
        s += std::labs(table1[code] - table2[code]);
    long best = 0;
    for (long i = 1; i <= n; ++i) {
        for (long j = i; j <= n; ++j) {
            const std::string_view piece = mot1.substr(size_t(i - 1), size_t(j));
            if (mot2.find(piece) != std::string_view::npos && j - i > best)
                best = j - i;
        }
    }
    double value = n > 6 ? double(best) - double(s) / 2 : double(best);
    if (!A)
        value = n == 0 ? 0.0 : 1 - (double(s) / 2) / double(n);
    return value;
}

SearchOutcome SearchMatch(const WikiTable &table, std::string_view cleanedNameUtf8,
                          const std::string &root)
{
    SearchOutcome out;
    out.jeu = NandL(upperCp1252(replaceSpaces(utf8ToCp1252(cleanedNameUtf8))));
    size_t bestDistance = SIZE_MAX;
    for (int i = 0; i <= 6000; ++i) {
        if (size_t(i) >= table.rows.size() || table.rows[size_t(i)].title.empty())
            continue;
        const WikiRow &candidate = table.rows[size_t(i)];
        for (size_t k = 0; k <= candidate.aliases.size(); ++k) {
            const std::string &name = k == 0 ? candidate.title : candidate.aliases[k - 1];
            const std::string t = NandL(trim(upperCp1252(replaceSpaces(name))));
            if (k > 0 && t.empty())
                continue; // an alias the matcher cannot read
            const double v = MatchValue(out.jeu, t, true);
            const size_t distance =
                t.size() > out.jeu.size() ? t.size() - out.jeu.size() : out.jeu.size() - t.size();
            // Equal scores: the name closest in length to the ROM name, then the earlier one.
            if (v > out.bestScore ||
                (v == out.bestScore && distance < bestDistance)) {
                out.bestScore = v;
                out.bestRow = i;
                out.bestName = int(k);
                bestDistance = distance;
            }
            out.anyTitle = true;
        }
    }
    const WikiRow row =
        size_t(out.bestRow) < table.rows.size() ? table.rows[size_t(out.bestRow)] : WikiRow{};
    const std::string matched = out.bestName == 0 ? row.title : row.aliases[size_t(out.bestName - 1)];
    out.m = MatchValue(out.jeu, upperCp1252(matched), false);
    if (out.m < 0.5)
        out.m = 0.5;
    out.red = roundHalfEven(255 - 205 * (out.m - 0.5) / 0.5);
    out.green = roundHalfEven(64 + 141 * (out.m - 0.5) / 0.5);
    out.blue = 50;
    out.caption = row.title;
    if (row.link.find("index.php?") != std::string::npos)
        out.caption += "(no article)";
    out.address = root + row.link;
    return out;
}

} // namespace kestrova::oracle
