#include "fakes/temp_dir.h"
#include "platform/list_box.h"
#include "platform/menu_item.h"
#include "platform/qt/deferred_icon_style.h"
#include "platform/qt/desktop_host.h"
#include "qt/modal_answers.h"
#include "qt/program_host.h"
#include "qt/wait_until.h"
#include "platform/file_io.h"
#include "platform/form.h"
#include "platform/qt/form_window.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_shell.h"
#include "platform/text_box.h"
#include "platform/widgets.h"

#include <QAccessible>
#include <QAction>
#include <QKeySequence>
#include <QSet>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStyleFactory>
#include <QToolButton>
#include <QTest>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace kestrova {
namespace {

class Binding : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.write("roms/One.nes", "1");
        dir.write("roms/Two.nes", "2");
        dir.write("Ext.txt", ".nes\r\n.gb\r\n");
        dir.write("wikigameslists/Arcade.htm", "");
        dir.write("DATA.txt", "[Manufacturer]Acme\r\n[Platform]Star\r\n[RomPath]"
                                  + (dir.path() / "roms").string() + "/\r\n[Emu]Emu\r\n");
        host = makeProgramHost(dir.path());
        host->start();
        window = &host->mainWindow();
        QCoreApplication::processEvents();
    }
    template<class W>
    W *widget(const char *name)
    {
        return window->findChild<W *>(QString::fromLatin1(name));
    }
    void clickRow(QListView *view, int row)
    {
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        QCoreApplication::processEvents();
    }

    testing::TempDir dir;
    std::unique_ptr<DesktopHost> host;
    FormWindow *window = nullptr;
};

TEST_F(Binding, ClicksInWidgetsDriveTheModelAndTheModelDrivesWidgets)
{
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
    EXPECT_EQ(widget<QLineEdit>("RPath_I")->text().toStdString(),
              (dir.path() / "roms").string() + "/");
}

/// Children of this process that ended and were never reaped.
int zombieChildren()
{
    int zombies = 0;
    for (const auto &entry : std::filesystem::directory_iterator("/proc")) {
        const auto stat = readFileBytes(entry.path() / "stat", 1 << 20);
        const auto end = stat ? stat->rfind(')') : std::string::npos;
        if (end == std::string::npos)
            continue;
        char state = 0;
        int parent = 0;
        if (std::sscanf(stat->c_str() + end + 1, " %c %d", &state, &parent) == 2
            && state == 'Z' && parent == int(getpid()))
            ++zombies;
    }
    return zombies;
}

TEST(RealShell, StartsTheProgramWithExactlyOneUntouchedArgument)
{
    testing::TempDir dir;
    // A stand-in emulator in a folder whose name is no UTF-8; it writes down how many
    // arguments it got, and the bytes of the first one, into a file that appears complete.
    const std::string folder = "stand in \xE9";
    const auto program = dir.write(folder + "/emu", R"(#!/bin/sh
printf '%s|%s' "$#" "$1" > "$(dirname "$0")/got.part" && mv "$(dirname "$0")/got.part" "$(dirname "$0")/got"
)");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    const auto got = dir.path() / folder / "got";
    QtShell shell;
    for (const std::string rom : {"/roms/My \"Best\" Game (E) [!] $(touch x); 'Caf\xC3\xA9'.nes",
                                  "/roms/Caf\xE9 \xFF\x80.nes"}) {
        std::filesystem::remove(got);
        ASSERT_TRUE(shell.startDetached(program.string(), {rom}, true));
        EXPECT_TRUE(testing::waitUntil([&] { return std::filesystem::exists(got); },
                                       "the stand-in's record of its arguments"));
        EXPECT_EQ(readFileBytes(got, 1 << 20).value_or("<none>"), "1|" + rom);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / folder / "x"));
    EXPECT_FALSE(shell.startDetached((dir.path() / "missing").string(), {"a"}, true));
    EXPECT_EQ(zombieChildren(), 0);
}

