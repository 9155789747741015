#include "platform/file_path.hpp"

#include <filesystem>

namespace platform {

std::string absolutePath(std::string_view path, std::string_view base) {
    std::string absolute(path);
    if (absolute.empty() || absolute.front() != '/') {
        std::string folder(base);
        if (folder.empty() || folder.back() != '/') folder += '/';
        absolute = folder + absolute;
    }
    return std::filesystem::path(absolute).lexically_normal().generic_string();
}

}  // namespace platform
