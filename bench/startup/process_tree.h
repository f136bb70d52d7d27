#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace kestrova::bench {

/// A program started for a measurement, in a process group of its own so that it ends with
/// every helper process it started.
class Program
{
public:
    /// Starts `path` with no arguments on `display`, its output discarded.
    Program(const std::string &path, const std::string &display);
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    pid_t pid() const { return m_pid; }
    /// Proportional set size of the program and all its descendants, in bytes.
    long long proportionalSetSize() const;

private:
    pid_t m_pid = -1;
    std::string m_runtimeDir;
};

/// The process and all its descendants, from /proc.
std::vector<pid_t> processTree(pid_t root);

} // namespace kestrova::bench
