// jpeg2bmp SRC DST: converts a JPEG file to a BMP file with the image library.
#include <cstdio>

#include "imaging/plv0ri63.h"
#include "runtime/error.hpp"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: jpeg2bmp SRC DST\n");
        return 2;
    }
    try {
        JPEG2BMP(argv[1], argv[2]);
    } catch (const runtime::RuntimeError& e) {
        const auto text = runtime::errorText(e.number());
        std::fprintf(stderr, "jpeg2bmp: error %d: %.*s\n", e.number(), static_cast<int>(text.size()), text.data());
        return 1;
    }
    return 0;
}
