// Writes the seed corpus of fuzz_jpeg_decode (tiny JPEG files, each under 2 KB) with
// libjpeg-turbo. Not part of the build; run once when the seeds need renewing:
//   g++ -std=c++20 -I. -Itests/imaging tests/fuzz/make_jpeg_seeds.cpp tests/imaging/jpeg_reference.cpp \
//       -Lbuild/lib -lPLV0RI63 -lPLV0RN63 -ljpeg -Wl,-rpath,build/lib -o /tmp/make_jpeg_seeds
//   /tmp/make_jpeg_seeds tests/fuzz/corpus/jpeg
#include <cstdio>
#include <string>

#include "jpeg_reference.hpp"

using namespace imaging_test;

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    struct Seed {
        const char* name;
        int width, height, channels, h, v, restart;
        bool progressive;
    };
    const Seed seeds[] = {
        {"baseline_2x2", 17, 9, 3, 2, 2, 0, false},     {"baseline_2x1", 16, 8, 3, 2, 1, 0, false},
        {"baseline_1x1", 9, 7, 3, 1, 1, 0, false},      {"grey", 13, 11, 1, 1, 1, 0, false},
        {"restart_2x2", 33, 17, 3, 2, 2, 1, false},     {"progressive_2x2", 17, 9, 3, 2, 2, 0, true},
        {"progressive_grey", 12, 12, 1, 1, 1, 0, true}, {"progressive_restart", 24, 16, 3, 1, 1, 2, true},
        {"tiny_3x5", 3, 5, 3, 2, 2, 0, false},
    };
    for (const Seed& s : seeds) {
        ReferenceOptions o;
        o.quality = 50;
        o.lumaH = s.h;
        o.lumaV = s.v;
        o.restartInterval = s.restart;
        o.progressive = s.progressive;
        writeFile(std::string(argv[1]) + "/" + s.name + ".jpg",
                  referenceEncode(makePhotoLike(s.width, s.height, s.channels, 3), o));
    }
    return 0;
}
