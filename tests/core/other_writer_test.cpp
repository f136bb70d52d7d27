#include "fakes/app_fixture.h"
#include "fakes/fake_program.h"
#include "platform/file_io.h"
#include "program/kestrova_program.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>

namespace kestrova {
namespace {

using testing::AppFixture;
using testing::FakeDialogs;
using testing::addManufacturer;
namespace fs = std::filesystem;

const std::string kChanged = "DATA.txt was changed by another program since Kestrova read it. "
                             "Replace it with the catalog shown now?";
const std::string kActiveChanged = "Active.col was changed by another program since Kestrova "
                                   "read it. Replace it with the colours shown now?";

bool asked(const FakeDialogs &dialogs, const std::string &question)
{
    for (const auto &message : dialogs.messages) {
        if (message.text == question)
            return true;
    }
    return false;
}


TEST(OtherWriter, TwoWindowsNeverReplaceEachOthersSaveUnasked)
{
    AppFixture f;
    f.writeAppFile("DATA.txt", "[Manufacturer]Acme\r\n\r\n\r\n");
    auto &first = f.start();
    testing::FakeProgram second(FileLayout::portable(f.dir.path()));
    const auto file = f.dir.path() / "DATA.txt";

    addManufacturer(first, "First");
    ASSERT_TRUE(first.SaveData());
    const auto firstBytes = readFileBytes(file, 1 << 20);
    EXPECT_FALSE(asked(f.dialogs, kChanged)) << "the file was still the one read";

    addManufacturer(*second.app, "Second");
    second.dialogs.messageAnswers = {MessageResult::No};
    EXPECT_FALSE(second.app->SaveData()) << "No is no save";
    EXPECT_TRUE(asked(second.dialogs, kChanged)) << "the second save must ask";
    EXPECT_EQ(readFileBytes(file, 1 << 20), firstBytes) << "No leaves the first window's bytes";

    // Yes replaces it; the first window, which wrote last before, now asks in turn.
    second.dialogs.messageAnswers = {MessageResult::Yes};
    ASSERT_TRUE(second.app->SaveData());
    EXPECT_NE(readFileBytes(file, 1 << 20)->find("Second"), std::string::npos);
    f.dialogs.messageAnswers = {MessageResult::No};
    EXPECT_FALSE(first.SaveData());
    EXPECT_TRUE(asked(f.dialogs, kChanged));

    // At the exit prompt, No to replacing is a failed save: the window asks before closing.
    f.dialogs.messages.clear();
    f.dialogs.messageAnswers = {MessageResult::Yes, MessageResult::No, MessageResult::No};
    first.form1().userClose();
    ASSERT_EQ(f.dialogs.messages.size(), 3u);
    EXPECT_EQ(f.dialogs.messages[1].text, kChanged);
    EXPECT_EQ(f.dialogs.messages[2].text, "The catalog was not saved. Close Kestrova anyway?");
    EXPECT_TRUE(first.form1().isLoaded());
    EXPECT_NE(readFileBytes(file, 1 << 20)->find("Second"), std::string::npos);
}

TEST(OtherWriter, RandomSavesFromTwoWindowsAskExactlyWhenTheFileIsNotTheirs)
{
    AppFixture f;
    f.writeAppFile("DATA.txt", "");
    f.start();
    testing::FakeProgram second(FileLayout::portable(f.dir.path()));
    const auto file = f.dir.path() / "DATA.txt";
    std::array<Application *, 2> apps = {&f.app(), second.app.get()};
    std::array<FakeDialogs *, 2> dialogs = {&f.dialogs, &second.dialogs};
    // What each window last read or wrote; the model of what the file must hold.
    std::array<std::string, 2> known = {"", ""};
    std::string onDisk;

    std::mt19937 random(20);
    for (int step = 0; step < 60; ++step) {
        const size_t who = random() % 2;
        const bool yes = random() % 2 == 0;
        const std::string name = "M" + std::to_string(step);
        if (step % 7 == 3) { // a text editor writes in between
            onDisk = "[Manufacturer]Typed" + name + "\r\n\r\n\r\n";
            ASSERT_FALSE(writeFileAtomically(file, onDisk));
            continue;
        }
        addManufacturer(*apps[who], name);
        dialogs[who]->messages.clear();
        dialogs[who]->messageAnswers = {yes ? MessageResult::Yes : MessageResult::No};
        const bool mustAsk = onDisk != known[who];
        const bool saved = apps[who]->SaveData();
        ASSERT_EQ(asked(*dialogs[who], kChanged), mustAsk) << "step " << step << " window " << who;
        ASSERT_EQ(saved, !mustAsk || yes) << "step " << step;
        if (saved)
            onDisk = known[who] = *readFileBytes(file, 1 << 20);
        ASSERT_EQ(readFileBytes(file, 1 << 20), onDisk) << "step " << step << ": a refused save wrote";
        if (step % 10 == 9) { // small catalogs again, so they never fill up
            for (auto *app : apps)
                app->catalog() = Catalog{};
        }
    }
}

TEST(OtherWriter, ActiveSchemeChangedOutsideIsNotReplacedUnasked)
{
    AppFixture f;
    f.writeAppFile("ColorSchemes/Active.col", "");
    f.writeAppFile("ColorSchemes/Blue.col", "255\r\n0\r\n");
    auto &app = f.start();
    const auto active = f.dir.path() / "ColorSchemes" / "Active.col";
    ASSERT_FALSE(writeFileAtomically(active, "typed\r\n"));

    f.dialogs.messageAnswers = {MessageResult::No};
    app.form1().menuBar().find("M_set_col_schemes(1)")->userClick();
    EXPECT_TRUE(asked(f.dialogs, kActiveChanged));
    EXPECT_EQ(readFileBytes(active, 1 << 20), "typed\r\n");

    f.dialogs.messages.clear();
    f.dialogs.messageAnswers = {MessageResult::Yes};
    app.form1().menuBar().find("M_set_col_schemes(1)")->userClick();
    EXPECT_TRUE(asked(f.dialogs, kActiveChanged));
    EXPECT_EQ(readFileBytes(active, 1 << 20), "255\r\n0\r\n");
    // Written by this window, so choosing again asks nothing.
    f.dialogs.messages.clear();
    app.form1().menuBar().find("M_set_col_schemes(1)")->userClick();
    EXPECT_FALSE(asked(f.dialogs, kActiveChanged));
}

} // namespace
} // namespace kestrova
