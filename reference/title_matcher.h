#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

struct WikiTable;
struct WikiRow;

/// Keeps the characters with codes 48 to 58 (digits and ":") and 65 to 90 (capitals).
[[nodiscard]] std::string NandL(std::string_view mot);

/// Scores two texts of single-byte codes. With A false: the likeness ratio 1 - (s / 2) / n
/// (0 when mot1 is empty); with A true: the ranking score in character units.
[[nodiscard]] double MatchValue(std::string_view mot1, std::string_view mot2, bool A = false);

/// The terms of MatchValue(mot1, mot2, true): the longest-piece term, the count difference s and
/// the length n of mot1; the score is piece - s / 2 when n is over 6, else piece.
struct MatchTerms
{
    int piece = 0;
    long difference = 0;
    size_t length = 0;
    double score = 0;
};

/// Why MatchValue(mot1, mot2, true) scores what it does.
[[nodiscard]] MatchTerms matchTerms(std::string_view mot1, std::string_view mot2);

/// A list title (raw bytes) as the search compares it: spaces dropped, upper-cased, NandL.
[[nodiscard]] std::string normaliseTitle(std::string_view rawTitle);

/// A cleaned ROM name (UTF-8) as the search compares it: converted to Windows-1252, spaces
/// dropped, upper-cased, NandL.
[[nodiscard]] std::string normaliseRomName(std::string_view nameUtf8);

/// The best title for a ROM name: the row with the highest score; among rows with that score,
/// the one whose name is closest in normalised length to the ROM name, then the earliest.
struct SearchResult
{
    static constexpr double kStartScore = -11110;

    /// Nothing when no row of the table has a title.
    std::optional<int> row;
    /// Which of the row's names scored: 0 for the title, k for its alias k - 1.
    int name = 0;
    /// The best MatchValue with A true, or the start value when there is no row.
    double score = kStartScore;
};

/// The name of a row the search scored as `name`: the title or one of its aliases.
[[nodiscard]] const std::string &rowName(const WikiRow &row, int name);

/// Finds the best reference title for a normalised ROM name with exactly the results of scoring
/// every name of every row with MatchValue(jeu, name, true), far faster: titles are normalised once, and
/// cheap upper bounds leave the exact score to the few titles that could still win.
class TitleMatcher
{
public:
    explicit TitleMatcher(const WikiTable &table);

    /// `jeu` is the normalised ROM name; any other text is scored as it is, only slower.
    [[nodiscard]] SearchResult searchBest(std::string_view jeu) const;

    /// The best row among the rows other than `bestRow`: the one that came second.
    [[nodiscard]] SearchResult searchRunnerUp(std::string_view jeu, int bestRow) const;

    /// Number of names the search scores: titles and aliases.
    [[nodiscard]] size_t titleCount() const { return m_titles.size(); }

private:
    struct Title
    {
        int row = 0;
        int name = 0;
        std::uint32_t offset = 0; // into m_codes
        std::uint32_t length = 0;
        std::uint32_t pairOffset = 0; // into m_pairs
    };

    struct JeuProfile;
    struct Bound
    {
        int score = 0;      // doubled score bound from the symbol counts
        int difference = 0; // the count difference s
    };

    std::vector<Bound> countBounds(const JeuProfile &jeu, int excludedRow, size_t &top) const;

    SearchResult search(std::string_view jeu, int excludedRow) const;
    SearchResult searchEveryTitle(std::string_view jeu, int excludedRow) const;
    bool preferredOnTie(size_t i, size_t j, size_t jeuLength) const;
    void addName(int row, int name, const std::string &normalised);
    int commonCount(size_t index, const JeuProfile &jeu) const;
    bool hasPairRun(size_t index, const std::uint64_t *jeuPairs, size_t length) const;

    std::vector<Title> m_titles;            // names of rows with a title, by row then name
    std::vector<std::uint8_t> m_codes;      // symbol codes 0..36 of every normalised title
    std::vector<std::uint16_t> m_pairs;     // each title's pairs of neighbouring symbol codes
    std::vector<std::uint8_t> m_histograms; // per title, symbol counts (saturated at 255)
};

} // namespace kestrova
