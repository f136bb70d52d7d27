#pragma once

#include "core/feature.h"

#include <filesystem>
#include <optional>
#include <string>

namespace kestrova {

class Application;
class ReferenceList;
struct MatchOutcome;

/// The panes that show the match: selecting a ROM finds and selects its best reference title
/// and fills the Match Meter; selecting a title shows whether it has an article; the address
/// boxes open what they hold.
class ReferencePanes : public Feature
{
public:
    /// Article addresses are made under `encyclopediaRoot` ("http://host").
    ReferencePanes(Application &app, std::string encyclopediaRoot);

    /// `SearchMatch`: scores every title against the cleaned ROM name, selects the best one,
    /// colours the meter and returns the article address.
    std::string SearchMatch(const std::string &cleanedName);

private:
    void romSelected();
    void show(const MatchOutcome &outcome);
    /// Asks to remember (or forget) the title of `row` for the selected ROM.
    void correctTitle(int row);
    std::filesystem::path correctionsFile();
    /// The row of the title the user chose for a ROM file, while the list holds it.
    std::optional<int> chosenRow(const std::string &romFile);
    void markUsersChoice(bool corrected);
    void titleSelected();
    void openTypedAddress();
    ReferenceList &list();

    Application &m_app;
    std::string m_encyclopediaRoot;
};

} // namespace kestrova
