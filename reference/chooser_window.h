#pragma once

#include "core/feature.h"
#include "platform/platform_rules.h"

#include <string>
#include <vector>

namespace kestrova {

class Application;
class Form;
struct MouseEvent;

/// The list names offered for a new platform: the visible files of the folder, in the order the
/// file system returns them, each without its last four characters (the ".htm").
[[nodiscard]] std::vector<std::string> savedListNames(const std::string &folderUtf8,
                                                      const PlatformRules &rules);

/// `Form2`, the window that names a new platform after a saved reference list or with a name
/// of the user's own, and hands the name to the main window.
class ChooserWindow : public Feature
{
public:
    explicit ChooserWindow(Application &app);

    /// Every activation empties the custom name and lists the saved lists again.
    void refill();
    void confirm();
    void cancel();

private:
    void build();
    /// A name the main window can still take; says why not otherwise.
    bool mainWindowAccepts();
    void pressBackground(const MouseEvent &e);
    void dragBackground(const MouseEvent &e);

    Application &m_app;
    Form &m_form;
    float m_grabX = 0;
    float m_grabY = 0;
};

} // namespace kestrova
