#include "jpeg_reference.hpp"

#include <csetjmp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include <jpeglib.h>

#include "imaging/plv0ri63.h"

namespace imaging_test {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void onError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }
void onMessage(j_common_ptr, int) {}

}  // namespace

Image makePhotoLike(int width, int height, int channels, std::uint32_t seed) {
    Image image{width, height, channels, {}};
    image.pixels.resize(static_cast<std::size_t>(width) * height * channels);
    std::uint32_t state = seed * 2654435761u + 1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Sensor-like noise is mostly brightness: the same for the three channels.
            state = state * 1664525u + 1013904223u;
            const double noise = static_cast<double>((state >> 24) % 3) - 1.0;
            for (int c = 0; c < channels; ++c) {
                const double wave = 70.0 * std::sin(x / (6.0 + 3 * c) + y / (9.0 + c));
                const double ramp = 0.3 * ((c == 1 ? y : x) % 200);
                const double v = 100.0 + wave + ramp + noise;
                image.pixels[(static_cast<std::size_t>(y) * width + x) * channels + c] =
                    static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0));
            }
        }
    }
    return image;
}

std::vector<std::uint8_t> referenceEncode(const Image& image, const ReferenceOptions& options) {
    jpeg_compress_struct cinfo{};
    ErrorManager errors{};
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.emit_message = onMessage;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width);
    cinfo.image_height = static_cast<JDIMENSION>(image.height);
    cinfo.input_components = image.channels;
    cinfo.in_color_space = image.channels == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (image.channels == 3) {
        cinfo.comp_info[0].h_samp_factor = options.lumaH;
        cinfo.comp_info[0].v_samp_factor = options.lumaV;
    }
    cinfo.restart_interval = static_cast<unsigned int>(options.restartInterval);
    if (options.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * image.channels;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.pixels.data() + cinfo.next_scanline * rowBytes);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

Image referenceDecode(const std::vector<std::uint8_t>& jpeg) {
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.emit_message = onMessage;
    Image image;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return {};
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = cinfo.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    image.width = static_cast<int>(cinfo.output_width);
    image.height = static_cast<int>(cinfo.output_height);
    image.channels = cinfo.output_components;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * image.channels;
    image.pixels.resize(rowBytes * image.height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.pixels.data() + cinfo.output_scanline * rowBytes;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return image;
}

std::vector<std::uint8_t> decodeWithLibrary(const std::vector<std::uint8_t>& jpeg, int& result) {
    result = dllJPEGDECODE(0, jpeg.data(), static_cast<int>(jpeg.size()), nullptr);
    if (result < 0) return {};
    std::vector<std::uint8_t> bmp(static_cast<std::size_t>(result), 0xAA);
    result = dllJPEGDECODE(1, jpeg.data(), static_cast<int>(jpeg.size()), bmp.data());
    return bmp;
}

std::vector<std::uint8_t> encodeWithLibrary(const std::vector<std::uint8_t>& bmp, int quality, int flags,
                                            int& result) {
    result = dllJPEGENCODE(0, bmp.data(), static_cast<int>(bmp.size()), nullptr, quality, flags);
    if (result < 0) return {};
    // The bound is generous; memory the encoder does not reach is never touched.
    const std::unique_ptr<unsigned char[]> out(new unsigned char[static_cast<std::size_t>(result)]);
    result = dllJPEGENCODE(1, bmp.data(), static_cast<int>(bmp.size()), out.get(), quality, flags);
    if (result < 0) return {};
    return {out.get(), out.get() + result};
}

std::vector<std::uint8_t> makeBmp(const Image& image) {
    const int bpp = image.channels == 1 ? 8 : 24;
    const std::size_t stride = (static_cast<std::size_t>(image.width) * image.channels + 3) & ~std::size_t{3};
    const std::size_t offset = 54 + (bpp == 8 ? 1024 : 0);
    std::vector<std::uint8_t> bmp(offset + stride * image.height, 0);
    const auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<std::uint32_t>(bmp.size()));
    put32(10, static_cast<std::uint32_t>(offset));
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(image.width));
    put32(22, static_cast<std::uint32_t>(image.height));
    bmp[26] = 1;
    bmp[28] = static_cast<std::uint8_t>(bpp);
    if (bpp == 8) {
        for (int i = 0; i < 256; ++i) bmp[54 + 4 * i] = bmp[55 + 4 * i] = bmp[56 + 4 * i] = static_cast<std::uint8_t>(i);
    }
    for (int y = 0; y < image.height; ++y) {
        std::uint8_t* row = bmp.data() + offset + (image.height - 1 - y) * stride;
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = image.pixels.data() + (static_cast<std::size_t>(y) * image.width + x) * image.channels;
            if (image.channels == 1) {
                row[x] = p[0];
            } else {
                row[3 * x] = p[2];
                row[3 * x + 1] = p[1];
                row[3 * x + 2] = p[0];
            }
        }
    }
    return bmp;
}

Image bmpPixels(const std::vector<std::uint8_t>& bmp) {
    Image image;
    if (bmp.size() < 54) return image;
    image.width = static_cast<int>(le32(bmp, 18));
    image.height = static_cast<int>(le32(bmp, 22));
    image.channels = le16(bmp, 28) / 8;
    const std::size_t offset = le32(bmp, 10);
    const std::size_t stride = (static_cast<std::size_t>(image.width) * image.channels + 3) & ~std::size_t{3};
    if (offset + stride * image.height > bmp.size()) return Image{};
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * image.channels);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = bmp.data() + offset + (image.height - 1 - y) * stride;
        for (int x = 0; x < image.width; ++x) {
            std::uint8_t* p = image.pixels.data() + (static_cast<std::size_t>(y) * image.width + x) * image.channels;
            if (image.channels == 1) {
                p[0] = row[x];
            } else {
                p[0] = row[3 * x + 2];
                p[1] = row[3 * x + 1];
                p[2] = row[3 * x];
            }
        }
    }
    return image;
}

double psnr(const Image& a, const Image& b) {
    if (a.width != b.width || a.height != b.height || a.channels != b.channels || a.pixels.size() != b.pixels.size() ||
        a.pixels.empty()) {
        return 0.0;
    }
    double sum = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        const double d = static_cast<double>(a.pixels[i]) - b.pixels[i];
        sum += d * d;
    }
    if (sum == 0) return 99.0;
    return 10.0 * std::log10(255.0 * 255.0 * static_cast<double>(a.pixels.size()) / sum);
}

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::uint16_t le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool fileExists(const std::string& path) { return std::filesystem::exists(path); }

std::string scratchFolder(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / ("quill-imaging-" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

}  // namespace imaging_test
