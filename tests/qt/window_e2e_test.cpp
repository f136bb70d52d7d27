#include "fakes/temp_dir.h"
#include "platform/list_box.h"
#include "platform/qt/desktop_host.h"
#include "platform/qt/form_window.h"
#include "platform/text_box.h"
#include "platform/widgets.h"

#include <QDir>
#include <QListView>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace kestrova {
namespace {

// The real program on a copy of the demonstration folder, in a real window on an X display.
class RealWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::copy(KESTROVA_DEMO_DIR, dir.path(),
                              std::filesystem::copy_options::recursive);
        host = std::make_unique<DesktopHost>(dir.path());
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
        QTest::qWait(300);
        const QString path = QStringLiteral(KESTROVA_SCREENSHOT_DIR "/") + name;
        QWidget *shown = window ? window : &host->mainWindow();
        ASSERT_TRUE(shown->grab().save(path)) << path.toStdString();
    }

    testing::TempDir dir;
    std::unique_ptr<DesktopHost> host;
};

TEST_F(RealWindow, OpensAndShowsTheCatalog)
{
    auto &window = host->mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 10000)) << "the main window did not appear";
    EXPECT_GT(window.width(), 600);
    auto &manufacturers = host->app().listBox("manu_L");
    ASSERT_GT(manufacturers.count(), 0) << "the demo catalog was not loaded";
    manufacturers.setListIndex(0);
    auto &platforms = host->app().listBox("plat_list_L");
    ASSERT_GT(platforms.count(), 0);
    platforms.setListIndex(0);
    QTest::qWait(2000); // the update page loads into the pane
    auto &roms = host->app().listBox("Flist_L");
    ASSERT_GT(roms.count(), 1);
    roms.setListIndex(1);
    screenshot(QStringLiteral("main_window.png"));
}

TEST_F(RealWindow, SchemesPictureSetsAndTheSplitterChangeTheWindow)
{
    auto &window = host->mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 10000)) << "the main window did not appear";
    auto &app = host->app();
    app.listBox("manu_L").setListIndex(0);
    app.listBox("plat_list_L").setListIndex(0);

    QTest::qWait(1500); // the update page loads into the pane
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
    const auto *pane = host->webPane().widget();
    EXPECT_EQ(pane->geometry().top(),
              window.findChild<QWidget *>(QStringLiteral("Dragger_T"))->geometry().bottom() + 1);
    screenshot(QStringLiteral("splitter_dragged.png"));
}

TEST_F(RealWindow, SecondaryWindowsOpenFromTheMainWindow)
{
    auto &app = host->app();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host->mainWindow(), 10000));
    app.form1().menuBar().find("M_set_col_New")->userClick();
    auto &editor = host->window(app.colors());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor, 10000)) << "the scheme editor did not appear";
    screenshot(QStringLiteral("scheme_editor.png"), &editor);

    app.listBox("manu_L").setListIndex(0);
    app.control("AddPlat_B").raiseClick();
    auto &chooser = host->window(app.form2());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser, 10000)) << "the chooser did not appear";
    EXPECT_GT(app.form2().get<ListBox>("cb_L").count(), 0) << "activation lists the saved lists";
    screenshot(QStringLiteral("platform_chooser.png"), &chooser);
}

} // namespace
} // namespace kestrova
