#include "platform/qt/web_engine/web_engine_module.h"

#include "platform/qt/web_engine/web_engine_pane.h"

namespace kestrova {

std::unique_ptr<WidgetWebPane> WebEngineModule::makeWebPane(const std::string &productHost,
                                                            const std::filesystem::path &pagesFolder,
                                                            QWidget *parent)
{
    return std::make_unique<WebEnginePane>(productHost, pagesFolder, parent);
}

} // namespace kestrova
