#pragma once

#include "platform/qt/widget_web_pane.h"

#include <QPointer>

#include <filesystem>
#include <string>

class QUrl;
class QWebEngineHistory;
class QWebEngineHistoryItem;
class QWebEngineLoadingInfo;
class QWebEngineView;
class QWidget;

namespace kestrova {

/// The web pane in a Qt WebEngine view. Addresses on the product host are answered from the
/// product's own pages folder, without network, and keep their http:// address. Only the page
/// itself is answered so: a product page carries its styles and pictures inline (data: images),
/// and stays well under 2 MB (setHtml's limit).
class WebEnginePane : public WidgetWebPane
{
public:
    /// `productHost` is a host name such as "kestrova"; `pagesFolder` holds index.html (the
    /// host's root) and the other pages by file name ("/102.html" is 102.html).
    WebEnginePane(const std::string &productHost, const std::filesystem::path &pagesFolder,
                  QWidget *parent = nullptr);
    ~WebEnginePane() override;
    WebEnginePane(const WebEnginePane &) = delete;
    WebEnginePane &operator=(const WebEnginePane &) = delete;

    /// The view, for the window binding to place and show; null once its parent deleted it.
    [[nodiscard]] QWidget *widget() const override;

    void navigate(const std::string &address) override;
    [[nodiscard]] std::string currentAddress() const override;
    void back() override;
    void forward() override;
    void refresh() override;
    void setElementValue(const std::string &name, int index, const std::string &value) override;
    void clickElement(const std::string &name) override;
    void fillAndSubmit(const std::string &field, int index, const std::string &value,
                       const std::string &button) override;

private:
    void connectNotifications();
    void loadingChanged(const QWebEngineLoadingInfo &info);
    void runScript(const QString &function, const QString &jsonArguments);
    void goThroughHistory(bool (QWebEngineHistory::*can)() const,
                          QWebEngineHistoryItem (QWebEngineHistory::*item)() const);

    QPointer<QWebEngineView> m_view;
    bool m_loading = false;
};

/// Resolves a typed address the way a browser's address bar does: without a scheme it is
/// http://, and a bare host gets the root path ("kestrova" is "http://kestrova/").
[[nodiscard]] QUrl urlFromAddress(const std::string &address);

} // namespace kestrova
