#include "platform/qt/deferred_icon_style.h"
#include "platform/qt/desktop_host.h"
#include "platform/qt/font_warm_up.h"
#include "platform/qt/program_folder.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/web_pane_module.h"
#include "program/kestrova_program.h"

#include <QApplication>
#include <QMessageBox>
#include <QStyleFactory>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

// Where the user's files go, or nothing after telling why the folder asked for is unusable.
std::optional<kestrova::FileLayout> chooseLayout(const std::filesystem::path &appDir)
{
    std::vector<std::string> arguments;
    for (const QString &argument : QCoreApplication::arguments().mid(1))
        arguments.push_back(argument.toStdString());
    const auto option = kestrova::findDataFolderOption(arguments);
    kestrova::LayoutRequest request;
    request.appDir = appDir;
    std::error_code ec;
    if (option.folder)
        request.dataFolder = std::filesystem::absolute(*option.folder, ec);
    auto choice = option.error ? kestrova::LayoutChoice{std::nullopt, option.error}
                               : kestrova::chooseFileLayout(request);
    if (choice.layout)
        return std::move(choice.layout);
    std::cerr << "kestrova: " << *choice.error << '\n';
    QMessageBox::critical(nullptr, QStringLiteral("Kestrova"),
                          QString::fromStdString(*choice.error));
    return std::nullopt;
}

} // namespace

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
    auto layout = chooseLayout(appDir);
    if (!layout)
        return 2;
    const kestrova::SiteHosts hosts;
    fonts.wait(); // before the window lays out its first text
    // The host reads only program resources, which stay in the application folder.
    kestrova::DesktopHost host(appDir, hosts.product, [&](kestrova::Services services) {
        return kestrova::makeKestrova(std::move(*layout), services,
                                      kestrova::PlatformRules::native(), hosts);
    });
    host.start();
    return QApplication::exec();
}
