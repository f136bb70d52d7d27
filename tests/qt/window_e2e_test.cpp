#include "fakes/temp_dir.h"
#include "platform/list_box.h"
#include "platform/qt/desktop_host.h"
#include "qt/local_http_server.h"
#include "qt/modal_answers.h"
#include "qt/program_host.h"
#include "qt/wait_until.h"
#include "qt/window_manager.h"
#include "platform/file_io.h"
#include "platform/qt/form_window.h"
#include "platform/text_box.h"
#include "platform/widgets.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLabel>
#include <QScreen>
#include <QListView>
#include <QMouseEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>

namespace kestrova {
namespace {

// The real program on a copy of the demonstration folder, in a real window on an X display.
class RealWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        copyDemo();
        start();
    }
    void copyDemo()
    {
        std::filesystem::copy(KESTROVA_DEMO_DIR, dir.path(),
                              std::filesystem::copy_options::recursive);
    }
    void start(const SiteHosts &hosts = {})
    {
        host = makeProgramHost(dir.path(), hosts);
        host->start();
        QDir().mkpath(QStringLiteral(KESTROVA_SCREENSHOT_DIR));
    }
    /// Chooses the scheme whose menu entry has this caption, as a user would.
    void chooseScheme(const std::string &caption)
    {
        auto *menu = host->app().form1().menuBar().find("M_set_col");
        for (const auto &entry : menu->items()) {
            if (entry->caption() == caption)
                entry->userClick();
        }
    }
    /// Drags the splitter by dy pixels with the left button, through real mouse events.
    void dragSplitter(int dy)
    {
        auto *splitter = host->mainWindow().findChild<QWidget *>(QStringLiteral("Dragger_T"));
        ASSERT_NE(splitter, nullptr);
        const QPointF start(20, 1);
        QMouseEvent press(QEvent::MouseButtonPress, start, splitter->mapToGlobal(start),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(splitter, &press);
        const QPointF end(20, 1 + dy);
        QMouseEvent move(QEvent::MouseMove, end, splitter->mapToGlobal(end), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(splitter, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, end, splitter->mapToGlobal(end),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(splitter, &release);
    }
    void screenshot(const QString &name, QWidget *window = nullptr)
    {
        QWidget *shown = window ? window : &host->mainWindow();
        ASSERT_TRUE(testing::waitForFrame(*shown));
        const QString path = QStringLiteral(KESTROVA_SCREENSHOT_DIR "/") + name;
        ASSERT_TRUE(shown->grab().save(path)) << path.toStdString();
    }

    testing::TempDir dir;
    std::unique_ptr<DesktopHost> host;
};

TEST_F(RealWindow, TheWindowIsShownBeforeTheWebEngineStarts)
{
    auto &window = host->mainWindow();
    // The program itself does not link the engine, so the view is known by its class name.
    const auto engineView = [&] {
        const auto children = window.findChildren<QWidget *>();
        return std::any_of(children.begin(), children.end(),
                           [](const QWidget *w) { return w->inherits("QWebEngineView"); });
    };
    EXPECT_FALSE(engineView()) << "the engine waits for a paint";
    ASSERT_TRUE(testing::waitUntilExposed(window, "the main window"));
    EXPECT_TRUE(testing::waitUntil(engineView, "the web engine's start"));
    // The update page is still the pane's first page.
    EXPECT_TRUE(testing::waitUntil(
        [&] { return host->webPane().currentAddress() == "http://kestrova/102.html"; },
        "the update page's showing"));
}

// Counts the main window's frames that paint the ROM or title list or their counts; the web
// pane may paint meanwhile and is not counted.
class FrameCounter : public QObject
{
public:
    explicit FrameCounter(QWidget &window) : m_window(window) { qApp->installEventFilter(this); }
    ~FrameCounter() override { qApp->removeEventFilter(this); }
    int frames = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_window && event->type() == QEvent::UpdateRequest)
            m_inFrame = true;
        else if (event->type() == QEvent::Paint && m_inFrame && watched->isWidgetType()
                 && showsListsOrCounts(static_cast<QWidget *>(watched))) {
            ++frames; // counted once, at the first such paint of the frame
            m_inFrame = false;
        }
        return false;
    }

private:
    static bool showsListsOrCounts(const QWidget *widget)
    {
        static const QStringList names = {QStringLiteral("Flist_L"), QStringLiteral("avail_L"),
                                          QStringLiteral("romc_T"), QStringLiteral("wikic_T")};
        for (; widget; widget = widget->parentWidget()) {
            if (names.contains(widget->objectName()))
                return true;
        }
        return false;
    }

private:
    QWidget &m_window;
    bool m_inFrame = false;
};

// A platform click fills lists that gain scroll bars; the lists, their bars and the counts reach
// the screen together, never a frame of new counts over half-drawn lists.
TEST_F(RealWindow, APlatformClickReachesTheScreenInOneFrame)
{
    auto &window = host->mainWindow();
    ASSERT_TRUE(testing::waitUntilExposed(window, "the main window"));
    auto &app = host->app();
    app.listBox("manu_L").setListIndex(0);
    app.listBox("plat_list_L").setListIndex(1);
    ASSERT_TRUE(testing::waitForFrame(window));
    auto *platforms = window.findChild<QListView *>(QStringLiteral("plat_list_L"));
    ASSERT_NE(platforms, nullptr);
    const QPoint row = platforms->visualRect(platforms->model()->index(0, 0)).center();
    FrameCounter counter(window);
    QTest::mouseClick(platforms->viewport(), Qt::LeftButton, {}, row);
    ASSERT_GT(app.listBox("avail_L").count(), 20) << "the demo's list page should need a scroll bar";
    ASSERT_TRUE(testing::waitUntil([&] { return counter.frames > 0; }, "a frame of the lists"));
    QCoreApplication::processEvents(); // whatever the click still had queued is drawn too
    EXPECT_EQ(counter.frames, 1);
}

TEST_F(RealWindow, TheCatalogSchemesPictureSetsAndTheSplitterChangeTheWindow)
{
    auto &window = host->mainWindow();
    ASSERT_TRUE(testing::waitUntilExposed(window, "the main window"));
    EXPECT_GT(window.width(), 600);
    auto &app = host->app();
    app.listBox("manu_L").setListIndex(0);
    app.listBox("plat_list_L").setListIndex(0);

    ASSERT_TRUE(testing::waitUntil(
        [&] { return host->webPane().currentAddress() == "http://kestrova/102.html"; },
        "the update page's showing"));
    ASSERT_GT(app.listBox("Flist_L").count(), 1) << "the demo catalog was not loaded";
    app.listBox("Flist_L").setListIndex(1);
    screenshot(QStringLiteral("main_window.png"));

    chooseScheme("Midnight");
    EXPECT_EQ(app.comboBox("nav_C").text(), "Slate");
    screenshot(QStringLiteral("scheme_midnight.png"));

    chooseScheme("Sunrise");
    EXPECT_EQ(app.comboBox("nav_C").text(), "Sunrise");
    app.control("Image2(4)").userMouseDown({LeftButton, 0, 10, 10}); // settings panel
    EXPECT_TRUE(app.control("Frame1T").isVisible());
    screenshot(QStringLiteral("scheme_sunrise_settings.png"));

    app.control("Image2(4)").userMouseDown({LeftButton, 0, 10, 10});
    const float before = app.control("Dragger_T").top();
    dragSplitter(120);
    EXPECT_GT(app.control("Dragger_T").top(), before);
    const QWidget *pane = host->webPane().widget();
    const auto *dragger = window.findChild<QWidget *>(QStringLiteral("Dragger_T"));
    EXPECT_EQ(pane->mapTo(window.client(), QPoint()).y(), dragger->geometry().bottom() + 1);
    screenshot(QStringLiteral("splitter_dragged.png"));
}

/// Where a label's text is drawn, in the client area's coordinates.
QRect textRect(QLabel *label, QWidget *client)
{
    const QFontMetrics metrics(label->font());
    const int width = metrics.horizontalAdvance(label->text());
    const QRect box(label->mapTo(client, QPoint()), label->size());
    const int left = label->alignment() & Qt::AlignRight ? box.right() + 1 - width : box.left();
    return {left, box.top(), width, box.height()};
}

// At every size from the window's minimum to the whole screen, and maximised: the window lies
// inside the screen, no two texts of the strip above the lists run into each other, every
// caption's text fits its box and no control reaches past the client area. A screenshot of
// the size it opened at and of the maximised window, named after the screen and the scale.
TEST_F(RealWindow, TheWindowFitsTheScreenAndNothingOverlapsAtAnySize)
{
    auto &window = host->mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 10000)) << "the main window did not appear";
    const QRect room = window.screen()->availableGeometry();
    const QString screen = QStringLiteral("%1x%2_scale%3")
                               .arg(window.screen()->geometry().width() * window.devicePixelRatio())
                               .arg(window.screen()->geometry().height() * window.devicePixelRatio())
                               .arg(window.devicePixelRatio());
    EXPECT_TRUE(room.contains(window.geometry()))
        << "window " << window.geometry().width() << "x" << window.geometry().height()
        << " on a screen of " << room.width() << "x" << room.height();
    auto &app = host->app();
    app.listBox("manu_L").setListIndex(0);
    app.listBox("plat_list_L").setListIndex(0);
    app.control("romc_T").setCaption("12345");
    app.control("wikic_T").setCaption("678");
    screenshot(QStringLiteral("fit_opened_%1.png").arg(screen));

    const QSize least = window.minimumSize();
    ASSERT_GT(least.width(), 100) << "no minimum size";
    QWidget *client = window.client();
    const auto check = [&](const QString &size) {
        std::vector<std::pair<QRect, std::string>> texts;
        for (const char *name : {"romc_T", "wikic_T"})
            texts.emplace_back(textRect(window.findChild<QLabel *>(QLatin1String(name)), client),
                               name);
        const auto *filter = window.findChild<QWidget *>(QStringLiteral("ext1_C"));
        texts.emplace_back(QRect(filter->mapTo(client, QPoint()), filter->size()), "ext1_C");
        for (int k = 0; k < 6; ++k) {
            const std::string name = "Emulators_T(" + std::to_string(k) + ")";
            auto *caption = window.findChild<QLabel *>(QString::fromStdString(name));
            const QRect text = textRect(caption, client);
            EXPECT_LE(text.width(), caption->width()) << size.toStdString() << " " << name;
            texts.emplace_back(text, name);
        }
        for (size_t i = 0; i < texts.size(); ++i)
            for (size_t j = i + 1; j < texts.size(); ++j)
                EXPECT_FALSE(texts[i].first.intersects(texts[j].first))
                    << size.toStdString() << ": " << texts[i].second << " and " << texts[j].second;
        for (const auto &control : app.form1().controls()) {
            auto *w = window.findChild<QWidget *>(QString::fromStdString(control->name()));
            if (!w || !w->isVisibleTo(&window) || w->parentWidget() != client)
                continue;
            EXPECT_TRUE(client->rect().contains(w->geometry()))
                << size.toStdString() << ": " << control->name() << " is cut";
        }
    };
    const QSize most = room.size() - (window.frameGeometry().size() - window.size());
    for (int w = least.width(); w <= most.width(); w += 37) {
        for (int h : {least.height(), most.height()}) {
            window.resize(w, h);
            QCoreApplication::processEvents();
            if (window.size() == QSize(w, h))
                check(QStringLiteral("%1x%2").arg(w).arg(h));
        }
    }
    window.resize(least / 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.size(), least) << "the window went below its minimum size";

    window.showMaximized();
    // Without a window manager nothing maximises: take the screen's room as one would.
    if (!QTest::qWaitFor([&] { return window.width() >= most.width() - 40; }, 3000))
        window.setGeometry(QRect(room.topLeft(), most));
    QCoreApplication::processEvents();
    check(QStringLiteral("maximised"));
    screenshot(QStringLiteral("fit_maximised_%1.png").arg(screen));
}

