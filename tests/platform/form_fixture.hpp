#pragma once
// A visible form with helpers to add controls, shared by the platform tests.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cp932.hpp"
#include "platform/model.hpp"

namespace platform::test {

inline constexpr std::uint32_t Shown = style::Visible;
inline constexpr std::uint32_t Tabbed = style::Visible | style::TabStop;

class FormFixture : public testing::Test {
protected:
    Model model;
    Handle form = model.createForm("FORM1", "TestForm", style::Visible | style::Caption | style::ThickFrame, 0,
                                   {100, 100, 400, 300});

    Handle add(Kind kind, const std::string& name, std::uint32_t st = Tabbed, Rect r = {10, 10, 80, 24}) {
        return model.createControl(form, kind, name, st, 0, r);
    }
    // Notifications taken from the queue as "kind:NAME" words.
    std::vector<std::string> drain() {
        std::vector<std::string> out;
        while (auto n = model.takeNotification()) out.push_back(std::string(notificationWord(n->kind)) + ":" + n->name);
        return out;
    }
    std::string nameOf(Handle h) const { return model.find(h) ? model.find(h)->name : "?"; }
    static std::string sj(const char* utf8) { return utf8ToCp932(utf8); }
};

using Words = std::vector<std::string>;

}  // namespace platform::test
