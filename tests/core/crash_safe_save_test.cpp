#include "fakes/app_fixture.h"
#include "schemes/color_schemes.h"
#include "schemes/scheme_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kestrova {
namespace {

using testing::AppFixture;

#ifndef _WIN32
/// Runs `save(k)` for k = 0, 1, 2, ... in a child process, kills it with SIGKILL after a random
/// moment, and checks that the file then holds one of the complete versions. Returns the number
/// of trials whose file was anything else.
int killWhileSaving(const std::function<void(int)> &save, const std::function<std::string()> &read,
                    const std::vector<std::string> &versions, int trials)
{
    std::mt19937 random(7);
    int broken = 0;
    for (int trial = 0; trial < trials; ++trial) {
        const pid_t child = fork();
        if (child == 0) {
            for (int k = 0;; ++k)
                save(k);
        }
        usleep(useconds_t(random() % 4000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const std::string now = read();
        if (std::find(versions.begin(), versions.end(), now) == versions.end()) {
            ++broken;
            ADD_FAILURE() << "trial " << trial << " left " << now.size() << " bytes";
        }
    }
    return broken;
}

Catalog bigCatalog(const std::string &name)
{
    Catalog catalog;
    catalog.LastMan = 0;
    catalog.Man[0].Name = name;
    catalog.Man[0].LastPlat = 49;
    for (int p = 0; p < 50; ++p) {
        auto &platform = catalog.Man[0].Plat[p];
        platform.Name = name + " platform " + std::to_string(p);
        platform.LastFav = 199;
        for (int k = 0; k < 200; ++k)
            platform.Fav[k] = "A favourite game with a long name (" + std::to_string(k) + ").rom";
    }
    return catalog;
}
#endif

TEST(CrashSafeSave, AKilledSaveLeavesTheOldOrTheNewFileWhole)
{
#ifdef _WIN32
    GTEST_SKIP() << "needs fork and SIGKILL";
#else
    AppFixture f;
    f.writeAppFile("DATA.txt", "");
    auto &app = f.start();
    const Catalog catalogs[2] = {bigCatalog("Old"), bigCatalog("New")};
    app.catalog() = catalogs[0];
    ASSERT_TRUE(app.SaveData());
    std::vector<std::string> versions;
    for (int k = 0; k < 2; ++k) {
        app.catalog() = catalogs[k];
        ASSERT_TRUE(app.SaveData());
        versions.push_back(f.readAppFile("DATA.txt"));
    }
    ASSERT_GT(versions[0].size(), 400000u) << "big enough to be caught mid-write";
    const auto readData = [&] { return f.readAppFile("DATA.txt"); };
    const auto saveData = [&](int k) {
        app.catalog() = catalogs[k % 2];
        (void)app.SaveData();
    };
    EXPECT_EQ(killWhileSaving(saveData, readData, versions, 200), 0);

    auto &schemes = app.feature<ColorSchemes>();
    std::vector<std::string> schemeVersions;
    for (Color c : {Color(111), Color(222)})
        schemeVersions.push_back(writeSchemeFile({c, c, c, c, c, c, c, c}, "Set"));
    for (const char *file : {"Active.col", "Named.col"}) {
        ASSERT_TRUE(schemes.writeSchemeText(file, schemeVersions[0]));
        const auto saveScheme = [&](int k) { (void)schemes.writeSchemeText(file, schemeVersions[k % 2]); };
        const auto readScheme = [&] { return f.readAppFile(std::string("ColorSchemes/") + file); };
        EXPECT_EQ(killWhileSaving(saveScheme, readScheme, schemeVersions, 150), 0) << file;
    }
#endif
}

} // namespace
} // namespace kestrova
