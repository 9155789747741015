#pragma once
// The two information records of the library: six 32-bit values about the last image the
// decoder and the encoder handled.

#include <cstdint>

namespace imaging {

struct InfoRecord {
    std::int32_t values[6] = {};
};

InfoRecord& jpegInfo();  // width, height, components, first sampling, progressive, result
InfoRecord& bmpInfo();   // width, height, components, quality, flags, result

}  // namespace imaging
