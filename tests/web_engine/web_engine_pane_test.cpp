#include "local_http_server.h"
#include "platform/qt/web_engine_pane.h"

#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrova {
namespace {

constexpr int stepTimeoutMs = 15000;

const QByteArray rankingHome = R"(<!DOCTYPE html><html><head><title>Ranking</title></head><body>
<form action="/first" method="get"><input type="text" name="Itemname">
<input type="submit" name="submit1" value="Find"></form>
<form action="/search" method="get"><input type="text" name="Itemname">
<input type="submit" name="submit2" value="Search"></form>
</body></html>)";

QByteArray plainPage(const char *title)
{
    return QByteArray("<!DOCTYPE html><html><head><title>") + title + "</title></head><body><p>"
           + title + "</p><a id=\"jump\" href=\"#part\">part</a><p id=\"part\">part</p></body>"
           + "</html>";
}

void writeFile(const QString &folder, const char *name, const std::string &text)
{
    std::ofstream((folder + QLatin1Char('/') + QLatin1String(name)).toStdString(),
                  std::ios::binary)
        << text;
}

/// Runs the event loop until `done` holds, at most `stepTimeoutMs`. A real loop, not
/// QTest::qWaitFor: that one sleeps between rounds, and the engine's browser side runs its tasks
/// on this thread, so every step of a load would wait out a sleep.
template<typename Predicate>
bool waitUntil(Predicate done)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(stepTimeoutMs, &loop, &QEventLoop::quit);
    if (!done())
        loop.exec();
    return done();
}

/// One field of an application/x-www-form-urlencoded query, decoded.
QString formField(const QString &target, const QString &name)
{
    const QString query = target.section(QLatin1Char('?'), 1);
    for (const QString &pair : query.split(QLatin1Char('&'))) {
        if (pair.section(QLatin1Char('='), 0, 0) == name) {
            QByteArray value = pair.section(QLatin1Char('='), 1).toLatin1();
            value.replace('+', ' ');
            return QUrl::fromPercentEncoding(value);
        }
    }
    return {};
}

/// One engine, one server and one pane for every case: starting the engine takes seconds.
class WebEnginePaneTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pages = std::make_unique<QTemporaryDir>();
        writeFile(s_pages->path(), "index.html",
                  "<html><head><title>Product home</title></head>"
                  "<body><a id=\"update\" href=\"102.html\">Update</a></body></html>");
        writeFile(s_pages->path(), "102.html",
                  "<html><head><meta charset=\"utf-8\"><title>Update 1.02</title></head>"
                  "<body>Version 1.02 \xc3\xa9t\xc3\xa9</body></html>");
        s_server = std::make_unique<LocalHttpServer>();
        if (!s_server->start())
            return;
        s_server->setPage(QStringLiteral("/"), rankingHome);
        s_server->setPage(QStringLiteral("/a.html"), plainPage("Page A"));
        s_server->setPage(QStringLiteral("/b.html"), plainPage("Page B"));
        s_server->setPage(QStringLiteral("/search"), plainPage("Results"));
        s_server->setPage(QStringLiteral("/first"), plainPage("Wrong form"));
        s_pane = std::make_unique<WebEnginePane>("kestrova", s_pages->path().toStdString());
        s_pane->widget()->resize(800, 600);
        s_pane->widget()->show();
    }

    static void TearDownTestSuite()
    {
        s_pane.reset();
        s_server->stop();
        s_server.reset();
        s_pages.reset();
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_server->isListening()) << "no local server";
        ASSERT_FALSE(s_stalled) << "the engine stopped answering in an earlier step";
        s_pane->onNavigationComplete = [this] {
            m_navigations.push_back(s_pane->currentAddress());
        };
        s_pane->onDocumentComplete = [this] { ++m_documents; };
    }

    void TearDown() override
    {
        s_pane->onNavigationComplete = nullptr;
        s_pane->onDocumentComplete = nullptr;
    }

    /// Waits for the step's notifications: exactly one navigation, at `address`, and one
    /// document unless the step loads none.
    void expectNavigation(const std::string &address, int documents = 1)
    {
        s_stalled = s_stalled || !waitUntil([&] {
            return !m_navigations.empty() && m_documents >= documents;
        });
        ASSERT_FALSE(s_stalled) << "no navigation to " << address;
        EXPECT_EQ(m_navigations, std::vector<std::string>{address});
        EXPECT_EQ(m_documents, documents);
        EXPECT_EQ(s_pane->currentAddress(), address);
        m_navigations.clear();
        m_documents = 0;
    }

    static QVariant evaluate(const char *script)
    {
        // Shared, because the answer may still come after a wait has given up.
        auto answer = std::make_shared<std::optional<QVariant>>();
        view()->page()->runJavaScript(QString::fromUtf8(script),
                                      [answer](const QVariant &value) { *answer = value; });
        s_stalled = s_stalled || !waitUntil([&] { return answer->has_value(); });
        if (s_stalled) {
            ADD_FAILURE() << "no answer to " << script;
            return {};
        }
        return **answer;
    }

    static QWebEngineView *view() { return static_cast<QWebEngineView *>(s_pane->widget()); }
    static std::string url(const char *path) { return (s_server->base() + path).toStdString(); }
    static qsizetype requestsOf(const char *target)
    {
        return s_server->requests().count(QString::fromLatin1(target));
    }

    static inline std::unique_ptr<QTemporaryDir> s_pages;
    static inline std::unique_ptr<LocalHttpServer> s_server;
    static inline std::unique_ptr<WebEnginePane> s_pane;
    /// Once a wait has run out, later steps fail at once, so the run stays bounded.
    static inline bool s_stalled = false;
    std::vector<std::string> m_navigations;
    int m_documents = 0;
};

