#include "platform/form.h"
#include "platform/list_box.h"
#include "platform/qt/form_window.h"
#include "platform/text_box.h"
#include "platform/widgets.h"
#include "qt/wait_until.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QKeySequence>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace kestrova {
namespace {

std::string buttonName(int button)
{
    std::string name;
    for (auto [bit, letter] : {std::pair{LeftButton, 'L'}, {RightButton, 'R'}, {MiddleButton, 'M'}})
        if (button & bit)
            name += letter;
    return name.empty() ? "-" : name;
}

// One window with a control of each kind; every event the form runtime receives is logged.
class Seam : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto &list = form.add<ListBox>("list_L", {0, 0, 3000, 1500});
        list.addItems({"One", "Two", "Three"});
        auto &combo = form.add<ComboBox>("pick_C", {3300, 0, 1500, 315});
        combo.addItems({"All", ".nes", ".gb"});
        form.add<TextBox>("text_I", {3300, 600, 1500, 315});
        form.add<PictureControl>("Image2(0)", {0, 1800, 900, 450}, ControlKind::Image);
        form.add<PictureControl>("ok_B", {1200, 1800, 900, 450}, ControlKind::Button)
            .setCaption("ok");
        form.add<Label>("Dragger_T", {0, 2400, 4800, 60});
        for (const auto &control : form.controls())
            record(*control);
        form.onMouseDown = [this](const MouseEvent &e) { log("form down " + buttonName(e.button)); };
        form.onMouseMove = [this](const MouseEvent &e) { log("form move " + buttonName(e.button)); };
        form.resize(6000, 4000);
        window = std::make_unique<FormWindow>(form);
        form.show();
        ASSERT_TRUE(testing::waitUntilExposed(*window, "the seam window"));
        QCoreApplication::processEvents();
    }

    void record(Control &control)
    {
        const std::string name = control.name();
        auto *list = dynamic_cast<ListBox *>(&control);
        control.onClick = [this, name, list] {
            // Appended, not prepended: GCC 12 at -O3 warns falsely about the latter.
            std::string text = name + " click";
            if (list)
                text.append(" ").append(std::to_string(list->listIndex()));
            log(text);
        };
        control.onDblClick = [this, name] { log(name + " dbl"); };
        control.onMouseDown = [this, name](const MouseEvent &e) {
            log(name + " down " + buttonName(e.button));
        };
        control.onMouseUp = [this, name](const MouseEvent &e) {
            log(name + " up " + buttonName(e.button));
        };
        control.onMouseMove = [this, name](const MouseEvent &e) {
            log(name + " move " + buttonName(e.button));
        };
        control.onKeyDown = [this, name](int key) { log(name + " key " + std::to_string(key)); };
        if (auto *box = dynamic_cast<TextBox *>(&control))
            box->onChange = [this, name, box] { log(name + " change " + box->text()); };
    }

    void log(const std::string &entry) { events.push_back(entry); }

    QWidget *widget(const std::string &name)
    {
        return window->findChild<QWidget *>(QString::fromStdString(name));
    }

    /// Where real input lands: a list row's centre, or the middle of any other control.
    QWidget *target(const std::string &name, int row, QPoint &at)
    {
        QWidget *w = widget(name);
        if (auto *view = qobject_cast<QListView *>(w)) {
            at = view->visualRect(view->model()->index(row, 0)).center();
            return view->viewport();
        }
        at = w->rect().center();
        return w;
    }

    static void move(QWidget *w, QPoint at, Qt::MouseButtons held)
    {
        QMouseEvent event(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, held, {});
        QCoreApplication::sendEvent(w, &event);
    }

    ListBox &list() { return form.get<ListBox>("list_L"); }
    QListView *view() { return qobject_cast<QListView *>(widget("list_L")); }

    /// The state a list is in when the focus reaches it and nothing is selected.
    void focusWithNothingSelected()
    {
        window->activateWindow();
        view()->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        ASSERT_TRUE(view()->hasFocus()) << "the list did not take the focus";
        // The toolkit makes the first row current at a list's first focus only; later ones
        // find it as the user left it, which a test must set itself.
        if (!view()->currentIndex().isValid())
            view()->selectionModel()->setCurrentIndex(view()->model()->index(0, 0),
                                                      QItemSelectionModel::NoUpdate);
        ASSERT_EQ(view()->currentIndex().row(), 0);
        ASSERT_FALSE(view()->selectionModel()->hasSelection());
    }

    Form form{"Seam", "Seam"};
    std::unique_ptr<FormWindow> window;
    std::vector<std::string> events;
};

using Input = std::function<void(QWidget *, QPoint)>;

