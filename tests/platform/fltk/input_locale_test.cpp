// The character type the FLTK backend holds for the X input method: UTF-8 whatever the
// user's locale variables say, with every other category left as they set it.

#include <gtest/gtest.h>
#include <langinfo.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/fltk/input_locale.hpp"

namespace platform::test {
namespace {

const std::vector<const char*> variables = {
    "LC_ALL",         "LC_CTYPE",         "LANG",       "LC_COLLATE", "LC_MONETARY",  "LC_NUMERIC",
    "LC_TIME",        "LC_MESSAGES",      "LC_PAPER",   "LC_NAME",    "LC_ADDRESS",   "LC_TELEPHONE",
    "LC_MEASUREMENT", "LC_IDENTIFICATION",
};

using Environment = std::map<std::string, std::string>;

Environment environment() {
    Environment env;
    for (const char* v : variables)
        if (const char* value = std::getenv(v)) env[v] = value;
    return env;
}

void setEnvironment(const Environment& env) {
    for (const char* v : variables) unsetenv(v);
    for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
}

// The locale the environment gives one category, as setlocale(category, "") picks it.
std::string fromEnvironment(int category) {
    const char* name = std::setlocale(category, "");
    return name ? name : "(none)";
}

const std::vector<std::pair<int, const char*>> otherCategories = {
    {LC_COLLATE, "collate"},     {LC_MONETARY, "monetary"},       {LC_NUMERIC, "numeric"},
    {LC_TIME, "time"},           {LC_MESSAGES, "messages"},       {LC_PAPER, "paper"},
    {LC_NAME, "name"},           {LC_ADDRESS, "address"},         {LC_TELEPHONE, "telephone"},
    {LC_MEASUREMENT, "measurement"}, {LC_IDENTIFICATION, "identification"},
};

class InputLocale : public testing::Test {
protected:
    void TearDown() override {
        setEnvironment(saved_);
        std::setlocale(LC_ALL, "C");
        std::setlocale(LC_CTYPE, "");
    }

private:
    Environment saved_ = environment();
};

struct Case {
    const char* what;
    Environment env;
    bool userChoseUtf8;  // the environment must stay exactly as it was
};

TEST_F(InputLocale, TheCharacterTypeIsUtf8AndEveryOtherCategoryStaysTheUsers) {
    const Case cases[] = {
        {"LANG=C", {{"LANG", "C"}}, false},
        {"no locale variable at all", {}, false},
        {"LC_ALL=C outranks LC_CTYPE", {{"LC_ALL", "C"}, {"LANG", "C.UTF-8"}, {"LC_MESSAGES", "C.UTF-8"}}, false},
        {"an empty LC_ALL counts for nothing", {{"LC_ALL", ""}, {"LANG", "POSIX"}}, false},
        {"LC_CTYPE=C under a UTF-8 LANG", {{"LC_CTYPE", "C"}, {"LANG", "C.UTF-8"}}, false},
        {"a UTF-8 locale that is not installed", {{"LANG", "xx_YY.UTF-8"}, {"LC_NUMERIC", "C"}}, false},
        {"LANG=C.UTF-8", {{"LANG", "C.UTF-8"}, {"LC_MESSAGES", "C"}}, true},
        {"LC_CTYPE=C.UTF-8 under LANG=C", {{"LC_CTYPE", "C.UTF-8"}, {"LANG", "C"}}, true},
        {"LC_ALL=C.UTF-8", {{"LC_ALL", "C.UTF-8"}, {"LC_CTYPE", "C"}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setEnvironment(c.env);
        std::map<int, std::string> before;
        for (const auto& [category, name] : otherCategories) before[category] = fromEnvironment(category);

        platform::fltk::holdUtf8CharacterType();

        EXPECT_STREQ(nl_langinfo(CODESET), "UTF-8") << "the process's own character type";
        ASSERT_NE(std::setlocale(LC_CTYPE, ""), nullptr) << "what FLTK's display opening picks";
        EXPECT_STREQ(nl_langinfo(CODESET), "UTF-8");
        for (const auto& [category, name] : otherCategories)
            EXPECT_EQ(fromEnvironment(category), before[category]) << name;
        if (c.userChoseUtf8) EXPECT_EQ(environment(), c.env) << "the user's UTF-8 choice is left alone";
        else EXPECT_EQ(environment()["LC_CTYPE"], "C.UTF-8");
    }
}

}  // namespace
}  // namespace platform::test
