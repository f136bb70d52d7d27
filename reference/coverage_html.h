#pragma once

#include <string>

namespace kestrova {

struct CoverageReport;
struct WikiTable;

/// What a coverage report was made of, for its heading.
struct CoverageSource
{
    std::string platform; ///< UTF-8
    std::string list;     ///< the list file, UTF-8
    std::string folder;   ///< the ROM folder, UTF-8
    double minLikeness = 0.9;
    std::string encyclopediaRoot;
};

/// The report as one self-contained page: counts, a filter box and one table of titles and
/// ROMs that sorts by any column.
[[nodiscard]] std::string coverageHtml(const CoverageReport &report, const WikiTable &table,
                                       const CoverageSource &source);

/// Text with HTML's special characters escaped, for element content and attribute values.
[[nodiscard]] std::string htmlEscape(const std::string &utf8);

} // namespace kestrova