TEST_F(RealWindow, SecondaryWindowsOpenFromTheMainWindow)
{
    auto &app = host->app();
    ASSERT_TRUE(testing::waitUntilExposed(host->mainWindow(), "the main window"));
    app.form1().menuBar().find("M_set_col_New")->userClick();
    auto &editor = host->window(app.colors());
    ASSERT_TRUE(testing::waitUntilExposed(editor, "the scheme editor"));
    screenshot(QStringLiteral("scheme_editor.png"), &editor);

    app.listBox("manu_L").setListIndex(0);
    app.control("AddPlat_B").raiseClick();
    auto &chooser = host->window(app.form2());
    ASSERT_TRUE(testing::waitUntilExposed(chooser, "the chooser"));
    EXPECT_GT(app.form2().get<ListBox>("cb_L").count(), 0) << "activation lists the saved lists";
    screenshot(QStringLiteral("platform_chooser.png"), &chooser);
}

/// The encyclopedia on 127.0.0.1: every article is one small page titled after its path.
struct LocalEncyclopedia : testing::LocalHttpServer
{
    LocalEncyclopedia()
    {
        fallback = [](const QString &target) {
            const QByteArray t = target.toLatin1();
            return "<html><head><title>" + t + "</title></head><body><h1>" + t +
                   "</h1><p>A local article.</p></body></html>";
        };
    }
};

