#include "reference/title_matcher.h"

#include "platform/text_codec.h"
#include "reference/wiki_table.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <optional>

// The longest-piece term of MatchValue in closed form.
//
// Literally, with n = |mot1|: best = max(0, max { j - i : 1 <= i <= j <= n and the piece
// mot1.substr(i - 1, j) occurs in mot2 }). The piece is j long, not j - i + 1 (cut short at the
// end of mot1). Write p = i - 1 and let M(p) be the length of the longest prefix of mot1[p..]
// that occurs in mot2. The piece has length min(j, n - p), and as every part of an occurring
// text occurs too, it occurs exactly when min(j, n - p) <= M(p). For a fixed p the value
// j - p - 1 grows with j, so:
//  - when M(p) = n - p (the whole suffix occurs), every j up to n counts: value n - p - 1;
//  - otherwise j reaches M(p) at most: value M(p) - p - 1 (below 0 when no j >= i is left,
//    which the start value 0 absorbs).
// The term is thus not the longest common piece: a piece is charged for starting late, while a
// suffix of mot1 that occurs earns its full length. Let S be the length of the longest suffix of
// mot1 occurring in mot2. The smallest p with M(p) = n - p is n - S, worth S - 1; larger such p
// are worth less, and for them M(p) - p - 1 <= n - p - 1 as well. Hence
//     best = max(0, S - 1, max_p (M(p) - p - 1)).
// Let L_k be the set of end positions e in mot1 of the pieces of length k that occur in mot2.
// M(p) >= k exactly when p + k - 1 is in L_k, so for each k the smallest such p is
// min L_k - (k - 1), and
//     max_p (M(p) - p - 1) = max over non-empty L_k of 2 (k - 1) - min L_k,
//     S = the largest k with n - 1 in L_k.
// The sets are computed bit-parallel over the positions of mot1: E[c] marks where mot1 holds c,
// D_1(q) = E[t_q], D_k(q) = (D_{k-1}(q - 1) << 1) & E[t_q], L_k = OR of D_k(q) over q. The layers
// stop at the first empty one, so one title costs about |title| x (longest common piece + 1)
// word operations.
//
// Skipping titles. A term of b > 0 needs a piece of b + 1 symbols occurring in both texts, so
// b <= common - 1 with common = sum over symbols of min(count in the name, count in the title),
// and the count difference is s = n + m - 2 common for a title of m symbols. Such a piece also
// puts b consecutive pairs of neighbouring symbols of the name into the title. The search scores
// the title with the best count bound first, then scans the rows in order and scores exactly
// only the titles whose count bound, and then whose run of shared pairs, could still beat the
// best so far (or tie it and win the tie).

namespace kestrova {

namespace {

constexpr size_t kSymbolCount = 37; // "0".."9", ":", "A".."Z"
constexpr size_t kLanes = 48;       // histogram bytes per title, padded for vector code
constexpr size_t kByteSymbols = 256;
constexpr unsigned kMaxLaneCount = 255;
constexpr size_t kWordBits = 64;
constexpr size_t kPairWords = (kSymbolCount * kSymbolCount + kWordBits - 1) / kWordBits;

bool isKept(unsigned char c)
{
    return (c >= 48 && c <= 58) || (c >= 65 && c <= 90);
}

std::uint8_t symbolOf(unsigned char c)
{
    return static_cast<std::uint8_t>(c <= 58 ? c - 48 : c - 65 + 11);
}

std::string withoutSpaces(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != ' ')
            out += c;
    }
    return out;
}

// Doubled scores keep the half-character steps of MatchValue exact in integers.
int doubledScore(int jeuLength, int best, int difference)
{
    return jeuLength > 6 ? 2 * best - difference : 2 * best;
}

// For each symbol, the positions of a text holding it, as `words` 64-bit words.
struct PositionMasks
{
    PositionMasks(size_t symbols, size_t textLength)
        : words(std::max<size_t>(1, (textLength + kWordBits - 1) / kWordBits)), length(textLength),
          bits(symbols * words, 0)
    {
    }

    void set(size_t symbol, size_t position)
    {
        bits[symbol * words + position / kWordBits] |= std::uint64_t{1} << (position % kWordBits);
    }

    const std::uint64_t *of(size_t symbol) const { return bits.data() + symbol * words; }

    size_t words;
    size_t length;
    std::vector<std::uint64_t> bits;
};

