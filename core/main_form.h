#pragma once

namespace kestrova {

class Form;

/// Creates the main window's controls and menus at their design positions (twips).
void buildMainForm(Form &form1);

/// The tool tip of `EPath_I` while the selected emulator has no argument template.
inline constexpr const char *kEmulatorPathTip = "Displays the path of the selected emulator \".exe\"";

/// Design sizes of the main window.
constexpr float kDesignClientWidth = 15060;
constexpr float kDesignClientHeight = 11775;

} // namespace kestrova
