#include "platform/qt/qt_shell.h"

#include "platform/qt/qt_convert.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace kestrova {

bool QtShell::startDetached(const std::string &program, const std::vector<std::string> &arguments,
                            bool minimized)
{
    QProcess process;
    process.setProgram(toQString(program));
    QStringList list;
    for (const auto &argument : arguments)
        list << toQString(argument);
    process.setArguments(list);
    process.setWorkingDirectory(QFileInfo(toQString(program)).absolutePath());
#ifdef Q_OS_WIN
    if (minimized) {
        process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *args) {
            args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            args->startupInfo->wShowWindow = SW_SHOWMINIMIZED;
        });
    }
#else
    (void)minimized;
#endif
    return process.startDetached();
}

void QtShell::shellOpen(const std::string &text)
{
    QDesktopServices::openUrl(QUrl::fromUserInput(toQString(text)));
}

} // namespace kestrova