// One typical use, as a person does it: real clicks in the real window on a copy of the
// demonstration folder, a screenshot at every stage.
class Road : public RealWindow
{
protected:
    void SetUp() override
    {
        copyDemo();
        // The copy's catalog names the copy's folders, and a stand-in that records its argument.
        emulator = dir.write("stand-in emulator",
                             "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.part\" && mv \"$0.part\" \"$0.got\"\n");
        std::filesystem::permissions(emulator, std::filesystem::perms::owner_all);
        std::string data = readFileBytes(dir.path() / "DATA.txt", 1 << 20).value_or("");
        replaceAll(data, (std::filesystem::path(KESTROVA_DEMO_DIR) / "kestrova-demo-emulator")
                             .string(), emulator.string());
        replaceAll(data, KESTROVA_DEMO_DIR, dir.path().string());
        dir.write("DATA.txt", data);
        SiteHosts hosts;
        hosts.encyclopedia = encyclopedia.host();
        start(hosts);
        ASSERT_TRUE(testing::waitUntilExposed(host->mainWindow(), "the main window"));
    }
    static void replaceAll(std::string &text, const std::string &from, const std::string &to)
    {
        for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at))
            text.replace(at, from.size(), to), at += to.size();
    }
    QListView *view(const char *name)
    {
        return host->mainWindow().findChild<QListView *>(QString::fromLatin1(name));
    }
    ListBox &list(const char *name) { return host->app().listBox(name); }
    /// A real click (or double-click) on the row showing `text`.
    void clickRow(const char *name, const std::string &text, Qt::MouseButton button,
                  bool twice = false)
    {
        const auto &items = list(name).items();
        const auto found = std::find(items.begin(), items.end(), text);
        ASSERT_NE(found, items.end()) << text << " is not in " << name;
        QListView *v = view(name);
        ASSERT_TRUE(testing::waitUntil([&] { return v->model()->rowCount() == list(name).count(); },
                                       std::string("the rows of ") + name));
        const QModelIndex index = v->model()->index(int(found - items.begin()), 0);
        v->scrollTo(index);
        QCoreApplication::processEvents();
        const QPoint at = v->visualRect(index).center();
        QTest::mouseClick(v->viewport(), button, {}, at);
        if (twice) {
            QMouseEvent second(QEvent::MouseButtonDblClick, at, v->viewport()->mapToGlobal(at),
                               button, button, {});
            QCoreApplication::sendEvent(v->viewport(), &second);
            QTest::mouseRelease(v->viewport(), button, {}, at);
        }
    }
    void menu(const char *item)
    {
        auto *action = host->mainWindow().findChild<QAction *>(QString::fromLatin1(item));
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }
    LocalEncyclopedia encyclopedia;
    std::filesystem::path emulator;
};