// Stands in for the desktop's handlers of web addresses and local files.
class OpenedUrls : public QObject
{
    Q_OBJECT
public:
    QStringList urls;
public slots:
    void open(const QUrl &url) { urls << url.toString(); }
};

TEST(RealShell, OpensWebAddressesAsSuchAndOtherTextsAsExistingLocalPaths)
{
    testing::TempDir dir;
    dir.write("notes.txt", "n");
    OpenedUrls opened;
    for (const char *scheme : {"http", "https", "file"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &opened, "open");
    QtShell shell(dir.path());
    for (const char *text : {"notes.txt", "missing.txt", "www.example.org", "HTTP://a.b/c", "",
                             "notes"})
        shell.shellOpen(text);
    shell.shellOpen((dir.path() / "notes.txt").string());
    for (const char *scheme : {"http", "https", "file"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    const QString notes = QUrl::fromLocalFile(QString::fromStdString(
                                                  (dir.path() / "notes.txt").string()))
                              .toString();
    EXPECT_EQ(opened.urls, (QStringList{notes, QStringLiteral("http://www.example.org"),
                                        QStringLiteral("http://a.b/c"), notes}));
}

TEST(RealDialogs, TheOpenFileDialogReturnsTheFileChosen)
{
    QtDialogs dialogs;
    QString shown;
    testing::ModalAnswers answers({[&](QDialog &dialog) {
        auto *files = qobject_cast<QFileDialog *>(&dialog);
        ASSERT_NE(files, nullptr);
        shown = files->nameFilters().join(QStringLiteral(";;"));
        files->selectFile(QStringLiteral("/usr/bin/env"));
        static_cast<QDialog *>(files)->accept(); // as its Open button does
    }});
    EXPECT_EQ(dialogs.openFile("Programs|*|All files|*", ".exe"), "/usr/bin/env");
    EXPECT_EQ(shown, QStringLiteral("Programs (*);;All files (*)"));
}

// The answering helper never leaves a test hanging: a dialog nobody expected is a failure that
// names it and is closed; a dialog that never comes is a failure that counts it.
TEST(ModalAnswers, UnexpectedAndMissingDialogsAreFailuresNotHangs)
{
    EXPECT_NONFATAL_FAILURE(
        {
            testing::ModalAnswers none({});
            QMessageBox box(QMessageBox::NoIcon, "Kestrova", "Nobody expects this", QMessageBox::Ok);
            box.exec();
        },
        "an unexpected dialog: \"Nobody expects this\"");
    EXPECT_NONFATAL_FAILURE(
        {
            testing::ModalAnswers one({testing::press(QMessageBox::Ok)});
            EXPECT_TRUE(one.waitUntilAllGiven(0));
        },
        "dialog 1 of 1 did not come");
}

// Escape and the close button are no answer to a question: the box stays until Yes or No is
// pressed, unless the question may be dismissed, which then says so.
TEST(RealDialogs, AQuestionIsAnsweredOnlyByItsButtons)
{
    const std::function<void(QMessageBox *)> dismissals[] = {
        [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); },
        [](QMessageBox *box) { box->close(); }};
    for (auto buttons : {MessageButtons::YesNo, MessageButtons::YesNoDismissible}) {
        for (int way = 0; way < 2; ++way) {
            QtDialogs dialogs;
            bool stayed = false;
            testing::ModalAnswers answer({[&](QDialog &dialog) {
                auto *box = qobject_cast<QMessageBox *>(&dialog);
                ASSERT_NE(box, nullptr);
                dismissals[way](box);
                QCoreApplication::processEvents();
                stayed = box->isVisible();
                if (stayed)
                    box->button(QMessageBox::Yes)->click();
            }});
            const auto result = dialogs.messageBox("Remove it?", buttons, MessageIcon::None, "");
            EXPECT_TRUE(answer.waitUntilAllGiven());
            const bool dismissible = buttons == MessageButtons::YesNoDismissible;
            EXPECT_EQ(stayed, !dismissible) << "dismissal " << way;
            EXPECT_EQ(result, dismissible ? MessageResult::Dismissed : MessageResult::Yes)
                << "dismissal " << way;
        }
    }
}

TEST_F(Binding, EscapeAtTheExitPromptKeepsTheWindowAndEveryEdit)
{
    auto &app = host->app();
    const std::string saved = readFileBytes(dir.path() / "DATA.txt", 1 << 20).value_or("");
    app.catalog().Man[0].Name = "Edited";
    testing::ModalAnswers answers({[](QDialog &box) { QTest::keyClick(&box, Qt::Key_Escape); }});
    window->close();
    EXPECT_TRUE(answers.waitUntilAllGiven());
    EXPECT_EQ(answers.seen(), std::vector<std::string>{"Save before exiting?"});
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(app.form1().isLoaded());
    EXPECT_EQ(app.catalog().Man[0].Name, "Edited");
    EXPECT_EQ(readFileBytes(dir.path() / "DATA.txt", 1 << 20).value_or(""), saved);
}

TEST(RealDialogs, EnterAnswersABoxWithItsDefaultButton)
{
    QtDialogs dialogs;
    const auto enter = [](QDialog &box) { QTest::keyClick(&box, Qt::Key_Return); };
    testing::ModalAnswers answers({enter, enter});
    EXPECT_EQ(dialogs.messageBox("Keep?", MessageButtons::YesNoDefaultNo, MessageIcon::None, ""),
              MessageResult::No);
    EXPECT_EQ(dialogs.messageBox("Save?", MessageButtons::YesNo, MessageIcon::None, ""),
              MessageResult::Yes);
    EXPECT_TRUE(answers.waitUntilAllGiven());
}

TEST_F(Binding, AModalBoxBelongsToItsWindowAndClosingItIsNoNewActivation)
{
    auto &app = host->app();
    app.listBox("manu_L").setListIndex(0);
    app.control("AddPlat_B").raiseClick();
    auto &chooser = host->window(app.form2());
    const auto activate = [](QWidget &w) {
        w.activateWindow();
        return testing::waitUntil([&] { return w.isActiveWindow(); },
                                  "the activation of " + w.objectName().toStdString());
    };
    ASSERT_TRUE(activate(chooser));
    auto &lists = app.form2().get<ListBox>("cb_L");
    ASSERT_GT(lists.count(), 0);
    QTest::keyClick(chooser.findChild<QComboBox *>(QStringLiteral("cb_L")), Qt::Key_Down);
    QTest::keyClicks(chooser.findChild<QLineEdit *>(QStringLiteral("T_I")), QStringLiteral("Mine"));
    ASSERT_EQ(lists.listIndex(), 0);

    QWidget *owner = nullptr;
    testing::ModalAnswers answers({[&](QDialog &box) {
        owner = box.parentWidget();
        QTest::keyClick(&box, Qt::Key_Return);
    }});
    auto *ok = chooser.findChild<QWidget *>(QStringLiteral("cd_B"));
    QTest::mouseClick(ok, Qt::LeftButton, {}, ok->rect().center());
    EXPECT_EQ(answers.seen(), std::vector<std::string>{"Fill only one field"});
    EXPECT_EQ(owner, &chooser);
    // Whoever hands the focus back, by whatever detour and however late, the chooser's fields
    // stay as the user left them.
    EXPECT_TRUE(activate(chooser));
    EXPECT_TRUE(activate(*window));
    EXPECT_TRUE(activate(chooser));
    EXPECT_EQ(lists.listIndex(), 0);
    EXPECT_EQ(app.form2().get<TextBox>("T_I").text(), "Mine");

    // Once the user has done something elsewhere, coming back is a new activation: the chooser
    // lists the saved lists afresh.
    ASSERT_TRUE(activate(*window));
    QTest::keyClick(window, Qt::Key_Shift);
    EXPECT_TRUE(activate(chooser));
    EXPECT_EQ(lists.listIndex(), -1);
}

// As a screen reader reads a drop-down list: its own name, its entries as the items of its one
// list child, and an entry chosen by opening the list, selecting the item and pressing.
TEST_F(Binding, DropDownListsShowAndChooseTheirEntriesThroughAccessibility)
{
    auto &app = host->app();
    app.listBox("manu_L").setListIndex(0);
    app.control("AddPlat_B").raiseClick();
    auto &chooser = host->window(app.form2());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser));
    struct DropDown
    {
        QWidget *window;
        const char *control;
        ListBox &model;
        const char *name;
    };
    const DropDown dropDowns[] = {
        {window, "ext1_C", app.comboBox("ext1_C"), "Extension filter"},
        {window, "nav_C", app.comboBox("nav_C"), "NavBar-Buttons"},
        {&chooser, "cb_L", app.form2().get<ListBox>("cb_L"), "Wikipedia  lists"}};
    for (const auto &d : dropDowns) {
        auto *combo = d.window->findChild<QComboBox *>(QString::fromLatin1(d.control));
        ASSERT_NE(combo, nullptr) << d.control;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(combo);
        EXPECT_EQ(iface->text(QAccessible::Name), QString::fromLatin1(d.name));
        ASSERT_EQ(iface->childCount(), 1) << d.control << ": the list of entries";
        QAccessibleInterface *list = iface->child(0);
        ASSERT_NE(list, nullptr) << d.control;
        EXPECT_EQ(list->role(), QAccessible::List) << d.control;
        EXPECT_EQ(iface->indexOfChild(list), 0) << d.control;
        ASSERT_NE(list->parent(), nullptr) << d.control;
        EXPECT_EQ(list->parent()->object(), combo) << d.control << ": walked back to its list";
        ASSERT_EQ(list->childCount(), d.model.count()) << d.control;
        for (int k = 0; k < d.model.count(); ++k)
            EXPECT_EQ(list->child(k)->text(QAccessible::Name).toStdString(), d.model.item(k))
                << d.control << " entry " << k;
        if (!combo->isVisible() || d.model.count() == 0)
            continue; // a hidden list cannot be opened; its entries are still read

        const int last = d.model.count() - 1;
        d.model.setListIndex(last == 0 ? -1 : 0);
        QCoreApplication::processEvents();
        auto *actions = iface->actionInterface();
        ASSERT_NE(actions, nullptr) << d.control;
        actions->doAction(QAccessibleActionInterface::showMenuAction());
        ASSERT_TRUE(QTest::qWaitFor([&] { return combo->view()->isVisible(); }))
            << d.control << ": the list did not open";
        EXPECT_TRUE(iface->state().expanded) << d.control;
        QAccessibleInterface *item = list->child(last);
        ASSERT_NE(item->actionInterface(), nullptr) << d.control;
        item->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        actions->doAction(QAccessibleActionInterface::pressAction());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !combo->view()->isVisible(); }))
            << d.control << ": the list did not close";
        EXPECT_EQ(d.model.listIndex(), last) << d.control << ": the entry was not chosen";
        EXPECT_EQ(iface->text(QAccessible::Name), QString::fromLatin1(d.name));
    }
}

