#include "reference/wiki_search.h"

#include "platform/file_io.h"
#include "platform/platform_rules.h"
#include "platform/text_codec.h"

#include <system_error>

namespace kestrova {

namespace {

// A folder in the page's place is no page, as a missing file is none.
FileContent readListPageFile(const std::filesystem::path &file)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return FileContent{{}, FileError{file.string(), "not a file"}, true, false};
    return readFile(file, kListPageBound);
}

} // namespace

std::optional<std::string> readWikiListFile(const std::filesystem::path &file)
{
    auto content = readListPageFile(file);
    if (content.error)
        return std::nullopt;
    return std::move(content.bytes);
}

ListPageLoad loadListPage(const std::filesystem::path &file, const std::string &platformNameUtf8)
{
    ListPageLoad load;
    auto content = readListPageFile(file);
    if (content.tooLarge) {
        load.tooLarge = "The list page " + decodeProgramText(fromPath(file.filename())) +
                        " is larger than " + sizeText(kListPageBound) + " and was not read.";
    }
    if (content.error)
        return load;
    load.import = parseWikiList(content.bytes, platformNameUtf8);
    if (load.import->table.rows.empty() && content.bytes.size() > kHtmlPageBound) {
        load.tooLarge = "The list page " + decodeProgramText(fromPath(file.filename())) +
                        " has no list the import rules read, and at " +
                        sizeText(content.bytes.size()) + " it is too large to read as HTML (" +
                        sizeText(kHtmlPageBound) + " at most).";
    }
    return load;
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
    return loadListPage(wikiListPath(appDir, platformNameUtf8), platformNameUtf8).import;
}

std::string displayTitle(std::string_view raw)
{
    return decodeProgramText(raw);
}

} // namespace kestrova
