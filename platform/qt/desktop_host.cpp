#include "platform/qt/desktop_host.h"

#include "platform/qt/form_window.h"

namespace kestrova {

DesktopHost::DesktopHost(const std::filesystem::path &appDir, SiteHosts hosts)
    : m_shell(appDir), m_web(hosts.product, appDir / "pages")
{
    m_app = std::make_unique<Application>(appDir, Services{m_dialogs, m_shell, m_web},
                                          PlatformRules::native(), std::move(hosts));
    m_mainWindow = std::make_unique<FormWindow>(m_app->form1(), m_web.widget());
    m_chooserWindow = std::make_unique<FormWindow>(m_app->form2());
    m_schemeWindow = std::make_unique<FormWindow>(m_app->colors());
    m_dialogs.setOwner(m_mainWindow.get());
}

DesktopHost::~DesktopHost() = default;

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

} // namespace kestrova