// Every menu can be reached from the keyboard: each caption, as written, gets a letter of its
// own among its neighbours; F10 opens the menu bar; "Save" has Ctrl+S.
TEST_F(Binding, MenusAreReachableFromTheKeyboard)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QCoreApplication::processEvents();
    std::function<void(QWidget *)> walk = [&](QWidget *menu) {
        QSet<QString> letters;
        for (QAction *action : menu->actions()) {
            if (action->isSeparator())
                continue;
            const QString text = action->text();
            const QKeySequence mnemonic = QKeySequence::mnemonic(text);
            EXPECT_FALSE(mnemonic.isEmpty()) << text.toStdString();
            EXPECT_FALSE(letters.contains(mnemonic.toString())) << text.toStdString();
            letters.insert(mnemonic.toString());
            if (action->menu())
                walk(action->menu());
        }
    };
    walk(window->menuBar());
    auto *save = window->findChild<QAction *>(QStringLiteral("M_op_sav"));
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text().remove(QLatin1Char('&')), QStringLiteral("Save"));
    EXPECT_EQ(save->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));

    widget<QListView>("manu_L")->setFocus();
    QTest::keyClick(widget<QListView>("manu_L"), Qt::Key_F10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->menuBar()->activeAction() != nullptr; }))
        << "F10 did not open the menu bar";
    EXPECT_EQ(window->menuBar()->activeAction()->objectName(), QStringLiteral("M_list"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
}

/// The focusable widgets of a window in the order Tab visits them, from its first one.
std::vector<QWidget *> tabCycle(QWidget *window, QWidget *first)
{
    std::vector<QWidget *> visited;
    first->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    for (int k = 0; k < 60; ++k) {
        QWidget *focus = QApplication::focusWidget();
        if (!focus || std::find(visited.begin(), visited.end(), focus) != visited.end())
            break;
        visited.push_back(focus);
        // Tab belongs to a web page once it has the focus.
        if (focus->window() != window || focus->inherits("QWebEngineView"))
            break;
        QTest::keyClick(focus, Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    return visited;
}

/// Top to bottom, then left to right.
void expectVisualOrder(QWidget *window, const std::vector<QWidget *> &visited)
{
    for (size_t k = 1; k < visited.size(); ++k) {
        const QPoint before = visited[k - 1]->mapTo(window, QPoint(0, 0));
        const QPoint after = visited[k]->mapTo(window, QPoint(0, 0));
        EXPECT_TRUE(before.y() < after.y() || (before.y() == after.y() && before.x() < after.x()))
            << visited[k - 1]->objectName().toStdString() << " before "
            << visited[k]->objectName().toStdString();
    }
}

TEST_F(Binding, TabFollowsTheVisualOrderAndTheChooserAnswersEnterAndEscape)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    const auto mainCycle = tabCycle(window, widget<QWidget>("ext1_C"));
    EXPECT_GE(mainCycle.size(), 9u) << "the filter, six lists and two search boxes";
    expectVisualOrder(window, mainCycle);

    auto &app = host->app();
    app.listBox("manu_L").setListIndex(0);
    const int platforms = app.listBox("plat_list_L").count();
    app.control("AddPlat_B").raiseClick();
    auto &chooser = host->window(app.form2());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&chooser));
    const auto chooserCycle = tabCycle(&chooser, chooser.findChild<QWidget *>(QStringLiteral("cb_L")));
    EXPECT_EQ(chooserCycle.size(), 4u);
    expectVisualOrder(&chooser, chooserCycle);

    auto *custom = chooser.findChild<QLineEdit *>(QStringLiteral("T_I"));
    custom->setFocus();
    QTest::keyClicks(custom, QStringLiteral("Typed"));
    testing::ModalAnswers answers({testing::press(QMessageBox::No)});
    QTest::keyClick(custom, Qt::Key_Return);
    EXPECT_TRUE(answers.waitUntilAllGiven()) << "the new platform asks for its ROM folder";
    EXPECT_EQ(app.listBox("plat_list_L").count(), platforms + 1) << "Enter is ok";
    EXPECT_FALSE(chooser.isVisible());

    app.control("AddPlat_B").raiseClick();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&chooser));
    QTest::keyClick(chooser.findChild<QWidget *>(QStringLiteral("cb_L")), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(chooser.isVisible()) << "Escape is cancel";
    EXPECT_EQ(app.textBox("ajout").text(), "0");

    app.colors().show();
    auto &editor = host->window(app.colors());
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    QTest::keyClick(editor.findChild<QWidget *>(QStringLiteral("List1_L")), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(editor.isVisible()) << "Escape closes the scheme editor";
    EXPECT_FALSE(app.colors().isVisible());
}

TEST_F(Binding, AccessibleNamesFollowCaptionsAndTellControlsApart)
{
    const auto name = [&](const char *control) {
        auto *w = widget<QWidget>(control);
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    };
    auto &app = host->app();
    app.control("romc_T").setCaption("11");
    app.control("wikic_T").setCaption("42");
    app.control("prog").setCaption("Best Title");
    app.control("m_M").setCaption("COMMAND SENT TO THE EMULATOR");
    EXPECT_EQ(name("romc_T"), QStringLiteral("11"));
    EXPECT_EQ(name("wikic_T"), QStringLiteral("42"));
    EXPECT_EQ(name("prog"), QStringLiteral("Best Title"));
    EXPECT_EQ(name("m_M"), QStringLiteral("COMMAND SENT TO THE EMULATOR"));
    app.control("m_M").setCaption("");
    EXPECT_EQ(name("m_M"), QStringLiteral("Message"));
    EXPECT_FALSE(widget<QWidget>("m_M")->autoFillBackground()) << "an empty hint draws nothing";

    auto &filter = app.comboBox("ext1_C");
    ASSERT_GT(filter.count(), 1);
    filter.setListIndex(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(name("ext1_C"), QStringLiteral("Extension filter"));
    auto *combo = QAccessible::queryAccessibleInterface(widget<QComboBox>("ext1_C"));
    EXPECT_EQ(combo->text(QAccessible::Value).toStdString(), filter.text());
    EXPECT_EQ(combo->role(), QAccessible::ComboBox);

    QSet<QString> names;
    for (const auto &control : app.form1().controls()) {
        auto *w = widget<QWidget>(control->name().c_str());
        ASSERT_NE(w, nullptr) << control->name();
        EXPECT_EQ(w->accessibleDescription().toStdString(), control->name());
        EXPECT_FALSE(w->accessibleName().isEmpty()) << control->name();
        if (control->kind() != ControlKind::Button)
            continue;
        const QString buttonName = name(control->name().c_str());
        EXPECT_FALSE(names.contains(buttonName)) << control->name();
        names.insert(buttonName);
    }
    EXPECT_TRUE(names.contains(QStringLiteral("Remove platform")));
    EXPECT_TRUE(names.contains(QStringLiteral("Add manufacturer")));

    // Menu items carry their control's name; separators show only their line.
    QCoreApplication::processEvents();
    QStringList menus;
    for (auto *action : window->menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, (QStringList{"&Lists", "&Settings", "&Quick Links", "&Help"}));
    QStringList items;
    std::function<void(QWidget *)> walk = [&](QWidget *menu) {
        for (QAction *action : menu->actions()) {
            EXPECT_FALSE(action->objectName().isEmpty());
            if (action->isSeparator()) {
                EXPECT_TRUE(action->text().isEmpty()) << action->objectName().toStdString();
            }
            items << action->objectName();
            if (action->menu())
                walk(action->menu());
        }
    };
    walk(window->menuBar());
    for (const char *item : {"M_list", "M_wiki", "M_set_col_schemes(0)", "about"})
        EXPECT_TRUE(items.contains(QLatin1String(item))) << item;
}

TEST(WebEngineModule, WithoutTheModuleThePaneSaysWhyAndTheProgramStillRuns)
{
    testing::TempDir appDir, emptyFolder;
    appDir.write("DATA.txt", "[Manufacturer]Acme\r\n[Platform]Star\r\n");
    DesktopHost host(appDir.path(), "kestrova", [&](Services services) {
        return makeKestrova(appDir.path(), services, PlatformRules::native(), {});
    }, emptyFolder.path());
    host.start();
    auto *notice = qobject_cast<QLabel *>(host.webPane().widget());
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->text().startsWith(QStringLiteral("The web pane could not start: ")));
    EXPECT_TRUE(host.mainWindow().isAncestorOf(notice));
    host.app().form1().menuBar().find("M_Gr")->userClick(); // a page is wanted: nothing breaks
    EXPECT_EQ(host.webPane().currentAddress(), "");
    EXPECT_EQ(host.app().listBox("manu_L").count(), 1);
}

// The overflow button of a menu bar too narrow for its menus still shows the base style's
// icon, made only when it is drawn.
TEST(DeferredIconStyle, TheOverflowButtonShowsTheBaseStylesIcon)
{
    // A menu bar takes the icon when it is made, from the application's style, as the
    // program's menu bar does.
    auto *style = new DeferredIconStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setStyle(style);
    struct RestoreStyle
    {
        ~RestoreStyle() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }
    } restore;
    QMenuBar bar;
    for (int k = 0; k < 12; ++k)
        bar.addMenu(QStringLiteral("Menu number %1").arg(k));
    bar.resize(120, 30);
    bar.show();
    ASSERT_TRUE(testing::waitUntilExposed(bar, "the menu bar"));
    auto *overflow = bar.findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button"));
    ASSERT_NE(overflow, nullptr);
    EXPECT_TRUE(overflow->isVisible());
    const QImage shown = overflow->icon().pixmap(QSize(16, 16)).toImage();
    const QImage expected = style->baseStyle()
                                ->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton)
                                .pixmap(QSize(16, 16))
                                .toImage();
    EXPECT_FALSE(shown.isNull());
    EXPECT_EQ(shown, expected);
}

