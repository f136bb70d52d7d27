#include "fakes/temp_dir.h"
#include "platform/list_box.h"
#include "platform/qt/desktop_host.h"
#include "platform/file_io.h"
#include "platform/qt/form_window.h"
#include "platform/qt/qt_shell.h"
#include "platform/text_box.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

namespace kestrova {
namespace {

class Binding : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.write("roms/One.nes", "1");
        dir.write("roms/Two.nes", "2");
        dir.write("DATA.txt", "[Manufacturer]Acme\r\n[Platform]Star\r\n[RomPath]"
                                  + (dir.path() / "roms").string() + "/\r\n[Emu]Emu\r\n");
        host = std::make_unique<DesktopHost>(dir.path());
        host->start();
        window = &host->mainWindow();
        QCoreApplication::processEvents();
    }
    template<class W>
    W *widget(const char *name)
    {
        return window->findChild<W *>(QString::fromLatin1(name));
    }
    void clickRow(QListView *view, int row, Qt::MouseButton button = Qt::LeftButton)
    {
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), button, {}, rect.center());
        QCoreApplication::processEvents();
    }

    testing::TempDir dir;
    std::unique_ptr<DesktopHost> host;
    FormWindow *window = nullptr;
};

TEST_F(Binding, ClicksInWidgetsDriveTheModelAndTheModelDrivesWidgets)
{
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kestrova"));
    auto *manufacturers = widget<QListView>("manu_L");
    ASSERT_NE(manufacturers, nullptr);
    ASSERT_EQ(manufacturers->model()->rowCount(), 1);
    clickRow(manufacturers, 0);
    EXPECT_EQ(host->app().listBox("manu_L").listIndex(), 0);

    auto *platforms = widget<QListView>("plat_list_L");
    ASSERT_EQ(platforms->model()->rowCount(), 1) << "the cascade filled the platform widget";
    host->app().UpdatE("P_change", 0);
    host->app().UpdatE("Ext_change", 0);
    QCoreApplication::processEvents();
    auto *roms = widget<QListView>("Flist_L");
    ASSERT_EQ(roms->model()->rowCount(), 2);

    host->app().listBox("Flist_L").setListIndex(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(roms->currentIndex().row(), 1);
    clickRow(roms, 0, Qt::RightButton);
    EXPECT_EQ(host->app().listBox("Flist_L").listIndex(), 1) << "a right click keeps the selection";
    EXPECT_EQ(widget<QLineEdit>("RPath_I")->text().toStdString(),
              (dir.path() / "roms").string() + "/");
}

TEST_F(Binding, TypingRaisesChangeAndEveryControlIsFoundByName)
{
    auto *search = widget<QLineEdit>("available_I");
    int changes = 0;
    host->app().textBox("available_I").onChange = [&] { ++changes; };
    QTest::keyClicks(search, QStringLiteral("ab"));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(host->app().textBox("available_I").text(), "ab");

    for (const auto &control : host->app().form1().controls()) {
        auto *w = window->findChild<QWidget *>(QString::fromStdString(control->name()));
        ASSERT_NE(w, nullptr) << control->name();
        EXPECT_EQ(w->accessibleDescription().toStdString(), control->name());
        EXPECT_FALSE(w->accessibleName().isEmpty()) << control->name();
    }
    QStringList menus;
    for (auto *action : window->menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, (QStringList{"Lists", "Settings", "Quick Links", "Help"}));
}

TEST(RealShell, StartsTheProgramWithExactlyOneUntouchedArgument)
{
    testing::TempDir dir;
    // A stand-in emulator that writes down how many arguments it got, and the first one.
    const auto program = dir.write("stand in/emu", R"(#!/bin/sh
printf '%s|%s' "$#" "$1" > "$(dirname "$0")/got"
)");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    const std::string rom = "/roms/My \"Best\" Game (E) [!] $(touch x); 'Caf\xC3\xA9'.nes";
    QtShell shell;
    ASSERT_TRUE(shell.startDetached(program.string(), {rom}, true));
    const auto got = dir.path() / "stand in" / "got";
    QDeadlineTimer deadline(10000);
    while (!std::filesystem::exists(got) && !deadline.hasExpired())
        QTest::qWait(50);
    QTest::qWait(100);
    EXPECT_EQ(readFileBytes(got).value_or("<none>"), "1|" + rom);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "stand in" / "x"));
    EXPECT_FALSE(shell.startDetached((dir.path() / "missing").string(), {rom}, true));
}

} // namespace
} // namespace kestrova
