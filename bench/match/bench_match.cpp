// The ROM click's matching over a full 6001-title list, with the literal algorithm (oracle),
// the product's matcher and a floor, and the import of a full list page against plain line
// reading. Ends with one summary line for the 40-character name.

#include "made_up_titles.h"

#include "platform/text_codec.h"
#include "reference/match_outcome.h"
#include "reference/oracle_matcher.h"
#include "reference/title_matcher.h"
#include "reference/wiki_list_import.h"
#include "reference/wiki_search.h"

#include "common/plain_console_reporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace kestrova::bench {
namespace {

const std::string kRoot = "http://en.wikipedia.org";
const std::string kPlatform = "Sample Console";

struct Fixture
{
    Fixture()
        : titles(madeUpTitles(WikiTable::kRowCount, 2026)), page(madeUpListPage(titles)),
          list(parseWikiList(page, kPlatform)), matcher(list.table)
    {
        for (const WikiRow &row : list.table.rows) {
            const std::string normalised = normaliseTitle(row.title);
            floorOffsets.push_back(floorBytes.size());
            floorBytes += normalised;
        }
        floorOffsets.push_back(floorBytes.size());
        pageFile = std::filesystem::temp_directory_path() / "kestrova_bench_page.htm";
        std::ofstream(pageFile, std::ios::binary) << page;
    }

    std::string romName(size_t length) const { return madeUpRomName(titles, length, 11); }
    // A game the list does not hold: only loose matches, so far more titles need exact scores.
    std::string unlistedRomName(size_t length) const
    {
        return madeUpRomName(otherTitles, length, 12);
    }

