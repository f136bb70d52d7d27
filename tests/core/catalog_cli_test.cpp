#include "core/catalog_cli.h"
#include "fakes/app_fixture.h"
#include "platform/list_box.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestrova {
namespace {

TEST(CatalogCommand, ReproducesWhatSavingWroteAndRefusesMissingFiles)
{
    testing::AppFixture f;
    f.writeAppFile("DATA.txt", "[Manufacturer]A\n[Platform]P ]x\n[Emu]E\n[EmuPath]/e\n[Fav]f\n"
                               "[Manufacturer]B\n[Platform]\n[Platform]Q\n");
    auto &app = f.start();
    f.dialogs.messageAnswers = {MessageResult::Yes}; // replace the file whose empty names dropped
    ASSERT_TRUE(app.SaveData());
    const std::string saved = f.readAppFile("DATA.txt");

    std::ostringstream out, err;
    EXPECT_EQ(runCatalogCommand({(f.dir.path() / "DATA.txt").string()}, out, err), 0);
    EXPECT_EQ(out.str(), saved);
    EXPECT_EQ(err.str(), "");

    std::ostringstream none, missing;
    EXPECT_EQ(runCatalogCommand({(f.dir.path() / "nope.txt").string()}, none, missing), 1);
    EXPECT_EQ(none.str(), "");
    const std::string message = missing.str();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1);
}

TEST(CatalogCommand, WithoutAFileReadsTheUsersCatalogInTheDataFolderGiven)
{
    testing::TempDir program;
    program.write("DATA.txt", "[Manufacturer]Shipped\r\n\r\n\r\n");
    testing::TempDir data;
    const auto folder = fromPath(data.path() / "mine");

    std::ostringstream out, err;
    EXPECT_EQ(runCatalogCommand({"--data-folder", folder}, out, err, program.path()), 0)
        << err.str();
    EXPECT_NE(out.str().find("[Manufacturer]Shipped"), std::string::npos) << "seeded, then read";
    EXPECT_TRUE(std::filesystem::exists(data.path() / "mine" / "DATA.txt"));

    const auto blocked = fromPath(program.write("file") / "mine");
    std::ostringstream none, refused;
    EXPECT_EQ(runCatalogCommand({"--data-folder=" + blocked}, none, refused, program.path()), 1);
    EXPECT_NE(refused.str().find("cannot use the data folder " + blocked), std::string::npos)
        << refused.str();
    EXPECT_EQ(none.str(), "");
}

} // namespace
} // namespace kestrova
