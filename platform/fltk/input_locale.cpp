#include "platform/fltk/input_locale.hpp"

#include <langinfo.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

namespace platform::fltk {

namespace {

constexpr const char* fallback = "C.UTF-8";

// The categories besides the character type that LC_ALL sets, as glibc names them.
constexpr const char* otherCategories[] = {
    "LC_COLLATE", "LC_MONETARY", "LC_NUMERIC",   "LC_TIME",        "LC_MESSAGES",      "LC_PAPER",
    "LC_NAME",    "LC_ADDRESS",  "LC_TELEPHONE", "LC_MEASUREMENT", "LC_IDENTIFICATION",
};

bool utf8CharacterType() { return std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0; }

}  // namespace

void holdUtf8CharacterType() {
    // A locale that is named but not installed gives nothing: the fallback is needed then too.
    if (std::setlocale(LC_CTYPE, "") && utf8CharacterType()) return;
    // Without the fallback locale there is nothing better to offer; the environment stays.
    if (!std::setlocale(LC_CTYPE, fallback) || !utf8CharacterType()) {
        std::setlocale(LC_CTYPE, "");
        return;
    }
    if (const char* all = std::getenv("LC_ALL"); all && *all) {
        const std::string value = all;
        for (const char* category : otherCategories) setenv(category, value.c_str(), 1);
        unsetenv("LC_ALL");
    }
    setenv("LC_CTYPE", fallback, 1);
    std::setlocale(LC_CTYPE, "");
}

}  // namespace platform::fltk
