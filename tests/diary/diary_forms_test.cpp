// The diary's eight forms: the sources compile, the embedded resources are exactly their
// compilation, names are unique over all forms, and the controls stand where the screen
// layout puts them.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "runtime/form_resource.hpp"
#include "runtime/resources.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"
#include "tools/forms/form_source.hpp"

using namespace runtime;

namespace {

const char* const kFormNames[] = {"MAINFORM", "FORM2", "FORM3", "FORM4", "FORM5", "FORM6", "FORM7", "FORM8"};

constexpr std::uint32_t kVisible = 0x10000000, kDisabled = 0x08000000, kThickFrame = 0x00040000,
                        kSysMenu = 0x00080000, kMultiline = 0x4, kReadOnly = 0x800, kNumber = 0x2000,
                        kMultiSelect = 0x8, kComboStyleMask = 0x0FFF;

const FormResource& form(const std::string& name) {
    static const std::map<std::string, FormResource> forms = [] {
        std::map<std::string, FormResource> m;
        for (const char* n : kFormNames)
            m.emplace(n, tools::compileFormSource(
                             readWholeFile(std::string(QUILL_SOURCE_DIR) + "/diary/forms/" + n + ".form")));
        return m;
    }();
    return forms.at(name);
}

const FormObject* find(const FormResource& res, const std::string& name) {
    if (res.form.name == name) return &res.form;
    for (const auto& c : res.controls)
        if (c.name == name) return &c;
    return nullptr;
}

const FormObject& control(const std::string& formName, const std::string& name) {
    const FormObject* o = find(form(formName), name);
    if (!o) throw std::runtime_error(name + " is not in " + formName);
    return *o;
}

// A combo box's height is that of its drop-down list; on the form it takes one row.
int shownHeight(const FormObject& o) { return o.kind == ResourceKind::ComboBox ? 24 : o.geometry.height; }

bool contains(const FormObject& outer, const FormObject& inner) {
    const FormGeometry &a = outer.geometry, &b = inner.geometry;
    return b.left >= a.left && b.top >= a.top && b.left + b.width <= a.left + a.width &&
           b.top + shownHeight(inner) <= a.top + a.height;
}

bool overlap(const FormObject& x, const FormObject& y) {
    const FormGeometry &a = x.geometry, &b = y.geometry;
    return b.left < a.left + a.width && a.left < b.left + b.width && b.top < a.top + shownHeight(x) &&
           a.top < b.top + shownHeight(y);
}

std::string face(const FormObject& o) { return o.font ? toUtf8(o.font->face) : std::string("(none)"); }

}  // namespace

TEST(DiaryForms, EmbeddedResourcesAreTheCompiledSourcesAndRoundTrip) {
    for (const char* name : kFormNames) {
        SCOPED_TRACE(name);
        const FormResource& res = form(name);
        EXPECT_EQ(res.name, name);
        EXPECT_EQ(res.form.name, name);
        const auto bytes = writeFormResource(res);
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes[bytes.size() - 2] | (bytes[bytes.size() - 1] << 8), 0x0002);
        EXPECT_EQ(parseFormResource(bytes), res);

        const auto embedded = findResource(name);
        ASSERT_TRUE(embedded.has_value()) << "not embedded";
        EXPECT_TRUE(std::equal(embedded->begin(), embedded->end(), bytes.begin(), bytes.end()))
            << "the embedded resource is not the compilation of the source";
    }
}

TEST(DiaryForms, ObjectAndHandlerNamesAreUniqueOverAllForms) {
    std::map<std::string, std::string> owner;  // object name -> form
    std::set<std::string> handlers;
    for (const char* name : kFormNames) {
        const FormResource& res = form(name);
        std::vector<const FormObject*> objects{&res.form};
        for (const auto& c : res.controls) objects.push_back(&c);
        for (const FormObject* o : objects) {
            const auto [it, fresh] = owner.emplace(o->name, name);
            EXPECT_TRUE(fresh) << o->name << " is in " << it->second << " and in " << name;
            for (const auto& e : o->events) EXPECT_TRUE(handlers.insert(e.handler).second) << e.handler;
        }
    }
}

