// The chart viewer opening a 5000 x 3000 JPEG chart on a headless run, against
// libjpeg-turbo's djpeg decoding the same file to a BMP, measured in the same run.
//
// The open is what a trader waits for: the JPEG converted to the scratch BMP, the BMP
// loaded into the source bitmap, the display copy fitted to the window's height, the
// layout and the first blit, through the viewer's own routines (load, title, full
// refresh) in a child process of this program started on the headless backend. djpeg
// runs as a whole process on the same file (its start-up, a millisecond or so, included).
// Each side takes the best of a few runs; the ratio is ours / djpeg's. The peak memory of
// the open is the child's peak resident size (getrusage), printed with the size the
// child had before the open. Targets (not enforced): ratio <= 2, peak < 200 MiB.
//
//   viewer_bench [--runs N]
#include <sys/resource.h>
#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/ui/controls.hpp"
#include "diary/app/basic_data_screen.hpp"
#include "diary/app/chart_viewer.hpp"
#include "diary/app/diary_state.hpp"
#include "jpeg_reference.hpp"
#include "runtime/file_system.hpp"
#include "runtime/sjis.hpp"
#include "runtime/system_call.hpp"
#include "runtime/window_system.hpp"

extern char** environ;

namespace {

namespace ui = common::ui;
using Clock = std::chrono::steady_clock;

// A chart screenshot: flat panels, a grid, a price line and a little noise.
imaging_test::Image chart(int width, int height) {
    imaging_test::Image image{width, height, 3, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
    std::uint32_t state = 99;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            std::uint8_t rgb[3] = {245, 245, 240};
            if (x % 120 == 0 || y % 80 == 0) rgb[0] = rgb[1] = rgb[2] = 205;
            const int line = static_cast<int>(height / 2 + height / 3 * std::sin(x / 210.0) + (state >> 30));
            if (std::abs(y - line) < 3) rgb[0] = 30, rgb[1] = 90, rgb[2] = 200;
            if (x < 300) rgb[0] = 40, rgb[1] = 50, rgb[2] = static_cast<std::uint8_t>(70 + (state >> 28));
            std::memcpy(&image.pixels[(static_cast<std::size_t>(y) * width + x) * 3], rgb, 3);
        }
    }
    return image;
}

long peakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The child: the diary's windows on the headless backend, the viewer opened on the file.
std::string g_chartPath;

void openInViewer() {
    diary::Diary& d = diary::diary();
    diary::createWindows(d.windows);
    const auto metric = [](std::int32_t index) {
        const std::int32_t arguments[] = {index};
        return static_cast<std::int16_t>(runtime::callSystemFunction("USER32", "GetSystemMetrics", arguments));
    };
    d.frameHeight = static_cast<std::int16_t>(metric(31) + metric(33) + metric(6));
    d.frameWidth = metric(33);
    diary::createViewerBitmaps(d);
    diary::PX$基本環境_SUB(d);
    ObjectVar& form = d.windows.chart.form;
    ui::setClientSize(form, 1000, 700);
    ui::show(form, true);
    diary::ViewerState& v = d.viewer;
    const runtime::PathParts parts = runtime::splitPath(g_chartPath);
    v.imageFolder = parts.directory;
    v.imagePath = g_chartPath;
    const long before = peakKiB();
    const auto start = Clock::now();
    diary::showImage(d);
    const std::chrono::duration<double> took = Clock::now() - start;
    std::printf("%.6f %ld %ld %d %d %d\n", took.count(), before, peakKiB(), static_cast<int>(v.displayWidth),
                static_cast<int>(v.displayHeight), v.loadFailed);
    std::fflush(stdout);
    PX$DESTROYWINDOW(&d.windows.main.form);
}

struct ChildResult {
    double seconds = 0;
    long peakKiB = 0, beforeKiB = 0;
    std::string output;
};

