// chart_bmp WIDTH HEIGHT OUT: writes a 24-bit BMP whose pixel (x, y) has red x % 256,
// green y % 256 and blue 0x40, so that a test can tell from one pixel where in the image
// it lies. Rows are stored bottom-up and padded to four bytes, as BMP files are.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

void put16(std::vector<unsigned char>& b, std::uint32_t v) {
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
void put32(std::vector<unsigned char>& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: chart_bmp WIDTH HEIGHT OUT\n");
        return 2;
    }
    const long width = std::atol(argv[1]), height = std::atol(argv[2]);
    if (width <= 0 || height <= 0 || width > 20000 || height > 20000) {
        std::fprintf(stderr, "chart_bmp: size out of range\n");
        return 2;
    }
    const std::uint32_t stride = static_cast<std::uint32_t>((width * 3 + 3) / 4 * 4);
    const std::uint32_t pixels = stride * static_cast<std::uint32_t>(height);
    std::vector<unsigned char> b;
    b.reserve(54 + pixels);
    b.push_back('B');
    b.push_back('M');
    put32(b, 54 + pixels);
    put32(b, 0);
    put32(b, 54);
    put32(b, 40);
    put32(b, static_cast<std::uint32_t>(width));
    put32(b, static_cast<std::uint32_t>(height));
    put16(b, 1);
    put16(b, 24);
    put32(b, 0);
    put32(b, pixels);
    put32(b, 2835);
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
    for (long y = height - 1; y >= 0; --y) {
        for (long x = 0; x < width; ++x) {
            b.push_back(0x40);                                    // blue
            b.push_back(static_cast<unsigned char>(y & 0xFF));  // green
            b.push_back(static_cast<unsigned char>(x & 0xFF));  // red
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(width * 3); pad < stride; ++pad) b.push_back(0);
    }
    std::ofstream out(argv[3], std::ios::binary);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return out ? 0 : 1;
}
