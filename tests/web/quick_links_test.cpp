#include "fakes/app_fixture.h"
#include "platform/file_io.h"
#include "platform/list_box.h"
#include "platform/text_box.h"
#include "platform/widgets.h"
#include "web/search_text.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

using testing::AppFixture;

TEST(SearchText, TrimsJoinsAndKeepsTheWholeTitle)
{
    EXPECT_EQ(searchText(" Super Mario_Bros "), "Super+Mario+Bros");
    EXPECT_EQ(searchText("Tom & Jerry"), "Tom+%26+Jerry");
    EXPECT_EQ(searchText("Q?#1+2=100%"), "Q%3F%231%2B2=100%25");
    EXPECT_EQ(searchText("Caf\xC3\xA9\t"), "Caf%C3%A9%09");
    EXPECT_EQ(searchText("   "), "");
}

class Links : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.writeAppFile("wikigameslists/Star.htm",
                       "A\r\n*Tom & Jerry<wiki/Tom_and_Jerry>\r\n*Lost Game<w/index.php?t=L>\r\n"
                       "*Other<wiki/Other>\r\nRetrieved from\r\n");
        f.writeAppFile("DATA.txt", "[Manufacturer]M\r\n[Platform]Star\r\n");
        app = &f.start();
        app->listBox("manu_L").userClickRow(0);
        app->listBox("plat_list_L").userClickRow(0);
    }
    ListBox &titles() { return app->listBox("avail_L"); }
    void menu(const char *name) { app->form1().menuBar().find(name)->userClick(); }
    std::string matches() { return app->textBox("matches_L").text(); }

    SiteHosts hosts{"enc.test", "faq.test", "db.test", "rank.test", "docs.test", "prod.test"};
    AppFixture f{PlatformRules::native().kind(), hosts};
    Application *app = nullptr;
};

TEST_F(Links, StartUpShowsTheUpdatePageAndHelpItemsShowThePane)
{
    EXPECT_EQ(f.web.navigations, std::vector<std::string>{"http://prod.test/102.html"});
    auto &pane = app->control("Browser");
    for (const char *item : {"Check_updates", "M_help_about", "Image1"}) {
        pane.setVisible(false);
        if (auto *entry = app->form1().menuBar().find(item))
            entry->userClick();
        else
            app->control(item).raiseClick();
        EXPECT_TRUE(pane.isVisible()) << item;
    }
    EXPECT_EQ(f.web.navigations, (std::vector<std::string>{"http://prod.test/102.html",
                                                           "prod.test/102.html", "prod.test",
                                                           "prod.test"}));
    menu("about");
    EXPECT_EQ(f.dialogs.messages.back().text, "Kestrova 1.02");
    EXPECT_EQ(f.dialogs.messages.back().title, "Version");
}

// A new user's empty catalog opens on the page that tells the first steps; the update page
// claims nothing it did not check.
TEST(FirstRun, AnEmptyCatalogOpensOnTheFirstStepsAndNoPageClaimsAnUpdateCheck)
{
    SiteHosts hosts{"enc.test", "faq.test", "db.test", "rank.test", "docs.test", "prod.test"};
    AppFixture f{PlatformRules::native().kind(), hosts};
    f.start();
    EXPECT_EQ(f.web.navigations, std::vector<std::string>{"http://prod.test/first-steps.html"});

    const auto page = [](const std::string &name) {
        return readFileBytes(std::filesystem::path(KESTROVA_ASSETS_DIR) / "app/pages" / name, 1 << 20)
            .value_or("<missing>");
    };
    const std::string steps = page("first-steps.html");
    size_t at = 0;
    for (const char *step : {"&quot;Manufacturers&quot; &gt; &quot;Add&quot;",
                             "&quot;Platforms&quot; &gt; &quot;Add&quot;", "Set ROMS path?",
                             "&quot;Emulators&quot; &gt; &quot;Add&quot;"}) {
        const size_t found = steps.find(step, at);
        ASSERT_NE(found, std::string::npos) << step << " after the earlier steps";
        at = found;
    }
    EXPECT_EQ(page("102.html").find("Up to date"), std::string::npos);
    EXPECT_EQ(page("102.html").find("no update is needed"), std::string::npos);
}

