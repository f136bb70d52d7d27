// Launches with real processes: the program assembled with the real shell, a stand-in emulator
// that writes down exactly what it received, and the failures the system reports.

#include "fakes/fake_services.h"
#include "fakes/temp_dir.h"
#include "platform/file_io.h"
#include "platform/list_box.h"
#include "platform/qt/qt_shell.h"
#include "platform/text_box.h"
#include "program/kestrova_program.h"
#include "qt/wait_until.h"

#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <unistd.h>

namespace kestrova {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

const std::string kSent = "COMMAND SENT TO THE EMULATOR";

// Writes its argument count and each argument, each ended by a NUL byte, into "<itself>.got";
// through a temporary file, so that the file is whole as soon as it is there.
const std::string kRecorder = "#!/bin/sh\n"
                              "{ printf '%s\\0' \"$#\"; for a in \"$@\"; do printf '%s\\0' "
                              "\"$a\"; done; } > \"$0.tmp\" && mv \"$0.tmp\" \"$0.got\"\n";

/// Makes the test process run from `folder` until the end of the scope.
class WorkingFolder
{
public:
    explicit WorkingFolder(const fs::path &folder) : m_before(fs::current_path())
    {
        fs::current_path(folder);
    }
    ~WorkingFolder() { fs::current_path(m_before); }
    WorkingFolder(const WorkingFolder &) = delete;
    WorkingFolder &operator=(const WorkingFolder &) = delete;

private:
    fs::path m_before;
};

class RealLaunch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (PlatformRules::native().kind() != SystemKind::Posix)
            GTEST_SKIP() << "a shell script stands in for the emulator";
        recorder = dir.write("emus/rec.sh", kRecorder);
        fs::permissions(recorder, fs::perms::owner_all);
        romFolder = (dir.path() / "roms").string() + "/";
    }

    /// Starts the program on one platform whose only emulator has this path and template, with
    /// these ROMs, and selects the emulator.
    Application &start(const std::string &emulatorPath, const std::string &argumentTemplate,
                       const Names &roms)
    {
        for (const auto &rom : roms)
            dir.write("roms/" + rom, "rom");
        std::string data = "[Manufacturer]Maker\r\n\r\n\r\n[Platform]Console\r\n[RomPath]"
                           + romFolder + "\r\n[Emu]Multi\r\n[EmuPath]" + emulatorPath + "\r\n";
        if (!argumentTemplate.empty())
            data += "[EmuArgs]" + argumentTemplate + "\r\n";
        dir.write("DATA.txt", data + "\r\n");
        app = makeKestrova(dir.path(), Services{dialogs, shell, web, tasks});
        app->start();
        for (const char *list : {"manu_L", "plat_list_L", "Emu_L"})
            app->listBox(list).userClickRow(0);
        return *app;
    }

    /// Double-clicks the ROM of that name.
    void launch(const std::string &rom)
    {
        auto &roms = app->listBox("Flist_L");
        const auto &items = roms.items();
        const auto found = std::find(items.begin(), items.end(), rom);
        ASSERT_NE(found, items.end()) << rom << " is not listed";
        roms.userClickRow(int(found - items.begin()));
        roms.userDoubleClick();
    }

    /// The arguments the stand-in received, after waiting for it to write them down.
    Names received()
    {
        const auto got = fs::path(recorder.string() + ".got");
        if (!testing::waitUntil([&] { return fs::exists(got); }, "the stand-in emulator's run"))
            return {"<the stand-in emulator never ran>"};
        const std::string bytes = readFileBytes(got, 1 << 20).value_or("");
        fs::remove(got);
        Names fields;
        for (size_t start = 0, end; (end = bytes.find('\0', start)) != std::string::npos;
             start = end + 1)
            fields.push_back(bytes.substr(start, end - start));
        if (fields.empty() || fields.front() != std::to_string(fields.size() - 1))
            return {"<a torn record: " + bytes + ">"};
        fields.erase(fields.begin());
        return fields;
    }

    testing::TempDir dir;
    testing::FakeDialogs dialogs;
    testing::FakeWebPane web;
    testing::FakeTaskRunner tasks;
    QtShell shell{dir.path()};
    std::unique_ptr<Application> app;
    fs::path recorder;
    std::string romFolder;
};

