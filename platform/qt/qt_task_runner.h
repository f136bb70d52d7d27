#pragma once

#include "platform/task_runner.h"

#include <QObject>
#include <QThreadPool>

namespace kestrova {

/// Work on one thread of its own, in order; each finish is posted to the window's event loop.
class QtTaskRunner : public TaskRunner
{
public:
    QtTaskRunner();
    /// Drops work not yet started and waits for the one running (a bounded read), so that no
    /// thread outlives what it reads into.
    ~QtTaskRunner() override;
    QtTaskRunner(const QtTaskRunner &) = delete;
    QtTaskRunner &operator=(const QtTaskRunner &) = delete;

    void run(Work work) override;

private:
    QObject m_receiver; // lives on the window's thread; its queued calls die with it
    QThreadPool m_pool;
};

} // namespace kestrova
