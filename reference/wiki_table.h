#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kestrova {

/// One reference title: the title and its site-relative article link, as the list's bytes.
struct WikiRow
{
    WikiRow() = default;
    WikiRow(std::string title, std::string link, std::vector<std::string> aliases = {})
        : title(std::move(title)), link(std::move(link)), aliases(std::move(aliases))
    {
    }

    std::string title;
    std::string link;
    /// Other names of the same game the page gives (regional, original, translated); matched
    /// like the title, never shown as list items.
    std::vector<std::string> aliases;
};

/// The reference titles of a platform. The index is the row number; rows at or beyond size()
/// are empty.
struct WikiTable
{
    static constexpr int kRowCount = 6001;

    std::vector<WikiRow> rows;
};

} // namespace kestrova
