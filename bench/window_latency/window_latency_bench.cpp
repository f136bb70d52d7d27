// How long a click takes to reach the screen at scale: a platform whose ROM folder holds 100,000
// files and whose list page names 6,001 titles. The program runs on a private Xvfb; the clicks
// are real input sent through the server, and a click counts as done at the last frame the
// server receives before the screen stays still. Twenty clicks of each kind; ends with one line
// `window_latency: platform click X ms, ROM click Y ms` (medians).
//
// Usage: bench_window_latency [CLICKS]

#include "frame_watch.h"
#include "made_up_titles.h"
#include "process_tree.h"
#include "virtual_display.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using namespace kestrova::bench;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr size_t kRomCount = 100000;
constexpr size_t kTitleCount = 6001;
constexpr const char *kPlatform = "Starlight 8"; // the demonstration's first platform

struct Point
{
    int x = 0;
    int y = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double msSince(Clock::time_point start, Clock::time_point end)
{
    return std::chrono::duration<double, std::milli>(end - start).count();
}

std::string run(const std::string &command)
{
    std::string output;
    if (FILE *pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        if (pclose(pipe) != 0)
            throw std::runtime_error("failed: " + command);
    }
    return output;
}

std::string quoted(const std::string &text)
{
    return "'" + text + "'";
}

// ROM files as sets name them, all of the platform's extension, each name distinct.
void fillRomFolder(const fs::path &folder, const std::vector<std::string> &titles)
{
    static const char *const kTags[] = {" (U)", " (Europe)", " (J) [!]", " (U) [b1]", ""};
    std::mt19937 random(7);
    for (size_t i = 0; i < kRomCount; ++i) {
        const std::string name = titles[random() % titles.size()] +
                                 kTags[random() % std::size(kTags)] + " [" +
                                 std::to_string(i) + "].st8";
        std::ofstream(folder / name) << "ROM";
    }
}

// The clicking points, found by laying the windows out in a helper on the same display.
std::map<std::string, Point> locateControls(const fs::path &folder, const std::string &display)
{
    const std::string command = "DISPLAY=" + display + " QT_QPA_PLATFORM=xcb " +
                                quoted(KESTROVA_LOCATE) + " " + quoted(folder.string()) +
                                " 2>/dev/null";
    std::map<std::string, Point> points;
    std::istringstream lines(run(command));
    std::string line;
    while (std::getline(lines, line)) {
        const auto last = line.rfind(' ');
        const auto middle = line.rfind(' ', last - 1);
        if (last == std::string::npos || middle == std::string::npos)
            continue;
        points[line.substr(0, middle)] = {std::stoi(line.substr(middle + 1, last - middle - 1)),
                                          std::stoi(line.substr(last + 1))};
    }
    for (const char *needed : {"manufacturer", "platform 0", "platform 1", "rom"}) {
        if (!points.count(needed))
            throw std::runtime_error(std::string("could not locate ") + needed);
    }
    return points;
}

struct Click
{
    double firstMs = -1; // the first frame after the click
    double lastMs = -1;  // the last one before the screen stayed still
    int frames = 0;
};

// Points the pointer, lets the screen settle (hover effects, tooltips), then clicks and times
// the frames that follow.
Click timedClick(FrameWatch &watch, Point at)
{
    watch.movePointer(at.x, at.y);
    watch.waitStill(1000ms, 20s);
    const auto clicked = Clock::now();
    watch.click();
    Click result;
    auto last = watch.nextFrame(5s);
    if (!last)
        return result;
    result.firstMs = msSince(clicked, *last);
    result.frames = 1;
    while (const auto next = watch.nextFrame(300ms)) {
        last = next;
        ++result.frames;
    }
    result.lastMs = msSince(clicked, *last);
    return result;
}

class TempFolder
{
public:
    TempFolder()
    {
        char name[] = "/tmp/kestrova-window-latency-XXXXXX";
        if (!mkdtemp(name))
            throw std::runtime_error("mkdtemp failed");
        m_path = name;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path &path() const { return m_path; }

private:
    fs::path m_path;
};

} // namespace

int main(int argc, char *argv[])
{
    const int clicks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    try {
        TempFolder temp;
        const fs::path folder = temp.path() / "app";
        fs::create_directory(folder);
        run(quoted(KESTROVA_CLI) + " make-demo " + quoted(folder.string()) +
            " >/dev/null");
        VirtualDisplay display;
        FrameWatch watch(display.name());
        const auto points = locateControls(folder, display.name());

        const auto titles = kestrova::bench::madeUpTitles(kTitleCount, 2026);
        fillRomFolder(folder / "roms" / kPlatform, titles);
        std::ofstream(folder / "wikigameslists" / (std::string(kPlatform) + ".htm"))
            << kestrova::bench::madeUpListPage(titles);

        Program program((folder / "kestrova").string(), display.name());
        if (!watch.nextFrame(30s))
            throw std::runtime_error("the program showed no window");
        watch.waitStill(2s, 60s);
        timedClick(watch, points.at("manufacturer"));

        std::vector<double> platformClicks, romClicks;
        for (int k = 1; k <= clicks; ++k) {
            timedClick(watch, points.at("platform 1"));
            const Click platform = timedClick(watch, points.at("platform 0"));
            const Click rom = timedClick(watch, points.at("rom"));
            if (platform.frames == 0 || rom.frames == 0)
                throw std::runtime_error("a click drew nothing");
            std::printf("click %d: platform %.0f ms (first frame %.0f ms, %d frames), "
                        "ROM %.0f ms (first frame %.0f ms, %d frames)\n",
                        k, platform.lastMs, platform.firstMs, platform.frames, rom.lastMs,
                        rom.firstMs, rom.frames);
            std::fflush(stdout);
            platformClicks.push_back(platform.lastMs);
            romClicks.push_back(rom.lastMs);
        }
        std::printf("window_latency: platform click %.0f ms, ROM click %.0f ms\n",
                    median(platformClicks), median(romClicks));
        std::fflush(stdout);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_window_latency: %s\n", e.what());
        return 1;
    }
    return 0;
}
