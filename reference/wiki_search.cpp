#include "reference/wiki_search.h"

#include "platform/text_codec.h"

#include <fstream>
#include <system_error>

namespace kestrova {

std::optional<std::string> readWikiListFile(const std::filesystem::path &file)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        bytes.append(buffer, static_cast<size_t>(in.gcount()));
    if (in.bad())
        return std::nullopt;
    return bytes;
}

std::filesystem::path wikiListPath(const std::filesystem::path &appDir,
                                   const std::string &platformNameUtf8)
{
    const std::u8string name(platformNameUtf8.begin(), platformNameUtf8.end());
    return appDir / "wikigameslists" / std::filesystem::path(name + u8".htm");
}

std::optional<WikiImport> LoadWikiList(const std::filesystem::path &appDir,
                                       const std::string &platformNameUtf8)
{
    const std::optional<std::string> bytes =
        readWikiListFile(wikiListPath(appDir, platformNameUtf8));
    if (!bytes)
        return std::nullopt;
    return parseWikiList(*bytes, platformNameUtf8);
}

std::string displayTitle(std::string_view raw)
{
    return decodeProgramText(raw);
}

} // namespace kestrova
