#pragma once

#include <QProxyStyle>

namespace kestrova {

/// The program's style: a base style whose icon for the menu bar's overflow button is made
/// only when that button is first drawn. Making it probes every image plugin Qt has (loading
/// their libraries) before the window's first frame, for a button that rarely shows.
class DeferredIconStyle : public QProxyStyle
{
public:
    /// Takes ownership of `base`.
    explicit DeferredIconStyle(QStyle *base);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

} // namespace kestrova
