#pragma once

namespace kestrova {

/// The steps of the main window's load sequence that belong to features, in their order.
enum class StartupStep {
    ImageSetList,    ///< list the image sets (nav_C and the "Nav bars" menu)
    SchemeMenu,      ///< list the colour schemes in the "Colors" menu
    DefaultPictures, ///< default button pictures, settings panel hidden
    Layout,          ///< lay out the main window
    ActiveScheme,    ///< read Active.col, select its image set, colour the windows
    StartPage,       ///< the catalog read: send the web pane to its start-up page
};

/// A part of the program that installs handlers on the windows and may take start-up steps.
class Feature
{
public:
    virtual ~Feature() = default;
    virtual void startupStep(StartupStep) {}
};

} // namespace kestrova
