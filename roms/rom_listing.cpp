#include "roms/rom_listing.h"

#include "platform/case_fold.h"
#include "platform/folder_listing.h"
#include "platform/folder_listing_cache.h"

#include <algorithm>
#include <cctype>

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

size_t patternStart(const std::string &folderText, const PlatformRules &rules)
{
    size_t cut = folderText.size();
    while (cut > 0 && !isSeparator(folderText[cut - 1], rules))
        --cut;
    return cut;
}

} // namespace

std::optional<std::filesystem::path> romFolderOf(const std::string &folderText,
                                                 const PlatformRules &rules)
{
    const size_t cut = patternStart(folderText, rules);
    if (cut == 0)
        return std::nullopt;
    return toPath(folderText.substr(0, cut));
}

bool passesExtensionFilter(const std::string &fileName, const std::string &entry)
{
    if (entry.empty() || entry == "All")
        return true;
    if (entry.front() == '.')
        return endsWithIgnoringCase(fileName, entry);
    return tailEqualsIgnoringCase(fileName, entry, 4);
}

std::vector<std::string> listRomFiles(const std::string &folderText, const std::string &entry,
                                      const PlatformRules &rules, FolderListingCache *cache)
{
    std::vector<std::string> names;
    const auto folder = romFolderOf(folderText, rules);
    if (!folder)
        return names;
    const std::string pattern = folderText.substr(patternStart(folderText, rules));
    const bool ignoreCase = rules.kind() == SystemKind::Windows;
    const auto take = [&](FolderEntry &file) {
        if (!pattern.empty() && !wildcardMatch(pattern, file.name, ignoreCase))
            return;
        if (file.regularFile && !file.hidden && passesExtensionFilter(file.name, entry))
            names.push_back(std::move(file.name));
    };
    if (cache)
        cache->forEachEntry(*folder, rules, take);
    else
        forEachFolderEntry(*folder, rules, take);
    return names;
}

} // namespace kestrova
