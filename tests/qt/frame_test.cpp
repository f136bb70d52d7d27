#include "fakes/temp_dir.h"
#include "platform/list_box.h"
#include "platform/qt/desktop_host.h"
#include "platform/qt/form_window.h"
#include "qt/program_host.h"
#include "qt/wait_until.h"

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QTest>
#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace kestrova {
namespace {

// Numbers the window's frames and notes in which frame each watched widget was painted.
class FrameLog : public QObject
{
public:
    explicit FrameLog(QWidget *window) : m_window(window) { window->installEventFilter(this); }
    void watch(QWidget *widget, const char *name)
    {
        m_names[widget] = name;
        widget->installEventFilter(this);
    }
    /// The frames in which the widget called `name` was painted.
    std::vector<int> paints(const std::string &name) const
    {
        std::vector<int> frames;
        for (const auto &[frame, painted] : m_paints) {
            if (painted == name)
                frames.push_back(frame);
        }
        return frames;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::UpdateRequest)
            ++m_frame;
        else if (event->type() == QEvent::Paint && m_names.count(watched))
            m_paints.emplace_back(m_frame, m_names[watched]);
        return false;
    }

private:
    QWidget *m_window;
    std::map<QObject *, std::string> m_names;
    std::vector<std::pair<int, std::string>> m_paints;
    int m_frame = 0;
};

TEST(Frames, AClickShowsItsListsAndTheirCountsInOneFrame)
{
    testing::TempDir dir;
    for (int k = 0; k < 300; ++k)
        dir.write("roms/Game " + std::to_string(k) + ".nes", "1");
    dir.write("Ext.txt", ".nes\r\n");
    dir.write("DATA.txt", "[Manufacturer]Acme\r\n[Platform]Star\r\n[RomPath]"
                              + (dir.path() / "roms").string() + "/\r\n[Emu]Emu\r\n");
    auto host = makeProgramHost(dir.path());
    host->start();
    auto &window = host->mainWindow();
    ASSERT_TRUE(testing::waitUntilExposed(window, "the main window"));
    auto *platforms = window.findChild<QListView *>(QStringLiteral("plat_list_L"));
    auto *roms = window.findChild<QListView *>(QStringLiteral("Flist_L"));
    auto *count = window.findChild<QLabel *>(QStringLiteral("romc_T"));
    ASSERT_TRUE(platforms && roms && count);
    host->app().listBox("manu_L").setListIndex(0);
    ASSERT_TRUE(testing::waitForFrame(window));

    FrameLog log(&window);
    log.watch(roms->viewport(), "roms");
    log.watch(count, "count");
    const QRect row = platforms->visualRect(platforms->model()->index(0, 0));
    QTest::mouseClick(platforms->viewport(), Qt::LeftButton, {}, row.center());
    ASSERT_TRUE(testing::waitUntil([&] { return !log.paints("count").empty(); },
                                   "a frame of the new count"));
    QCoreApplication::processEvents(); // whatever the click still had queued is drawn too

    EXPECT_EQ(count->text(), QStringLiteral("300"));
    EXPECT_EQ(roms->model()->rowCount(), 300);
    const auto countFrames = log.paints("count");
    ASSERT_FALSE(countFrames.empty());
    // The new count never shows beside the old list, and the list is done in that frame.
    for (int frame : log.paints("roms"))
        EXPECT_EQ(frame, countFrames.front());
    EXPECT_FALSE(log.paints("roms").empty());
}

} // namespace
} // namespace kestrova
