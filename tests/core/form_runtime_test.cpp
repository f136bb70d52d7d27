#include "platform/form.h"
#include "platform/list_box.h"
#include "platform/menu_item.h"
#include "platform/text_box.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(FormRuntime, ListPositionRaisesClickButFillingDoesNot)
{
    Form form("F", "F");
    auto &list = form.add<ListBox>("a_L", {});
    std::vector<int> clicks;
    list.onClick = [&] { clicks.push_back(list.listIndex()); };
    list.addItem("one");
    list.addItems({"two", "three"});
    EXPECT_TRUE(clicks.empty());
    list.setListIndex(1);
    list.setListIndex(1);
    list.setListIndex(7);
    EXPECT_EQ(clicks, (std::vector<int>{1, 1, -1}));
    list.setListIndex(2);
    list.removeItem(0);
    EXPECT_EQ(list.listIndex(), 1) << "selection follows its entry";
    list.removeItem(1);
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(clicks.size(), 4u);
}

TEST(FormRuntime, TextChangeAndMenusAndLookup)
{
    Form form("F", "F");
    auto &box = form.add<TextBox>("t_I", {1, 2, 3, 4});
    int changes = 0;
    box.onChange = [&] { ++changes; };
    box.setText("x");
    box.setText("x");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(&form.get<TextBox>("t_I"), &box);
    EXPECT_FALSE(box.setWidth(-1));
    EXPECT_EQ(box.width(), 3);

    auto &menu = form.menuBar().addItem("M_a", "A");
    menu.addItem("M_a_list(0)", "-");
    menu.addItem("M_a_list(1)", "One").setChecked(true);
    EXPECT_TRUE(form.menuBar().find("M_a_list(1)")->isChecked());
    menu.removeItem("M_a_list(1)");
    EXPECT_EQ(form.menuBar().find("M_a_list(1)"), nullptr);
}

} // namespace
} // namespace kestrova