Input click(Qt::MouseButton button)
{
    return [button](QWidget *w, QPoint at) { QTest::mouseClick(w, button, {}, at); };
}

/// As the system delivers a double-click: press, release, the second press as a double-click,
/// release.
Input doubleClick(Qt::MouseButton button)
{
    return [button](QWidget *w, QPoint at) {
        QTest::mousePress(w, button, {}, at);
        QTest::mouseRelease(w, button, {}, at);
        QMouseEvent second(QEvent::MouseButtonDblClick, at, w->mapToGlobal(at), button, button,
                           {});
        QCoreApplication::sendEvent(w, &second);
        QTest::mouseRelease(w, button, {}, at);
    };
}

struct Case
{
    const char *what;
    std::string control;
    int row; ///< the list row aimed at
    Input input;
    std::vector<std::string> expected;
    /// The list's selected row before the input; with none selected the list has the focus
    /// and its first row is current, as focus leaves it.
    int selected = 0;
};

Input key(Qt::Key k)
{
    return [k](QWidget *w, QPoint) {
        QWidget *target = qobject_cast<QListView *>(w->parentWidget()) ? w->parentWidget() : w;
        QTest::keyClick(target, k);
    };
}

TEST_F(Seam, RealInputRaisesExactlyTheRuntimesEvents)
{
    const auto drag = [](QWidget *w, QPoint at) {
        QTest::mousePress(w, Qt::LeftButton, {}, at);
        move(w, at + QPoint(0, 20), Qt::LeftButton);
        QTest::mouseRelease(w, Qt::LeftButton, {}, at + QPoint(0, 20));
    };
    const auto hover = [](QWidget *w, QPoint at) { move(w, at, Qt::NoButton); };
    const std::vector<Case> cases = {
        {"left click on another row", "list_L", 1, click(Qt::LeftButton),
         {"list_L down L", "list_L click 1", "list_L up L"}},
        {"left click on the selected row", "list_L", 0, click(Qt::LeftButton),
         {"list_L down L", "list_L click 0", "list_L up L"}},
        {"right click keeps the selection", "list_L", 2, click(Qt::RightButton),
         {"list_L down R", "list_L up R"}},
        {"middle click keeps the selection", "list_L", 2, click(Qt::MiddleButton),
         {"list_L down M", "list_L up M"}},
        {"right double-click: two presses, no double-click", "list_L", 0,
         doubleClick(Qt::RightButton),
         {"list_L down R", "list_L up R", "list_L down R", "list_L up R"}},
        {"left double-click", "list_L", 1, doubleClick(Qt::LeftButton),
         {"list_L down L", "list_L click 1", "list_L up L", "list_L down L", "list_L dbl",
          "list_L up L"}},
        {"move over a list", "list_L", 1, hover, {"list_L move -"}},
        {"arrow key moves the selection", "list_L", 0, key(Qt::Key_Down),
         {"list_L key 40", "list_L click 1"}},
        {"End selects the last row", "list_L", 0, key(Qt::Key_End),
         {"list_L key 35", "list_L click 2"}},
        {"Page Down selects the last row", "list_L", 0, key(Qt::Key_PageDown),
         {"list_L key 34", "list_L click 2"}},
        {"Home selects the first row", "list_L", 0, key(Qt::Key_Home),
         {"list_L key 36", "list_L click 0"}, 2},
        {"Page Up selects the first row", "list_L", 0, key(Qt::Key_PageUp),
         {"list_L key 33", "list_L click 0"}, 2},
        {"Space selects the current first row", "list_L", 0, key(Qt::Key_Space),
         {"list_L key 32", "list_L click 0"}, -1},
        {"Down selects the current first row rather than passing it", "list_L", 0,
         key(Qt::Key_Down), {"list_L key 40", "list_L click 0"}, -1},
        {"Home selects the current first row", "list_L", 0, key(Qt::Key_Home),
         {"list_L key 36", "list_L click 0"}, -1},
        {"Enter on a list is its key, for the program to act on", "list_L", 0,
         key(Qt::Key_Return), {"list_L key 13"}},
        {"arrow key chooses the next entry", "pick_C", 0,
         [](QWidget *w, QPoint) { QTest::keyClick(w, Qt::Key_Down); },
         {"pick_C key 40", "pick_C click 1"}},
        {"right click on a drop-down list", "pick_C", 0, click(Qt::RightButton),
         {"pick_C down R", "pick_C up R"}},
        {"typing", "text_I", 0, [](QWidget *w, QPoint) { QTest::keyClicks(w, "ab"); },
         {"text_I key 65", "text_I change a", "text_I key 66", "text_I change ab"}},
        {"left double-click in a text box", "text_I", 0, doubleClick(Qt::LeftButton),
         {"text_I down L", "text_I up L", "text_I down L", "text_I dbl", "text_I up L"}},
        {"Enter in a text box", "text_I", 0,
         [](QWidget *w, QPoint) { QTest::keyClick(w, Qt::Key_Return); }, {"text_I key 13"}},
        {"left click on a bar picture", "Image2(0)", 0, click(Qt::LeftButton),
         {"Image2(0) down L", "Image2(0) up L", "Image2(0) click"}},
        {"right double-click on a bar picture", "Image2(0)", 0, doubleClick(Qt::RightButton),
         {"Image2(0) down R", "Image2(0) up R", "Image2(0) down R", "Image2(0) up R"}},
        {"left double-click on a bar picture", "Image2(0)", 0, doubleClick(Qt::LeftButton),
         {"Image2(0) down L", "Image2(0) up L", "Image2(0) click", "Image2(0) down L",
          "Image2(0) dbl", "Image2(0) up L"}},
        {"hover over a bar picture stays with it", "Image2(0)", 0, hover,
         {"Image2(0) move -"}},
        {"button click", "ok_B", 0, click(Qt::LeftButton),
         {"ok_B down L", "ok_B up L", "ok_B click"}},
        {"splitter drag", "Dragger_T", 0, drag,
         {"Dragger_T down L", "Dragger_T move L", "Dragger_T up L"}},
        {"hover over the splitter stays with it", "Dragger_T", 0, hover,
         {"Dragger_T move -"}},
    };
    for (const auto &c : cases) {
        list().setListIndex(c.selected);
        form.get<TextBox>("text_I").setText({});
        form.get<ComboBox>("pick_C").setListIndex(0);
        QCoreApplication::processEvents(); // the widgets follow the models
        if (c.selected < 0)
            focusWithNothingSelected();
        events.clear();
        QPoint at;
        QWidget *w = target(c.control, c.row, at);
        c.input(w, at); // the test's input carries times far apart: no two cases make a double-click

        QCoreApplication::processEvents();
        EXPECT_EQ(events, c.expected) << c.what;
    }
    EXPECT_EQ(list().listIndex(), 0);
}