// A picture "name.png" shows the pixels of "name@2x.png" on a high-DPI screen, at the size of
// "name.png"; a picture without a sharper file still shows.
TEST(HighDpi, PicturesTakeTheirDoubleSizeFileAtTheSameLogicalSize)
{
    const qreal ratio = qApp->devicePixelRatio();
    if (ratio < 2) {
        // The screen's ratio is fixed when the application starts: check again at scale 2.
        QProcess child;
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=HighDpi.*")});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString output = QString::fromUtf8(child.readAll());
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.contains(QLatin1String("[  PASSED  ] 1 test"))) << output.toStdString();
    }

    testing::TempDir dir;
    auto save = [&dir](const char *name, QSize size, Qt::GlobalColor color) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(color);
        const auto path = dir.path() / name;
        EXPECT_TRUE(image.save(QString::fromStdString(path.string()), "PNG"));
        return path.string();
    };
    const std::string sharp = save("sharp.png", {60, 30}, Qt::red);
    save("sharp@2x.png", {120, 60}, Qt::blue);
    const std::string plain = save("plain.png", {60, 30}, Qt::green);

    Form form("Form1", "Pictures");
    auto &image = form.add<PictureControl>("Image2(0)", {0, 0, 900, 450}, ControlKind::Image);
    auto &button = form.add<PictureControl>("AddMan_B", {0, 600, 900, 450}, ControlKind::Button);
    auto &other = form.add<PictureControl>("Image2(1)", {0, 1200, 900, 450}, ControlKind::Image);
    image.setPicture(sharp); // before the window exists, as at start-up
    form.resize(3000, 3000);
    FormWindow window(form);
    form.show();
    ASSERT_TRUE(testing::waitUntilExposed(window, "the pictures' window"));
    button.setPicture(sharp);
    other.setPicture(plain);
    QCoreApplication::processEvents();

    const QColor expected = ratio >= 2 ? QColor(Qt::blue) : QColor(Qt::red);
    for (auto [name, colour] : {std::pair{"Image2(0)", expected}, {"Image2(1)", QColor(Qt::green)}}) {
        auto *label = window.findChild<QLabel *>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->pixmap().deviceIndependentSize(), QSizeF(60, 30)) << name;
        const QImage shown = label->grab().toImage();
        EXPECT_EQ(shown.size(), QSize(60, 30) * ratio) << name;
        EXPECT_EQ(shown.pixelColor(shown.rect().center()), colour) << name;
    }

    auto *push = window.findChild<QPushButton *>(QStringLiteral("AddMan_B"));
    ASSERT_NE(push, nullptr);
    EXPECT_EQ(push->iconSize(), QSize(60, 30));
    const QImage icon = push->icon().pixmap(push->iconSize(), ratio).toImage();
    EXPECT_EQ(icon.size(), QSize(60, 30) * ratio);
    EXPECT_EQ(icon.pixelColor(icon.rect().center()), expected);
}

} // namespace
} // namespace kestrova

#include "binding_test.moc"
