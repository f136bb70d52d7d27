#include "platform/list_box.h"
#include "platform/qt/desktop_host.h"
#include "platform/qt/web_engine/web_engine_pane.h"
#include "platform/text_box.h"
#include "qt/local_http_server.h"
#include "qt/program_host.h"
#include "qt/wait_until.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>
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

/// Far beyond what a step takes on a loaded machine; a bound against a stalled engine only.
constexpr int stepTimeoutMs = testing::kPatienceMs;

using testing::LocalHttpServer;

const QByteArray rankingHome = R"(<!DOCTYPE html><html><head><title>Ranking</title></head><body>
<form action="/first" method="get"><input type="text" name="Itemname">
<input type="submit" name="submit1" value="Find"></form>
<form action="/search" method="get"><input type="text" name="Itemname">
<input type="submit" name="submit2" value="Search"></form>
</body></html>)";

const QByteArray resultsPage = R"(<!DOCTYPE html><html><head><title>Results</title></head><body>
<a id="jump" href="#part">part</a><p id="part">part</p></body></html>)";

/// Both fields' values, joined by "|".
constexpr const char *fieldValues =
    "Array.from(document.getElementsByName('Itemname'), e => e.value).join('|')";

/// Runs the event loop until `done` holds, at most `stepTimeoutMs`; the callers name what failed.
template<typename Predicate>
bool waitUntil(Predicate done)
{
    return bool(testing::waitUntil(done, "", stepTimeoutMs));
}

/// One engine, one server and one pane for every case: starting the engine takes seconds.
class WebEnginePaneTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pages = std::make_unique<QTemporaryDir>();
        const auto write = [](const char *name, const char *html) {
            std::ofstream((s_pages->path() + QLatin1Char('/') + name).toStdString()) << html;
        };
        write("index.html", "<html><head><title>Product home</title></head>"
                            "<body><a id=\"update\" href=\"102.html\">Update</a></body></html>");
        write("102.html", "<html><head><meta charset=\"utf-8\"><title>Update 1.02</title></head>"
                          "<body>Version 1.02 \xc3\xa9t\xc3\xa9</body></html>");
        s_server = std::make_unique<LocalHttpServer>();
        if (!s_server->isListening())
            return;
        s_server->pages = {{"/", rankingHome}, {"/search", resultsPage}};
        s_pane = std::make_unique<WebEnginePane>("kestrova", s_pages->path().toStdString());
        s_pane->widget()->resize(800, 600);
        s_pane->widget()->show();
        s_pane->onNavigationComplete = [] { s_navigations.push_back(s_pane->currentAddress()); };
        s_pane->onDocumentComplete = [] { ++s_documents; };
    }

    static void TearDownTestSuite()
    {
        s_pane.reset();
        s_server.reset();
        s_pages.reset();
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_server->isListening()) << "no local server";
        ASSERT_FALSE(s_stalled) << "the engine stopped answering in an earlier step";
        s_navigations.clear();
        s_documents = 0;
    }

    /// Waits for the step's notifications: exactly one navigation, at `address`, and one
    /// document unless the step loads none.
    static void expectNavigation(const std::string &address, int documents = 1)
    {
        s_stalled = s_stalled ||
                    !waitUntil([&] { return !s_navigations.empty() && s_documents >= documents; });
        ASSERT_FALSE(s_stalled) << "no navigation to " << address;
        EXPECT_EQ(s_navigations, std::vector<std::string>{address});
        EXPECT_EQ(s_documents, documents);
        EXPECT_EQ(s_pane->currentAddress(), address);
        s_navigations.clear();
        s_documents = 0;
    }

    /// Runs the script in this page, by default the shared pane's.
    static QVariant evaluate(const char *script, QWebEnginePage *page = nullptr)
    {
        // Shared, because the answer may still come after a wait has given up.
        auto answer = std::make_shared<std::optional<QVariant>>();
        (page ? page : view()->page())->runJavaScript(QString::fromUtf8(script),
                                      [answer](const QVariant &value) { *answer = value; });
        s_stalled = s_stalled || !waitUntil([&] { return answer->has_value(); });
        if (s_stalled) {
            ADD_FAILURE() << "no answer to " << script;
            return {};
        }
        return **answer;
    }

    static QString title() { return evaluate("document.title").toString(); }
    static QWebEngineView *view() { return static_cast<QWebEngineView *>(s_pane->widget()); }
    static QString base() { return "http://127.0.0.1:" + QString::number(s_server->serverPort()); }
    static std::string url(const char *path) { return (base() + path).toStdString(); }

    static inline std::unique_ptr<QTemporaryDir> s_pages;
    static inline std::unique_ptr<LocalHttpServer> s_server;
    static inline std::unique_ptr<WebEnginePane> s_pane;
    /// Once a wait has run out, later steps fail at once, so the run stays bounded.
    static inline bool s_stalled = false;
    static inline std::vector<std::string> s_navigations;
    static inline int s_documents = 0;
};

