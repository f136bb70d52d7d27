#include "frame_watch.h"

#include <xcb/damage.h>
#include <xcb/xtest.h>

#include <poll.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace kestrova::bench {

namespace {

template<class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

} // namespace

FrameWatch::FrameWatch(const std::string &display)
    : m_connection(xcb_connect(display.c_str(), nullptr))
{
    if (xcb_connection_has_error(m_connection))
        throw std::runtime_error("cannot connect to display " + display);
    const auto *damage = xcb_get_extension_data(m_connection, &xcb_damage_id);
    if (!damage || !damage->present)
        throw std::runtime_error("the X server has no Damage extension");
    m_damageEvent = damage->first_event;
    Reply<xcb_damage_query_version_reply_t> version(
        xcb_damage_query_version_reply(m_connection,
                                       xcb_damage_query_version(m_connection, 1, 1), nullptr),
        &std::free);
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
}

FrameWatch::~FrameWatch()
{
    xcb_disconnect(m_connection);
}

void FrameWatch::reset()
{
    m_mapped.clear();
}

void FrameWatch::watch(xcb_window_t window)
{
    // Every change of the window's contents is reported once until it is acknowledged.
    xcb_damage_create(m_connection, xcb_generate_id(m_connection), window,
                      XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    xcb_flush(m_connection);
}

void FrameWatch::handle(xcb_generic_event_t *event, std::optional<Clock::time_point> &frame)
{
    const uint8_t type = event->response_type & 0x7f;
    if (type == XCB_CREATE_NOTIFY) {
        const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
        if (created->parent == m_root)
            watch(created->window);
    } else if (type == XCB_MAP_NOTIFY) {
        m_mapped.insert(reinterpret_cast<xcb_map_notify_event_t *>(event)->window);
    } else if (type == XCB_UNMAP_NOTIFY || type == XCB_DESTROY_NOTIFY) {
        m_mapped.erase(reinterpret_cast<xcb_unmap_notify_event_t *>(event)->window);
    } else if (type == m_damageEvent + XCB_DAMAGE_NOTIFY) {
        const auto *damage = reinterpret_cast<xcb_damage_notify_event_t *>(event);
        xcb_damage_subtract(m_connection, damage->damage, XCB_NONE, XCB_NONE);
        xcb_flush(m_connection);
        if (m_mapped.count(damage->drawable))
            frame = Clock::now();
    }
}

std::optional<Clock::time_point> FrameWatch::nextFrame(std::chrono::milliseconds timeout)
{
    const auto end = Clock::now() + timeout;
    std::optional<Clock::time_point> frame;
    while (!frame) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            handle(event, frame);
            std::free(event);
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (frame || left.count() <= 0 || xcb_connection_has_error(m_connection))
            break;
        pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        poll(&fd, 1, int(left.count()));
    }
    return frame;
}

std::optional<Clock::time_point> FrameWatch::lastFrame(std::chrono::milliseconds quiet,
                                                       std::chrono::milliseconds timeout)
{
    auto last = nextFrame(timeout);
    while (last) {
        const auto next = nextFrame(quiet);
        if (!next)
            break;
        last = next;
    }
    return last;
}

bool FrameWatch::waitStill(std::chrono::milliseconds quiet, std::chrono::milliseconds timeout)
{
    const auto end = Clock::now() + timeout;
    while (nextFrame(quiet)) {
        if (Clock::now() > end)
            return false;
    }
    return true;
}

void FrameWatch::movePointer(int x, int y)
{
    xcb_test_fake_input(m_connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root, int16_t(x),
                        int16_t(y), 0);
    xcb_flush(m_connection);
}

void FrameWatch::click()
{
    xcb_test_fake_input(m_connection, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(m_connection, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(m_connection);
}

} // namespace kestrova::bench
