#include "fakes/temp_dir.h"
#include "platform/list_box.h"
#include "platform/qt/desktop_host.h"
#include "platform/qt/form_window.h"

#include <QDir>
#include <QListView>
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
    void screenshot(const QString &name)
    {
        QTest::qWait(300);
        const QString path = QStringLiteral(KESTROVA_SCREENSHOT_DIR "/") + name;
        ASSERT_TRUE(host->mainWindow().grab().save(path)) << path.toStdString();
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
    screenshot(QStringLiteral("main_window.png"));
}

} // namespace
} // namespace kestrova
