#pragma once

#include "core/feature.h"
#include "platform/color.h"

#include <optional>

namespace kestrova {

class Application;
class ColorSchemes;
struct MouseEvent;

/// The window `colors` ("Color Scheme"): the eight slot buttons `bcol` with a live preview, the
/// saved schemes in `List1_L`, `OK_B` (make the colours the scheme in force) and `save_B` (save
/// them under a name). Opened by "Add/Edit Scheme" and by the navigation bar.
class SchemeEditor : public Feature
{
public:
    explicit SchemeEditor(Application &app);

    /// The system colour dialog: the chosen colour, or nothing when cancelled.
    std::optional<Color> PickColor();

private:
    void build();
    void install();
    void fillSchemeList(bool schemeFilesOnly);
    void colorButtonClicked(int n);
    void preview(int n);
    void schemeClicked();
    void confirm();
    void saveAs();
    void dragPress(const MouseEvent &e);
    void dragMove(const MouseEvent &e);
    ColorSchemes &schemes();

    Application &m_app;
    float m_dragX = 0;
    float m_dragY = 0;
};

} // namespace kestrova
