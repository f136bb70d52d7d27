#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <optional>
#include <set>
#include <string>

namespace kestrova::bench {

using Clock = std::chrono::steady_clock;

/// Watches an X display from outside the program: which top-level windows are mapped and when
/// their contents change (the Damage extension), so a frame counts when it reaches the server.
/// Also sends real input through the server (XTest).
class FrameWatch
{
public:
    /// Connects to `display` (":N"); throws std::runtime_error when it cannot.
    explicit FrameWatch(const std::string &display);
    ~FrameWatch();
    FrameWatch(const FrameWatch &) = delete;
    FrameWatch &operator=(const FrameWatch &) = delete;

    /// The time of the next frame shown in a mapped top-level window, or none before `timeout`.
    std::optional<Clock::time_point> nextFrame(std::chrono::milliseconds timeout);
    /// The time of the last frame before the screen stayed still for `quiet`; none if no frame
    /// came within `timeout`.
    std::optional<Clock::time_point> lastFrame(std::chrono::milliseconds quiet,
                                               std::chrono::milliseconds timeout);
    /// Returns once no frame has come for `quiet`; false if frames kept coming until `timeout`.
    bool waitStill(std::chrono::milliseconds quiet, std::chrono::milliseconds timeout);
    /// Forgets the windows seen so far (a new program is about to start).
    void reset();

    /// Moves the pointer to a point of the screen through the server.
    void movePointer(int x, int y);
    /// A left click where the pointer is, pressed and released through the server.
    void click();

private:
    void handle(xcb_generic_event_t *event, std::optional<Clock::time_point> &frame);
    void watch(xcb_window_t window);

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
    uint8_t m_damageEvent = 0;
    std::set<xcb_window_t> m_mapped;
};

} // namespace kestrova::bench
