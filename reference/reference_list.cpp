#include "reference/reference_list.h"

#include "reference/title_matcher.h"

namespace kestrova {

ReferenceList::ReferenceList() = default;

ReferenceList::~ReferenceList() = default;

void ReferenceList::setWikiTable(std::optional<WikiTable> table)
{
    m_wikiTable = std::move(table);
    m_titleMatcher = m_wikiTable ? std::make_unique<TitleMatcher>(*m_wikiTable) : nullptr;
}

} // namespace kestrova
