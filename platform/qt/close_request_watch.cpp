#include "platform/qt/close_request_watch.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

#ifdef KESTROVA_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace kestrova {

CloseRequestWatch::CloseRequestWatch(const QWidget &window, std::function<void()> onRequest)
    : m_window(window), m_onRequest(std::move(onRequest))
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

CloseRequestWatch::~CloseRequestWatch()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool CloseRequestWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (m_window.testAttribute(Qt::WA_WState_Created) && isCloseRequest(eventType, message))
        m_onRequest();
    return false;
}

bool CloseRequestWatch::isCloseRequest(const QByteArray &eventType, void *message)
{
#ifdef KESTROVA_XCB
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
        return false;
    const auto *client = static_cast<const xcb_client_message_event_t *>(message);
    if (client->format != 32 || client->window != m_window.winId())
        return false;
    if (m_deleteWindowAtom == 0) {
        auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11)
            return false;
        static constexpr char name[] = "WM_DELETE_WINDOW";
        const auto cookie = xcb_intern_atom(x11->connection(), 1, std::strlen(name), name);
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(x11->connection(), cookie, nullptr), &std::free);
        m_deleteWindowAtom = reply ? reply->atom : 0;
    }
    return m_deleteWindowAtom != 0 && client->data.data32[0] == m_deleteWindowAtom;
#elif defined(Q_OS_WIN)
    if (eventType != "windows_generic_MSG")
        return false;
    const auto *msg = static_cast<const MSG *>(message);
    return msg->message == WM_CLOSE && msg->hwnd == reinterpret_cast<HWND>(m_window.winId());
#else
    (void)eventType; // elsewhere the toolkit's own handling is all there is
    (void)message;
    return false;
#endif
}

} // namespace kestrova
