#pragma once

namespace kestrova {

class Form;

/// Creates the main window's controls and menus at their design positions (twips).
void buildMainForm(Form &form1);

/// Design sizes of the main window.
constexpr float kDesignClientWidth = 15060;
constexpr float kDesignClientHeight = 11775;

} // namespace kestrova
