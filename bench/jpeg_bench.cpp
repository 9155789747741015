// The codec's speed against libjpeg-turbo, measured in one run on the same images:
// decode to BMP and encode from BMP, the best of a few runs each, printed as our time /
// libjpeg-turbo's time. Targets (not enforced): decode baseline 2x2 colour <= 1.5,
// progressive <= 2, encode <= 2.
//
// Then BMP2JPEG as a whole process (the bmp2jpeg tool: its file reads, the 24-bit
// temporary copy and the encode) against libjpeg-turbo's cjpeg on the same BMP file, as
// the processor time (user + system) of each process, best of the runs, with both files'
// PSNR and size and libjpeg-turbo's PSNR at the quality of the nearest size (the two
// quality scales differ). Target (not enforced): baseline <= 1.3, with a PSNR within
// 0.5 dB of libjpeg-turbo's at a similar size.
//
//   jpeg_bench [--runs N] [--write DIR] [--cjpeg PATH]
// --write DIR also leaves the test JPEG files there (for measuring the tools' memory).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "imaging/plv0ri63.h"
#include "jpeg_reference.hpp"

using namespace imaging_test;

namespace {

double bestSeconds(int runs, const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

std::uint32_t nextRandom(std::uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

// Gradients, slow waves and per-pixel noise: what a photograph costs a codec.
Image photo(int width, int height, int channels) {
    Image image{width, height, channels, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * channels)};
    std::uint32_t state = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double base = 60.0 + 100.0 * x / width + 50.0 * std::sin(y / 90.0) * std::cos(x / 140.0);
            for (int c = 0; c < channels; ++c) {
                const double noise = static_cast<double>(nextRandom(state) % 17) - 8.0;
                const double v = base + 30.0 * std::sin((x + 40 * c) / (25.0 + 10 * c)) + noise + 20.0 * c * y / height;
                image.pixels[(static_cast<std::size_t>(y) * width + x) * channels + c] =
                    static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0));
            }
        }
    }
    return image;
}

// Flat panels, thin lines and small glyph-like marks: a chart screenshot.
Image screenshot(int width, int height) {
    Image image{width, height, 3, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
    std::uint32_t state = 777;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t rgb[3] = {240, 240, 240};
            if (x < 200) {
                rgb[0] = 40, rgb[1] = 60, rgb[2] = 90;  // side panel
            } else if (y < 30) {
                rgb[0] = 210, rgb[1] = 220, rgb[2] = 235;  // title bar
            }
            if (x >= 200 && (x % 96 == 0 || y % 54 == 0)) rgb[0] = rgb[1] = rgb[2] = 200;  // grid
            // Text: rows of 7x12 cells with random strokes.
            if (((x < 200 && x > 10) || (y > 4 && y < 26)) && y % 20 < 12) {
                const int cell = (x / 7) * 131 + (y / 20) * 977;
                std::uint32_t s = static_cast<std::uint32_t>(cell) * 2654435761u;
                const int column = x % 7, row = y % 20;
                if (((s >> (column + row % 5)) & 1) != 0 && column < 6) rgb[0] = rgb[1] = rgb[2] = x < 200 ? 250 : 20;
            }
            // A price line across the chart.
            const int lineY = static_cast<int>(height / 2 + 200 * std::sin(x / 150.0) + (nextRandom(state) % 3));
            if (x >= 200 && std::abs(y - lineY) < 2) rgb[0] = 220, rgb[1] = 40, rgb[2] = 40;
            std::memcpy(&image.pixels[(static_cast<std::size_t>(y) * width + x) * 3], rgb, 3);
        }
    }
    return image;
}

