#pragma once

#include <cstdint>

struct xcb_connection_t;

namespace kestrova::testing {

/// Another client of the X server that asks a window to close the way a window manager does when
/// its close button is clicked: a WM_DELETE_WINDOW message, which the toolkit reads in its own
/// time, like any other input.
class WindowManager
{
public:
    /// Connects to the display of $DISPLAY.
    WindowManager();
    ~WindowManager();
    WindowManager(const WindowManager &) = delete;
    WindowManager &operator=(const WindowManager &) = delete;

    bool connected() const;
    void requestClose(std::uint32_t window);

private:
    std::uint32_t atom(const char *name);

    xcb_connection_t *m_connection = nullptr;
    std::uint32_t m_protocols = 0;
    std::uint32_t m_deleteWindow = 0;
};

} // namespace kestrova::testing
