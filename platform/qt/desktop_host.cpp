#include "platform/qt/desktop_host.h"

#include "platform/executable_folder.h"
#include "platform/qt/form_window.h"
#include "platform/qt/web_pane_module.h"

#include <QEvent>
#include <QVBoxLayout>
#include <QWidget>

namespace kestrova {

DesktopHost::DesktopHost(const std::filesystem::path &appDir, const std::string &productHost,
                         const ApplicationFactory &makeApplication,
                         std::optional<std::filesystem::path> moduleFolder)
    : m_pagesFolder(appDir / "pages"),
      m_productHost(productHost),
      m_moduleFolder(moduleFolder ? *moduleFolder
                                  : findExecutableFolder().folder.value_or(appDir)),
      m_shell(appDir),
      m_web([this]() -> WebPane & { return startWebPane(); }),
      m_browserSlot(new QWidget)
{
    auto *layout = new QVBoxLayout(m_browserSlot);
    layout->setContentsMargins(0, 0, 0, 0);
    m_app = makeApplication(Services{m_dialogs, m_shell, m_web, m_tasks});
    m_mainWindow = std::make_unique<FormWindow>(m_app->form1(), m_browserSlot);
    m_chooserWindow = std::make_unique<FormWindow>(m_app->form2());
    m_schemeWindow = std::make_unique<FormWindow>(m_app->colors());
    m_dialogs.setOwner(m_mainWindow.get());
    m_mainWindow->installEventFilter(this);
}

DesktopHost::~DesktopHost()
{
    // The view belongs to the main window, which goes first.
    m_mainWindow.reset();
    m_engine.reset();
}

void DesktopHost::start()
{
    m_app->start();
}

FormWindow &DesktopHost::window(const Form &form)
{
    if (&form == &m_app->form2())
        return *m_chooserWindow;
    if (&form == &m_app->colors())
        return *m_schemeWindow;
    return *m_mainWindow;
}

WidgetWebPane &DesktopHost::webPane()
{
    m_web.start();
    return *m_engine;
}

WebPane &DesktopHost::startWebPane()
{
    m_engine = loadWebPane(m_moduleFolder, m_productHost, m_pagesFolder, m_browserSlot);
    m_browserSlot->layout()->addWidget(m_engine->widget());
    return *m_engine;
}

bool DesktopHost::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_mainWindow.get() && event->type() == QEvent::Paint && !m_web.isStarted()) {
        // Queued: the first frame reaches the screen before the engine takes its time.
        QMetaObject::invokeMethod(this, [this] { m_web.start(); }, Qt::QueuedConnection);
        m_mainWindow->removeEventFilter(this);
    }
    return false;
}

} // namespace kestrova