    std::vector<std::string> titles;
    std::vector<std::string> otherTitles = madeUpTitles(WikiTable::kRowCount, 4711);
    std::string page;
    WikiImport list;
    TitleMatcher matcher;
    std::string floorBytes; // every normalised title, back to back
    std::vector<size_t> floorOffsets;
    std::filesystem::path pageFile;
};

const Fixture &fixture()
{
    static const Fixture f;
    return f;
}

void BM_Oracle(benchmark::State &state)
{
    const Fixture &f = fixture();
    const std::string name = f.romName(size_t(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(oracle::SearchMatch(f.list.table, name, kRoot));
}

void BM_OracleUnlisted(benchmark::State &state)
{
    const Fixture &f = fixture();
    const std::string name = f.unlistedRomName(size_t(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(oracle::SearchMatch(f.list.table, name, kRoot));
}

void BM_Product(benchmark::State &state)
{
    const Fixture &f = fixture();
    const std::string name = f.romName(size_t(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(matchRom(f.matcher, f.list, name, kRoot));
}

void BM_ProductUnlisted(benchmark::State &state)
{
    const Fixture &f = fixture();
    const std::string name = f.unlistedRomName(size_t(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(matchRom(f.matcher, f.list, name, kRoot));
}

// The least an exact matcher must do: read every normalised title and, against each, the name.
void BM_Floor(benchmark::State &state)
{
    const Fixture &f = fixture();
    const std::string jeu = normaliseRomName(f.romName(size_t(state.range(0))));
    for (auto _ : state) {
        unsigned total = 0;
        for (size_t t = 0; t + 1 < f.floorOffsets.size(); ++t) {
            unsigned sum = 0;
            for (size_t i = f.floorOffsets[t]; i < f.floorOffsets[t + 1]; ++i)
                sum += static_cast<unsigned char>(f.floorBytes[i]);
            benchmark::ClobberMemory(); // the name is read again for every title
            for (char c : jeu)
                sum += static_cast<unsigned char>(c);
            total += sum;
        }
        benchmark::DoNotOptimize(total);
    }
}

// As in the program, the new list replaces the one kept from the previous run, and the lines
// are kept the same way, so both free the old memory only after building the new.
void BM_ImportPage(benchmark::State &state)
{
    const Fixture &f = fixture();
    WikiImport kept;
    for (auto _ : state) {
        kept = parseWikiList(f.page, kPlatform);
        benchmark::DoNotOptimize(kept.table.rows.data());
    }
}

void BM_ReadLines(benchmark::State &state)
{
    const Fixture &f = fixture();
    std::vector<std::string> kept;
    for (auto _ : state) {
        kept = splitLines(f.page);
        benchmark::DoNotOptimize(kept.data());
    }
}

void BM_ImportFile(benchmark::State &state)
{
    const Fixture &f = fixture();
    WikiImport kept;
    for (auto _ : state) {
        kept = parseWikiList(*readWikiListFile(f.pageFile), kPlatform);
        benchmark::DoNotOptimize(kept.table.rows.data());
    }
}

// The file read and cut into lines, each line its own string.
void BM_ReadFileLines(benchmark::State &state)
{
    const Fixture &f = fixture();
    std::vector<std::string> kept;
    for (auto _ : state) {
        kept = splitLines(*readWikiListFile(f.pageFile));
        benchmark::DoNotOptimize(kept.data());
    }
}

BENCHMARK(BM_Oracle)->Arg(10)->Arg(40)->Arg(80)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OracleUnlisted)->Arg(40)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Product)->Arg(10)->Arg(40)->Arg(80)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProductUnlisted)->Arg(10)->Arg(40)->Arg(80)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor)->Arg(10)->Arg(40)->Arg(80)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFileLines)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's CPU time per iteration in milliseconds for the closing lines; the
// machine may be shared, and CPU time leaves out the time other programs hold the processor.
class RecordingReporter : public PlainConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                m_millis[run.benchmark_name()] =
                    run.cpu_accumulated_time * 1e3 / double(run.iterations);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    double millis(const std::string &name) const
    {
        const auto it = m_millis.find(name);
        return it == m_millis.end() ? 0.0 : it->second;
    }

private:
    std::map<std::string, double> m_millis;
};

void printSummary(const RecordingReporter &reporter)
{
    for (const char *length : {"10", "40", "80"}) {
        const double oracle = reporter.millis(std::string("BM_Oracle/") + length);
        const double product = reporter.millis(std::string("BM_Product/") + length);
        const double floor = reporter.millis(std::string("BM_Floor/") + length);
        if (oracle > 0 && product > 0 && floor > 0)
            std::printf("match%s: oracle/product %.0f, product/floor %.1f\n", length,
                        oracle / product, product / floor);
    }
    const double unlistedOracle = reporter.millis("BM_OracleUnlisted/40");
    const double unlisted = reporter.millis("BM_ProductUnlisted/40");
    const double floor40 = reporter.millis("BM_Floor/40");
    if (unlistedOracle > 0 && unlisted > 0 && floor40 > 0)
        std::printf("match40, a game the list lacks: oracle %.3f ms, product %.3f ms, "
                    "oracle/product %.0f, product/floor %.1f\n",
                    unlistedOracle, unlisted, unlistedOracle / unlisted, unlisted / floor40);
    const double import = reporter.millis("BM_ImportPage");
    const double lines = reporter.millis("BM_ReadLines");
    const double importFile = reporter.millis("BM_ImportFile");
    const double fileLines = reporter.millis("BM_ReadFileLines");
    if (import > 0 && lines > 0 && importFile > 0 && fileLines > 0)
        std::printf("import: page %.3f ms, lines %.3f ms, import/lines %.2f; "
                    "from the file %.3f ms, file lines %.3f ms, import/lines %.2f\n",
                    import, lines, import / lines, importFile, fileLines, importFile / fileLines);
    const double oracle = reporter.millis("BM_Oracle/40");
    const double product = reporter.millis("BM_Product/40");
    const double floor = reporter.millis("BM_Floor/40");
    if (oracle > 0 && product > 0 && floor > 0)
        std::printf("match40: oracle %.3f ms, product %.3f ms, floor %.3f ms, "
                    "oracle/product %.0f, product/floor %.1f\n",
                    oracle, product, floor, oracle / product, product / floor);
}

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
    kestrova::bench::printSummary(reporter);
    return 0;
}
