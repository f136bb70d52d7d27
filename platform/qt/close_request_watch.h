#pragma once

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <functional>

class QWidget;

namespace kestrova {

/// Tells when the system asks a window to close (its close button, a window manager's or the
/// task bar's close command). The toolkit drops such a request while a modal box blocks the
/// window, even one the user has just answered and that is still closing; whoever listens here
/// can honour it once the box is gone.
class CloseRequestWatch : public QAbstractNativeEventFilter
{
public:
    CloseRequestWatch(const QWidget &window, std::function<void()> onRequest);
    ~CloseRequestWatch() override;
    CloseRequestWatch(const CloseRequestWatch &) = delete;
    CloseRequestWatch &operator=(const CloseRequestWatch &) = delete;

    /// Never consumes the request: when nothing blocks the window the toolkit delivers it.
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    bool isCloseRequest(const QByteArray &eventType, void *message);

    const QWidget &m_window;
    std::function<void()> m_onRequest;
    std::uint32_t m_deleteWindowAtom = 0; ///< X11's WM_DELETE_WINDOW, looked up once
};

} // namespace kestrova
