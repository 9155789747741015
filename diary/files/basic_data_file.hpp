#pragma once
// "基本データ.TXT" is read and written by the reader and writer both programs share.

#include "common/basic_data/basic_data_file.hpp"
#include "diary/files/basic_data.hpp"

namespace diary {

using common::readBasicData;
using common::writeBasicData;

}  // namespace diary