TEST_F(Road, OneTypicalUseInTheRealWindow)
{
    auto &app = host->app();
    auto &window = host->mainWindow();
    clickRow("manu_L", "Orbital Toys", Qt::LeftButton);
    EXPECT_EQ(list("plat_list_L").items(), (std::vector<std::string>{"Starlight 8", "Comet Deck"}));
    screenshot(QStringLiteral("road_1_manufacturer.png"));

    clickRow("plat_list_L", "Starlight 8", Qt::LeftButton);
    ASSERT_GT(list("Flist_L").count(), 5);
    EXPECT_EQ(list("Emu_L").items(),
              (std::vector<std::string>{"Demo emulator", "Demo emulator with arguments"}));
    EXPECT_GT(list("FavList_L").count(), 0);
    EXPECT_GT(list("avail_L").count(), 5);
    EXPECT_EQ(app.control("romc_T").caption(), std::to_string(list("Flist_L").count()));
    EXPECT_EQ(app.control("wikic_T").caption(), std::to_string(list("avail_L").count()));
    EXPECT_EQ(app.form1().get<StatusBar>("StatusBar1").panel(2), "Plat :Starlight 8");
    screenshot(QStringLiteral("road_2_platform.png"));

    clickRow("Flist_L", "Comet Runner (E) [!].st8", Qt::LeftButton);
    EXPECT_EQ(app.control("prog").caption(), "Comet Runner");
    EXPECT_TRUE(app.control("prog").backColor().has_value());
    EXPECT_EQ(list("avail_L").text(), "Comet Runner");
    screenshot(QStringLiteral("road_3_rom_matched.png"));

    menu("M_wiki");
    ASSERT_TRUE(testing::waitUntil([&] {
        return app.textBox("matches_L").text().find(encyclopedia.host()) != std::string::npos
               && host->webPane().currentAddress().find("/wiki/") != std::string::npos;
    }, "the article's showing")) << app.textBox("matches_L").text();
    EXPECT_EQ(encyclopedia.requests.filter(QStringLiteral("/wiki/")).size(), 1);
    screenshot(QStringLiteral("road_4_article.png"));

    clickRow("Emu_L", "Demo emulator", Qt::LeftButton);
    EXPECT_EQ(app.textBox("EPath_I").text(), emulator.string());
    clickRow("Flist_L", "Comet Runner (E) [!].st8", Qt::LeftButton, true);
    const auto got = emulator.string() + ".got";
    ASSERT_TRUE(testing::waitUntil([&] { return std::filesystem::exists(got); },
                                   "the stand-in emulator's start"));
    EXPECT_EQ(readFileBytes(got, 1 << 20).value_or(""),
              app.textBox("RPath_I").text() + "Comet Runner (E) [!].st8");
    EXPECT_EQ(app.control("m_M").caption(), "COMMAND SENT TO THE EMULATOR");
    screenshot(QStringLiteral("road_5_launched.png"));

    // A right click adds the selected ROM to the favourites (and selects nothing), a right
    // click on the favourites removes the selected one.
    const int favourites = list("FavList_L").count();
    clickRow("Flist_L", "Tiny Tanks.st8", Qt::LeftButton);
    clickRow("Flist_L", "Pixel Quest II (U).st8", Qt::RightButton);
    EXPECT_EQ(list("FavList_L").count(), favourites + 1);
    EXPECT_EQ(list("FavList_L").items().back(), "Tiny Tanks.st8");
    EXPECT_EQ(list("Flist_L").text(), "Tiny Tanks.st8");
    clickRow("FavList_L", "Comet Runner (E) [!].st8", Qt::LeftButton);
    clickRow("FavList_L", "Comet Runner (E) [!].st8", Qt::RightButton);
    EXPECT_EQ(list("FavList_L").count(), favourites);
    screenshot(QStringLiteral("road_6_favourites.png"));

    // Clicking the selected platform again lists what arrived in its folder since.
    dir.write("roms/Starlight 8/Brand New.st8", "n");
    clickRow("plat_list_L", "Starlight 8", Qt::LeftButton);
    const auto &roms = list("Flist_L").items();
    EXPECT_NE(std::find(roms.begin(), roms.end(), "Brand New.st8"), roms.end());

    chooseScheme("Midnight");
    auto &sets = app.comboBox("nav_C");
    sets.setListIndex((sets.listIndex() + 1) % sets.count());
    // Hovering a bar button shows its hover picture, and nothing behind it undoes that.
    auto *back = window.findChild<QWidget *>(QStringLiteral("Image2(0)"));
    QTest::mouseMove(back, back->rect().center());
    QMouseEvent hover(QEvent::MouseMove, back->rect().center(),
                      back->mapToGlobal(back->rect().center()), Qt::NoButton, {}, {});
    QCoreApplication::sendEvent(back, &hover);
    EXPECT_TRUE(app.form1().get<PictureControl>("Image2(0)").picture().ends_with("back2.gif"))
        << app.form1().get<PictureControl>("Image2(0)").picture();
    screenshot(QStringLiteral("road_7_scheme_and_pictures.png"));

    const float before = app.control("Dragger_T").top();
    dragSplitter(90);
    EXPECT_GT(app.control("Dragger_T").top(), before);
    screenshot(QStringLiteral("road_8_splitter.png"));

    testing::ModalAnswers answers({testing::press(QMessageBox::Yes), testing::press(QMessageBox::Ok)});
    window.close();
    EXPECT_EQ(answers.seen(), (std::vector<std::string>{"Save before exiting?", "Saved"}));
    const std::string saved = readFileBytes(dir.path() / "DATA.txt", 1 << 20).value_or("");
    EXPECT_NE(saved.find("[Fav]Tiny Tanks.st8"), std::string::npos);
    EXPECT_EQ(saved.find("[Fav]Comet Runner (E) [!].st8"), std::string::npos);
}

