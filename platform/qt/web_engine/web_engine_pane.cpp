#include "platform/qt/web_engine/web_engine_pane.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

namespace kestrova {

namespace {

const char *const notFoundPage =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Page not found</title></head>"
    "<body><h1>Page not found</h1><p>There is no page at this address.</p></body></html>";

/// A page name is a plain file name in the pages folder; anything else is not found.
bool isPlainFileName(const QString &name)
{
    return !name.isEmpty() && !name.startsWith(QLatin1Char('.'))
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
           && !name.contains(QLatin1Char(':'));
}

std::optional<QString> readPage(const std::filesystem::path &file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return QString::fromStdString(bytes);
}

/// Answers navigations to the product host from the pages folder; every other address goes to
/// the network as usual.
class ProductHostPage : public QWebEnginePage
{
public:
    ProductHostPage(QString host, std::filesystem::path folder, QObject *parent)
        : QWebEnginePage(parent), m_host(std::move(host)), m_folder(std::move(folder))
    {}

    /// True when `info` ends a navigation refused by acceptNavigationRequest; its page is then
    /// shown in its place.
    bool showRefusedPage(const QWebEngineLoadingInfo &info)
    {
        if (m_refused.isEmpty() || info.status() != QWebEngineLoadingInfo::LoadStoppedStatus
            || info.url() != m_refused)
            return false;
        // The renderer drops a refused link only after this, and a page shown before that is
        // reported as failed; the answer to a script comes after the renderer has done so.
        runJavaScript(QStringLiteral("0"), [this, url = m_refused](const QVariant &) {
            if (m_refused == url)
                show(url);
        });
        return true;
    }

    /// Shows the page for `url` when it is on the product host; false for any other address.
    bool showProductPage(const QUrl &url)
    {
        if (!isProductUrl(url))
            return false;
        show(url);
        return true;
    }

    /// The pane is sent elsewhere: a refused navigation that has not ended yet is dropped.
    void forgetRefusedPage() { m_refused.clear(); }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        // Back, forward and reload come here with the data: address that setHtml left in the
        // history, and go through: the entry holds the page.
        if (!isMainFrame || !isProductUrl(url))
            return true;
        // A link or a redirect to the product host: its page is shown once this navigation
        // has ended, see showRefusedPage.
        m_refused = url;
        return false;
    }

private:
    void show(const QUrl &url)
    {
        m_refused.clear();
        if (url == this->url()) {
            // setHtml would add a second history entry for the same page.
            triggerAction(Reload);
        } else {
            // file:// is refused from http pages; setHtml keeps the http:// address.
            setHtml(pageFor(url), url);
        }
    }

    bool isProductUrl(const QUrl &url) const
    {
        return url.scheme() == QLatin1String("http") && url.port() == -1
               && url.host().compare(m_host, Qt::CaseInsensitive) == 0;
    }

    QString pageFor(const QUrl &url) const
    {
        const QString path = url.path();
        const QString name = path.isEmpty() || path == QLatin1String("/")
                                 ? QStringLiteral("index.html")
                                 : path.mid(1);
        if (isPlainFileName(name)) {
            if (auto content = readPage(m_folder / name.toStdU16String()))
                return *content;
        }
        return QString::fromLatin1(notFoundPage);
    }

    QString m_host;
    std::filesystem::path m_folder;
    QUrl m_refused; // a product page whose navigation was refused and has not ended yet
};

QString jsonArguments(const QJsonArray &arguments)
{
    return QString::fromUtf8(QJsonDocument(arguments).toJson(QJsonDocument::Compact));
}

ProductHostPage *productPage(QWebEngineView *view)
{
    return static_cast<ProductHostPage *>(view->page());
}

} // namespace

WebEnginePane::WebEnginePane(const std::string &productHost,
                             const std::filesystem::path &pagesFolder, QWidget *parent)
    : m_view(new QWebEngineView(parent))
{
    m_view->setPage(new ProductHostPage(QString::fromStdString(productHost).toLower(),
                                        pagesFolder, m_view));
    connectNotifications();
}

WebEnginePane::~WebEnginePane()
{
    delete m_view.data();
}

QWidget *WebEnginePane::widget() const
{
    return m_view.data();
}

