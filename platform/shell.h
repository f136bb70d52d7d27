#pragma once

#include <string>
#include <vector>

namespace kestrova {

/// How a start went. A program that could not start comes with the system's reason.
struct StartResult
{
    bool started = false;
    /// The system's words, as "Permission denied"; empty when the program started.
    std::string reason;

    explicit operator bool() const { return started; }
};

/// Starting other programs. Nothing passes through a command interpreter.
class Shell
{
public:
    virtual ~Shell() = default;

    /// Starts program with exactly these arguments and does not wait.
    [[nodiscard]] virtual StartResult startDetached(const std::string &program,
                                                    const std::vector<std::string> &arguments,
                                                    bool minimized) = 0;
    /// Hands a text (a file, a folder or an address) to the system's "open" action.
    virtual void shellOpen(const std::string &text) = 0;
};

} // namespace kestrova
