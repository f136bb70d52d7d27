// Reads and imports a 3 MB list page (the size of the largest real ones) and a 30 MB one (just
// under the bound) as a platform click does, and the same for pages saved by a browser as HTML
// (3 MB and 8 MB, the most read as HTML); measures the memory the larger page takes while it is
// read and imported. Ends with one summary line per kind of page.

#include "common/median_reporter.h"
#include "match/made_up_titles.h"
#include "reference/wiki_search.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>


namespace kestrova::bench {
namespace {

namespace fs = std::filesystem;

constexpr size_t kMegabyte = size_t(1) << 20;

std::string htmlRow(const std::string &title)
{
    return "<tr><td><i><a href=\"/wiki/" + title + "\" title=\"" + title + "\">" + title +
           "</a></i></td><td>1990</td><td>Maker</td></tr>\n";
}

// The titles again and again up to `size`: the reader keeps the first 6001 and reads the rest.
std::string page(bool html, size_t size)
{
    const auto titles = madeUpTitles(6000, 19);
    std::string body;
    if (html) {
        for (const auto &title : titles)
            body += htmlRow(title);
    } else {
        body = madeUpListPage(titles);
    }
    std::string out = html ? "<!DOCTYPE html><html><head><title>List</title></head><body>"
                             "<table class=\"wikitable\">\n"
                           : "";
    while (out.size() + body.size() < size)
        out += body;
    if (html)
        out += "</table></body></html>\n";
    return out;
}

struct Workspace
{
    Workspace()
    {
        root = fs::temp_directory_path() /
               ("kestrova-bench-list-page-" + std::to_string(std::random_device()()));
        fs::create_directories(root);
        for (bool html : {false, true}) {
            for (size_t mb : {size_t(3), largest(html)})
                std::ofstream(file(html, mb), std::ios::binary) << page(html, mb * kMegabyte);
        }
    }
    ~Workspace()
    {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    static size_t largest(bool html) { return html ? 8 : 30; }
    fs::path file(bool html, size_t mb) const
    {
        return root / ((html ? "html-" : "text-") + std::to_string(mb) + ".htm");
    }

    fs::path root;
};

Workspace *g_workspace = nullptr;

void BM_ReadListPage(benchmark::State &state)
{
    const auto file = g_workspace->file(state.range(0) != 0, size_t(state.range(1)));
    for (auto _ : state) {
        const ListPageLoad load = loadListPage(file, "Sample Console");
        if (!load.import || load.import->availItems.empty())
            state.SkipWithError("the page gave no titles");
        benchmark::DoNotOptimize(load.import);
    }
}

BENCHMARK(BM_ReadListPage)
    ->ArgNames({"html", "MB"})
    ->Args({0, 3})
    ->Args({0, 30})
    ->Args({1, 3})
    ->Args({1, 8})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

long statusKilobytes(const char *field)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(key.size()));
    }
    return 0;
}

constexpr const char *kPeakOption = "--peak-of";

// The growth of the resident size from before the read to its peak, printed in megabytes.
int printPeak(const char *file)
{
    const long before = statusKilobytes("VmRSS");
    const ListPageLoad load = loadListPage(file, "Sample Console");
    std::printf("%.1f\n", double(statusKilobytes("VmHWM") - before) / 1024.0);
    return load.import && !load.import->availItems.empty() ? 0 : 1;
}

// In a fresh process, so that nothing the benchmark did before counts (memory it freed would
// be reused without growing).
double peakMegabytes(const fs::path &file)
{
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    const std::string command =
        "'" + self + "' " + std::string(kPeakOption) + " '" + file.string() + "'";
    std::FILE *child = popen(command.c_str(), "r");
    if (!child)
        return -1;
    double grown = -1;
    if (std::fscanf(child, "%lf", &grown) != 1)
        grown = -1;
    return pclose(child) == 0 ? grown : -1;
}

} // namespace
} // namespace kestrova::bench

int main(int argc, char **argv)
{
    using namespace kestrova::bench;
    if (argc == 3 && std::string(argv[1]) == kPeakOption)
        return printPeak(argv[2]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Workspace workspace;
    g_workspace = &workspace;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::fflush(stdout);
    const auto millis = [&](const char *args) {
        return reporter.millis(std::string("BM_ReadListPage/") + args);
    };
    std::printf("list_page: 3 MB page %.0f ms, 30 MB page %.0f ms, peak %.0f MB\n",
                millis("html:0/MB:3"), millis("html:0/MB:30"),
                peakMegabytes(workspace.file(false, 30)));
    std::printf("list_page (saved as HTML): 3 MB page %.0f ms, 8 MB page %.0f ms, peak %.0f MB\n",
                millis("html:1/MB:3"), millis("html:1/MB:8"),
                peakMegabytes(workspace.file(true, 8)));
    return 0;
}