// Runs a program and waits; its own resource use comes back from wait4.
ChildResult runChild(const std::vector<std::string>& args, bool captureOutput) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int pipeFds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (captureOutput) {
        if (pipe(pipeFds) != 0) std::exit(1);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    }
    pid_t pid = 0;
    const auto start = Clock::now();
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "viewer_bench: cannot start %s\n", argv[0]);
        std::exit(1);
    }
    ChildResult result;
    if (captureOutput) {
        close(pipeFds[1]);
        char buffer[512];
        ssize_t n = 0;
        while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) result.output.append(buffer, static_cast<std::size_t>(n));
        close(pipeFds[0]);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const std::chrono::duration<double> took = Clock::now() - start;
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "viewer_bench: %s failed (status %d)\n%s", argv[0], status, result.output.c_str());
        std::exit(1);
    }
    result.seconds = took.count();
    result.peakKiB = usage.ru_maxrss;
    return result;
}

}  // namespace

// The JPEG is made in a child of its own, so that this process stays small: a child
// started from it begins with its peak resident size on Linux.
int makeChart(const char* path) {
    std::printf("generating a 5000 x 3000 chart JPEG...\n");
    imaging_test::ReferenceOptions options;
    options.quality = 85;
    const std::vector<std::uint8_t> jpeg = imaging_test::referenceEncode(chart(5000, 3000), options);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(jpeg.data()),
                                                static_cast<std::streamsize>(jpeg.size()));
    std::printf("file %zu bytes\n", jpeg.size());
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--make") == 0) return makeChart(argv[2]);
    if (argc == 5 && std::strcmp(argv[1], "--open") == 0) {
        // The child: argv[2] the chart, argv[3] and argv[4] the headless run's arguments.
        g_chartPath = runtime::fromUtf8(argv[2]);
        char* programArgs[] = {argv[0], argv[3], argv[4], nullptr};
        return runtime::runProgram(3, programArgs, openInViewer);
    }
    int runs = 3;
    for (int i = 1; i + 1 < argc; i += 2)
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));

    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("viewer_bench." + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    // The children run in the scratch folder: the diary's end writes its basic data and
    // "KANKYO.TXT" into the working folder.
    const std::string self = std::filesystem::canonical("/proc/self/exe").string();
    std::filesystem::current_path(folder);
    const std::string jpegPath = (folder / "chart.jpg").string();
    const std::string bmpPath = (folder / "djpeg.bmp").string();
    const std::string scriptPath = (folder / "open.script").string();
    std::printf("%s", runChild({self, "--make", jpegPath}, true).output.c_str());
    std::ofstream(scriptPath) << "# the program opens the viewer itself and closes its main window\n";
    const std::string djpeg = "/usr/bin/djpeg";
    double ours = 1e30, reference = 1e30;
    long peak = 0, before = 0, referencePeak = 0;
    std::string shown;
    for (int i = 0; i < runs; ++i) {
        const ChildResult child = runChild({self, "--open", jpegPath, "--headless", scriptPath}, true);
        double seconds = 0;
        long beforeKiB = 0, peakKiBValue = 0;
        int width = 0, height = 0, failed = 1;
        if (std::sscanf(child.output.c_str(), "%lf %ld %ld %d %d %d", &seconds, &beforeKiB, &peakKiBValue, &width,
                        &height, &failed) != 6 ||
            failed != 0) {
            std::fprintf(stderr, "viewer_bench: the open failed: %s\n", child.output.c_str());
            return 1;
        }
        ours = std::min(ours, seconds);
        peak = std::max(peak, peakKiBValue);
        before = beforeKiB;
        shown = std::to_string(width) + " x " + std::to_string(height);
        const ChildResult ref = runChild({djpeg, "-bmp", "-outfile", bmpPath, jpegPath}, false);
        reference = std::min(reference, ref.seconds);
        referencePeak = std::max(referencePeak, ref.peakKiB);
    }
    std::printf("viewer open (convert, load, fit to %s, first blit): %8.1f ms\n", shown.c_str(), ours * 1e3);
    std::printf("djpeg -bmp (whole process):                          %8.1f ms\n", reference * 1e3);
    std::printf("ratio ours / djpeg: %.2f (best of %d; target <= 2)\n", ours / reference, runs);
    std::printf("peak memory of the open: %.1f MiB (%.1f MiB before it; djpeg %.1f MiB; target < 200 MiB)\n",
                peak / 1024.0, before / 1024.0, referencePeak / 1024.0);
    std::filesystem::current_path(folder.parent_path());
    std::filesystem::remove_all(folder);
    return 0;
}
