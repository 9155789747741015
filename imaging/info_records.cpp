#include "imaging/info_records.hpp"

namespace imaging {

InfoRecord& jpegInfo() {
    static InfoRecord record;
    return record;
}

InfoRecord& bmpInfo() {
    static InfoRecord record;
    return record;
}

}  // namespace imaging
