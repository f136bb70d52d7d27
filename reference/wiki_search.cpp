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
    const auto size = std::filesystem::file_size(file, ec);
    std::ifstream in(file, std::ios::binary);
    if (ec || !in)
        return std::nullopt;
    std::string bytes(static_cast<size_t>(size), '\0');
    in.read(bytes.data(), std::streamsize(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    if (in.bad())
        return std::nullopt;
    // A file that grew while it was read is taken as far as it was when it was opened.
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