// The demonstration's second emulator, edited in the real input box and started through the
// real window: the real stand-in receives the template's arguments and shows them.
TEST_F(Road, TheStandInShowsTheArgumentsOfItsTemplate)
{
    auto &app = host->app();
    clickRow("manu_L", "Orbital Toys", Qt::LeftButton);
    clickRow("plat_list_L", "Starlight 8", Qt::LeftButton);
    // The copy's own real stand-in, rather than the recorder of the fixture; it keeps its log
    // beside itself.
    const auto standIn = dir.path() / "kestrova-demo-emulator";
    app.catalog().Man[0].Plat[0].Emu[1].Path = standIn.string();
    clickRow("Emu_L", "Demo emulator with arguments", Qt::LeftButton);
    const std::string argumentTemplate = app.catalog().Man[0].Plat[0].Emu[1].Args;
    EXPECT_EQ(app.textBox("EPath_I").toolTip(), argumentTemplate);

    QString offered;
    testing::ModalAnswers answers({[&](QDialog &dialog) {
        auto *box = qobject_cast<QInputDialog *>(&dialog);
        ASSERT_NE(box, nullptr);
        offered = box->textValue();
        box->grab().save(QStringLiteral(KESTROVA_SCREENSHOT_DIR "/arguments_box.png"));
        box->accept();
    }});
    menu("M_emu_args");
    EXPECT_TRUE(answers.waitUntilAllGiven());
    EXPECT_EQ(offered.toStdString(), argumentTemplate) << "the box offers the current template";

    const auto log = dir.path() / "demo-emulator.log";
    const size_t before = readFileBytes(log, 1 << 20).value_or("").size();
    const QImage screenBefore = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    clickRow("Flist_L", "Comet Runner (E) [!].st8", Qt::LeftButton, true);
    const std::string expected = "1: --machine\n2: Starlight 8\n3: --cart="
                                 + app.textBox("RPath_I").text()
                                 + "Comet Runner (E) [!].st8\n4: --title\n5: Comet Runner (E) "
                                   "[!]\n6: --fullscreen\n";
    ASSERT_TRUE(testing::waitUntil([&] {
        return readFileBytes(log, 1 << 20).value_or("").substr(before).find(expected) != std::string::npos;
    }, "the stand-in's note of its arguments")) << "the stand-in did not note " << expected << "; its log: "
                << readFileBytes(log, 1 << 20).value_or("<none>") << "; the hint: "
                << app.control("m_M").caption();
    EXPECT_EQ(app.control("m_M").caption(), "COMMAND SENT TO THE EMULATOR");
    QPixmap screen;
    EXPECT_TRUE(testing::waitUntil([&] {
        screen = QGuiApplication::primaryScreen()->grabWindow(0);
        return screen.toImage() != screenBefore;
    }, "the showing of the stand-in's window"));
    screen.save(QStringLiteral(KESTROVA_SCREENSHOT_DIR "/stand_in_arguments.png"));
}