TEST_F(RealLaunch, TheTemplatesArgumentsArriveAsTheirExactBytes)
{
    const Names roms = {"My \"Best\" Game (E) [!] $(touch x); 'it'.nes", "-starts-with-dash.nes",
                        "Caf\xE9 \xFF\x80.nes", "{romdir} {rom}.nes"};
    start(recorder.string(), "-L \"cores/gam batte.so\" -c \"conf \xE9.cfg\" -f {rom}", roms);
    for (const auto &rom : roms) {
        launch(rom);
        EXPECT_EQ(received(), (Names{"-L", "cores/gam batte.so", "-c", "conf \xE9.cfg", "-f",
                                     romFolder + rom}));
    }
    EXPECT_EQ(app->control("m_M").caption(), kSent);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(fs::exists(dir.path() / "emus" / "x")) << "no shell ran the name";
}

TEST_F(RealLaunch, EachPlaceholderTheFullPathLastAndTheEmulatorOnItsOwn)
{
    start(recorder.string(), "--cart={rom} {romfile} \"{romname}\" {romdir} {other} -s {romdir}",
          {"Star Run (E).v1.nes"});
    launch("Star Run (E).v1.nes");
    const std::string path = romFolder + "Star Run (E).v1.nes";
    EXPECT_EQ(received(), (Names{"--cart=" + path, "Star Run (E).v1.nes", "Star Run (E).v1",
                                 romFolder, "{other}", "-s", romFolder}));
    app->listBox("Emu_L").userDoubleClick();
    EXPECT_EQ(received(), (Names{romFolder, "{other}", "-s", romFolder}))
        << "no ROM, no argument that names one";

    app->catalog().Man[0].Plat[0].Emu[0].Args = "-L \"core one.so\"";
    launch("Star Run (E).v1.nes");
    EXPECT_EQ(received(), (Names{"-L", "core one.so", path})) << "the ROM comes last";
    app->listBox("Emu_L").userDoubleClick();
    EXPECT_EQ(received(), (Names{"-L", "core one.so"}));
    EXPECT_TRUE(dialogs.messages.empty());
}

// A relative emulator path names a file of the application folder, also when Kestrova runs
// from that very folder (the start then changes into the emulator's folder).
TEST_F(RealLaunch, ARelativeEmulatorPathStartsFromTheApplicationFolder)
{
    start("emus/rec.sh", "", {"a.nes"});
    for (const fs::path &from : {dir.path(), fs::path("/")}) {
        WorkingFolder working(from);
        launch("a.nes");
        EXPECT_EQ(received(), Names{romFolder + "a.nes"}) << "run from " << from;
        EXPECT_EQ(app->control("m_M").caption(), kSent);
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(RealLaunch, AStartThatFailsSaysWhyAndClaimsNothing)
{
    const auto notExecutable = dir.write("emus/plain.sh", kRecorder);
    fs::permissions(notExecutable, fs::perms::owner_read | fs::perms::owner_write);
    const auto noProgram = dir.write("emus/data.bin", "neither a program nor a script");
    fs::permissions(noProgram, fs::perms::owner_all);
    const auto noInterpreter = dir.write("emus/lost.sh", "#!/no/such/interpreter\n");
    fs::permissions(noInterpreter, fs::perms::owner_all);
    const std::vector<std::pair<fs::path, std::string>> cases = {
        {dir.path() / "emus" / "gone", "No such file or directory"},
        {notExecutable, "Permission denied"},
        {dir.path() / "emus", "Is a directory"},
        {noProgram, "Exec format error"},
        {noInterpreter, "No such file or directory"},
    };
    start(recorder.string(), "", {"a.nes"});
    auto &hint = app->control("m_M");
    for (const auto &[program, reason] : cases) {
        app->textBox("EPath_I").setText(program.string());
        hint.setCaption(kSent);
        dialogs.messages.clear();
        launch("a.nes");
        app->listBox("Emu_L").userDoubleClick();
        const std::string message = "Could not start " + program.string() + ": " + reason;
        ASSERT_EQ(dialogs.messages.size(), 2u) << message;
        EXPECT_EQ(dialogs.messages[0].text, message);
        EXPECT_EQ(dialogs.messages[1].text, message);
        EXPECT_NE(hint.caption(), kSent) << message;
    }
    // The shell itself gives the system's reason for a program it was handed as it is.
    EXPECT_EQ(shell.startDetached(notExecutable.string(), {}, true).reason, "Permission denied");
}

} // namespace
} // namespace kestrova
