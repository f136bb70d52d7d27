#pragma once

#include "platform/shell.h"

namespace kestrova {

/// Starts programs directly, never through a command interpreter.
class QtShell : public Shell
{
public:
    bool startDetached(const std::string &program, const std::vector<std::string> &arguments,
                       bool minimized) override;
    void shellOpen(const std::string &text) override;
};

} // namespace kestrova
