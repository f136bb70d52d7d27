// Starts the program's windows in this process on an application folder, exactly as the program
// lays them out on the same display, and prints where on the screen a person would click:
//   manufacturer X Y   the first manufacturer's row
//   platform K X Y     the row of platform K (0-based) of that manufacturer
//   rom X Y            the first row of the ROM list once the first platform is chosen
// The benchmark clicks those points in the real program through the X server.
//
// Usage: bench_window_locate APPLICATION_FOLDER

#include "platform/list_box.h"
#include "platform/qt/desktop_host.h"
#include "platform/qt/form_window.h"
#include "platform/qt/web_pane_module.h"
#include "program/kestrova_program.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QStyleFactory>

#include <cstdio>

namespace {

void settle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool printRow(kestrova::FormWindow &window, const char *list, int row, const char *label)
{
    auto *view = window.findChild<QListView *>(QString::fromLatin1(list));
    if (!view || row >= view->model()->rowCount())
        return false;
    const QRect rect = view->visualRect(view->model()->index(row, 0));
    const QPoint point = view->viewport()->mapToGlobal(rect.center());
    std::printf("%s %d %d\n", label, point.x(), point.y());
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_window_locate APPLICATION_FOLDER\n");
        return 2;
    }
    const std::filesystem::path appDir(argv[1]);
    kestrova::prepareWebEngineEnvironment();
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const kestrova::SiteHosts hosts;
    kestrova::DesktopHost host(appDir, hosts.product, [&](kestrova::Services services) {
        return kestrova::makeKestrova(appDir, services, kestrova::PlatformRules::native(), hosts);
    }, appDir);
    host.start();
    settle(1000);
    auto &window = host.mainWindow();
    auto &app = host.app();
    if (!printRow(window, "manu_L", 0, "manufacturer"))
        return 1;
    app.listBox("manu_L").setListIndex(0);
    settle(200);
    const int platforms = app.listBox("plat_list_L").count();
    for (int k = 0; k < platforms; ++k) {
        const std::string label = "platform " + std::to_string(k);
        printRow(window, "plat_list_L", k, label.c_str());
    }
    app.listBox("plat_list_L").setListIndex(0);
    settle(500);
    if (!printRow(window, "Flist_L", 0, "rom"))
        return 1;
    std::fflush(stdout);
    return 0;
}
