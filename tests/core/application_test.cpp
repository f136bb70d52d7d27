#include "fakes/app_fixture.h"
#include "platform/list_box.h"
#include "platform/text_box.h"
#include "platform/widgets.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kestrova {
namespace {

using testing::AppFixture;

const std::string kCatalog = "[Manufacturer]Acme\r\n\r\n\r\n[Platform]P\r\n\r\n";

std::vector<std::string> panels(Application &app)
{
    auto &bar = app.form1().get<StatusBar>("StatusBar1");
    std::vector<std::string> texts;
    for (int i = 1; i <= bar.panelCount(); ++i)
        texts.push_back(bar.panel(i));
    return texts;
}

TEST(StartUp, MissingFilesAreCreatedEmptyAndTheWindowShows)
{
    AppFixture f;
    auto &app = f.start();
    EXPECT_EQ(f.readAppFile("DATA.txt"), "");
    EXPECT_EQ(f.readAppFile("Ext.txt"), "");
    EXPECT_EQ(app.comboBox("ext1_C").items(), std::vector<std::string>{"All"});
    EXPECT_EQ(app.comboBox("ext1_C").listIndex(), -1);
    EXPECT_EQ(app.listBox("manu_L").count(), 0);
    EXPECT_TRUE(app.form1().isVisible());
    EXPECT_EQ(app.form1().caption(), "Kestrova");
    EXPECT_EQ(panels(app), (std::vector<std::string>{"Man: ", "Plat :", "Emu :", "Rom :",
                                                     "Wiki :", "Article: --"}));
    EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST(ShutDown, NoLeavesTheFileAndYesSavesBeforeClosing)
{
    AppFixture f;
    f.writeAppFile("DATA.txt", kCatalog);
    auto &app = f.start();
    app.catalog().Man[0].Name = "Renamed";
    app.form2().show();
    app.form1().userClose();
    EXPECT_EQ(f.readAppFile("DATA.txt"), kCatalog);
    EXPECT_FALSE(app.form2().isLoaded());
    EXPECT_EQ(f.dialogs.messages.back().title, "Closing Kestrova...");

    f.dialogs.messageAnswers = {MessageResult::Yes};
    app.form1().userClose();
    ASSERT_EQ(f.dialogs.messages.size(), 3u);
    EXPECT_EQ(f.dialogs.messages[1].text, "Save before exiting?");
    EXPECT_EQ(f.dialogs.messages[2].text, "Saved");
    EXPECT_EQ(f.readAppFile("DATA.txt"), "[Manufacturer]Renamed\r\n\r\n\r\n[Platform]P\r\n\r\n");
    EXPECT_FALSE(app.form1().isVisible());
}

// Only the exit prompt may be dismissed, and dismissing it is "not now": the window, the other
// windows and every edit stay; a later close asks again.
TEST(ShutDown, ADismissedExitPromptKeepsTheWindowAndEveryEdit)
{
    AppFixture f;
    f.writeAppFile("DATA.txt", kCatalog);
    auto &app = f.start();
    app.catalog().Man[0].Name = "Renamed";
    app.form2().show();
    f.dialogs.messageAnswers = {MessageResult::Dismissed};
    app.form1().userClose();
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].buttons, MessageButtons::YesNoDismissible);
    EXPECT_TRUE(app.form1().isVisible());
    EXPECT_TRUE(app.form2().isLoaded());
    EXPECT_EQ(app.catalog().Man[0].Name, "Renamed");
    EXPECT_EQ(f.readAppFile("DATA.txt"), kCatalog);

    f.dialogs.messageAnswers = {MessageResult::Yes};
    app.form1().userClose();
    EXPECT_EQ(f.dialogs.messages[1].text, "Save before exiting?");
    EXPECT_FALSE(app.form1().isVisible());
}

TEST(Save, AFailedWriteIsReportedAndKeepsThePreviousFile)
{
    AppFixture f;
    f.writeAppFile("DATA.txt", kCatalog);
    auto &app = f.start();
    // A file without write bits fails the save, even for root.
    const auto data = f.dir.path() / "DATA.txt";
    std::filesystem::permissions(data, std::filesystem::perms::owner_read);
    app.catalog().Man[0].Name = "Lost?";
    app.form1().menuBar().find("M_op_sav")->userClick();
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_NE(f.dialogs.messages[0].text.find("Could not save "), std::string::npos);
    EXPECT_NE(f.dialogs.messages[0].text.find("DATA.txt"), std::string::npos);
    EXPECT_EQ(f.readAppFile("DATA.txt"), kCatalog);

    std::filesystem::permissions(data, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_TRUE(app.SaveData());
    EXPECT_EQ(f.dialogs.messages.back().text, "Saved");
    for (const auto &entry : std::filesystem::directory_iterator(f.dir.path()))
        EXPECT_NE(entry.path().extension(), ".tmp") << "no temporary file stays behind";
}

} // namespace
} // namespace kestrova
