#pragma once

#include "core/feature.h"
#include "reference/wiki_table.h"

#include <memory>
#include <optional>
#include <string>

namespace kestrova {

class TitleMatcher;

/// The reference list of the selected platform, shared by the ROM list that loads it, the panes
/// that match ROMs against it and the quick links that open its articles.
class ReferenceList : public Feature
{
public:
    ReferenceList();
    ~ReferenceList() override;

    /// The list; nothing means "Pas de fichier".
    const std::optional<WikiTable> &wikiTable() const { return m_wikiTable; }
    /// Replaces the list and prepares its titles for matching.
    void setWikiTable(std::optional<WikiTable> table);
    /// The matcher over the current list, or none for "Pas de fichier".
    const TitleMatcher *titleMatcher() const { return m_titleMatcher.get(); }
    /// The article address of the last match.
    std::string &articleAddress() { return m_articleAddress; }

private:
    std::optional<WikiTable> m_wikiTable;
    std::unique_ptr<TitleMatcher> m_titleMatcher;
    std::string m_articleAddress;
};

} // namespace kestrova