// Every handler the program defines must be one that the resource of its form lists.
TEST(DiaryForms, ResourcesListTheEventsTheProgramHandles) {
    const std::map<std::string, std::vector<std::string>> handled = {
        {"MAINFORM", {"MAINFORM_END", "LIST1_CLICK", "BUTTON21_ON", "BUTTON22_ON", "BUTTON50_ON", "CHECK4_ON",
                      "BUTTON55_ON", "BUTTON56_ON"}},
        {"FORM2", {"FORM2_RESIZE", "PICTURE1_MOUSEDOWN", "PICTURE1_MOUSEMOVE", "HSCROLL1_CHANGE",
                   "VSCROLL1_CHANGE", "BUTTON1_ON", "BUTTON2_ON", "COMBO1_CHANGE", "BUTTON3_ON", "BUTTON4_ON",
                   "BUTTON5_ON", "BUTTON7_ON", "BUTTON31_ON", "COMBO44_CHANGE"}},
        {"FORM3", {"BUTTON6_ON", "BUTTON9_ON", "BUTTON10_ON", "BUTTON11_ON", "BUTTON12_ON", "BUTTON13_ON",
                   "BUTTON20_ON", "COMBO4_CHANGE", "EDIT7_SETFOCUS", "EDIT8_SETFOCUS", "BUTTON24_ON",
                   "BUTTON32_ON", "TEXT53_CLICK", "TEXT54_CLICK", "BUTTON51_ON", "TEXT61_CLICK", "TEXT62_CLICK",
                   "BUTTON52_ON", "TEXT65_CLICK", "BUTTON57_ON", "BUTTON58_ON", "EDIT20_SETFOCUS",
                   "EDIT21_SETFOCUS", "TEXT69_CLICK", "TEXT70_CLICK", "BUTTON63_ON"}},
        {"FORM4", {"BUTTON14_ON", "BUTTON15_ON", "BUTTON16_ON", "BUTTON17_ON", "BUTTON18_ON", "BUTTON19_ON"}},
        {"FORM5", {"BUTTON23_ON", "LIST2_CLICK", "LIST3_CLICK", "LIST5_CLICK", "LIST6_CLICK", "BUTTON33_ON",
                   "BUTTON34_ON", "BUTTON35_ON", "BUTTON36_ON", "BUTTON37_ON", "BUTTON38_ON", "CHECK2_ON",
                   "CHECK3_ON", "BUTTON49_ON", "COMBO45_CHANGE"}},
        {"FORM6", {"COMBO5_CHANGE", "COMBO5_CLICK", "COMBO6_CHANGE", "COMBO6_CLICK", "COMBO7_CHANGE",
                   "COMBO7_CLICK", "COMBO8_CHANGE", "COMBO8_CLICK", "COMBO9_CHANGE", "COMBO9_CLICK",
                   "BUTTON25_ON", "BUTTON26_ON", "BUTTON27_ON", "BUTTON28_ON", "BUTTON29_ON"}},
        {"FORM7", {"BUTTON53_ON", "BUTTON54_ON"}},
        {"FORM8", {"BUTTON59_ON", "BUTTON60_ON", "BUTTON61_ON", "BUTTON62_ON"}},
    };
    for (const auto& [formName, names] : handled) {
        std::set<std::string> listed;
        const FormResource& res = form(formName);
        for (const auto& e : res.form.events) listed.insert(e.handler);
        for (const auto& c : res.controls)
            for (const auto& e : c.events) listed.insert(e.handler);
        for (const auto& h : names) EXPECT_TRUE(listed.count(h)) << formName << " does not list " << h;
    }
}

