#include "platform/qt/deferred_icon_style.h"

#include <QIconEngine>
#include <QPointer>

#include <optional>

namespace kestrova {

namespace {

/// Asks the style for the icon the first time anyone looks at it.
class DeferredIconEngine : public QIconEngine
{
public:
    DeferredIconEngine(const QStyle *style, QStyle::StandardPixmap icon)
        : m_style(style), m_icon(icon)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        real().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return real().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return real().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return real().actualSize(size, mode, state);
    }
    QIconEngine *clone() const override { return new DeferredIconEngine(m_style, m_icon); }

private:
    const QIcon &real()
    {
        if (!m_real)
            m_real = m_style ? m_style->standardIcon(m_icon) : QIcon();
        return *m_real;
    }

    QPointer<const QStyle> m_style;
    QStyle::StandardPixmap m_icon;
    std::optional<QIcon> m_real;
};

} // namespace

DeferredIconStyle::DeferredIconStyle(QStyle *base) : QProxyStyle(base) {}

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                      const QWidget *widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton && !option && widget)
        return QIcon(new DeferredIconEngine(baseStyle(), icon));
    return QProxyStyle::standardIcon(icon, option, widget);
}

} // namespace kestrova