TEST_F(WebEnginePaneTest, SubmitsTheSecondFieldAndFollowsTheHistory)
{
    const std::string text = "Tom & Jerry \"quoted\" </script> 'it\\s' \xc3\xa9t\xc3\xa9";
    s_pane->navigate(url("/"));
    expectNavigation(url("/"));
    s_pane->setElementValue("Itemname", 1, text);
    const QVariant values = evaluate(fieldValues);
    EXPECT_EQ(values.toString().toStdString(), "|" + text); // the first field stays empty

    s_pane->clickElement("submit2");
    ASSERT_TRUE(waitUntil([] { return !s_server->requests.filter("/search?").isEmpty(); }));
    const QString submitted = s_server->requests.filter("/search?").constFirst();
    // A form query writes spaces as "+"; the field must arrive exactly as the text.
    const QUrlQuery query(submitted.section('?', 1).replace('+', QStringLiteral("%20")));
    EXPECT_EQ(query.queryItemValue("Itemname", QUrl::FullyDecoded).toStdString(), text);
    EXPECT_TRUE(s_server->requests.filter("/first").isEmpty());
    // The address reads as a person would type it: "été", not its percent-encoding.
    const std::string results = QUrl(base() + submitted).toString().toStdString();
    expectNavigation(results);

    // Back after a form submitted by script, where QWebEngineView::back() does nothing.
    s_pane->back();
    expectNavigation(url("/"));
    s_pane->forward();
    expectNavigation(results);
    s_pane->forward(); // nothing ahead: no navigation, no error
    const qsizetype before = s_server->requests.count(submitted);
    s_pane->refresh();
    expectNavigation(results);
    EXPECT_EQ(s_server->requests.count(submitted), before + 1);
    // A jump inside the page loads no document but is a navigation.
    evaluate("document.getElementById('jump').click()");
    expectNavigation(results + "#part", 0);
}

TEST_F(WebEnginePaneTest, ProductHostIsServedFromThePagesFolder)
{
    s_pane->navigate("kestrova/102.html");
    expectNavigation("http://kestrova/102.html");
    EXPECT_EQ(evaluate("document.body.innerText").toString(),
              QString::fromUtf8("Version 1.02 \xc3\xa9t\xc3\xa9"));

    s_pane->navigate("kestrova");
    expectNavigation("http://kestrova/");
    evaluate("document.getElementById('update').click()"); // a link to the product host
    expectNavigation("http://kestrova/102.html");
    const int entries = view()->history()->count();
    s_pane->navigate("kestrova/102.html"); // the same page: no second history entry
    expectNavigation("http://kestrova/102.html");
    EXPECT_EQ(view()->history()->count(), entries);

    s_pane->back();
    expectNavigation("http://kestrova/");
    EXPECT_EQ(title(), QStringLiteral("Product home"));
    s_pane->refresh();
    expectNavigation("http://kestrova/");
    s_pane->forward();
    expectNavigation("http://kestrova/102.html");
    EXPECT_EQ(title(), QStringLiteral("Update 1.02"));

    for (const char *missing : {"kestrova/none.html", "kestrova/..%2F102.html"}) {
        s_pane->navigate(missing);
        expectNavigation(urlFromAddress(missing).toString().toStdString());
        EXPECT_EQ(title(), QStringLiteral("Page not found"));
    }
    s_pane->navigate(url("/"));
    expectNavigation(url("/"));
    s_pane->back();
    expectNavigation(urlFromAddress("kestrova/..%2F102.html").toString().toStdString());
}

