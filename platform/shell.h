#pragma once

#include <string>
#include <vector>

namespace kestrova {

/// Starting other programs. Nothing passes through a command interpreter.
class Shell
{
public:
    virtual ~Shell() = default;

    /// Starts program with exactly these arguments and does not wait. False when it could not start.
    virtual bool startDetached(const std::string &program, const std::vector<std::string> &arguments,
                               bool minimized) = 0;
    /// Hands a text (a file, a folder or an address) to the system's "open" action.
    virtual void shellOpen(const std::string &text) = 0;
};

} // namespace kestrova
