#include "imaging/native_path.hpp"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace imaging {

std::string toNative(const char* cp932Path) {
    std::string result;
    const iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return cp932Path;
    char* in = const_cast<char*>(cp932Path);
    std::size_t inLeft = std::strlen(cp932Path);
    char buffer[256];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &in, &inLeft, &out, &outLeft);
        result.append(buffer, static_cast<std::size_t>(out - buffer));
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            result += "\xEF\xBF\xBD";
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return result;
}

}  // namespace imaging
