// jpeg2bmp SRC DST: converts a JPEG file to a BMP file with the image library. The names
// are the user's (UTF-8); the library takes them in CP932.
#include <cstdio>

#include "imaging/plv0ri63.h"
#include "runtime/error.hpp"
#include "tools/path_argument.hpp"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: jpeg2bmp SRC DST\n");
        return 2;
    }
    const auto source = tools::cp932PathArgument("jpeg2bmp", argv[1]);
    const auto destination = tools::cp932PathArgument("jpeg2bmp", argv[2]);
    if (!source || !destination) return 2;
    try {
        JPEG2BMP(source->c_str(), destination->c_str());
    } catch (const runtime::RuntimeError& e) {
        const auto text = runtime::errorText(e.number());
        std::fprintf(stderr, "jpeg2bmp: error %d: %.*s\n", e.number(), static_cast<int>(text.size()), text.data());
        return 1;
    }
    return 0;
}
