#include "virtual_display.h"

#include <csignal>
#include <stdexcept>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace kestrova::bench {

VirtualDisplay::VirtualDisplay()
{
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    m_pid = fork();
    if (m_pid == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
               "-nolisten", "tcp", "-noreset", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // Xvfb writes its display number once it accepts connections.
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty())
        throw std::runtime_error("Xvfb did not start (is the xvfb package installed?)");
    m_name = ":" + number;
}

VirtualDisplay::~VirtualDisplay()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
}

} // namespace kestrova::bench
