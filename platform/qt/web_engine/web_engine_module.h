#pragma once

#include "platform/qt/widget_web_pane.h"

#include <QObject>

namespace kestrova {

/// The module's entry point: makes web panes on Qt WebEngine.
class WebEngineModule : public QObject, public WebPaneFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KestrovaWebPaneFactory_iid)
    Q_INTERFACES(kestrova::WebPaneFactory)

public:
    [[nodiscard]] std::unique_ptr<WidgetWebPane>
    makeWebPane(const std::string &productHost, const std::filesystem::path &pagesFolder,
                QWidget *parent) override;
};

} // namespace kestrova