// Random key presses on lists of one to four rows, starting with the focus on a list where
// nothing is selected: every key that leaves a row selected has raised the click of that row,
// the widget shows what the model holds, and a list is never left without a selection.
TEST_F(Seam, KeyboardSelectionAlwaysRaisesTheClickOfTheRowShown)
{
    const Qt::Key keys[] = {Qt::Key_Up,     Qt::Key_Down,     Qt::Key_Home, Qt::Key_End,
                            Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Space};
    std::mt19937 random(23);
    for (int round = 0; round < 40; ++round) {
        const int rows = 1 + int(random() % 4);
        list().clear();
        for (int k = 0; k < rows; ++k)
            list().addItem("Row " + std::to_string(k));
        list().setListIndex(-1);
        QCoreApplication::processEvents();
        focusWithNothingSelected();
        std::string pressed;
        for (int step = 0; step < 6; ++step) {
            const Qt::Key k = keys[random() % std::size(keys)];
            pressed += QKeySequence(k).toString().toStdString() + " ";
            const int before = list().listIndex();
            events.clear();
            QTest::keyClick(view(), k);
            QCoreApplication::processEvents();
            const int after = list().listIndex();
            ASSERT_NE(after, -1) << rows << " rows, keys " << pressed;
            EXPECT_EQ(view()->currentIndex().row(), after) << rows << " rows, keys " << pressed;
            EXPECT_TRUE(view()->selectionModel()->isRowSelected(after))
                << rows << " rows, keys " << pressed;
            const bool clicked =
                std::count(events.begin(), events.end(), "list_L click " + std::to_string(after));
            EXPECT_EQ(clicked, after != before) << rows << " rows, keys " << pressed;
        }
    }
}

TEST_F(Seam, TheBareBackgroundGetsWhatNoControlTakes)
{
    QWidget *client = window->client();
    const QPoint free(client->width() - 10, client->height() - 10);
    ASSERT_EQ(client->childAt(free), nullptr);
    move(client, free, Qt::NoButton);
    QTest::mousePress(client, Qt::RightButton, {}, free);
    QTest::mouseRelease(client, Qt::RightButton, {}, free);
    EXPECT_EQ(events, (std::vector<std::string>{"form move -", "form down R"}));

    // Selecting from the program moves the widget without raising a second click.
    events.clear();
    list().setListIndex(2);
    QCoreApplication::processEvents();
    auto *view = qobject_cast<QListView *>(widget("list_L"));
    EXPECT_EQ(view->currentIndex().row(), 2);
    EXPECT_EQ(events, std::vector<std::string>{"list_L click 2"});
}

} // namespace
} // namespace kestrova
