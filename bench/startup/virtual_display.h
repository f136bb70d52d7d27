#pragma once

#include <string>
#include <sys/types.h>

namespace kestrova::bench {

/// A private Xvfb server for the time of a benchmark, on a display number it picks itself.
class VirtualDisplay
{
public:
    /// Starts Xvfb with one 1280x1024 screen; throws std::runtime_error when it cannot.
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    /// The display name, such as ":12".
    const std::string &name() const { return m_name; }

private:
    pid_t m_pid = -1;
    std::string m_name;
};

} // namespace kestrova::bench
