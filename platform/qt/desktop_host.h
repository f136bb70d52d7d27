#pragma once

#include "core/application.h"
#include "platform/deferred_web_pane.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_task_runner.h"
#include "platform/qt/widget_web_pane.h"

#include <QObject>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace kestrova {

class FormWindow;

/// Makes the application object, with its features, on the services it is handed.
using ApplicationFactory = std::function<std::unique_ptr<Application>(Services)>;
/// Makes the real web pane inside `parent`.
using WebPaneMaker = std::function<std::unique_ptr<WidgetWebPane>(QWidget *parent)>;

/// The program on a desktop: the real services, the application object and its three windows.
/// The web engine starts right after the main window's first paint, or earlier when the
/// program first needs a page.
class DesktopHost : public QObject
{
public:
    /// `productHost` is the host whose pages come from the application folder's pages/. The web
    /// pane comes from the web-engine module in `moduleFolder`, by default the program's own.
    DesktopHost(const std::filesystem::path &appDir, const std::string &productHost,
                const ApplicationFactory &makeApplication,
                std::optional<std::filesystem::path> moduleFolder = std::nullopt);
    ~DesktopHost() override;

    /// Runs the main window's load sequence, which shows it.
    void start();

    Application &app() { return *m_app; }
    FormWindow &mainWindow() { return *m_mainWindow; }
    FormWindow &window(const Form &form);
    /// The real web pane, started now if it has not been.
    WidgetWebPane &webPane();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WebPane &startWebPane();

    std::filesystem::path m_pagesFolder;
    std::string m_productHost;
    std::filesystem::path m_moduleFolder;
    QtDialogs m_dialogs;
    QtShell m_shell;
    QtTaskRunner m_tasks; // before the application, whose finishes it may still hold
    DeferredWebPane m_web;
    std::unique_ptr<WidgetWebPane> m_engine;
    QWidget *m_browserSlot = nullptr; // owned by the main window once it is placed
    std::unique_ptr<Application> m_app;
    std::unique_ptr<FormWindow> m_mainWindow;
    std::unique_ptr<FormWindow> m_chooserWindow;
    std::unique_ptr<FormWindow> m_schemeWindow;
};

} // namespace kestrova