// The closed form above for texts of at most 64 symbols.
int pieceTermOneWord(const PositionMasks &masks, const std::uint8_t *t, size_t m, std::uint64_t *d)
{
    const std::uint64_t *e = masks.bits.data();
    const std::uint64_t lastBit = std::uint64_t{1} << (masks.length - 1);
    std::uint64_t layer = 0;
    for (size_t q = 0; q < m; ++q) {
        d[q] = e[t[q]];
        layer |= d[q];
    }
    int best = 0;
    for (size_t k = 1; layer != 0; ++k) {
        best = std::max(best, int(2 * (k - 1)) - std::countr_zero(layer));
        if (layer & lastBit)
            best = std::max(best, int(k - 1));
        if (k == m)
            break;
        layer = 0;
        for (size_t q = m - 1; q >= k; --q) {
            d[q] = (d[q - 1] << 1) & e[t[q]];
            layer |= d[q];
        }
    }
    return best;
}

// Lowest set position of a multi-word set, or -1 when it is empty.
int lowestPosition(const std::uint64_t *set, size_t words)
{
    for (size_t w = 0; w < words; ++w) {
        if (set[w] != 0)
            return int(w * kWordBits) + std::countr_zero(set[w]);
    }
    return -1;
}

// The closed form above for longer texts; `d` holds (m + 1) x words.
int pieceTermWords(const PositionMasks &masks, const std::uint8_t *t, size_t m, std::uint64_t *d)
{
    const size_t words = masks.words;
    const size_t lastWord = (masks.length - 1) / kWordBits;
    const std::uint64_t lastBit = std::uint64_t{1} << ((masks.length - 1) % kWordBits);
    std::uint64_t *layer = d + m * words;
    std::fill(layer, layer + words, 0);
    for (size_t q = 0; q < m; ++q) {
        const std::uint64_t *e = masks.of(t[q]);
        for (size_t w = 0; w < words; ++w) {
            d[q * words + w] = e[w];
            layer[w] |= e[w];
        }
    }
    int best = 0;
    for (size_t k = 1;; ++k) {
        const int lowest = lowestPosition(layer, words);
        if (lowest < 0)
            break;
        best = std::max(best, int(2 * (k - 1)) - lowest);
        if (layer[lastWord] & lastBit)
            best = std::max(best, int(k - 1));
        if (k == m)
            break;
        std::fill(layer, layer + words, 0);
        for (size_t q = m - 1; q >= k; --q) {
            const std::uint64_t *e = masks.of(t[q]);
            std::uint64_t *cur = d + q * words;
            const std::uint64_t *prev = cur - words;
            for (size_t w = words; w-- > 0;) {
                const std::uint64_t carry = w > 0 ? prev[w - 1] >> (kWordBits - 1) : 0;
                cur[w] = ((prev[w] << 1) | carry) & e[w];
                layer[w] |= cur[w];
            }
        }
    }
    return best;
}

// The longest-piece term of MatchValue for the text behind `masks` against `t`.
int pieceTerm(const PositionMasks &masks, const std::uint8_t *t, size_t m,
              std::vector<std::uint64_t> &scratch)
{
    if (masks.length == 0 || m == 0)
        return 0;
    scratch.resize((m + 1) * masks.words);
    if (masks.words == 1)
        return pieceTermOneWord(masks, t, m, scratch.data());
    return pieceTermWords(masks, t, m, scratch.data());
}

} // namespace

// What the search needs to know of the ROM name, built once per search.
struct TitleMatcher::JeuProfile
{
    explicit JeuProfile(std::string_view jeu) : masks(kSymbolCount, jeu.size())
    {
        for (size_t p = 0; p < jeu.size(); ++p) {
            const std::uint8_t code = symbolOf(static_cast<unsigned char>(jeu[p]));
            masks.set(code, p);
            ++counts[code];
        }
        for (size_t c = 0; c < kSymbolCount; ++c)
            lanes[c] = std::uint8_t(std::min(counts[c], kMaxLaneCount));
        for (size_t p = 1; p < jeu.size(); ++p) {
            const size_t pair =
                size_t(symbolOf(static_cast<unsigned char>(jeu[p - 1]))) * kSymbolCount +
                symbolOf(static_cast<unsigned char>(jeu[p]));
            pairs[pair / kWordBits] |= std::uint64_t{1} << (pair % kWordBits);
        }
    }

    PositionMasks masks;
    std::array<unsigned, kSymbolCount> counts{};
    std::array<std::uint8_t, kLanes> lanes{};
    std::array<std::uint64_t, kPairWords> pairs{}; // which symbol pairs the name holds
};

std::string NandL(std::string_view mot)
{
    std::string out;
    out.reserve(mot.size());
    for (char c : mot) {
        if (isKept(static_cast<unsigned char>(c)))
            out += c;
    }
    return out;
}

namespace {

long countDifference(std::string_view mot1, std::string_view mot2)
{
    std::array<long, kByteSymbols> counts{};
    for (char c : mot1)
        ++counts[static_cast<unsigned char>(c)];
    for (char c : mot2)
        --counts[static_cast<unsigned char>(c)];
    long s = 0;
    for (size_t c = 1; c < kByteSymbols; ++c) // code 0 is not counted
        s += std::labs(counts[c]);
    return s;
}

} // namespace

