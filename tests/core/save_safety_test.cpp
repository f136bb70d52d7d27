#include "fakes/app_fixture.h"
#include "platform/list_box.h"
#include "platform/text_codec.h"
#include "schemes/scheme_file.h"

#include <gtest/gtest.h>

#include <random>

namespace kestrova {
namespace {

using testing::AppFixture;

const std::string kCloseAnyway = "The catalog was not saved. Close Kestrova anyway?";

/// The text as UTF-16 code units, big or little endian, after a byte-order mark.
std::string utf16Bytes(const std::u32string &text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    const auto unit = [&](char16_t u) {
        bytes += char(bigEndian ? u >> 8 : u & 0xFF);
        bytes += char(bigEndian ? u & 0xFF : u >> 8);
    };
    for (char32_t cp : text) {
        if (cp < 0x10000) {
            unit(char16_t(cp));
        } else {
            unit(char16_t(0xD800 + ((cp - 0x10000) >> 10)));
            unit(char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        }
    }
    return bytes;
}

std::string utf8(const std::u32string &text)
{
    std::string out;
    for (char32_t cp : text) {
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += {char(0xC0 | (cp >> 6)), char(0x80 | (cp & 0x3F))};
        } else if (cp < 0x10000) {
            out += {char(0xE0 | (cp >> 12)), char(0x80 | ((cp >> 6) & 0x3F)),
                    char(0x80 | (cp & 0x3F))};
        } else {
            out += {char(0xF0 | (cp >> 18)), char(0x80 | ((cp >> 12) & 0x3F)),
                    char(0x80 | ((cp >> 6) & 0x3F)), char(0x80 | (cp & 0x3F))};
        }
    }
    return out;
}

const std::u32string kUtf16Catalog = U"[Manufacturer]Caf\u00e9\r\n\r\n\r\n[Platform]Star \U0001F3AE\r\n"
                                     U"[RomPath]/roms/star/\r\n[Fav]\u00e9t\u00e9.rom\r\n\r\n";

std::vector<std::string> texts(const testing::FakeDialogs &dialogs)
{
    std::vector<std::string> result;
    for (const auto &message : dialogs.messages)
        result.push_back(message.text);
    return result;
}

// Files that load to less than they hold: hand-edited keys, a binary file saved over DATA.txt.
std::vector<std::string> lossyCatalogs()
{
    std::vector<std::string> files = {"[manufacturer]Acme\r\n\r\n\r\n[platform]Star\r\n"
                                      "[rompath]/roms/\r\n[emu]E\r\n[emupath]/e\r\n\r\n"};
    std::mt19937 random(1812);
    for (int k = 0; k < 20; ++k) {
        std::string binary(1 + random() % 3000, '\0');
        for (char &c : binary)
            c = char(random());
        files.push_back(binary);
    }
    return files;
}

TEST(SaveSafety, YesAtExitNeverReplacesAFileThatLoadedWithDroppedLinesUnasked)
{
    for (const auto &file : lossyCatalogs()) {
        AppFixture f;
        f.writeAppFile("DATA.txt", file);
        auto &app = f.start();
        ASSERT_FALSE(f.dialogs.messages.empty()) << "the start says lines were dropped";
        const std::string said = f.dialogs.messages.front().text;
        const std::string count = said.substr(0, said.find(' '));
        const std::string noun = count == "1" ? " line" : " lines";
        const std::string question = count + noun + " of DATA.txt could not be loaded. Replace "
                                                    "it with the catalog shown now?";
        // Yes to saving, No to replacing, then the follow-up's Yes closes the window.
        f.dialogs.messageAnswers = {MessageResult::Yes, MessageResult::No, MessageResult::Yes};
        app.form1().userClose();
        const auto asked = texts(f.dialogs);
        ASSERT_GE(asked.size(), 3u);
        EXPECT_EQ(std::vector<std::string>(asked.end() - 3, asked.end()),
                  (std::vector<std::string>{"Save before exiting?", question, kCloseAnyway}))
            << said;
        EXPECT_FALSE(app.form1().isLoaded());
        ASSERT_EQ(f.readAppFile("DATA.txt"), file) << "a No keeps every byte";
    }

    // Yes to the question writes the catalog shown, once; the next save asks nothing.
    AppFixture f;
    f.writeAppFile("DATA.txt", lossyCatalogs().front() + "[Manufacturer]Kept\r\n");
    auto &app = f.start();
    f.dialogs.messageAnswers = {MessageResult::Yes};
    app.form1().menuBar().find("M_op_sav")->userClick();
    EXPECT_EQ(texts(f.dialogs).back(), "Saved");
    EXPECT_EQ(f.readAppFile("DATA.txt"), "[Manufacturer]Kept\r\n\r\n\r\n\r\n");
    const auto before = f.dialogs.messages.size();
    app.form1().menuBar().find("M_op_sav")->userClick();
    EXPECT_EQ(texts(f.dialogs).size(), before + 1);
    EXPECT_EQ(texts(f.dialogs).back(), "Saved");
}

TEST(SaveSafety, Utf16ProgramFilesReadAsTextAndAreRewrittenOnlyAfterAsking)
{
    for (bool bigEndian : {false, true}) {
        AppFixture f(SystemKind::Posix);
        const std::string data = utf16Bytes(kUtf16Catalog, bigEndian);
        f.writeAppFile("DATA.txt", data);
        f.writeAppFile("Ext.txt", utf16Bytes(U".nes\r\n.sm\u00e9\r\n", bigEndian));
        auto &app = f.start();
        EXPECT_TRUE(f.dialogs.messages.empty()) << texts(f.dialogs).front();
        EXPECT_EQ(app.listBox("manu_L").items(), std::vector<std::string>{"Caf\xC3\xA9"});
        const auto &platform = app.catalog().Man[0].Plat[0];
        EXPECT_EQ(platform.Name, "Star \xF0\x9F\x8E\xAE");
        EXPECT_EQ(platform.RomPath, "/roms/star/");
        EXPECT_EQ(platform.Fav[0], "\xC3\xA9t\xC3\xA9.rom");
        EXPECT_EQ(app.comboBox("ext1_C").items(),
                  (std::vector<std::string>{"All", ".nes", ".sm\xC3\xA9"}));

        const std::string question = "DATA.txt is UTF-16 text. Replace it with the catalog "
                                     "shown now, written as UTF-8?";
        app.form1().menuBar().find("M_op_sav")->userClick();
        EXPECT_EQ(texts(f.dialogs).back(), question);
        EXPECT_EQ(f.readAppFile("DATA.txt"), data);
        f.dialogs.messageAnswers = {MessageResult::Yes, MessageResult::Yes};
        app.form1().userClose();
        EXPECT_EQ(f.readAppFile("DATA.txt"),
                  "[Manufacturer]Caf\xC3\xA9\r\n\r\n\r\n[Platform]Star \xF0\x9F\x8E\xAE\r\n"
                  "[RomPath]/roms/star/\r\n[Fav]\xC3\xA9t\xC3\xA9.rom\r\n\r\n");
    }
    const auto scheme = parseSchemeFile(utf16Bytes(U"255\r\n65280\r\n\r\nclassic\r\n", true));
    EXPECT_EQ(scheme.lines, (std::vector<std::string>{"255", "65280", "", "classic"}));
}

TEST(ProgramFileText, Utf16WithAMarkReadsAsTheSameTextInUtf8)
{
    std::mt19937 random(16);
    for (int trial = 0; trial < 2000; ++trial) {
        std::u32string text;
        for (int n = int(random() % 40); n > 0; --n) {
            const int kind = int(random() % 4);
            char32_t cp = kind == 0   ? U"\r\n[]a"[random() % 5]
                          : kind == 1 ? char32_t(random() % 0x800)
                          : kind == 2 ? char32_t(random() % 0xD800)
                                      : char32_t(0x10000 + random() % 0x100000);
            text += cp;
        }
        for (bool bigEndian : {false, true}) {
            const std::string bytes = utf16Bytes(text, bigEndian);
            ASSERT_EQ(programFileText(bytes), utf8(text))
                << "trial " << trial << ": " << ::testing::PrintToString(bytes);
        }
    }
    // Broken UTF-16 still reads, the broken units as replacement characters.
    const std::string broken("\xFF\xFE" "A" "\0" "\0" "\xD8" "B" "\0" "C", 9);
    EXPECT_EQ(programFileText(broken), "A\xEF\xBF\xBD" "B\xEF\xBF\xBD");
    EXPECT_EQ(programFileText("\xEF\xBB\xBF[Fav]x"), "[Fav]x");
    EXPECT_EQ(programFileText("plain \xE9"), "plain \xE9") << "other bytes stay as they are";
}

} // namespace
} // namespace kestrova
