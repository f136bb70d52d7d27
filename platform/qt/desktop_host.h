#pragma once

#include "core/application.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/web_engine_pane.h"

#include <filesystem>
#include <memory>

namespace kestrova {

class FormWindow;

/// The program on a desktop: the real services, the application object and its three windows.
class DesktopHost
{
public:
    explicit DesktopHost(const std::filesystem::path &appDir, SiteHosts hosts = {});
    ~DesktopHost();

    /// Runs the main window's load sequence, which shows it.
    void start();

    Application &app() { return *m_app; }
    FormWindow &mainWindow() { return *m_mainWindow; }
    FormWindow &window(const Form &form);
    WebEnginePane &webPane() { return m_web; }

private:
    QtDialogs m_dialogs;
    QtShell m_shell;
    WebEnginePane m_web;
    std::unique_ptr<Application> m_app;
    std::unique_ptr<FormWindow> m_mainWindow;
    std::unique_ptr<FormWindow> m_chooserWindow;
    std::unique_ptr<FormWindow> m_schemeWindow;
};

} // namespace kestrova
