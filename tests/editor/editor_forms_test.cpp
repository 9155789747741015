// The editor's seven forms: the sources compile to the embedded resources, names are
// unique over the program, every control the editor uses is there with its kind and
// caption, the title combos take typed text, and no two controls cover each other.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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

const char* const kFormNames[] = {"MAINFORM", "FORM2", "FORM3", "FORM4", "FORM5", "FORM6", "FORM7"};

const FormResource& form(const std::string& name) {
    static const std::map<std::string, FormResource> forms = [] {
        std::map<std::string, FormResource> m;
        for (const char* n : kFormNames)
            m.emplace(n, tools::compileFormSource(
                             readWholeFile(std::string(QUILL_SOURCE_DIR) + "/editor/forms/" + n + ".form")));
        return m;
    }();
    return forms.at(name);
}

const FormObject* find(const std::string& formName, const std::string& name) {
    for (const auto& c : form(formName).controls)
        if (c.name == name) return &c;
    return nullptr;
}

std::string n(const char* prefix, int number) { return prefix + std::to_string(number); }

// A combo box's height is that of its drop-down list; on the form it takes one row.
int shownHeight(const FormObject& o) { return o.kind == ResourceKind::ComboBox ? 24 : o.geometry.height; }

bool overlap(const FormObject& x, const FormObject& y) {
    const FormGeometry &a = x.geometry, &b = y.geometry;
    return b.left < a.left + a.width && a.left < b.left + b.width && b.top < a.top + shownHeight(x) &&
           a.top < b.top + shownHeight(y);
}

bool contains(const FormObject& outer, const FormObject& inner) {
    const FormGeometry &a = outer.geometry, &b = inner.geometry;
    return b.left >= a.left && b.top >= a.top && b.left + b.width <= a.left + a.width &&
           b.top + shownHeight(inner) <= a.top + a.height;
}

}  // namespace

TEST(EditorForms, EmbeddedResourcesAreTheCompiledSources) {
    for (const char* name : kFormNames) {
        SCOPED_TRACE(name);
        const FormResource& res = form(name);
        EXPECT_EQ(res.form.name, name);
        const auto bytes = writeFormResource(res);
        EXPECT_EQ(parseFormResource(bytes), res);
        const auto embedded = findResource(name);
        ASSERT_TRUE(embedded.has_value()) << "not embedded";
        EXPECT_TRUE(std::equal(embedded->begin(), embedded->end(), bytes.begin(), bytes.end()));
    }
}

// The handlers are exported by name from one program: a name on two forms would bind
// both to one handler.
TEST(EditorForms, ObjectNamesAreUniqueOverAllForms) {
    std::map<std::string, std::string> owner;
    for (const char* name : kFormNames)
        for (const auto& c : form(name).controls) {
            const auto [it, fresh] = owner.emplace(c.name, name);
            EXPECT_TRUE(fresh) << c.name << " is in " << it->second << " and in " << name;
        }
}

TEST(EditorForms, FormsHaveTheirCaptions) {
    const std::map<std::string, const char*> captions = {
        {"MAINFORM", "取引画面のパラメータ設定　Ｖｅｒ．3.0"}, {"FORM2", "オプション画面のパラメータ設定"},
        {"FORM3", "項目３用　設定画面"}, {"FORM4", "項目４用　設定画面"}, {"FORM5", "項目１用　設定画面"},
        {"FORM6", "通貨ペアの設定画面"}, {"FORM7", "基本時間足の設定"}};
    for (const auto& [name, caption] : captions) EXPECT_EQ(form(name).form.caption, fromUtf8(caption)) << name;
}

