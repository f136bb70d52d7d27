#pragma once

#include "core/feature.h"

#include <string>

namespace kestrova {

class Application;
class Control;
struct MouseEvent;

/// The main window's layout in twips: the resize layout, the placement after an image-set
/// change, the splitter `Dragger_T` and the hover reset of the navigation buttons. A placement
/// the window refuses (a negative size) is skipped and the rest goes on.
class MainLayout : public Feature
{
public:
    explicit MainLayout(Application &app);

    void startupStep(StartupStep step) override;

    /// Places everything that follows the window's width and the splitter.
    void resizeLayout();
    /// The shorter placement run after a new image set was loaded (save and colours swapped).
    void placeAfterSetChange();
    /// The vertical mouse position within the splitter at the last press on it.
    float DragStartY() const { return m_dragStartY; }

private:
    void install();
    void chainHoverReset(Control &control);
    void hoverReset();
    void splitterPress(const MouseEvent &e);
    void splitterDrag(const MouseEvent &e);
    void moveSplitterTo(float top);

    float columnWidth();
    float buttonsRight();
    float minimumWidth();
    float minimumHeight();
    void placeCaptionRooms();
    void placeColumn(int k, float c);
    void placeBottomLeft();
    void placeRomSearch();
    void placeTitleSearch();
    void placeBar(bool saveBeforeColours);
    void placeBarCaptions();
    void placeHint();
    void placeSplitterBelowMeter();
    void placeSettingsFrame();
    void placeExtensionFilter();
    void placeCounts();

    Control &ctl(const std::string &name);
    Control &bar(int k);

    Application &m_app;
    float m_dragStartY = 0;
};

} // namespace kestrova