void WebEnginePane::connectNotifications()
{
    // Navigation complete comes when a top-level load ends, whether it succeeded or not (the
    // address is then the one that failed): once per load, also for a reload or a page that
    // replaced itself at the same address, which urlChanged would miss. A same-document
    // navigation (a #fragment, history.pushState) loads nothing, so a change of address
    // outside a load counts as one too.
    QWebEnginePage *page = m_view->page();
    QObject::connect(page, &QWebEnginePage::urlChanged, m_view, [this] {
        if (!m_loading && onNavigationComplete)
            onNavigationComplete();
    });
    QObject::connect(page, &QWebEnginePage::loadingChanged, m_view,
                     [this](const QWebEngineLoadingInfo &info) { loadingChanged(info); });
}

void WebEnginePane::loadingChanged(const QWebEngineLoadingInfo &info)
{
    using Status = QWebEngineLoadingInfo::LoadStatus;
    if (info.status() == Status::LoadStartedStatus) {
        m_loading = true;
        return;
    }
    if (productPage(m_view)->showRefusedPage(info))
        return; // still loading: the page shown in its place ends it
    m_loading = false;
    if (onNavigationComplete)
        onNavigationComplete();
    if (info.status() == Status::LoadSucceededStatus && onDocumentComplete)
        onDocumentComplete();
}

void WebEnginePane::navigate(const std::string &address)
{
    if (!m_view)
        return;
    const QUrl url = urlFromAddress(address);
    productPage(m_view)->forgetRefusedPage();
    if (!productPage(m_view)->showProductPage(url))
        m_view->load(url);
}

std::string WebEnginePane::currentAddress() const
{
    if (!m_view)
        return {};
    return m_view->url().toString().toStdString();
}

void WebEnginePane::back()
{
    goThroughHistory(&QWebEngineHistory::canGoBack, &QWebEngineHistory::backItem);
}

void WebEnginePane::forward()
{
    goThroughHistory(&QWebEngineHistory::canGoForward, &QWebEngineHistory::forwardItem);
}

// QWebEngineView::back() and forward() do nothing after a page submitted a form by script.
void WebEnginePane::goThroughHistory(bool (QWebEngineHistory::*can)() const,
                                     QWebEngineHistoryItem (QWebEngineHistory::*item)() const)
{
    if (!m_view)
        return;
    QWebEngineHistory *history = m_view->history();
    if (!(history->*can)())
        return;
    productPage(m_view)->forgetRefusedPage();
    history->goToItem((history->*item)());
}

void WebEnginePane::refresh()
{
    if (!m_view)
        return;
    productPage(m_view)->forgetRefusedPage();
    m_view->reload();
}

void WebEnginePane::setElementValue(const std::string &name, int index, const std::string &value)
{
    runScript(QStringLiteral("function(n,i,v){var e=document.getElementsByName(n)[i];"
                             "if(e)e.value=v;}"),
              jsonArguments({QString::fromStdString(name), index, QString::fromStdString(value)}));
}

void WebEnginePane::clickElement(const std::string &name)
{
    runScript(QStringLiteral("function(n){var e=document.getElementsByName(n)[0];"
                             "if(e)e.click();}"),
              jsonArguments({QString::fromStdString(name)}));
}

void WebEnginePane::fillAndSubmit(const std::string &field, int index, const std::string &value,
                                  const std::string &button)
{
    // One script, so that the page cannot change between the look and the click.
    runScript(QStringLiteral("function(f,i,v,b){var e=document.getElementsByName(f)[i];"
                             "var s=document.getElementsByName(b)[0];"
                             "if(e&&s){e.value=v;s.click();}}"),
              jsonArguments({QString::fromStdString(field), index, QString::fromStdString(value),
                             QString::fromStdString(button)}));
}

void WebEnginePane::runScript(const QString &function, const QString &jsonArguments)
{
    if (!m_view)
        return;
    // The arguments arrive as one JSON array literal, so page text is only ever data.
    m_view->page()->runJavaScript(QStringLiteral("(") + function
                                  + QStringLiteral(").apply(null,") + jsonArguments
                                  + QStringLiteral(")"));
}

QUrl urlFromAddress(const std::string &address)
{
    QUrl url = QUrl::fromUserInput(QString::fromStdString(address));
    if (url.path().isEmpty() && !url.host().isEmpty())
        url.setPath(QStringLiteral("/"));
    return url;
}

} // namespace kestrova
