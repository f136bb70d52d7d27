#include "roms/rom_listing.h"

#include "platform/case_fold.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace kestrova {

namespace {

char foldCase(char c)
{
    return char(std::toupper(static_cast<unsigned char>(c)));
}

bool wildcardMatch(std::string_view pattern, std::string_view name, bool ignoreCase)
{
    size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    auto same = [&](char a, char b) { return ignoreCase ? foldCase(a) == foldCase(b) : a == b; };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool isSeparator(char c, const PlatformRules &rules)
{
    return c == '/' || (rules.kind() == SystemKind::Windows && c == '\\');
}

/// The entry's file name as UTF-8; on systems whose paths are bytes, cut straight from the path
/// to spare the copies a long listing would otherwise make.
std::string fileNameOf(const std::filesystem::directory_entry &entry)
{
#ifdef _WIN32
    return fromPath(entry.path().filename());
#else
    const std::string &native = entry.path().native();
    const size_t slash = native.find_last_of('/');
    return native.substr(slash == std::string::npos ? 0 : slash + 1);
#endif
}

} // namespace

bool passesExtensionFilter(const std::string &fileName, const std::string &entry)
{
    if (entry.empty() || entry == "All")
        return true;
    if (entry.front() == '.')
        return endsWithIgnoringCase(fileName, entry);
    return tailEqualsIgnoringCase(fileName, entry, 4);
}

std::vector<std::string> listRomFiles(const std::string &folderText, const std::string &entry,
                                      const PlatformRules &rules)
{
    std::vector<std::string> names;
    if (folderText.empty())
        return names;
    size_t cut = folderText.size();
    while (cut > 0 && !isSeparator(folderText[cut - 1], rules))
        --cut;
    if (cut == 0)
        return names;
    const std::string pattern = folderText.substr(cut);
    const bool ignoreCase = rules.kind() == SystemKind::Windows;
    std::error_code ec;
    std::filesystem::directory_iterator it(toPath(folderText.substr(0, cut)), ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::string name = fileNameOf(*it);
        if (!pattern.empty() && !wildcardMatch(pattern, name, ignoreCase))
            continue;
        std::error_code fileError;
        if (!it->is_regular_file(fileError) || rules.isHidden(*it))
            continue;
        if (passesExtensionFilter(name, entry))
            names.push_back(std::move(name));
    }
    return names;
}

} // namespace kestrova
