#include "platform/qt/qt_shell.h"

#include "platform/qt/qt_convert.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char **environ;
#endif

#include <algorithm>
#include <cctype>
#include <system_error>

namespace kestrova {

namespace {

#ifdef Q_OS_WIN

StartResult startProcess(const std::string &program, const std::vector<std::string> &arguments,
                         bool minimized)
{
    QProcess process;
    process.setProgram(toQString(program));
    QStringList list;
    for (const auto &argument : arguments)
        list << toQString(argument);
    process.setArguments(list);
    process.setWorkingDirectory(QFileInfo(toQString(program)).absolutePath());
    if (minimized) {
        process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *args) {
            args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            args->startupInfo->wShowWindow = SW_SHOWMINIMIZED;
        });
    }
    if (process.startDetached())
        return {true, {}};
    return {false, fromQString(process.errorString())};
}

#else

/// Spawn attributes and file actions, released whatever happens.
struct SpawnSetup
{
    SpawnSetup()
    {
        posix_spawnattr_init(&attributes);
        posix_spawn_file_actions_init(&actions);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup &) = delete;
    SpawnSetup &operator=(const SpawnSetup &) = delete;

    posix_spawnattr_t attributes;
    posix_spawn_file_actions_t actions;
};

/// Runs in the short-lived middle process: starts the program in its own session and reports
/// the spawn's error number (0 for success) through the pipe.
[[noreturn]] void spawnOrphan(int reportFd, char *const argv[], SpawnSetup &setup)
{
    pid_t child = 0;
    const int error = posix_spawn(&child, argv[0], &setup.actions, &setup.attributes, argv,
                                  environ);
    (void)!write(reportFd, &error, sizeof error);
    _exit(0);
}

StartResult failedWith(int error)
{
    return {false, std::generic_category().message(error)};
}

/// Starts the program detached: a middle process spawns it and ends at once, so the program
/// is handed to the system, which reaps it; the middle process is reaped here.
StartResult startProcess(const std::string &givenProgram,
                         const std::vector<std::string> &arguments, bool)
{
    // The program's folder becomes the working folder before it runs, so a relative path
    // would then be looked for from there.
    std::error_code absoluteError;
    const std::string program = std::filesystem::absolute(givenProgram, absoluteError).native();
    if (absoluteError)
        return failedWith(absoluteError.value());
    std::vector<std::string> texts{program};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char *> argv;
    for (auto &text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    SpawnSetup setup;
    // The program starts as from a fresh session: no signal blocked, broken pipes fatal.
    posix_spawnattr_setflags(&setup.attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    sigset_t signalSet;
    sigemptyset(&signalSet);
    posix_spawnattr_setsigmask(&setup.attributes, &signalSet);
    sigaddset(&signalSet, SIGPIPE);
    posix_spawnattr_setsigdefault(&setup.attributes, &signalSet);
    const auto folder = std::filesystem::path(program).parent_path();
    if (!folder.empty())
        posix_spawn_file_actions_addchdir_np(&setup.actions, folder.c_str());

    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return failedWith(errno);
    const pid_t middle = fork();
    const int forkError = errno;
    if (middle == 0) {
        close(report[0]);
        spawnOrphan(report[1], argv.data(), setup);
    }
    close(report[1]);
    int error = middle < 0 ? forkError : EPIPE;
    if (middle > 0) {
        ssize_t got = 0;
        do
            got = read(report[0], &error, sizeof error);
        while (got < 0 && errno == EINTR);
        if (got != ssize_t(sizeof error))
            error = EPIPE; // the middle process ended without a word
        while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    close(report[0]);
    if (error != 0)
        return failedWith(error);
    return {true, {}};
}

#endif

} // namespace

QtShell::QtShell(std::filesystem::path appDir) : m_appDir(std::move(appDir)) {}

StartResult QtShell::startDetached(const std::string &program,
                                   const std::vector<std::string> &arguments, bool minimized)
{
    return startProcess(program, arguments, minimized);
}

bool isWebAddress(const std::string &text)
{
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    for (const char *prefix : {"http://", "https://", "ftp://", "mailto:", "www."}) {
        if (lower.starts_with(prefix))
            return true;
    }
    return false;
}

void QtShell::shellOpen(const std::string &text)
{
    if (isWebAddress(text)) {
        QDesktopServices::openUrl(QUrl::fromUserInput(toQString(text)));
        return;
    }
    if (text.empty())
        return;
    std::filesystem::path path(text);
    if (path.is_relative())
        path = m_appDir / path;
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return;
#ifdef Q_OS_WIN
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdWString(path.wstring())));
#else
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
#endif
}

} // namespace kestrova
