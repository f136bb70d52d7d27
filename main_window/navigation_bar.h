#pragma once

#include "core/feature.h"
#include "main_window/picture_size.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace kestrova {

class Application;
class PictureControl;

/// The navigation bar: six picture buttons (back, refresh, next, colours, settings, save) with
/// normal, hover and pressed pictures, the bar image, and the image sets of `menus` listed in
/// `nav_C` and the "Nav bars" menu.
class NavigationBar : public Feature
{
public:
    explicit NavigationBar(Application &app);

    void startupStep(StartupStep step) override;

    /// Every button shows its normal picture.
    void allButtonsNormal();
    /// The `nav` store: the picture of state s (0 normal, 1 hover, 2 pressed) of button k is
    /// entry 3k + s; empty while no picture was found for it.
    const std::string &storedPicture(int entry) const { return m_nav.at(size_t(entry)).path; }

private:
    struct StoredPicture
    {
        std::string path;
        std::optional<PictureSize> size;
    };

    void install();
    void listSets();
    void loadDefaultSet();
    void loadPictures(const std::filesystem::path &folder);
    void changeSet();
    void tickCurrentSet();
    void cycleSets();
    void mouseMove(int i);
    void press(int i);
    void release(int i);
    void act(int i);
    void swapLowerPane();
    /// Shows store entry 3k + state in button k; the button takes the picture's size.
    void showStored(int k, int state);
    void showOthersNormal(int i);
    PictureControl &image(int k);

    Application &m_app;
    std::array<StoredPicture, 18> m_nav;
    int m_setEntries = 0;
};

} // namespace kestrova