MatchTerms matchTerms(std::string_view mot1, std::string_view mot2)
{
    MatchTerms terms;
    terms.length = mot1.size();
    terms.difference = countDifference(mot1, mot2);
    PositionMasks masks(kByteSymbols, mot1.size());
    for (size_t p = 0; p < mot1.size(); ++p)
        masks.set(static_cast<unsigned char>(mot1[p]), p);
    std::vector<std::uint64_t> scratch;
    const auto *t = reinterpret_cast<const std::uint8_t *>(mot2.data());
    terms.piece = pieceTerm(masks, t, mot2.size(), scratch);
    terms.score = terms.length > 6 ? double(terms.piece) - double(terms.difference) / 2.0
                                   : double(terms.piece);
    return terms;
}

double MatchValue(std::string_view mot1, std::string_view mot2, bool A)
{
    if (A)
        return matchTerms(mot1, mot2).score;
    const auto n = static_cast<double>(mot1.size());
    return n == 0 ? 0.0 : 1.0 - (double(countDifference(mot1, mot2)) / 2.0) / n;
}

std::string normaliseTitle(std::string_view rawTitle)
{
    return NandL(upperCp1252(withoutSpaces(rawTitle)));
}

std::string normaliseRomName(std::string_view nameUtf8)
{
    return NandL(upperCp1252(withoutSpaces(utf8ToCp1252(nameUtf8))));
}

const std::string &rowName(const WikiRow &row, int name)
{
    return name == 0 ? row.title : row.aliases[size_t(name - 1)];
}

TitleMatcher::TitleMatcher(const WikiTable &table)
{
    const size_t rows = std::min<size_t>(table.rows.size(), WikiTable::kRowCount);
    for (size_t r = 0; r < rows; ++r) {
        const WikiRow &row = table.rows[r];
        if (row.title.empty())
            continue;
        addName(int(r), 0, normaliseTitle(row.title));
        for (size_t a = 0; a < row.aliases.size(); ++a) {
            // An alias in a script the matcher cannot read (kana, kanji) would score as an empty
            // title and tie with anything; it is left out.
            const std::string normalised = normaliseTitle(row.aliases[a]);
            if (!normalised.empty())
                addName(int(r), int(a + 1), normalised);
        }
    }
}

void TitleMatcher::addName(int row, int name, const std::string &normalised)
{
    m_titles.push_back({row, name, std::uint32_t(m_codes.size()), std::uint32_t(normalised.size()),
                        std::uint32_t(m_pairs.size())});
    std::array<std::uint8_t, kLanes> lanes{};
    for (size_t q = 0; q < normalised.size(); ++q) {
        const std::uint8_t code = symbolOf(static_cast<unsigned char>(normalised[q]));
        m_codes.push_back(code);
        if (q > 0)
            m_pairs.push_back(std::uint16_t(m_codes[m_codes.size() - 2] * kSymbolCount + code));
        if (lanes[code] < kMaxLaneCount)
            ++lanes[code];
    }
    m_histograms.insert(m_histograms.end(), lanes.begin(), lanes.end());
}

// Among equal scores the name nearest the ROM name's length is the likelier same game (a
// compilation holding a short name scores like the name itself), then the earlier one.
bool TitleMatcher::preferredOnTie(size_t i, size_t j, size_t jeuLength) const
{
    auto distance = [&](size_t k) {
        const size_t length = m_titles[k].length;
        return length > jeuLength ? length - jeuLength : jeuLength - length;
    };
    const size_t di = distance(i);
    const size_t dj = distance(j);
    return di < dj || (di == dj && i < j);
}

int TitleMatcher::commonCount(size_t index, const JeuProfile &jeu) const
{
    const Title &title = m_titles[index];
    unsigned common = 0;
    if (title.length <= kMaxLaneCount) {
        // Such a title never saturates a lane, so min() with it is exact even where the
        // name's own lane saturated.
        const std::uint8_t *lanes = m_histograms.data() + index * kLanes;
        for (size_t c = 0; c < kLanes; ++c)
            common += std::min(lanes[c], jeu.lanes[c]);
        return int(common);
    }
    std::array<unsigned, kSymbolCount> counts{};
    for (size_t q = 0; q < title.length; ++q)
        ++counts[m_codes[title.offset + q]];
    for (size_t c = 0; c < kSymbolCount; ++c)
        common += std::min(counts[c], jeu.counts[c]);
    return int(common);
}

