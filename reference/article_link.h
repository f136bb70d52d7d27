#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

/// The site-relative path of a link to an encyclopedia article, or of the edit page of a
/// missing one, as a list page saved by a browser writes it: "/wiki/X", "https://host/wiki/X",
/// "//host/wiki/X", "./X" and "/w/index.php?title=X&action=edit&redlink=1" (which keeps its
/// "index.php?" form). Nothing for links elsewhere: other sites, anchors, files, help and
/// other non-article pages, edit links of sections.
[[nodiscard]] std::optional<std::string> articleLink(std::string_view href);

/// The edit-page link of a title that has no article, so the panes say "No article".
[[nodiscard]] std::string missingArticleLink(std::string_view titleUtf8);

} // namespace kestrova
