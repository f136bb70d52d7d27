// Loads and saves a full catalog (51 manufacturers x 50 platforms x 51 emulators x 200
// favourites) the way the program does, beside a plain read and a plain write of the same
// bytes, in one run, and ends with one summary line.

#include "common/median_reporter.h"
#include "core/catalog_file.h"
#include "fakes/full_catalog.h"
#include "platform/file_io.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>

#include <unistd.h>

namespace kestrova::bench {
namespace {

namespace fs = std::filesystem;

struct Workspace
{
    Workspace()
    {
        root = fs::temp_directory_path() /
               ("kestrova-bench-catalog-" + std::to_string(std::random_device()()));
        fs::create_directories(root);
        catalog = testing::fullCatalog();
        bytes = writeCatalog(catalog);
        data = root / "DATA.txt";
        std::ofstream(data, std::ios::binary) << bytes;
    }
    ~Workspace()
    {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    fs::path root;
    fs::path data;
    Catalog catalog;
    std::string bytes;
};

Workspace *g_workspace = nullptr;

void BM_Load(benchmark::State &state)
{
    for (auto _ : state) {
        const FileContent content = readFile(g_workspace->data, kCatalogFileBound);
        CatalogLoad load = parseCatalog(content.bytes);
        benchmark::DoNotOptimize(load.catalog.LastMan);
    }
    state.SetBytesProcessed(int64_t(state.iterations() * g_workspace->bytes.size()));
}

void BM_Save(benchmark::State &state)
{
    const fs::path target = g_workspace->root / "saved.txt";
    for (auto _ : state) {
        if (writeFileAtomically(target, writeCatalog(g_workspace->catalog)))
            state.SkipWithError("the save failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations() * g_workspace->bytes.size()));
}

// The whole file into one string at once: its size first, then a single read.
void BM_PlainRead(benchmark::State &state)
{
    for (auto _ : state) {
        std::ifstream in(g_workspace->data, std::ios::binary);
        std::string bytes(size_t(fs::file_size(g_workspace->data)), '\0');
        if (!in.read(bytes.data(), std::streamsize(bytes.size())))
            state.SkipWithError("the plain read failed");
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations() * g_workspace->bytes.size()));
}

// The program flushes a save to the disk before it replaces the file; so does this write, to
// compare like with like.
void BM_PlainWrite(benchmark::State &state)
{
    const std::string target = (g_workspace->root / "plain.txt").string();
    for (auto _ : state) {
        std::FILE *file = std::fopen(target.c_str(), "wb");
        const std::string &bytes = g_workspace->bytes;
        const bool ok = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                        std::fflush(file) == 0 && ::fsync(fileno(file)) == 0;
        if (file)
            std::fclose(file);
        if (!ok)
            state.SkipWithError("the plain write failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations() * g_workspace->bytes.size()));
}

// Medians of a few repetitions in wall time: the disk's time is part of what is measured.
void medianOfFive(benchmark::internal::Benchmark *b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_Load)->Apply(medianOfFive);
BENCHMARK(BM_PlainRead)->Apply(medianOfFive);
BENCHMARK(BM_Save)->Apply(medianOfFive);
BENCHMARK(BM_PlainWrite)->Apply(medianOfFive);

} // namespace
} // namespace kestrova::bench

int main(int argc, char **argv)
{
    using namespace kestrova::bench;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Workspace workspace;
    g_workspace = &workspace;
    std::printf("full catalog: %zu bytes\n", workspace.bytes.size());
    std::fflush(stdout);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::fflush(stdout);
    std::printf("catalog: load %.0f ms, save %.0f ms, plain read %.0f ms, plain write %.0f ms\n",
                reporter.millis("BM_Load"), reporter.millis("BM_Save"),
                reporter.millis("BM_PlainRead"), reporter.millis("BM_PlainWrite"));
    return 0;
}
