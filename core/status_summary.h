#pragma once

#include <string>

namespace kestrova {

class Form;

/// Panel 6's text for the text of `matches_L`.
std::string articleIndicator(const std::string &matchesText);
/// Rewrites the six status-bar panels of the main window from its lists.
void ShowStatus(Form &form1);

} // namespace kestrova
