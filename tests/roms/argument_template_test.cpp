#include "roms/argument_template.h"

#include <gtest/gtest.h>

#include <random>

namespace kestrova {
namespace {

using Args = std::vector<std::string>;

TEST(ArgumentTemplate, SplitsAtSpacesGroupsInQuotesAndReplacesThePlaceholders)
{
    const RomFile rom{"/roms/Star 8/", "Comet Run (E).v1.st8"};
    const std::string path = rom.folder + rom.file;
    const std::vector<std::pair<std::string, Args>> cases = {
        {"", {path}},
        {"   ", {path}},
        {"-L core.so", {"-L", "core.so", path}},
        {"-L \"cores/a b.so\"  -f {rom}", {"-L", "cores/a b.so", "-f", path}},
        {"--cart={rom} --title=\"{romname}!\"", {"--cart=" + path, "--title=Comet Run (E).v1!"}},
        {"{romfile} {romdir} {romname}", {rom.file, rom.folder, "Comet Run (E).v1"}},
        {"{romdir}", {rom.folder, path}},
        {"{ROM} {other} {rom {} {{rom}}", {"{ROM}", "{other}", "{rom", "{}", "{" + path + "}"}},
        {"\"\" a\"b c\"d", {"", "ab cd", path}},
        {"C:\\Emu\\cfg\\a.ini \\\"x\\\"", {"C:\\Emu\\cfg\\a.ini", "\\x\\", path}},
    };
    for (const auto &[argumentTemplate, expected] : cases)
        EXPECT_EQ(romArguments(argumentTemplate, rom), expected) << argumentTemplate;
    EXPECT_EQ(romArguments("-n {romname}", {"/r/", ".hidden"}), (Args{"-n", ".hidden"}));
    EXPECT_EQ(romArguments("-n {romname}", {"/r/", "README"}), (Args{"-n", "README"}));
}

TEST(ArgumentTemplate, AnEmulatorOnItsOwnGetsOnlyTheArgumentsThatNameNoRom)
{
    EXPECT_EQ(emulatorArguments("", "/roms/"), Args{});
    EXPECT_EQ(emulatorArguments("-L \"a b.so\" -f {rom} --x={romname}.cfg {romfile} -d {romdir}",
                                "/roms/"),
              (Args{"-L", "a b.so", "-f", "-d", "/roms/"}));
}

TEST(ArgumentTemplate, AnOpenQuoteIsFoundByItsCharacterPosition)
{
    EXPECT_EQ(unclosedQuoteAt("-L \"a b\" -f {rom}"), std::nullopt);
    EXPECT_EQ(unclosedQuoteAt("-L \"a b\" -f \"{rom}"), 13u);
    EXPECT_EQ(unclosedQuoteAt("\""), 1u);
    EXPECT_EQ(unclosedQuoteAt("\u00e9\u00e9 \"x"), 4u) << "characters, not bytes";
    EXPECT_EQ(unclosedQuoteAt("\xE9\xE9 \"x"), 4u) << "no UTF-8: one byte, one character";
    // Read from a hand-edited file, an open quote runs to the end.
    EXPECT_EQ(romArguments("-a \"b c", {"/r/", "g"}), (Args{"-a", "b c", "/r/g"}));
}

// Any arguments without a quote, written into a template the way a person would quote them,
// come back whole; any ROM name, whatever bytes it holds, arrives exactly and is never read
// for placeholders nor split.
TEST(ArgumentTemplate, WhatIsQuotedComesBackAndTheRomArrivesAsItsExactBytes)
{
    std::mt19937 random(20261207);
    const std::vector<std::string> pieces = {"a", "-", "=", "\\", " ", "{rom}", "{romfile}",
                                             "{romdir}", "{romname}", "{x}", "{", "}", "\xE9",
                                             "\xC3\xA9", "$(x)", "'", ";", "*"};
    const auto word = [&](int most) {
        std::string text;
        for (int n = int(random() % most); n > 0; --n)
            text += pieces[random() % pieces.size()];
        return text;
    };
    const std::string hostile = "\"{}$() ;'\\-\xE9\xFF\x80";
    for (int trial = 0; trial < 5000; ++trial) {
        std::string name = random() % 2 ? "-" : "";
        for (int n = 1 + int(random() % 12); n > 0; --n)
            name += random() % 4 ? std::string(1, hostile[random() % hostile.size()])
                                 : pieces[random() % pieces.size()];
        const RomFile rom{"/r o/{romdir}/", name + ".nes"};
        const std::string path = rom.folder + rom.file;

        Args wanted;
        std::string argumentTemplate;
        for (int n = int(random() % 5); n > 0; --n) {
            wanted.push_back(word(5));
            const auto &last = wanted.back();
            const bool needsQuotes = last.empty() || last.find(' ') != std::string::npos;
            argumentTemplate += (needsQuotes ? "\"" + last + "\"" : last) + " ";
        }
        // The same replacement, done the plain way, on each intended argument.
        bool named = false;
        Args expected;
        for (const auto &argument : wanted) {
            std::string out;
            for (size_t i = 0; i < argument.size();) {
                bool replaced = false;
                for (const auto &[key, value] :
                     std::vector<std::pair<std::string, std::string>>{
                         {"{rom}", path}, {"{romfile}", rom.file}, {"{romname}", name},
                         {"{romdir}", rom.folder}}) {
                    if (argument.compare(i, key.size(), key) == 0) {
                        out += value;
                        i += key.size();
                        named = named || key != "{romdir}";
                        replaced = true;
                        break;
                    }
                }
                if (!replaced)
                    out += argument[i++];
            }
            expected.push_back(out);
        }
        if (!named)
            expected.push_back(path);
        ASSERT_EQ(romArguments(argumentTemplate, rom), expected)
            << "template " << ::testing::PrintToString(argumentTemplate) << ", ROM "
            << ::testing::PrintToString(rom.file);
        ASSERT_EQ(unclosedQuoteAt(argumentTemplate), std::nullopt);
    }
}

} // namespace
} // namespace kestrova
