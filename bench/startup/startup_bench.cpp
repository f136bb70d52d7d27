// Starts the program on the demonstration folder and a bare Qt window, five times each and
// interleaved, on a private Xvfb, and compares the time from process start to the first frame
// of a mapped window as the X server sees it. Resident memory is the proportional set size of
// the program and its web-engine helpers once its screen has settled.
//
// Usage: bench_startup [APPLICATION_FOLDER]   (the folder holds the kestrova executable)

#include "frame_watch.h"
#include "process_tree.h"
#include "virtual_display.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

using namespace kestrova::bench;
using namespace std::chrono_literals;

constexpr int kRuns = 5;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Start
{
    double firstFrameMs = -1;
    double residentMb = 0;
};

Start measure(FrameWatch &watch, const std::string &path, const std::string &display,
              bool settle)
{
    watch.reset();
    const auto started = Clock::now();
    Program program(path, display);
    Start result;
    if (const auto frame = watch.nextFrame(30s))
        result.firstFrameMs = std::chrono::duration<double, std::milli>(*frame - started).count();
    if (settle) {
        watch.lastFrame(1500ms, 15s);
        result.residentMb = double(program.proportionalSetSize()) / (1024 * 1024);
    }
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string folder = argc > 1 ? argv[1] : KESTROVA_DEMO_DIR;
    const std::string kestrova = folder + "/kestrova";
    try {
        VirtualDisplay display;
        FrameWatch watch(display.name());
        std::vector<double> program, bare, resident;
        for (int run = 1; run <= kRuns; ++run) {
            const Start k = measure(watch, kestrova, display.name(), true);
            const Start b = measure(watch, KESTROVA_BARE_WINDOW, display.name(), false);
            if (k.firstFrameMs < 0 || b.firstFrameMs < 0) {
                std::fprintf(stderr, "run %d: no window appeared\n", run);
                return 1;
            }
            std::printf("run %d: kestrova %.0f ms, bare window %.0f ms, resident %.0f MB\n", run,
                        k.firstFrameMs, b.firstFrameMs, k.residentMb);
            program.push_back(k.firstFrameMs);
            bare.push_back(b.firstFrameMs);
            resident.push_back(k.residentMb);
        }
        const double p = median(program), b = median(bare);
        std::printf("startup: kestrova %.0f ms, bare window %.0f ms, ratio %.2f, resident %.0f MB\n",
                    p, b, p / b, median(resident));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_startup: %s\n", e.what());
        return 1;
    }
    return 0;
}