/// The three ways a person presses a box's button: a click, Enter, or an assistive tool's press
/// action (which shows the button pressed for a moment before it takes effect).
enum class Press { Click, Enter, AssistiveTool };

const char *describe(Press press)
{
    switch (press) {
    case Press::Click: return "a click";
    case Press::Enter: return "Enter";
    case Press::AssistiveTool: return "an assistive tool";
    }
    return "";
}

void pressOk(QMessageBox &box, Press press)
{
    QAbstractButton *ok = box.button(QMessageBox::Ok);
    ASSERT_NE(ok, nullptr);
    switch (press) {
    case Press::Click: QTest::mouseClick(ok, Qt::LeftButton, {}, ok->rect().center()); break;
    case Press::Enter: QTest::keyClick(&box, Qt::Key_Return); break;
    case Press::AssistiveTool:
        QAccessible::queryAccessibleInterface(ok)->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
        break;
    }
}

// A close request (a window manager's close button) that comes while a box is closing or soon
// after it has gone is never lost: the exit prompt follows, whatever the delay.
TEST(CloseRequest, AfterABoxTheExitPromptAlwaysFollows)
{
    testing::WindowManager manager;
    ASSERT_TRUE(manager.connected()) << "no X display";
    testing::TempDir noWebModule;
    for (Press press : {Press::AssistiveTool, Press::Click, Press::Enter}) {
        for (int delayMs : {0, 20, 40, 60, 80, 100, 120, 150, 200, 300, 500, 750, 1000}) {
            SCOPED_TRACE(std::string("OK pressed with ") + describe(press) + ", close requested "
                         + std::to_string(delayMs) + " ms later");
            testing::TempDir dir;
            dir.write("DATA.txt", "[Manufacturer]Acme\r\n[Platform]Star\r\n");
            // Without the web pane: it would only slow down each of the many starts.
            DesktopHost host(dir.path(), "kestrova", [&](Services services) {
                return makeKestrova(dir.path(), services, PlatformRules::native(), {});
            }, noWebModule.path());
            host.start();
            FormWindow &window = host.mainWindow();
            ASSERT_TRUE(testing::waitUntilExposed(window, "the main window"));
            const auto xid = std::uint32_t(window.winId());
            testing::ModalAnswers answers({
                [&](QDialog &saved) {
                    pressOk(static_cast<QMessageBox &>(saved), press);
                    QTimer::singleShot(delayMs, &window, [&] { manager.requestClose(xid); });
                },
                testing::press(QMessageBox::No),
            });
            auto *save = window.findChild<QAction *>(QStringLiteral("M_op_sav"));
            ASSERT_NE(save, nullptr);
            QTimer::singleShot(0, save, &QAction::trigger); // from the loop, as a menu click
            const auto allGiven = answers.waitUntilAllGiven();
            EXPECT_TRUE(allGiven);
            EXPECT_EQ(answers.seen(), (std::vector<std::string>{"Saved", "Save before exiting?"}));
            if (allGiven) {
                EXPECT_TRUE(testing::waitUntil([&] { return !window.isVisible(); },
                                               "the window's closing after No"));
            }
        }
    }
}

