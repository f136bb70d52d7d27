#include "platform/qt/deferred_icon_style.h"
#include "platform/qt/desktop_host.h"
#include "platform/qt/font_warm_up.h"
#include "platform/qt/program_folder.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/web_pane_module.h"
#include "program/kestrova_program.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    kestrova::FontWarmUp fonts;
    kestrova::prepareWebEngineEnvironment();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrova"));
    QApplication::setStyle(
        new kestrova::DeferredIconStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    const auto folder = kestrova::programFolder();
    if (!folder)
        return 1;
    const std::filesystem::path appDir = *folder;
    const kestrova::SiteHosts hosts;
    fonts.wait(); // before the window lays out its first text
    kestrova::DesktopHost host(appDir, hosts.product, [&](kestrova::Services services) {
        return kestrova::makeKestrova(appDir, services, kestrova::PlatformRules::native(), hosts);
    });
    host.start();
    return QApplication::exec();
}
