#pragma once
// File names arrive as CP932 strings; Linux wants UTF-8.

#include <string>

namespace imaging {

// CP932 -> UTF-8; bytes that are not valid CP932 become U+FFFD.
std::string toNative(const char* cp932Path);

}  // namespace imaging