// A title the user chose for a ROM: a right-click on it in the real window, kept across a
// restart, forgotten by the same right-click.
TEST_F(Road, ATitleChoiceOutlivesARestartUntilForgotten)
{
    const std::string rom = "Comet Runner (E) [!].st8";
    auto openRom = [&] {
        clickRow("manu_L", "Orbital Toys", Qt::LeftButton);
        clickRow("plat_list_L", "Starlight 8", Qt::LeftButton);
        clickRow("Flist_L", rom, Qt::LeftButton);
    };
    openRom();
    ASSERT_EQ(list("avail_L").text(), "Comet Runner");
    const auto &titles = list("avail_L").items();
    const auto other = std::find_if(titles.begin(), titles.end(),
                                    [](const std::string &t) { return t != "Comet Runner"; });
    ASSERT_NE(other, titles.end());
    const std::string chosen = *other;
    auto &app = host->app();
    // Yes to the choice, No to saving the untouched catalog on the way out, Yes to forgetting.
    testing::ModalAnswers answers({testing::press(QMessageBox::Yes), testing::press(QMessageBox::No),
                                   testing::press(QMessageBox::Yes)});
    clickRow("avail_L", chosen, Qt::RightButton);
    ASSERT_TRUE(testing::waitUntil([&] { return list("avail_L").text() == chosen; },
                                   "the chosen title's selection"));
    EXPECT_EQ(app.control("prog").caption(), chosen);
    EXPECT_EQ(app.control("prog").backColor(), rgb(50, 205, 50));
    const auto file = dir.path() / "wikigameslists" / "Starlight 8.corrections.txt";
    EXPECT_EQ(readFileBytes(file, 1 << 20).value_or(""), rom + "\t" + chosen + "\r\n");
    screenshot(QStringLiteral("title_choice_1_chosen.png"));

    host->mainWindow().close();
    SiteHosts hosts;
    hosts.encyclopedia = encyclopedia.host();
    start(hosts);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host->mainWindow(), testing::kPatienceMs));
    openRom();
    EXPECT_EQ(list("avail_L").text(), chosen);
    EXPECT_EQ(host->app().control("prog").backColor(), rgb(50, 205, 50));
    EXPECT_EQ(host->app().textBox("matches_L").text().find("(your choice)") != std::string::npos,
              true)
        << host->app().textBox("matches_L").text();
    screenshot(QStringLiteral("title_choice_2_after_restart.png"));

    clickRow("avail_L", chosen, Qt::RightButton);
    ASSERT_TRUE(testing::waitUntil([&] { return list("avail_L").text() == "Comet Runner"; },
                                   "the return to the matcher's title after forgetting"));
    EXPECT_EQ(readFileBytes(file, 1 << 20).value_or("?"), "");
    EXPECT_TRUE(answers.waitUntilAllGiven());
    EXPECT_EQ(answers.seen(), (std::vector<std::string>{"Use \"" + chosen + "\" for \"" + rom + "\"?",
                                                  "Save before exiting?",
                                                  "Forget \"" + chosen + "\" for \"" + rom +
                                                      "\"?"}));
}

} // namespace
} // namespace kestrova
