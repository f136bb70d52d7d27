#include "core/catalog_file.h"
#include "core/extension_list.h"
#include "fakes/app_fixture.h"
#include "platform/file_io.h"
#include "platform/list_box.h"

#include <gtest/gtest.h>

#include <random>

namespace kestrova {
namespace {

using testing::AppFixture;

std::string randomBytes(std::mt19937 &random, size_t size)
{
    std::string bytes(size, '\0');
    for (auto &b : bytes)
        b = char(random() & 0xFF);
    return bytes;
}

// Whatever the size and the bound: a file within the bound is read whole, a larger one is
// refused with nothing kept, and a prefix is exactly the first bytes.
TEST(BoundedRead, AFileIsReadWholeWithinItsBoundAndRefusedAboveIt)
{
    testing::TempDir dir;
    std::mt19937 random(19);
    for (int trial = 0; trial < 300; ++trial) {
        const size_t size = random() % 3 == 0 ? random() % 8 : random() % 70000;
        const size_t bound = random() % 2 ? size + random() % 3 - 1 : random() % 70000;
        const std::string bytes = randomBytes(random, size);
        const auto file = dir.write("f" + std::to_string(trial), bytes);
        const std::string input = "size " + std::to_string(size) + ", bound " +
                                  std::to_string(bound);

        const auto whole = readFile(file, bound);
        if (size <= bound) {
            EXPECT_FALSE(whole.error.has_value()) << input;
            EXPECT_EQ(whole.bytes, bytes) << input;
        } else {
            EXPECT_TRUE(whole.tooLarge) << input;
            ASSERT_TRUE(whole.error.has_value()) << input;
            EXPECT_NE(whole.error->reason.find("larger than"), std::string::npos) << input;
            EXPECT_TRUE(whole.bytes.empty()) << input;
        }
        const auto prefix = readFilePrefix(file, bound);
        EXPECT_FALSE(prefix.error.has_value()) << input;
        EXPECT_EQ(prefix.bytes, bytes.substr(0, bound)) << input;
    }
}

TEST(BoundedRead, MissingFoldersAndSpecialFilesAreReportedNotRead)
{
    testing::TempDir dir;
    EXPECT_TRUE(readFile(dir.path() / "none", 10).missing);
    EXPECT_TRUE(readFile(dir.path() / "none" / "deeper", 10).error.has_value());
    const auto folder = readFile(dir.path(), 10);
    EXPECT_TRUE(folder.error.has_value());
    EXPECT_FALSE(folder.missing);
#ifndef _WIN32
    // A device never ends: reading it whole would never stop without the bound.
    const auto endless = readFile("/dev/zero", 1000);
    EXPECT_TRUE(endless.error.has_value());
    EXPECT_TRUE(endless.bytes.empty());
#endif
}

// A file of that size that is a hole after its head: no disk is used.
std::filesystem::path makeSparse(const testing::TempDir &dir, const std::string &relative,
                                 std::uintmax_t size, const std::string &head)
{
    const auto file = dir.write(relative, head);
    std::filesystem::resize_file(file, size);
    return file;
}

TEST(BoundedRead, AnOversizedCatalogIsReportedAndNeverReplacedUnasked)
{
    AppFixture f;
    const std::uintmax_t size = kCatalogFileBound + 1;
    const auto data = makeSparse(f.dir, "DATA.txt", size, "[Manufacturer]Acme\r\n");
    auto &app = f.start();
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text,
              "Could not read " + data.string() + ": the file is larger than 64 MB");
    EXPECT_EQ(app.listBox("manu_L").count(), 0);

    f.dialogs.messageAnswers = {MessageResult::No};
    EXPECT_FALSE(app.SaveData());
    EXPECT_EQ(std::filesystem::file_size(data), size);
}

TEST(BoundedRead, AnOversizedExtensionListIsReportedAndOnlyAllIsOffered)
{
    AppFixture f;
    const auto ext = makeSparse(f.dir, "Ext.txt", kExtensionFileBound + 1, ".nes\r\n");
    auto &app = f.start();
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text,
              "Could not read " + ext.string() + ": the file is larger than 1 MB");
    EXPECT_EQ(app.comboBox("ext1_C").items(), std::vector<std::string>{"All"});
    EXPECT_EQ(std::filesystem::file_size(ext), kExtensionFileBound + 1);
}

} // namespace
} // namespace kestrova