bool TitleMatcher::hasPairRun(size_t index, const std::uint64_t *jeuPairs, size_t length) const
{
    const Title &title = m_titles[index];
    const std::uint16_t *pairs = m_pairs.data() + title.pairOffset;
    const size_t count = title.length > 0 ? title.length - 1 : 0;
    auto present = [&](size_t q) {
        return (jeuPairs[pairs[q] / kWordBits] >> (pairs[q] % kWordBits)) & 1;
    };
    // Every run of `length` positions covers exactly one position s with s % length ==
    // length - 1, so only those are probed, and the run is measured around a present one.
    for (size_t s = length - 1; s < count; s += length) {
        if (!present(s))
            continue;
        size_t left = 0;
        while (left + 1 < length && left < s && present(s - left - 1))
            ++left;
        size_t right = 0;
        while (left + right + 1 < length && s + right + 1 < count && present(s + right + 1))
            ++right;
        if (left + right + 1 >= length)
            return true;
    }
    return false;
}

std::vector<TitleMatcher::Bound> TitleMatcher::countBounds(const JeuProfile &jeu, int excludedRow,
                                                           size_t &top) const
{
    const int n = int(jeu.masks.length);
    std::vector<Bound> bounds(m_titles.size());
    top = m_titles.size();
    for (size_t i = 0; i < m_titles.size(); ++i) {
        const int common = commonCount(i, jeu);
        const int difference = n + int(m_titles[i].length) - 2 * common;
        bounds[i] = {doubledScore(n, std::max(0, common - 1), difference), difference};
        if (m_titles[i].row != excludedRow &&
            (top == m_titles.size() || bounds[i].score > bounds[top].score))
            top = i;
    }
    return bounds;
}

SearchResult TitleMatcher::searchEveryTitle(std::string_view jeu, int excludedRow) const
{
    SearchResult result;
    std::optional<size_t> bestIndex;
    std::string title;
    for (size_t i = 0; i < m_titles.size(); ++i) {
        const Title &t = m_titles[i];
        if (t.row == excludedRow)
            continue;
        title.clear();
        for (size_t q = 0; q < t.length; ++q) {
            const std::uint8_t code = m_codes[t.offset + q];
            title += char(code <= 10 ? '0' + code : 'A' + code - 11);
        }
        const double score = MatchValue(jeu, title, true);
        if (!bestIndex || score > result.score ||
            (score == result.score && preferredOnTie(i, *bestIndex, jeu.size()))) {
            result.score = score;
            result.row = t.row;
            result.name = t.name;
            bestIndex = i;
        }
    }
    return result;
}

SearchResult TitleMatcher::searchBest(std::string_view jeu) const
{
    return search(jeu, -1);
}

SearchResult TitleMatcher::searchRunnerUp(std::string_view jeu, int bestRow) const
{
    return search(jeu, bestRow);
}

// Every name of `excludedRow` is left out; -1 leaves none out.
SearchResult TitleMatcher::search(std::string_view jeu, int excludedRow) const
{
    SearchResult result;
    const auto kept = [](char c) { return isKept(static_cast<unsigned char>(c)); };
    if (!std::all_of(jeu.begin(), jeu.end(), kept))
        return searchEveryTitle(jeu, excludedRow);
    const JeuProfile profile(jeu);
    const int n = int(jeu.size());
    size_t top = 0;
    const std::vector<Bound> bounds = countBounds(profile, excludedRow, top);
    if (top == m_titles.size())
        return result;

    std::vector<std::uint64_t> scratch;
    auto scoreOf = [&](size_t i) {
        const Title &title = m_titles[i];
        const int best =
            pieceTerm(profile.masks, m_codes.data() + title.offset, title.length, scratch);
        return doubledScore(n, best, bounds[i].difference);
    };
    // The title with the best bound usually wins or comes close, so it sets the bar first.
    size_t bestIndex = top;
    int bestScore = scoreOf(top);
    // Ranks as the row-order scan would: a higher score, or the same score on a name that the
    // tie rule prefers.
    auto beats = [&](int score, size_t i) {
        return score > bestScore ||
               (score == bestScore && preferredOnTie(i, bestIndex, jeu.size()));
    };
    for (size_t i = 0; i < m_titles.size(); ++i) {
        const Bound &c = bounds[i];
        if (i == top || m_titles[i].row == excludedRow || !beats(c.score, i))
            continue;
        // The smallest longest-piece term that would still win; a piece one longer occurs in
        // both texts, so the title holds that many consecutive symbol pairs of the name.
        const bool winsTie = preferredOnTie(i, bestIndex, jeu.size());
        const int base = (n > 6 ? bestScore + c.difference : bestScore) + (winsTie ? 0 : 1);
        const int needed = (base + 1) >> 1; // ceil(base / 2), also below zero
        if (needed > 0 && !hasPairRun(i, profile.pairs.data(), size_t(needed)))
            continue;
        const int score = scoreOf(i);
        if (beats(score, i)) {
            bestScore = score;
            bestIndex = i;
        }
    }
    result.row = m_titles[bestIndex].row;
    result.name = m_titles[bestIndex].name;
    result.score = bestScore / 2.0;
    return result;
}

} // namespace kestrova
