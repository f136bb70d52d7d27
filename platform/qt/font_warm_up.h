#pragma once

#include <thread>

namespace kestrova {

/// Reads the system's font configuration on a thread of its own while the application object is
/// made: the window's first text would otherwise wait for it (several milliseconds of XML and
/// cache files). Does nothing where fonts are not found through fontconfig.
class FontWarmUp
{
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

    /// Returns once the configuration is read.
    void wait();

private:
    std::thread m_thread;
};

} // namespace kestrova
