// Lists a 100,000-file ROM folder with the program's listing and with a bare directory loop,
// in one run, and prints how the two compare.

#include "core/application.h"
#include "platform/dialogs.h"
#include "platform/list_box.h"
#include "platform/shell.h"
#include "platform/task_runner.h"
#include "platform/text_box.h"
#include "platform/web_pane.h"
#include "program/kestrova_program.h"
#include "roms/rom_listing.h"

#include "common/median_reporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace kestrova;
namespace fs = std::filesystem;

constexpr int kFileCount = 100000;

class QuietDialogs : public Dialogs
{
public:
    MessageResult messageBox(const std::string &, MessageButtons, MessageIcon,
                             const std::string &) override
    {
        return MessageResult::No;
    }
    std::string inputBox(const std::string &, const std::string &) override { return {}; }
    std::optional<std::string> editText(const std::string &, const std::string &,
                                        const std::string &) override
    {
        return std::nullopt;
    }
    std::string openFile(const std::string &, const std::string &) override { return {}; }
    std::string browseForFolder(const std::string &) override { return {}; }
    std::optional<Color> pickColor() override { return std::nullopt; }
};

class QuietShell : public Shell
{
public:
    StartResult startDetached(const std::string &, const std::vector<std::string> &,
                              bool) override
    {
        return {};
    }
    void shellOpen(const std::string &) override {}
};

class QuietWebPane : public WebPane
{
public:
    void navigate(const std::string &) override {}
    std::string currentAddress() const override { return {}; }
    void back() override {}
    void forward() override {}
    void refresh() override {}
    void setElementValue(const std::string &, int, const std::string &) override {}
    void clickElement(const std::string &) override {}
};

/// The benchmark's folders: a ROM folder of kFileCount small files and an application folder.
struct Workspace
{
    Workspace()
    {
        const std::string unique = std::to_string(std::random_device()());
        root = fs::temp_directory_path() / ("kestrova-bench-rom_list-" + unique);
        roms = root / "roms";
        fs::create_directories(roms);
        fs::create_directories(root / "app");
        const char *extensions[] = {".nes", ".smc", ".gb", ".zip"};
        for (int k = 0; k < kFileCount; ++k) {
            const std::string name = "Game " + std::to_string(k) + " (Europe) (Rev " +
                                     std::to_string(k % 3) + ")" + extensions[k % 4];
            std::ofstream(roms / name) << 'x';
        }
        romsText = fromPath(roms) + PlatformRules::native().separator();
    }
    ~Workspace()
    {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    fs::path root;
    fs::path roms;
    std::string romsText;
};

Workspace *g_workspace = nullptr;

void listing(benchmark::State &state, const std::string &entry)
{
    const auto rules = PlatformRules::native();
    size_t listed = 0;
    for (auto _ : state) {
        auto names = listRomFiles(g_workspace->romsText, entry, rules);
        listed = names.size();
        benchmark::DoNotOptimize(names.data());
    }
    state.counters["files"] = double(listed);
}

void BM_Listing(benchmark::State &state)
{
    listing(state, "All");
}

void BM_ListingFiltered(benchmark::State &state)
{
    listing(state, ".nes");
}

void BM_BareLoop(benchmark::State &state)
{
    size_t listed = 0;
    for (auto _ : state) {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(g_workspace->roms)) {
            if (entry.is_regular_file())
                names.push_back(entry.path().filename().string());
        }
        listed = names.size();
        benchmark::DoNotOptimize(names.data());
    }
    state.counters["files"] = double(listed);
}

/// The whole "Ext_change" step: the listing plus filling the ROM list of the main window.
void BM_ExtChange(benchmark::State &state)
{
    QuietDialogs dialogs;
    QuietShell shell;
    QuietWebPane web;
    InlineTaskRunner tasks;
    auto program = makeKestrova(g_workspace->root / "app", Services{dialogs, shell, web, tasks});
    Application &app = *program;
    app.start();
    app.textBox("RPath_I").setText(g_workspace->romsText);
    for (auto _ : state)
        app.UpdatE("Ext_change", 0);
    state.counters["files"] = double(app.listBox("Flist_L").count());
}

// Medians of a few repetitions, so that a busy machine skews the comparison less.
#define KESTROVA_ROM_BENCH(fn)                                                                     \
    BENCHMARK(fn)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true)
KESTROVA_ROM_BENCH(BM_Listing);
KESTROVA_ROM_BENCH(BM_BareLoop);
KESTROVA_ROM_BENCH(BM_ListingFiltered);
KESTROVA_ROM_BENCH(BM_ExtChange);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Workspace workspace;
    g_workspace = &workspace;
    kestrova::bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double listingMs = reporter.millis("BM_Listing");
    const double bareMs = reporter.millis("BM_BareLoop");
    const double ratio = bareMs > 0 ? listingMs / bareMs : 0;
    std::printf("rom_list: listing %.1f ms, bare loop %.1f ms, ratio %.2f\n", listingMs, bareMs,
                ratio);
    return 0;
}
