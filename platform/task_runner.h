#pragma once

#include <functional>

namespace kestrova {

/// Runs slow work (reading a large file) away from the window's thread, so that the window keeps
/// answering clicks, scrolling and closing meanwhile.
class TaskRunner
{
public:
    /// What the work hands back, to run on the window's thread when the work is done.
    using Finish = std::function<void()>;
    using Work = std::function<Finish()>;

    virtual ~TaskRunner() = default;
    /// Runs `work` on another thread, then the function it returned on the window's thread. The
    /// work must touch nothing but what it captured; a finish may arrive after the state it was
    /// meant for has moved on, and has to check.
    virtual void run(Work work) = 0;
};

/// Runs the work at once on the caller's thread: for programs without a window.
class InlineTaskRunner : public TaskRunner
{
public:
    void run(Work work) override
    {
        if (Finish finish = work())
            finish();
    }
};

} // namespace kestrova
