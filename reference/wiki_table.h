#pragma once

#include <string>
#include <vector>

namespace kestrova {

/// One reference title: the title and its site-relative article link, as the list's bytes.
struct WikiRow
{
    std::string title;
    std::string link;
};

/// The reference titles of a platform. The index is the row number; rows at or beyond size()
/// are empty.
struct WikiTable
{
    static constexpr int kRowCount = 6001;

    std::vector<WikiRow> rows;
};

} // namespace kestrova