TEST_F(WebEnginePaneTest, FailedLoadIsANavigation)
{
    // A refused connection: the pane shows its error page at the failed address.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const std::string refused = "http://127.0.0.1:" + std::to_string(probe.serverPort()) + "/";
    probe.close();
    s_pane->navigate(refused);
    expectNavigation(refused, 0);
}

// The whole program: the "GameRanking" link, then the page's completion fills in and submits
// the selected title by itself, and the address box follows.
TEST_F(WebEnginePaneTest, GameRankingLinkSearchesTheSelectedTitle)
{
    QTemporaryDir appDir;
    const auto write = [&](const QString &name, const char *text) {
        QDir(appDir.path()).mkpath(QFileInfo(name).path());
        std::ofstream((appDir.path() + QLatin1Char('/') + name).toStdString(), std::ios::binary)
            << text;
    };
    write(QStringLiteral("DATA.txt"), "[Manufacturer]M\r\n[Platform]Star\r\n");
    write(QStringLiteral("wikigameslists/Star.htm"),
          "A\r\n*Other<wiki/O>\r\n*Tom & Jerry<wiki/T>\r\nend\r\n");
    SiteHosts hosts;
    hosts.ranking = "127.0.0.1:" + std::to_string(s_server->serverPort());
    const auto program = makeProgramHost(appDir.path().toStdString(), hosts);
    DesktopHost &host = *program;
    host.start();
    auto &app = host.app();
    app.listBox("manu_L").setListIndex(0);
    app.listBox("plat_list_L").setListIndex(0);
    app.listBox("avail_L").setListIndex(1);

    // A ranking page without the second field or without the button: nothing is filled in and
    // nothing is clicked.
    const QByteArray oneField = R"(<!DOCTYPE html><html><body>
<form action="/first" method="get"><input type="text" name="Itemname">
<input type="submit" name="submit2" value="Search"></form></body></html>)";
    const QByteArray noButton = R"(<!DOCTYPE html><html><body>
<form action="/first" method="get"><input type="text" name="Itemname">
<input type="text" name="Itemname"><input type="submit" name="submit1"></form></body></html>)";
    s_server->requests.clear();
    for (const QByteArray &page : {oneField, noButton}) {
        s_server->pages.insert(QStringLiteral("/"), page);
        s_documents = 0;
        const auto previous = host.webPane().onDocumentComplete;
        host.webPane().onDocumentComplete = [&, previous] {
            previous();
            ++s_documents;
        };
        app.form1().menuBar().find("M_Gr")->userClick();
        ASSERT_TRUE(waitUntil([] { return s_documents > 0; }));
        host.webPane().onDocumentComplete = previous;
        const QVariant values =
            evaluate(fieldValues, static_cast<QWebEngineView *>(host.webPane().widget())->page());
        EXPECT_EQ(values.toString().remove(QLatin1Char('|')), QString()) << page.constData();
        QEventLoop settle; // a submission would have reached the server by now
        QTimer::singleShot(300, &settle, &QEventLoop::quit);
        settle.exec();
        EXPECT_TRUE(s_server->requests.filter("/first").isEmpty()) << page.constData();
        EXPECT_TRUE(s_server->requests.filter("/search").isEmpty()) << page.constData();
    }
    s_server->pages.insert(QStringLiteral("/"), rankingHome);
    s_server->requests.clear();

    app.form1().menuBar().find("M_Gr")->userClick();
    ASSERT_TRUE(waitUntil([] { return !s_server->requests.filter("/search?").isEmpty(); }));
    const QString submitted = s_server->requests.filter("/search?").constFirst();
    const QUrlQuery query(submitted.section('?', 1).replace('+', QStringLiteral("%20")));
    EXPECT_EQ(query.queryItemValue("Itemname", QUrl::FullyDecoded), QStringLiteral("Tom & Jerry"));
    EXPECT_TRUE(s_server->requests.filter("/first").isEmpty());
    EXPECT_TRUE(waitUntil([&] {
        return app.textBox("matches_L").text().find("/search?") != std::string::npos;
    })) << app.textBox("matches_L").text();
}

} // namespace
} // namespace kestrova
