#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kestrova {

struct WikiTable;
class TitleCorrections;

/// One ROM file against the reference list.
struct CoveredRom
{
    std::string file;            ///< the file name (UTF-8) as the ROM list shows it
    std::optional<int> bestRow;  ///< its best title; nothing when the list has no title
    double likeness = 0;         ///< MatchValue(jeu, normalised title, false)
    double ratio = 0.5;          ///< the Match Meter's ratio for that title
    bool chosen = false;         ///< the title is the user's choice for this file
};

/// Which titles of a list a folder of ROMs holds, which it misses, and which ROMs match no title
/// well enough to say.
struct CoverageReport
{
    static constexpr double kDefaultMinLikeness = 0.9;

    /// Every ROM, in listing order.
    std::vector<CoveredRom> roms;
    /// The rows with a title, ascending.
    std::vector<int> titleRows;
    /// Per entry of titleRows, the ROMs (indices into roms) owning it; empty when it is missing.
    std::vector<std::vector<size_t>> owners;
    /// ROMs whose best match stays below the bar, in listing order.
    std::vector<size_t> unsure;

    [[nodiscard]] size_t ownedCount() const;
    [[nodiscard]] size_t missingCount() const { return titleRows.size() - ownedCount(); }
    /// "coverage: T titles, O owned, M missing, U unsure ROMs".
    [[nodiscard]] std::string summary() const;
};

/// Matches every ROM file name against the list on `threads` threads (0: all cores) and sorts
/// the outcome into owned titles, missing titles and unsure ROMs. A ROM owns its best title
/// (and any other row whose normalised title is the same) when their likeness reaches
/// `minLikeness`. The result does not depend on the number of threads. A title the user chose
/// for a file (`choices`) is its best title at full likeness while the list holds it.
[[nodiscard]] CoverageReport buildCoverage(const WikiTable &table,
                                           const std::vector<std::string> &romFiles,
                                           double minLikeness, unsigned threads = 0,
                                           const TitleCorrections *choices = nullptr);

} // namespace kestrova
