#include "qt/window_manager.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace kestrova::testing {

WindowManager::WindowManager() : m_connection(xcb_connect(nullptr, nullptr))
{
    if (!connected())
        return;
    m_protocols = atom("WM_PROTOCOLS");
    m_deleteWindow = atom("WM_DELETE_WINDOW");
}

WindowManager::~WindowManager()
{
    xcb_disconnect(m_connection);
}

bool WindowManager::connected() const
{
    return xcb_connection_has_error(m_connection) == 0;
}

std::uint32_t WindowManager::atom(const char *name)
{
    const auto cookie = xcb_intern_atom(m_connection, 0, std::uint16_t(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(m_connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : 0;
}

void WindowManager::requestClose(std::uint32_t window)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = m_protocols;
    message.data.data32[0] = m_deleteWindow;
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(m_connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(m_connection);
}

} // namespace kestrova::testing