// The processor time (user + system, seconds) of one run of the program, or a negative
// value when it could not be started or failed.
double processSeconds(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) {
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child) return -1;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// libjpeg-turbo's file at the quality whose size comes nearest `bytes` (sizes grow with
// the quality), to compare the PSNR at a similar size when the quality scales differ.
std::vector<std::uint8_t> referenceOfSimilarSize(const Image& image, bool progressive, std::size_t bytes,
                                                 int& quality) {
    ReferenceOptions options;
    options.progressive = progressive;
    const auto encode = [&](int q) {
        options.quality = q;
        return referenceEncode(image, options);
    };
    int low = 1, high = 100;  // the first quality whose file is at least `bytes` long
    while (low < high) {
        const int mid = (low + high) / 2;
        if (encode(mid).size() >= bytes) {
            high = mid;
        } else {
            low = mid + 1;
        }
    }
    std::vector<std::uint8_t> best = encode(low);
    quality = low;
    if (low > 1) {
        std::vector<std::uint8_t> below = encode(low - 1);
        const auto distance = [&](std::size_t n) { return n > bytes ? n - bytes : bytes - n; };
        if (distance(below.size()) < distance(best.size())) {
            best = std::move(below);
            quality = low - 1;
        }
    }
    return best;
}

struct ProcessCase {
    std::string name;
    const Image* image;
    int quality;
    bool progressive;
};

// bmp2jpeg and cjpeg on the same BMP file in a scratch folder, alternating so that both
// see the same machine load.
void compareProcesses(const std::vector<ProcessCase>& cases, int runs, const std::string& cjpeg) {
    char folderPattern[] = "/tmp/jpeg-bench-XXXXXX";
    const char* folder = ::mkdtemp(folderPattern);
    if (folder == nullptr) {
        std::printf("whole processes: no scratch folder\n");
        return;
    }
    const std::string dir = folder;
    std::printf("\n%-34s %9s %9s %7s | %6s %6s | %9s %9s\n", "whole process (cpu time)", "bmp2jpeg", "cjpeg",
                "ratio", "psnr", "ref", "bytes", "ref bytes");
    for (const ProcessCase& c : cases) {
        const std::string bmpPath = dir + "/source.bmp";
        const std::string ourPath = dir + "/ours.jpg";
        const std::string refPath = dir + "/ref.jpg";
        writeFile(bmpPath, makeBmp(*c.image));
        const std::string quality = std::to_string(c.quality);
        const std::vector<std::string> ours = {QUILL_BMP2JPEG_PATH, bmpPath, ourPath, quality,
                                               c.progressive ? "4" : "0"};
        std::vector<std::string> reference = {cjpeg, "-quality", quality};
        if (c.progressive) reference.push_back("-progressive");
        reference.insert(reference.end(), {"-outfile", refPath, bmpPath});
        double ourBest = 1e30, refBest = 1e30;
        bool failed = false;
        for (int i = 0; i < runs && !failed; ++i) {
            const double a = processSeconds(ours);
            const double b = processSeconds(reference);
            failed = a < 0 || b < 0;
            ourBest = std::min(ourBest, a);
            refBest = std::min(refBest, b);
        }
        if (failed) {
            std::printf("%-34s failed to run %s or %s\n", c.name.c_str(), ours[0].c_str(), cjpeg.c_str());
            continue;
        }
        const std::vector<std::uint8_t> ourJpeg = readFile(ourPath);
        const std::vector<std::uint8_t> refJpeg = readFile(refPath);
        std::printf("%-34s %8.1fms %8.1fms %7.2f | %6.2f %6.2f | %9zu %9zu\n", c.name.c_str(), ourBest * 1e3,
                    refBest * 1e3, ourBest / refBest, psnr(referenceDecode(ourJpeg), *c.image),
                    psnr(referenceDecode(refJpeg), *c.image), ourJpeg.size(), refJpeg.size());
        int similarQuality = 0;
        const std::vector<std::uint8_t> similar =
            referenceOfSimilarSize(*c.image, c.progressive, ourJpeg.size(), similarQuality);
        std::printf("%-34s at a similar size: libjpeg-turbo q%d, psnr %.2f, %zu bytes (%+.1f %%)\n", "",
                    similarQuality, psnr(referenceDecode(similar), *c.image), similar.size(),
                    100.0 * (static_cast<double>(similar.size()) / static_cast<double>(ourJpeg.size()) - 1));
        std::remove(bmpPath.c_str());
        std::remove(ourPath.c_str());
        std::remove(refPath.c_str());
    }
    ::rmdir(folder);
    std::printf("ratio = bmp2jpeg's processor time / cjpeg's (best of %d); psnr = libjpeg-turbo's decode of each "
                "file vs the source (ref: cjpeg's file)\n",
                runs);
}

