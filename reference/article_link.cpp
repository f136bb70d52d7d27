#include "reference/article_link.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kestrova {

namespace {

constexpr std::string_view kArticlePrefix = "/wiki/";
constexpr std::string_view kIndexPrefix = "/w/index.php?";

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

std::string lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

// Only the encyclopedia's own hosts, in any language edition or the mobile site.
bool isEncyclopediaHost(std::string_view host)
{
    const std::string name = lower(host.substr(0, host.find(':')));
    constexpr std::string_view kDomain = "wikipedia.org";
    if (name == kDomain)
        return true;
    return name.size() > kDomain.size() && name.ends_with(kDomain) &&
           name[name.size() - kDomain.size() - 1] == '.';
}

// The path of an absolute or scheme-relative address on the encyclopedia, else the text itself.
std::optional<std::string_view> localPath(std::string_view href)
{
    std::string_view rest;
    if (startsWith(lower(href.substr(0, 8)), "https://"))
        rest = href.substr(8);
    else if (startsWith(lower(href.substr(0, 7)), "http://"))
        rest = href.substr(7);
    else if (startsWith(href, "//"))
        rest = href.substr(2);
    else
        return href;
    const size_t slash = rest.find('/');
    if (slash == std::string_view::npos || !isEncyclopediaHost(rest.substr(0, slash)))
        return std::nullopt;
    return rest.substr(slash);
}

// Pages of these namespaces (and links to sister projects) are no game articles.
bool isNonArticleName(std::string_view name)
{
    // "Portal" is left out: a game may be called "Portal: ...".
    static constexpr std::array<std::string_view, 20> kNamespaces = {
        "file",     "image",     "media",   "help",      "special",    "template", "template_talk",
        "category", "wikipedia", "wp",      "talk",      "user",       "user_talk", "mediawiki",
        "module",   "draft",     "wikt",    "wiktionary", "commons",   "d"};
    const size_t colon = name.find(':');
    if (colon == std::string_view::npos)
        return false;
    std::string space = lower(name.substr(0, colon));
    std::replace(space.begin(), space.end(), ' ', '_');
    return std::find(kNamespaces.begin(), kNamespaces.end(), space) != kNamespaces.end();
}

// The value of one parameter of a query ("a=1&b=2"), or nothing.
std::optional<std::string_view> queryValue(std::string_view query, std::string_view key)
{
    while (!query.empty()) {
        const size_t amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        if (startsWith(pair, key) && pair.size() > key.size() && pair[key.size()] == '=')
            return pair.substr(key.size() + 1);
        if (amp == std::string_view::npos)
            break;
        query.remove_prefix(amp + 1);
    }
    return std::nullopt;
}

std::optional<std::string> missingArticlePath(std::string_view path)
{
    const std::string_view query = path.substr(kIndexPrefix.size());
    const auto title = queryValue(query, "title");
    if (!title || title->empty() || isNonArticleName(*title))
        return std::nullopt;
    if (queryValue(query, "redlink") != std::string_view("1"))
        return std::nullopt;
    return std::string(path);
}

std::optional<std::string> articlePath(std::string_view path)
{
    const std::string_view name = path.substr(kArticlePrefix.size());
    const std::string_view page = name.substr(0, name.find_first_of("#?"));
    if (page.empty() || isNonArticleName(page))
        return std::nullopt;
    return std::string(path);
}

// "./Name" as some saving tools write it, "./Name?action=edit&redlink=1" for a missing one.
std::optional<std::string> relativePath(std::string_view path)
{
    const std::string_view name = path.substr(2);
    const size_t query = name.find('?');
    if (query == std::string_view::npos)
        return articlePath(std::string(kArticlePrefix) + std::string(name));
    std::string edit(kIndexPrefix);
    edit += "title=";
    edit += name.substr(0, query);
    edit += '&';
    edit += name.substr(query + 1);
    return missingArticlePath(edit);
}

} // namespace

std::optional<std::string> articleLink(std::string_view href)
{
    const auto path = localPath(href);
    if (!path)
        return std::nullopt;
    if (startsWith(*path, kArticlePrefix))
        return articlePath(*path);
    if (startsWith(*path, kIndexPrefix))
        return missingArticlePath(*path);
    if (startsWith(*path, "./"))
        return relativePath(*path);
    return std::nullopt;
}

std::string missingArticleLink(std::string_view titleUtf8)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string link(kIndexPrefix);
    link += "title=";
    for (char ch : titleUtf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == ' ')
            link += '_';
        else if (std::isalnum(c) || std::string_view("-._~:()!,'").find(ch) != std::string_view::npos)
            link += ch;
        else
            link += {'%', kHex[c >> 4], kHex[c & 0xF]};
    }
    link += "&action=edit&redlink=1";
    return link;
}

} // namespace kestrova