TEST(DiaryForms, FormsHaveTheirCaptionGeometryAndFrame) {
    struct Case {
        const char* name;
        const char* caption;
        FormGeometry geometry;
        std::uint16_t mainRecord;
        bool sizingFrame;
    } cases[] = {
        {"MAINFORM", "メイン画面", {0, 173, 454, 844, 411}, 1, false},
        {"FORM2", "FORM2", {0, 386, 259, 485, 300}, 0, true},
        {"FORM3", "取引基本設定", {0, 206, 324, 1119, 542}, 0, false},
        {"FORM4", "メモ", {0, 345, 212, 646, 460}, 0, false},
        {"FORM5", "整理データ表示", {0, 128, 237, 1301, 466}, 0, false},
        {"FORM6", "オプション設定", {0, 173, 779, 630, 148}, 0, false},
        {"FORM7", "FORM7", {0, 1164, 12, 385, 162}, 0, false},
        {"FORM8", "貼り付け項目チェックリスト", {0, 487, 592, 656, 382}, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FormObject& f = form(c.name).form;
        EXPECT_EQ(f.caption, fromUtf8(c.caption));
        EXPECT_EQ(f.geometry, c.geometry);
        EXPECT_EQ(f.rec3D, c.mainRecord);
        EXPECT_EQ((f.style & kThickFrame) != 0, c.sizingFrame);
        EXPECT_EQ((f.style & kSysMenu) != 0, !c.sizingFrame);
    }
}

TEST(DiaryForms, ControlsStandAsTheLayoutPlacesThem) {
    struct Case {
        const char* form;
        const char* name;
        ResourceKind kind;
        std::optional<const char*> caption;  // nullopt: no caption record
        FormGeometry geometry;
        const char* face;
        std::uint16_t size;
    } cases[] = {
        {"MAINFORM", "LIST1", ResourceKind::ListBox, std::nullopt, {0, 12, 114, 810, 198}, "ＭＳ ゴシック", 10},
        {"MAINFORM", "TEXT56", ResourceKind::Label, "TEXT56", {0, 234, 18, 198, 36}, "ＭＳ Ｐゴシック", 12},
        {"MAINFORM", "CHECK4", ResourceKind::CheckBox, "Buckup", {0, 570, 36, 78, 18}, "ＭＳ Ｐゴシック", 12},
        {"MAINFORM", "TEXT59", ResourceKind::Label, "取引No　　　　設定日時　　　　　状態", {0, 18, 96, 288, 18},
         "ＭＳ ゴシック", 10},
        {"MAINFORM", "TEXT60", ResourceKind::Label,
         "通貨ペア　 　価格　　　売買　　エントリー日時　　　　目標　　　損切", {0, 312, 96, 486, 18}, "ＭＳ ゴシック",
         10},
        {"FORM2", "PICTURE1", ResourceKind::PictureBox, std::nullopt, {0, 114, 48, 96, 90}, "ＭＳ Ｐゴシック", 14},
        {"FORM2", "VSCROLL1", ResourceKind::VScrollBar, std::nullopt, {0, 216, 48, 18, 90}, "ＭＳ Ｐゴシック", 14},
        {"FORM2", "BUTTON4", ResourceKind::PushButton, "←", {0, 270, 0, 24, 24}, "ＭＳ Ｐゴシック", 14},
        {"FORM3", "BUTTON32", ResourceKind::PushButton, "エントリー・決済　日時確定", {0, 912, 12, 150, 24},
         "ＭＳ Ｐゴシック", 10},
        {"FORM3", "TEXT53", ResourceKind::Label, "価　　格", {0, 318, 12, 108, 18}, "ＭＳ Ｐゴシック", 14},
        {"FORM3", "TEXT62", ResourceKind::Label, "", {0, 678, 60, 174, 18}, "ＭＳ Ｐゴシック", 10},
        {"FORM3", "COMBO4", ResourceKind::ComboBox, std::nullopt, {0, 192, 36, 108, 228}, "ＭＳ Ｐゴシック", 14},
        {"FORM3", "BUTTON11", ResourceKind::PushButton, "メ　モ", {0, 6, 444, 78, 30}, "ＭＳ Ｐゴシック", 14},
        {"FORM4", "EDIT1", ResourceKind::Edit, "", {0, 24, 18, 498, 396}, "ＭＳ Ｐゴシック", 14},
        {"FORM5", "LIST4", ResourceKind::ListBox, std::nullopt, {0, 12, 132, 198, 268}, "ＭＳ ゴシック", 12},
        {"FORM5", "EDIT10", ResourceKind::Edit, "", {0, 756, 132, 384, 294}, "ＭＳ ゴシック", 12},
        {"FORM5", "LIST2", ResourceKind::ListBox, std::nullopt, {0, 228, 30, 456, 68}, "ＭＳ ゴシック", 10},
        {"FORM5", "TEXT12", ResourceKind::Label, "この決済の損益  0", {0, 1068, 42, 198, 18}, "ＭＳ ゴシック", 12},
        {"FORM5", "BUTTON37", ResourceKind::PushButton, "チャートＣＧをコピー", {0, 618, 108, 102, 18},
         "ＭＳ Ｐゴシック", 8},
        {"FORM6", "BUTTON29", ResourceKind::PushButton, "ＣＧ参照", {0, 480, 24, 108, 18}, "ＭＳ Ｐゴシック", 10},
        {"FORM7", "TEXT64", ResourceKind::Label,
         "２０　　　　　年　　　　　月　　　　　　日　　　　　　　時　　　　　分　　　　　秒", {0, 30, 60, 324, 18},
         "ＭＳ Ｐゴシック", 14},
        {"FORM7", "BUTTON54", ResourceKind::PushButton, "ｷｬﾝｾﾙ", {0, 114, 84, 66, 30}, "ＭＳ Ｐゴシック", 14},
        {"FORM7", "EDIT15", ResourceKind::Edit, "", {0, 95, 48, 30, 24}, "ＭＳ Ｐゴシック", 14},
        {"FORM8", "CHECK22", ResourceKind::CheckBox, "ＧＲＯＵＰ１１", {0, 426, 156, 192, 18}, "ＭＳ Ｐゴシック", 14},
        {"FORM8", "CHECK29", ResourceKind::CheckBox, "決済目標価格", {0, 372, 18, 102, 18}, "ＭＳ Ｐゴシック", 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.form) + " " + c.name);
        const FormObject& o = control(c.form, c.name);
        EXPECT_EQ(o.kind, c.kind);
        if (c.caption) {
            EXPECT_EQ(o.caption, fromUtf8(*c.caption));
        } else {
            EXPECT_FALSE(o.caption.has_value());
        }
        EXPECT_EQ(o.geometry, c.geometry);
        EXPECT_EQ(face(o), c.face);
        EXPECT_EQ(o.fontSize, c.size);
        EXPECT_EQ(o.font->charset, 128);
    }
}

