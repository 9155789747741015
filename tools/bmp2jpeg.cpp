// bmp2jpeg SRC DST [QUALITY [FLAGS]]: converts a BMP file to a JPEG file with the image
// library. Quality 0..99 (else 75); flags 0 = 2x2, 1 = 2x1, 2 = 1x1 chroma, 4 progressive.
#include <cstdio>
#include <cstdlib>

#include "imaging/plv0ri63.h"
#include "runtime/error.hpp"
#include "tools/path_argument.hpp"

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: bmp2jpeg SRC DST [QUALITY [FLAGS]]\n");
        return 2;
    }
    const int quality = argc > 3 ? std::atoi(argv[3]) : 75;
    const int flags = argc > 4 ? std::atoi(argv[4]) : 0;
    const auto source = tools::cp932PathArgument("bmp2jpeg", argv[1]);
    const auto destination = tools::cp932PathArgument("bmp2jpeg", argv[2]);
    if (!source || !destination) return 2;
    try {
        BMP2JPEG(source->c_str(), destination->c_str(), quality, flags);
    } catch (const runtime::RuntimeError& e) {
        const auto text = runtime::errorText(e.number());
        std::fprintf(stderr, "bmp2jpeg: error %d: %.*s\n", e.number(), static_cast<int>(text.size()), text.data());
        return 1;
    }
    return 0;
}
