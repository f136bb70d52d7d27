#pragma once

#include "platform/web_pane.h"

#include <QtPlugin>

#include <filesystem>
#include <memory>
#include <string>

class QWidget;

namespace kestrova {

/// A web pane drawn by a widget, which the window binding places where the `Browser` control is.
class WidgetWebPane : public WebPane
{
public:
    /// Null once the widget's parent deleted it.
    [[nodiscard]] virtual QWidget *widget() const = 0;
};

/// What the web-engine module offers. The engine lives in a module of its own, loaded after the
/// main window is on screen: linked into the program, its libraries and OpenGL set-up made every
/// start several times slower.
class WebPaneFactory
{
public:
    virtual ~WebPaneFactory() = default;
    /// `productHost` is a host name such as "kestrova", answered from `pagesFolder` without
    /// network.
    [[nodiscard]] virtual std::unique_ptr<WidgetWebPane>
    makeWebPane(const std::string &productHost, const std::filesystem::path &pagesFolder,
                QWidget *parent) = 0;
};

} // namespace kestrova

#define KestrovaWebPaneFactory_iid "org.kestrova.WebPaneFactory/1"
Q_DECLARE_INTERFACE(kestrova::WebPaneFactory, KestrovaWebPaneFactory_iid)
