#pragma once

#include "core/feature.h"

#include <string>

namespace kestrova {

class Application;

/// Keeps the main window's lists in step with the selection: `UpdatE` and the handlers that
/// drive it (manufacturer, emulator and extension clicks, the add-platform completion, the
/// reference type-ahead and the path boxes' double-click).
class SelectionCascade : public Feature
{
public:
    explicit SelectionCascade(Application &app);

    void UpdatE(const std::string &caller, int index);

private:
    void install();
    void boot();
    void manufacturerChanged(int m);
    void platformChanged(int p);
    void listRoms();
    void emulatorChanged(int e);
    void showArguments(const std::string &argumentTemplate);
    void completeAddedPlatform();
    void typeAheadTitles();

    Application &m_app;
};

} // namespace kestrova
