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

} // namespace
} // namespace kestrova