struct Case {
    std::string name;
    Image image;
    ReferenceOptions options;
    int ourFlags;
};

}  // namespace

int main(int argc, char** argv) {
    int runs = 3;
    std::string writeDir;
    std::string cjpeg = "/usr/bin/cjpeg";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--write") == 0) writeDir = argv[i + 1];
        if (std::strcmp(argv[i], "--cjpeg") == 0) cjpeg = argv[i + 1];
    }
    std::printf("generating images...\n");
    const Image colour = photo(5000, 3000, 3);
    const Image grey = photo(15000, 2000, 1);
    const Image screen = screenshot(1920, 1080);
    const auto options = [](int quality, bool progressive) {
        ReferenceOptions o;
        o.quality = quality;
        o.progressive = progressive;
        return o;
    };
    std::vector<Case> cases;
    cases.push_back({"colour 5000x3000 q75 2x2", colour, options(75, false), 0});
    cases.push_back({"colour 5000x3000 q95 2x2", colour, options(95, false), 0});
    cases.push_back({"colour 5000x3000 q75 progressive", colour, options(75, true), 4});
    cases.push_back({"colour 5000x3000 q95 progressive", colour, options(95, true), 4});
    cases.push_back({"grey 15000x2000 q75", grey, options(75, false), 0});
    cases.push_back({"screenshot 1920x1080 q75 2x2", screen, options(75, false), 0});

    std::printf("%-34s %9s %9s %7s %6s | %9s %9s %7s %6s\n", "image", "dec ours", "dec ref", "ratio", "psnr",
                "enc ours", "enc ref", "ratio", "psnr");
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> jpeg = referenceEncode(c.image, c.options);
        if (!writeDir.empty()) {
            std::string file = c.name;
            std::replace(file.begin(), file.end(), ' ', '_');
            writeFile(writeDir + "/" + file + ".jpg", jpeg);
        }
        Image referencePixels;
        std::vector<std::uint8_t> ourBmp;
        const double refDecode = bestSeconds(runs, [&] { referencePixels = referenceDecode(jpeg); });
        const double ourDecode = bestSeconds(runs, [&] {
            int result = 0;
            ourBmp = decodeWithLibrary(jpeg, result);
            if (result <= 0) std::printf("decode failed: %d\n", result);
        });
        const double decodePsnr = psnr(bmpPixels(ourBmp), referencePixels);

        const std::vector<std::uint8_t> bmp = makeBmp(c.image);
        std::vector<std::uint8_t> ourJpeg, refJpeg;
        const double refEncode = bestSeconds(runs, [&] { refJpeg = referenceEncode(c.image, c.options); });
        const double ourEncode = bestSeconds(runs, [&] {
            int result = 0;
            ourJpeg = encodeWithLibrary(bmp, c.options.quality, c.ourFlags, result);
            if (result <= 0) std::printf("encode failed: %d\n", result);
        });
        const double encodePsnr = psnr(referenceDecode(ourJpeg), c.image);
        const double referenceEncodePsnr = psnr(referenceDecode(refJpeg), c.image);
        std::printf("%-34s %8.1fms %8.1fms %7.2f %6.1f | %8.1fms %8.1fms %7.2f %6.1f\n", c.name.c_str(),
                    ourDecode * 1e3, refDecode * 1e3, ourDecode / refDecode, decodePsnr, ourEncode * 1e3,
                    refEncode * 1e3, ourEncode / refEncode, encodePsnr);
        std::printf("%-34s sizes: file %zu, BMP %zu, ours encoded %zu, reference encoded %zu (psnr %.1f)\n", "",
                    jpeg.size(), ourBmp.size(), ourJpeg.size(), refJpeg.size(), referenceEncodePsnr);
    }
    std::printf("ratio = our time / libjpeg-turbo time (best of %d); psnr: decode = ours vs libjpeg-turbo's "
                "decode of the same file, encode = libjpeg-turbo's decode of our file vs the source\n",
                runs);
    compareProcesses({{"colour 5000x3000 q75 2x2", &colour, 75, false},
                      {"colour 5000x3000 q75 progressive", &colour, 75, true},
                      {"screenshot 1920x1080 q75 2x2", &screen, 75, false}},
                     runs, cjpeg);
    return 0;
}
