#pragma once

#include <string>
#include <vector>

namespace kestrova::bench {

/// Game-like titles invented from word lists and syllables, the same on every run.
std::vector<std::string> madeUpTitles(size_t count, unsigned seed);

/// A saved list page holding the titles in the shape the general rule reads: section headers,
/// '*Title<wiki/Link> (year, maker)' lines, some titles broken over two lines, some missing
/// articles and some text between the sections.
std::string madeUpListPage(const std::vector<std::string> &titles);

/// A cleaned ROM name near one of the titles whose normalised form is exactly `length` long.
std::string madeUpRomName(const std::vector<std::string> &titles, size_t length, unsigned seed);

} // namespace kestrova::bench
