#include "platform/qt/desktop_host.h"
#include "platform/qt/qt_convert.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    kestrova::prepareWebEngineEnvironment();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrova"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const auto appDir = QCoreApplication::applicationDirPath().toStdU16String();
    kestrova::DesktopHost host{std::filesystem::path(appDir)};
    host.start();
    return QApplication::exec();
}
