#include "reference/title_corrections.h"

#include "platform/text_codec.h"
#include "reference/wiki_search.h"
#include "reference/wiki_table.h"

#include <algorithm>

namespace kestrova {

namespace {

constexpr std::string_view kSuffix = ".corrections.txt";

bool fitsOnOneLine(std::string_view text)
{
    return !text.empty() && !hasLineBreak(text) && text.find('\t') == std::string_view::npos;
}

} // namespace

TitleCorrections TitleCorrections::parse(std::string_view bytes)
{
    TitleCorrections corrections;
    for (const std::string &line : decodeProgramLines(bytes)) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos)
            continue;
        // A stray TAB after the title belongs to no name a list or a folder can show.
        const std::string title = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
        (void)corrections.set(line.substr(0, tab), title);
    }
    return corrections;
}

std::string TitleCorrections::text() const
{
    std::vector<std::string> lines;
    lines.reserve(m_entries.size());
    for (const Entry &entry : m_entries)
        lines.push_back(entry.romFile + '\t' + entry.title);
    return joinLinesCrLf(lines);
}

const std::string *TitleCorrections::titleFor(std::string_view romFile) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const Entry &e) { return e.romFile == romFile; });
    return it == m_entries.end() ? nullptr : &it->title;
}

bool TitleCorrections::set(const std::string &romFile, const std::string &title)
{
    if (!fitsOnOneLine(romFile) || !fitsOnOneLine(title))
        return false;
    forget(romFile);
    m_entries.push_back({romFile, title});
    return true;
}

bool TitleCorrections::forget(std::string_view romFile)
{
    return std::erase_if(m_entries, [&](const Entry &e) { return e.romFile == romFile; }) > 0;
}

std::filesystem::path correctionsFileFor(const std::filesystem::path &listFile)
{
    std::filesystem::path file = listFile;
    file.replace_extension();
    file += std::string(kSuffix);
    return file;
}

bool isCorrectionsFile(std::string_view fileName)
{
    return fileName.ends_with(kSuffix);
}

std::optional<int> correctedRow(const WikiTable &table, std::string_view title)
{
    const size_t rows = std::min<size_t>(table.rows.size(), WikiTable::kRowCount);
    for (size_t r = 0; r < rows; ++r) {
        if (!table.rows[r].title.empty() && displayTitle(table.rows[r].title) == title)
            return int(r);
    }
    return std::nullopt;
}

} // namespace kestrova