TEST_F(WebEnginePaneTest, FillsTheSecondFieldWithTextAsDataAndSubmitsItsForm)
{
    const std::string title = "Tom & Jerry \"quoted\" </script> 'it\\s' \xc3\xa9t\xc3\xa9";
    s_pane->navigate(url("/"));
    expectNavigation(url("/"));

    // Missing elements: nothing happens, no error.
    s_pane->setElementValue("Nothing", 0, "x");
    s_pane->setElementValue("Itemname", 2, "x");
    s_pane->clickElement("Nothing");
    s_pane->setElementValue("Itemname", 1, title);
    const QStringList values =
        evaluate("Array.from(document.getElementsByName('Itemname'), e => e.value)")
            .toStringList();
    EXPECT_EQ(values, (QStringList{QString(), QString::fromStdString(title)}));

    s_pane->clickElement("submit2");
    ASSERT_TRUE(waitUntil([] { return s_server->requests().last().startsWith("/search?"); }));
    const QString submitted = s_server->requests().last();
    EXPECT_EQ(formField(submitted, QStringLiteral("Itemname")).toStdString(), title);
    EXPECT_EQ(requestsOf("/first"), 0);
    // The address reads as a person would type it: "été", not its percent-encoding.
    const std::string results = QUrl(s_server->base() + submitted).toString().toStdString();
    expectNavigation(results);

    // Back after a form submitted by script, where QWebEngineView::back() does nothing.
    s_pane->back();
    expectNavigation(url("/"));
    s_pane->forward();
    expectNavigation(results);
}

TEST_F(WebEnginePaneTest, BackForwardAndRefreshFollowTheHistory)
{
    s_pane->navigate(url("/a.html"));
    expectNavigation(url("/a.html"));
    s_pane->navigate(url("/b.html"));
    expectNavigation(url("/b.html"));
    s_pane->back();
    expectNavigation(url("/a.html"));
    s_pane->forward();
    expectNavigation(url("/b.html"));
    s_pane->forward(); // nothing ahead: no navigation, no error
    const qsizetype before = requestsOf("/b.html");
    s_pane->refresh();
    expectNavigation(url("/b.html"));
    EXPECT_EQ(requestsOf("/b.html"), before + 1);

    // A jump inside the page loads no document but is a navigation.
    evaluate("document.getElementById('jump').click()");
    expectNavigation(url("/b.html#part"), 0);
}

TEST_F(WebEnginePaneTest, ProductHostIsServedFromThePagesFolder)
{
    s_pane->navigate("kestrova/102.html");
    expectNavigation("http://kestrova/102.html");
    EXPECT_EQ(evaluate("document.body.innerText").toString(),
              QString::fromUtf8("Version 1.02 \xc3\xa9t\xc3\xa9"));

    s_pane->navigate("kestrova");
    expectNavigation("http://kestrova/");
    EXPECT_EQ(evaluate("document.title").toString(), QStringLiteral("Product home"));
    evaluate("document.getElementById('update').click()");
    expectNavigation("http://kestrova/102.html");
    const int entries = view()->history()->count();
    s_pane->navigate("kestrova/102.html"); // again: the same page, not a second history entry
    expectNavigation("http://kestrova/102.html");
    EXPECT_EQ(view()->history()->count(), entries);

    s_pane->back();
    expectNavigation("http://kestrova/");
    EXPECT_EQ(evaluate("document.title").toString(), QStringLiteral("Product home"));
    s_pane->refresh();
    expectNavigation("http://kestrova/");
    s_pane->forward();
    expectNavigation("http://kestrova/102.html");
    EXPECT_EQ(evaluate("document.title").toString(), QStringLiteral("Update 1.02"));

    for (const char *missing : {"kestrova/none.html", "kestrova/..%2F102.html"}) {
        s_pane->navigate(missing);
        expectNavigation(urlFromAddress(missing).toString().toStdString());
        EXPECT_EQ(evaluate("document.title").toString(), QStringLiteral("Page not found"));
    }

    s_pane->navigate(url("/a.html"));
    expectNavigation(url("/a.html"));
    s_pane->back();
    expectNavigation(urlFromAddress("kestrova/..%2F102.html").toString().toStdString());
}

TEST_F(WebEnginePaneTest, AddressesWithoutSchemeAreHttpAndFailuresAreNavigations)
{
    EXPECT_EQ(urlFromAddress("kestrova").toString(), QStringLiteral("http://kestrova/"));
    EXPECT_EQ(urlFromAddress("www.example.com").toString(),
              QStringLiteral("http://www.example.com/"));
    EXPECT_EQ(urlFromAddress("kestrova/102.html").toString(),
              QStringLiteral("http://kestrova/102.html"));
    EXPECT_EQ(urlFromAddress("HTTP://www.example.com/A").toString(),
              QStringLiteral("http://www.example.com/A"));

    const std::string typed = url("/a.html").substr(std::string("http://").size());
    s_pane->navigate(typed);
    expectNavigation(url("/a.html"));

    // A refused connection: the pane shows its error page at the failed address.
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    const std::string refused = "http://127.0.0.1:" + std::to_string(closedPort) + "/";
    s_pane->navigate(refused);
    expectNavigation(refused, 0);
}

TEST(WebEngineEnvironmentTest, AddsDisableGpuOnceForOffscreen)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");
    prepareWebEngineEnvironment();
    prepareWebEngineEnvironment();
    EXPECT_EQ(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), QByteArray("--no-sandbox --disable-gpu"));
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "");
    prepareWebEngineEnvironment();
    EXPECT_EQ(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), QByteArray());
    qputenv("QT_QPA_PLATFORM", platform);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

} // namespace
} // namespace kestrova