TEST(DiaryForms, OnlyTheListedControlsStartHiddenAndNoneStartsDisabled) {
    const std::set<std::string> expectedHidden = {"BUTTON56", "COMBO44", "BUTTON10", "EDIT11", "EDIT12",
                                                  "TEXT61",   "BUTTON52", "BUTTON63", "CHECK5"};
    std::set<std::string> hidden;
    for (const char* name : kFormNames)
        for (const auto& c : form(name).controls) {
            if (!(c.style & kVisible)) hidden.insert(c.name);
            EXPECT_FALSE(c.style & kDisabled) << c.name;
        }
    EXPECT_EQ(hidden, expectedHidden);
}

TEST(DiaryForms, EditAndListFieldsHaveTheirInputRules) {
    struct Case {
        const char* form;
        const char* name;
        std::uint32_t maxLength, imeMode, styleBits;  // styleBits: which of the bits below are set
    } cases[] = {
        {"FORM3", "EDIT2", 3, 2, kNumber},   {"FORM3", "EDIT3", 5, 2, kNumber},
        {"FORM3", "EDIT4", 3, 2, kNumber},   {"FORM3", "EDIT5", 3, 2, kNumber},
        {"FORM3", "EDIT6", 6, 2, 0},         {"FORM3", "EDIT7", 3, 2, kNumber},
        {"FORM3", "EDIT8", 5, 2, kNumber},   {"FORM3", "EDIT20", 3, 2, kNumber},
        {"FORM3", "EDIT21", 5, 2, kNumber},  {"FORM3", "EDIT11", 32767, 0, 0},
        {"FORM4", "EDIT1", 32767, 4, kMultiline},
        {"FORM5", "EDIT9", 32767, 0, kMultiline | kReadOnly},
        {"FORM5", "EDIT10", 32767, 0, kMultiline | kReadOnly},
        {"FORM7", "EDIT13", 32767, 2, 0},    {"FORM7", "EDIT14", 2, 2, kNumber},
        {"FORM7", "EDIT19", 2, 2, kNumber},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FormObject& o = control(c.form, c.name);
        ASSERT_EQ(o.kind, ResourceKind::Edit);
        EXPECT_EQ(o.maxLength, c.maxLength);
        EXPECT_EQ(o.imeMode, c.imeMode);
        EXPECT_EQ(o.style & (kNumber | kMultiline | kReadOnly), c.styleBits);
    }

    // Lists and combos start empty: the program fills every one of them (the scale list of
    // the chart window included), so an item in a resource would appear twice. Only LIST4
    // selects several lines; every combo is a drop-down list.
    for (const char* name : kFormNames)
        for (const auto& o : form(name).controls) {
            if (o.kind != ResourceKind::ListBox && o.kind != ResourceKind::ComboBox) continue;
            SCOPED_TRACE(o.name);
            ASSERT_TRUE(o.items.has_value());
            EXPECT_EQ(*o.items, "");
            if (o.kind == ResourceKind::ListBox) {
                EXPECT_EQ((o.style & kMultiSelect) != 0, o.name == "LIST4");
            } else {
                EXPECT_EQ(o.style & kComboStyleMask, 0x0243u);
            }
        }
    EXPECT_EQ(control("FORM5", "CHECK1").checkState, 0u);
    EXPECT_EQ(control("FORM5", "CHECK2").checkState, 1u);
    EXPECT_EQ(control("FORM5", "CHECK3").checkState, 1u);
}

