// The coverage report of a 100,000-ROM folder against a full 6,001-title list: listing the folder
// and matching every ROM, on all cores and on one, in one run. Ends with one summary line.

#include "made_up_titles.h"

#include "platform/platform_rules.h"
#include "reference/coverage_report.h"
#include "reference/wiki_list_import.h"
#include "roms/rom_listing.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <thread>

namespace kestrova::bench {
namespace {

constexpr size_t kRomCount = 100000;

// ROM file names as sets name them: mostly listed games with region and dump tags, some
// with a typing slip, some games the list lacks.
std::vector<std::string> madeUpRomFiles(const std::vector<std::string> &listed,
                                        const std::vector<std::string> &unlisted)
{
    static const char *const kTags[] = {" (U)", " (Europe)", " (J) [!]", " (USA, Europe)",
                                        " (U) [b1]", ""};
    std::mt19937 random(99);
    std::vector<std::string> files;
    files.reserve(kRomCount);
    for (size_t i = 0; i < kRomCount; ++i) {
        const auto &titles = random() % 5 == 0 ? unlisted : listed;
        std::string name = titles[random() % titles.size()];
        if (random() % 6 == 0 && name.size() > 3)
            name.erase(random() % name.size(), 1);
        // The number keeps every name distinct; the ROM name is cut before it.
        files.push_back(name + kTags[random() % std::size(kTags)] + " [" + std::to_string(i) +
                        "].bin");
    }
    return files;
}

struct Fixture
{
    Fixture()
        : titles(madeUpTitles(6001, 2026)),
          list(parseWikiList(madeUpListPage(titles), "Sample Console"))
    {
        folder = std::filesystem::temp_directory_path() / "kestrova_bench_coverage";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        for (const std::string &file : madeUpRomFiles(titles, madeUpTitles(3000, 4711)))
            std::ofstream(folder / toPath(file));
        folderText = folder.string() + "/";
    }
    ~Fixture() { std::filesystem::remove_all(folder); }

    std::vector<std::string> titles;
    WikiImport list;
    std::filesystem::path folder;
    std::string folderText;
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// What the coverage command does before printing: list the folder, match every ROM.
void BM_Coverage(benchmark::State &state)
{
    const Fixture &f = fixture();
    const unsigned threads = unsigned(state.range(0));
    for (auto _ : state) {
        const auto roms = listRomFiles(f.folderText, ".bin", PlatformRules::native());
        const CoverageReport report = buildCoverage(f.list.table, roms, 0.9, threads);
        benchmark::DoNotOptimize(report.unsure.data());
        state.counters["roms"] = double(report.roms.size());
        state.counters["titles"] = double(report.titleRows.size());
        state.SetLabel(report.summary());
    }
}

// The part no thread speeds up: reading the folder.
void BM_ListFolder(benchmark::State &state)
{
    const Fixture &f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(listRomFiles(f.folderText, ".bin", PlatformRules::native()));
}

BENCHMARK(BM_ListFolder)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
// All cores (0) first, then one; each once, timed on the wall clock.
BENCHMARK(BM_Coverage)->Arg(0)->Arg(1)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

// Keeps each run's wall time; plain console output, never colour codes.
class RecordingReporter : public benchmark::ConsoleReporter
{
public:
    RecordingReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                m_seconds[run.benchmark_name()] = run.real_accumulated_time / double(run.iterations);
                const auto roms = run.counters.find("roms");
                const auto titles = run.counters.find("titles");
                if (roms != run.counters.end() && titles != run.counters.end()) {
                    m_roms = size_t(roms->second.value);
                    m_titles = size_t(titles->second.value);
                }
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printSummary() const
    {
        const auto all = m_seconds.find("BM_Coverage/0/iterations:1/real_time");
        const auto one = m_seconds.find("BM_Coverage/1/iterations:1/real_time");
        if (all == m_seconds.end() || one == m_seconds.end())
            return;
        std::printf("coverage: %zu roms x %zu titles, all cores %.2f s, one core %.2f s, "
                    "speed-up %.2f\n",
                    m_roms, m_titles, all->second, one->second, one->second / all->second);
    }

private:
    std::map<std::string, double> m_seconds;
    size_t m_roms = 0;
    size_t m_titles = 0;
};

} // namespace
} // namespace kestrova::bench

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    kestrova::bench::RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::fflush(stdout);
    std::printf("cores: %u\n", std::thread::hardware_concurrency());
    reporter.printSummary();
    return 0;
}
