#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include <string>

namespace kestrova::testing {

/// A bound against hangs only: far beyond what any step takes on a loaded two-core machine.
constexpr int kPatienceMs = 60000;

/// Runs a real event loop, as the program's own, until `done()` holds; fails naming `what` did
/// not happen once `boundMs` have passed. A real loop rather than QTest::qWaitFor, which sleeps
/// between rounds: the web engine runs its tasks on this thread, and a box opened meanwhile
/// nests in a running loop as it does in the program.
template<typename Predicate>
::testing::AssertionResult waitUntil(Predicate done, const std::string &what,
                                     int boundMs = kPatienceMs)
{
    QElapsedTimer elapsed;
    elapsed.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || elapsed.hasExpired(boundMs))
            loop.quit();
    });
    poll.start(5);
    if (!done())
        loop.exec();
    if (done())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << what << " did not happen within " << boundMs / 1000 << " s";
}

/// Waits until the window `name` is on the screen.
inline ::testing::AssertionResult waitUntilExposed(const QWidget &window, const std::string &name)
{
    return waitUntil([&] { return window.windowHandle() && window.windowHandle()->isExposed(); },
                     "the showing of " + name);
}

/// Waits until the window has drawn a frame that began after this call, so that everything
/// changed before it is on the screen.
inline ::testing::AssertionResult waitForFrame(QWidget &window)
{
    struct FrameSeen : QObject
    {
        bool seen = false;
        bool eventFilter(QObject *, QEvent *event) override
        {
            seen = seen || event->type() == QEvent::UpdateRequest;
            return false;
        }
    } frame;
    window.installEventFilter(&frame);
    window.update();
    auto result = waitUntil([&] { return frame.seen; }, "a new frame of the window");
    window.removeEventFilter(&frame);
    return result;
}

} // namespace kestrova::testing
