#pragma once

#include "platform/qt/widget_web_pane.h"

#include <filesystem>
#include <memory>
#include <string>

class QWidget;

namespace kestrova {

/// Loads the web-engine module from `moduleFolder` and makes its pane. When the module cannot
/// be loaded, the pane shown says so and why, and the rest of the program works as before.
[[nodiscard]] std::unique_ptr<WidgetWebPane> loadWebPane(const std::filesystem::path &moduleFolder,
                                                         const std::string &productHost,
                                                         const std::filesystem::path &pagesFolder,
                                                         QWidget *parent);

/// Engine plumbing to call before the QApplication exists: as root the engine's sandbox cannot
/// start, and the offscreen platform has no GPU.
void prepareWebEngineEnvironment();

} // namespace kestrova