TEST(EditorForms, TheNamedControlsAreThereWithTheirKindAndCaption) {
    struct Case {
        const char* form;
        const char* name;
        ResourceKind kind;
        const char* caption;  // null: not checked
    } cases[] = {
        {"MAINFORM", "COMBO1", ResourceKind::ComboBox, nullptr},
        {"MAINFORM", "BUTTON23", ResourceKind::PushButton, "設定"},
        {"MAINFORM", "COMBO3", ResourceKind::ComboBox, nullptr},
        {"MAINFORM", "BUTTON24", ResourceKind::PushButton, "設定"},
        {"MAINFORM", "EDIT1", ResourceKind::Edit, nullptr},
        {"MAINFORM", "EDIT2", ResourceKind::Edit, nullptr},
        {"MAINFORM", "EDIT18", ResourceKind::Edit, nullptr},
        {"MAINFORM", "EDIT19", ResourceKind::Edit, nullptr},
        {"MAINFORM", "BUTTON27", ResourceKind::PushButton, "オプションの設定へ"},
        {"MAINFORM", "BUTTON33", ResourceKind::PushButton, "設定を登録して終了"},
        {"MAINFORM", "BUTTON34", ResourceKind::PushButton, "登録しないで終了"},
        {"FORM2", "BUTTON28", ResourceKind::PushButton, "閉じる"},
        {"FORM3", "EDIT3", ResourceKind::Edit, nullptr},
        {"FORM3", "BUTTON17", ResourceKind::PushButton, "登録"},
        {"FORM3", "BUTTON18", ResourceKind::PushButton, "キャンセル"},
        {"FORM4", "EDIT7", ResourceKind::Edit, nullptr},
        {"FORM4", "BUTTON19", ResourceKind::PushButton, "登録"},
        {"FORM4", "BUTTON20", ResourceKind::PushButton, "キャンセル"},
        {"FORM5", "BUTTON21", ResourceKind::PushButton, "登録"},
        {"FORM5", "BUTTON22", ResourceKind::PushButton, "キャンセル"},
        {"FORM6", "BUTTON25", ResourceKind::PushButton, "登録"},
        {"FORM6", "BUTTON26", ResourceKind::PushButton, "キャンセル"},
        {"FORM7", "LIST1", ResourceKind::ListBox, nullptr},
        {"FORM7", "CHECK1", ResourceKind::CheckBox, "リストをクリックして編集"},
        {"FORM7", "BUTTON29", ResourceKind::PushButton, "書換登録"},
        {"FORM7", "BUTTON30", ResourceKind::PushButton, "挿入登録"},
        {"FORM7", "BUTTON31", ResourceKind::PushButton, "一行削除"},
        {"FORM7", "BUTTON32", ResourceKind::PushButton, "閉じる"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.form) + "." + c.name);
        const FormObject* o = find(c.form, c.name);
        ASSERT_NE(o, nullptr);
        EXPECT_EQ(o->kind, c.kind);
        if (c.caption) {
            EXPECT_EQ(o->caption, fromUtf8(c.caption));
        }
    }
    // Every list of the list forms: a title combo that takes typed text and offers the
    // three titles, a "CG選択" box, a multi-line item edit; the pairs have the edit only.
    struct ListCase {
        const char* form;
        int combo, edit, check;
    };
    std::vector<ListCase> lists = {{"FORM5", 50, 12, 9}};
    for (int k = 1; k <= 3; ++k) lists.push_back({"FORM3", 42 + k, 3 + k, 1 + k});
    for (int k = 0; k <= 3; ++k) lists.push_back({"FORM4", 46 + k, 8 + k, 5 + k});
    for (const auto& l : lists) {
        SCOPED_TRACE(std::string(l.form) + " " + n("COMBO", l.combo));
        const FormObject* combo = find(l.form, n("COMBO", l.combo));
        const FormObject* edit = find(l.form, n("EDIT", l.edit));
        const FormObject* check = find(l.form, n("CHECK", l.check));
        ASSERT_TRUE(combo && edit && check);
        EXPECT_EQ(combo->kind, ResourceKind::ComboBox);
        EXPECT_EQ(combo->style & 3u, 2u) << "a drop-down combo with an edit";
        EXPECT_EQ(combo->items, fromUtf8("SHORT\r\nMIDDLE\r\nLONG"));
        EXPECT_EQ(edit->style & 0x4u, 0x4u) << "multi-line";
        EXPECT_EQ(check->caption, fromUtf8("CG選択"));
    }
    ASSERT_NE(find("FORM6", "EDIT13"), nullptr);
    EXPECT_EQ(find("FORM6", "EDIT13")->style & 0x4u, 0x4u);
    for (int e = 14; e <= 17; ++e) EXPECT_EQ(find("FORM7", n("EDIT", e))->kind, ResourceKind::Edit);
}

// Group g's frame holds its "設　定" button and one label and one combo per sub-list,
// numbered as the program composes the names; option o's label, combo and button are
// on FORM2.
TEST(EditorForms, GroupAndOptionControlsFollowTheNamingRule) {
    for (int g = 1; g <= 11; ++g) {
        SCOPED_TRACE("group " + std::to_string(g));
        const FormObject* frame = find("MAINFORM", n("GROUP", g));
        const FormObject* button = find("MAINFORM", n("BUTTON", g));
        ASSERT_TRUE(frame && button);
        EXPECT_EQ(frame->kind, ResourceKind::GroupBox);
        EXPECT_EQ(button->caption, fromUtf8("設　定"));
        EXPECT_TRUE(contains(*frame, *button));
        for (int k = g == 2 ? 0 : 1; k <= 3; ++k) {
            const int number = g == 1 ? k + 3 : 3 * g + k + 1;
            const FormObject* label = find("MAINFORM", n("TEXT", number));
            const FormObject* combo = find("MAINFORM", n("COMBO", number));
            ASSERT_TRUE(label && combo) << "sub-list " << k;
            EXPECT_EQ(label->kind, ResourceKind::Label);
            EXPECT_EQ(combo->kind, ResourceKind::ComboBox);
            EXPECT_TRUE(contains(*frame, *label)) << label->name;
            EXPECT_TRUE(contains(*frame, *combo)) << combo->name;
        }
    }
    for (int o = 1; o <= 5; ++o) {
        EXPECT_EQ(find("FORM2", n("TEXT", 37 + o))->kind, ResourceKind::Label);
        EXPECT_EQ(find("FORM2", n("COMBO", 37 + o))->kind, ResourceKind::ComboBox);
        EXPECT_EQ(find("FORM2", n("BUTTON", 11 + o))->caption, fromUtf8("設　定"));
    }
}

TEST(EditorForms, NoControlCoversAnother) {
    for (const char* name : kFormNames) {
        const auto& controls = form(name).controls;
        for (std::size_t i = 0; i < controls.size(); ++i)
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                const FormObject &a = controls[i], &b = controls[j];
                // A frame holds its own controls; frames do not cover each other.
                if ((a.kind == ResourceKind::GroupBox) != (b.kind == ResourceKind::GroupBox)) continue;
                EXPECT_FALSE(overlap(a, b)) << name << ": " << a.name << " and " << b.name;
            }
    }
}