TEST_F(Links, SearchesArticlesAndTheNoArticleCase)
{
    f.web.navigations.clear();
    menu("M_wiki");
    menu("M_ql_gf");
    menu("M_moby");
    EXPECT_EQ(f.web.navigations, (std::vector<std::string>{"http://faq.test", "http://db.test"}))
        << "without a selection: no article, the site roots";

    titles().userClickRow(0);
    f.web.navigations.clear();
    menu("M_wiki");
    EXPECT_EQ(matches(), "http://enc.test/wiki/Tom_and_Jerry");
    menu("M_ql_gf");
    menu("M_moby");
    menu("M_Gr");
    menu("M_Rep_docs");
    EXPECT_EQ(f.web.navigations,
              (std::vector<std::string>{"http://enc.test/wiki/Tom_and_Jerry",
                                        "http://faq.test/search/index.html?game=Tom+%26+Jerry",
                                        "http://db.test/search/quick?q=Tom+%26+Jerry",
                                        "rank.test", "http://docs.test/news.php"}));

    titles().userClickRow(1);
    f.web.navigations.clear();
    menu("M_wiki");
    EXPECT_EQ(matches(), "No article about Lost Game");
    EXPECT_TRUE(f.web.navigations.empty());
    f.web.completeLoad("http://elsewhere/");
    EXPECT_EQ(matches(), "http://elsewhere/") << "the address bar follows every navigation";
}

TEST_F(Links, FormsAreFilledWhereverTheSitePageCompletes)
{
    titles().userClickRow(0);
    f.web.completeLoad("http://rank.test/");
    f.web.completeLoad("http://rank.test/");
    f.web.completeLoad("http://rank.test/other");
    ASSERT_EQ(f.web.valuesSet.size(), 2u) << "once per document, only on the home page";
    EXPECT_EQ(f.web.valuesSet[0].name, "Itemname");
    EXPECT_EQ(f.web.valuesSet[0].index, 1) << "the second field, never the first";
    EXPECT_EQ(f.web.valuesSet[0].value, "Tom & Jerry");
    f.web.completeLoad("http://docs.test/news.php");
    EXPECT_EQ(f.web.valuesSet.back().name, "searchquery");
    EXPECT_EQ(f.web.valuesSet.back().index, 0);
    EXPECT_EQ(f.web.clicks, (std::vector<std::string>{"submit2", "submit2", "searchsubmit"}));

    // A page that lacks the field or the button is left alone.
    for (const char *absent : {"Itemname", "submit2", "searchquery", "searchsubmit"}) {
        f.web.missing = {absent};
        f.web.completeLoad("http://rank.test/");
        f.web.completeLoad("http://docs.test/news.php");
    }
    EXPECT_EQ(f.web.valuesSet.size(), 3u + 4u);
    EXPECT_EQ(f.web.clicks.size(), 3u + 4u);
}

TEST_F(Links, AutoBrowseFollowsTheSelectionOnlyWhenOn)
{
    f.dir.write("roms/Other (E).nes", "x");
    app->textBox("RPath_I").setText((f.dir.path() / "roms").string() + "/");
    app->UpdatE("Ext_change", 0);
    f.web.navigations.clear();
    titles().userClickRow(2);
    app->listBox("Flist_L").userClickRow(0);
    EXPECT_TRUE(f.web.navigations.empty());

    app->form1().get<CheckBox>("Check1_T").setChecked(true);
    titles().userClickRow(0);
    app->listBox("Flist_L").userClickRow(0);
    EXPECT_EQ(f.web.navigations, (std::vector<std::string>{"http://enc.test/wiki/Tom_and_Jerry",
                                                           "http://enc.test/wiki/Other"}));
    EXPECT_EQ(matches(), "http://enc.test/wiki/Other");
}

} // namespace
} // namespace kestrova
