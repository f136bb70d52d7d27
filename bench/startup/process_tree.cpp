#include "process_tree.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrova::bench {

namespace {

pid_t parentOf(const std::filesystem::path &statFile)
{
    std::ifstream in(statFile);
    std::string line;
    std::getline(in, line);
    // The command name may hold spaces and parentheses; the fields follow its last ')'.
    const auto close = line.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(line.substr(close + 1));
    std::string state;
    pid_t parent = -1;
    fields >> state >> parent;
    return parent;
}

long long pssOf(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string key;
    long long kib = 0;
    while (in >> key) {
        if (key == "Pss:") {
            in >> kib;
            return kib * 1024;
        }
        in.ignore(1 << 12, '\n');
    }
    return 0;
}

} // namespace

std::vector<pid_t> processTree(pid_t root)
{
    std::multimap<pid_t, pid_t> children;
    for (const auto &entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        children.emplace(parentOf(entry.path() / "stat"), pid_t(std::stoi(name)));
    }
    std::vector<pid_t> tree{root};
    for (size_t k = 0; k < tree.size(); ++k) {
        auto [first, last] = children.equal_range(tree[k]);
        for (auto it = first; it != last; ++it)
            tree.push_back(it->second);
    }
    return tree;
}

Program::Program(const std::string &path, const std::string &display)
{
    char folder[] = "/tmp/kestrova-bench-runtime-XXXXXX"; // mode 0700, as the engine wants
    if (!mkdtemp(folder))
        throw std::runtime_error("mkdtemp failed");
    m_runtimeDir = folder;
    m_pid = fork();
    if (m_pid == 0) {
        setpgid(0, 0);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        setenv("DISPLAY", display.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        setenv("XDG_RUNTIME_DIR", folder, 1);
        unsetenv("WAYLAND_DISPLAY");
        execl(path.c_str(), path.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    setpgid(m_pid, m_pid);
}

Program::~Program()
{
    // The engine's helpers may leave the group; the tree still finds them.
    for (pid_t pid : processTree(m_pid))
        kill(pid, SIGKILL);
    kill(-m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    std::error_code ignored;
    std::filesystem::remove_all(m_runtimeDir, ignored);
}

long long Program::proportionalSetSize() const
{
    long long total = 0;
    for (pid_t pid : processTree(m_pid))
        total += pssOf(pid);
    return total;
}

} // namespace kestrova::bench
