#pragma once

#include "platform/shell.h"

#include <filesystem>

namespace kestrova {

/// Starts programs directly, never through a command interpreter. On Unix the program path and
/// its argument reach the new process byte for byte, whatever their encoding.
class QtShell : public Shell
{
public:
    /// Texts handed to shellOpen() that are no web address are paths relative to `appDir`.
    explicit QtShell(std::filesystem::path appDir = {});

    StartResult startDetached(const std::string &program,
                              const std::vector<std::string> &arguments, bool minimized) override;
    void shellOpen(const std::string &text) override;

private:
    std::filesystem::path m_appDir;
};

/// True for a text a browser would take as a web address: a known scheme or a "www." host.
[[nodiscard]] bool isWebAddress(const std::string &text);

} // namespace kestrova