// The controls the program reaches through composed names: for group g (1..11) the frame,
// the chart button and one label and one combo per sub-list; for option k (1..5) of FORM6
// the label, the combo and the chart button. Each carries the font size the program gives
// it, and the group controls lie inside their own frame and no other.
TEST(DiaryForms, GroupAndOptionControlsFollowTheNamingRules) {
    const FormResource& f3 = form("FORM3");
    const auto n = [](const char* prefix, int number) { return prefix + std::to_string(number); };
    std::set<std::string> named;
    for (int g = 1; g <= 11; ++g) {
        SCOPED_TRACE("group " + std::to_string(g));
        const FormObject* frame = find(f3, n("GROUP", g));
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->kind, ResourceKind::GroupBox);
        EXPECT_EQ(frame->fontSize, 14);
        named.insert(frame->name);

        const FormObject* button = find(f3, n("BUTTON", g == 1 ? 29 + g : 37 + g));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->kind, ResourceKind::PushButton);
        EXPECT_EQ(button->fontSize, 12);
        EXPECT_EQ(button->caption, fromUtf8("ＣＧ参照"));
        EXPECT_EQ(button->geometry.top, frame->geometry.top);  // on the frame's top edge, at its right
        EXPECT_EQ(button->geometry.left + button->geometry.width,
                  frame->geometry.left + frame->geometry.width - 30);
        named.insert(button->name);

        for (int i = g == 2 ? 0 : 1; i <= 3; ++i) {
            const FormObject* label = find(f3, n("TEXT", g == 1 ? i + 18 : 3 * g + i + 16));
            const FormObject* combo = find(f3, n("COMBO", g == 1 ? i + 9 : 3 * g + i + 7));
            ASSERT_NE(label, nullptr) << "sub-list " << i;
            ASSERT_NE(combo, nullptr) << "sub-list " << i;
            EXPECT_EQ(label->kind, ResourceKind::Label);
            EXPECT_EQ(combo->kind, ResourceKind::ComboBox);
            EXPECT_EQ(label->fontSize, 10);
            EXPECT_EQ(combo->fontSize, 12);
            EXPECT_EQ(combo->geometry.width, 108);
            EXPECT_EQ(label->geometry.left, combo->geometry.left);
            EXPECT_LT(label->geometry.top, combo->geometry.top);
            EXPECT_TRUE(contains(*frame, *label)) << label->name;
            EXPECT_TRUE(contains(*frame, *combo)) << combo->name;
            std::set<std::string> handlers;
            for (const auto& e : combo->events) handlers.insert(e.handler);
            EXPECT_TRUE(handlers.count(combo->name + "_CHANGE") && handlers.count(combo->name + "_CLICK"));
            named.insert(label->name);
            named.insert(combo->name);
        }
    }
    EXPECT_EQ(control("FORM3", "GROUP1").geometry, (FormGeometry{0, 6, 84, 348, 78}));
    EXPECT_EQ(control("FORM3", "BUTTON30").geometry, (FormGeometry{0, 246, 84, 78, 18}));

    // The composed names are exactly the controls inside the frames, and the frames do not
    // overlap one another or any control outside them.
    std::vector<const FormObject*> frames;
    for (const auto& c : f3.controls)
        if (c.kind == ResourceKind::GroupBox) frames.push_back(&c);
    ASSERT_EQ(frames.size(), 11u);
    for (const auto& c : f3.controls) {
        bool onAFrame = false;
        for (const FormObject* fr : frames) onAFrame = onAFrame || (fr != &c && overlap(*fr, c));
        if (c.kind == ResourceKind::GroupBox) {
            EXPECT_FALSE(onAFrame) << c.name;
        } else {
            EXPECT_EQ(onAFrame, named.count(c.name) == 1) << c.name;
        }
    }
    EXPECT_EQ(named.size(), 11u + 11u + 2u * 34u);

    for (int k = 1; k <= 5; ++k) {
        SCOPED_TRACE("option " + std::to_string(k));
        const FormObject& label = control("FORM6", n("TEXT", 13 + k));
        const FormObject& combo = control("FORM6", n("COMBO", k + 4));
        const FormObject& button = control("FORM6", n("BUTTON", 24 + k));
        EXPECT_EQ(label.kind, ResourceKind::Label);
        EXPECT_EQ(combo.kind, ResourceKind::ComboBox);
        EXPECT_EQ(button.kind, ResourceKind::PushButton);
        EXPECT_EQ(label.fontSize, 10);
        EXPECT_EQ(combo.fontSize, 12);
        EXPECT_EQ(button.fontSize, 10);
        // One column per option: label over button over combo, 114 apart.
        const int left = 24 + 114 * (k - 1);
        EXPECT_EQ(label.geometry, (FormGeometry{0, left, 6, 108, 18}));
        EXPECT_EQ(button.geometry, (FormGeometry{0, left, 24, 108, 18}));
        EXPECT_EQ(combo.geometry, (FormGeometry{0, left, 42, 108, 180}));
    }
}
