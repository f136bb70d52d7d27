#include "fakes/fake_services.h"
#include "fakes/temp_dir.h"
#include "platform/file_io.h"
#include "platform/list_box.h"
#include "platform/qt/program_folder.h"
#include "platform/qt/web_pane_module.h"
#include "program/kestrova_program.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrova {
namespace {

constexpr const char *kChildRole = "KESTROVA_PROGRAM_FOLDER_CHILD";
const std::string kSaved = "Saved by the caf-e-acute program";

// The child's part: find the folder as main() does, load, add a manufacturer, save.
void loadAndSaveAsTheProgramDoes()
{
    const auto folder = programFolder();
    ASSERT_TRUE(folder.has_value());
    testing::FakeDialogs dialogs;
    testing::FakeShell shell;
    testing::FakeWebPane web;
    testing::FakeTaskRunner tasks;
    auto app = makeKestrova(*folder, Services{dialogs, shell, web, tasks});
    app->start();
    ASSERT_EQ(app->listBox("manu_L").items(), std::vector<std::string>{"Own"});
    dialogs.inputAnswers.push_back(kSaved);
    app->control("AddMan_B").onClick();
    ASSERT_TRUE(app->SaveData());
    // The window's other files come from there too, and an odd name never stops the program.
    EXPECT_NE(loadWebPane(*folder, "kestrova", *folder / "pages", nullptr), nullptr);
}

// Runs `program` from `workingFolder` with the child role; its output goes to `log`.
int runChild(const std::filesystem::path &program, const std::filesystem::path &workingFolder,
             const std::filesystem::path &log)
{
    const pid_t child = fork();
    if (child == 0) {
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0 || chdir(workingFolder.c_str()) != 0)
            _exit(126);
        setenv(kChildRole, "1", 1);
        execl(program.c_str(), program.c_str(), "--gtest_filter=ProgramFolder.*", nullptr);
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A program copied into a folder named with a Latin-1 byte (not UTF-8), started from another
// folder that holds a catalog of its own, works on the catalog beside it and nowhere else.
TEST(ProgramFolder, AProgramInAFolderWhoseNameIsNotUtf8KeepsToItsOwnCatalog)
{
    if (std::getenv(kChildRole)) {
        loadAndSaveAsTheProgramDoes();
        return;
    }
    testing::TempDir dir;
    const auto own = dir.path() / std::string("caf\xE9");
    std::filesystem::create_directories(own);
    std::filesystem::copy_file("/proc/self/exe", own / "kestrova");
    std::filesystem::permissions(own / "kestrova", std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    dir.write(std::string("caf\xE9") + "/DATA.txt", "[Manufacturer]Own\r\n");
    const std::string otherCatalog = "[Manufacturer]Other\r\n[Platform]Theirs\r\n";
    const auto other = dir.write("elsewhere/DATA.txt", otherCatalog).parent_path();
    dir.write("elsewhere/Ext.txt", ".x\r\n");

    const auto log = dir.path() / "child.log";
    const int status = runChild(own / "kestrova", other, log);
    EXPECT_EQ(status, 0) << readFileBytes(log, 1 << 20).value_or("(no output)");
    const auto saved = readFileBytes(own / "DATA.txt", 1 << 20).value_or("");
    EXPECT_NE(saved.find("[Manufacturer]Own"), std::string::npos) << saved;
    EXPECT_NE(saved.find("[Manufacturer]" + kSaved), std::string::npos) << saved;
    EXPECT_EQ(readFileBytes(other / "DATA.txt", 1 << 20), otherCatalog);
    EXPECT_EQ(readFileBytes(other / "Ext.txt", 1 << 20), ".x\r\n");
}

} // namespace
} // namespace kestrova
