#include "tools/forms/form_source.hpp"

#include <charconv>
#include <set>
#include <vector>

#include "runtime/sjis.hpp"

namespace tools {

namespace {

using runtime::FormObject;
using runtime::ResourceKind;

struct StyleName {
    std::string_view name;
    std::uint32_t value;
};

// The style constants the form sources may name.
constexpr StyleName kStyles[] = {
    {"WS_POPUP", 0x80000000},      {"WS_CHILD", 0x40000000},       {"WS_VISIBLE", 0x10000000},
    {"WS_DISABLED", 0x08000000},   {"WS_CLIPSIBLINGS", 0x04000000}, {"WS_CLIPCHILDREN", 0x02000000},
    {"WS_CAPTION", 0x00C00000},    {"WS_BORDER", 0x00800000},      {"WS_VSCROLL", 0x00200000},
    {"WS_HSCROLL", 0x00100000},    {"WS_SYSMENU", 0x00080000},     {"WS_THICKFRAME", 0x00040000},
    {"WS_GROUP", 0x00020000},      {"WS_TABSTOP", 0x00010000},     {"WS_MINIMIZEBOX", 0x00020000},
    {"WS_MAXIMIZEBOX", 0x00010000}, {"WS_EX_DLGMODALFRAME", 0x1},   {"BS_PUSHBUTTON", 0},
    {"BS_AUTOCHECKBOX", 3},        {"BS_GROUPBOX", 7},             {"BS_AUTORADIOBUTTON", 9},
    {"ES_LEFT", 0},                {"ES_MULTILINE", 0x4},          {"ES_AUTOVSCROLL", 0x40},
    {"ES_AUTOHSCROLL", 0x80},      {"ES_NOHIDESEL", 0x100},        {"ES_READONLY", 0x800},
    {"ES_NUMBER", 0x2000},         {"SS_LEFT", 0},                 {"SS_CENTER", 1},
    {"SS_RIGHT", 2},               {"SS_NOTIFY", 0x100},           {"LBS_NOTIFY", 0x1},
    {"LBS_MULTIPLESEL", 0x8},      {"SBS_HORZ", 0},                {"SBS_VERT", 1},
    {"CBS_SIMPLE", 1},             {"CBS_DROPDOWN", 2},            {"CBS_DROPDOWNLIST", 3},
    {"CBS_AUTOHSCROLL", 0x40},     {"CBS_HASSTRINGS", 0x200},
};

constexpr std::uint32_t kVisible = 0x10000000, kDisabled = 0x08000000, kChild = 0x40000000,
                        kTabStop = 0x00010000, kBorder = 0x00800000, kVScroll = 0x00200000,
                        kHScroll = 0x00100000;

struct KindName {
    std::string_view name;
    ResourceKind kind;
};
constexpr KindName kKinds[] = {
    {"button", ResourceKind::PushButton}, {"option", ResourceKind::OptionButton},
    {"check", ResourceKind::CheckBox},    {"group", ResourceKind::GroupBox},
    {"edit", ResourceKind::Edit},         {"label", ResourceKind::Label},
    {"list", ResourceKind::ListBox},      {"hscroll", ResourceKind::HScrollBar},
    {"vscroll", ResourceKind::VScrollBar}, {"combo", ResourceKind::ComboBox},
    {"picture", ResourceKind::PictureBox},
};

class Line {
public:
    Line(int number, std::vector<std::string> words) : number_(number), words_(std::move(words)) {}
    [[noreturn]] void fail(const std::string& message) const { throw FormSourceError(number_, message); }
    std::size_t size() const { return words_.size(); }
    const std::string& word(std::size_t i) const {
        if (i >= words_.size()) fail("'" + words_[0] + "' needs more values");
        return words_[i];
    }
    void expectCount(std::size_t n) const {
        if (words_.size() != n) fail("'" + words_[0] + "' takes " + std::to_string(n - 1) + " value(s)");
    }
    long long number(std::size_t i) const {
        std::string_view w = word(i);
        bool negative = false;
        if (!w.empty() && w[0] == '-') negative = true, w.remove_prefix(1);
        int base = 10;
        if (w.size() > 2 && w[0] == '0' && (w[1] == 'x' || w[1] == 'X')) base = 16, w.remove_prefix(2);
        long long v = 0;
        const auto [p, ec] = std::from_chars(w.data(), w.data() + w.size(), v, base);
        if (ec != std::errc() || p != w.data() + w.size() || w.empty()) fail("not a number: " + word(i));
        return negative ? -v : v;
    }
    template <typename T>
    T ranged(std::size_t i, long long lo, long long hi) const {
        const long long v = number(i);
        if (v < lo || v > hi) fail("value out of range: " + word(i));
        return static_cast<T>(v);
    }
    std::uint32_t u32(std::size_t i) const { return ranged<std::uint32_t>(i, 0, 0xFFFFFFFFLL); }
    std::uint16_t u16(std::size_t i) const { return ranged<std::uint16_t>(i, 0, 0xFFFF); }
    std::int16_t i16(std::size_t i) const { return ranged<std::int16_t>(i, -32768, 32767); }
    std::int32_t i32(std::size_t i) const { return ranged<std::int32_t>(i, -2147483648LL, 2147483647LL); }
    // A quoted text of the source, as CP932.
    std::string text(std::size_t i) const {
        const std::string& w = word(i);
        if (w.size() < 2 || w.front() != '"') fail("expected a quoted text: " + w);
        const std::string utf8 = w.substr(1, w.size() - 2);
        std::string sj = runtime::fromUtf8(utf8);
        if (runtime::toUtf8(sj) != utf8) fail("text has characters Shift-JIS cannot hold: " + w);
        return sj;
    }
    std::uint32_t flags(std::size_t i) const {
        std::uint32_t v = 0;
        std::string_view w = word(i);
        while (!w.empty()) {
            const auto bar = w.find('|');
            const std::string_view token = w.substr(0, bar);
            bool found = false;
            for (const auto& s : kStyles)
                if (s.name == token) v |= s.value, found = true;
            if (!found) {
                const Line one(number_, {words_[0], std::string(token)});
                v |= one.u32(1);
            }
            if (bar == std::string_view::npos) break;
            w.remove_prefix(bar + 1);
        }
        return v;
    }
    const std::string& key() const { return words_[0]; }

private:
    int number_;
    std::vector<std::string> words_;
};

// Splits a line into words; a word in double quotes may hold blanks, and \" and \\ in it
// stand for a quote and a backslash.
std::vector<std::string> splitWords(std::string_view s, int lineNumber) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] == ' ' || s[i] == '\t' || s[i] == '\r') {
            ++i;
            continue;
        }
        if (s[i] == '#') break;
        std::string w;
        if (s[i] == '"') {
            w.push_back('"');
            ++i;
            bool closed = false;
            while (i < s.size()) {
                if (s[i] == '\\' && i + 1 < s.size()) {
                    w.push_back(s[i + 1]);
                    i += 2;
                    continue;
                }
                if (s[i] == '"') {
                    closed = true;
                    ++i;
                    break;
                }
                w.push_back(s[i++]);
            }
            if (!closed) throw FormSourceError(lineNumber, "unclosed quote");
            w.push_back('"');
        } else {
            while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != '\r') w.push_back(s[i++]);
        }
        words.push_back(std::move(w));
    }
    return words;
}

FormObject formDefaults() {
    FormObject o;
    o.kind = ResourceKind::Form;
    o.style = 0x00C80115;  // WS_CAPTION | WS_SYSMENU with the dialog bits the forms use
    o.exStyle = 0x1;       // WS_EX_DLGMODALFRAME
    o.recD4 = 0;
    o.recD3 = 0;
    o.rec25 = 1;
    o.rec27 = 1;
    o.rec7C = 0;
    o.caption = "";
    o.rec1E = 0;
    o.rec1F = 0;
    o.rec20 = 15;
    o.rec3E = std::array<std::uint16_t, 4>{1, 1, 6, 6};
    o.rec3D = 0;
    o.fontSize = 18;
    o.font = runtime::FormFont{"FixedSys", 1};
    o.fontBlock = std::array<std::uint8_t, 14>{0x2C, 0x01, 50, 0};  // u16 300, u16 50, zeros
    return o;
}

FormObject controlDefaults(ResourceKind kind) {
    FormObject o;
    o.kind = kind;
    o.recD4 = 0;
    o.style = kChild | kVisible;
    o.foreColor = 0x000000;
    o.backColor = 0xFFFFFF;
    o.fontSize = 14;
    o.font = runtime::FormFont{runtime::fromUtf8("ＭＳ Ｐゴシック"), 128};
    switch (kind) {
    case ResourceKind::PushButton: o.style |= kTabStop; o.caption = ""; break;
    case ResourceKind::OptionButton: o.style |= kTabStop | 9; o.caption = ""; break;
    case ResourceKind::CheckBox: o.style |= kTabStop | 3; o.caption = ""; o.checkState = 0; break;
    case ResourceKind::GroupBox: o.style |= 7; o.caption = ""; break;
    case ResourceKind::Edit:
        o.style |= kTabStop | kBorder | 0x100 | 0x80;
        o.caption = "";
        o.maxLength = 32767;
        o.imeMode = 0;
        break;
    case ResourceKind::Label: o.caption = ""; break;
    case ResourceKind::ListBox: o.style |= kTabStop | kBorder | kVScroll | 0x1; o.items = ""; break;
    case ResourceKind::HScrollBar:
    case ResourceKind::VScrollBar:
        o.style |= kind == ResourceKind::VScrollBar ? 1 : 0;
        o.backColor = 0xC0C0C0;
        o.scrollRange = std::array<std::int16_t, 2>{0, 32767};
        o.scrollSteps = std::array<std::int16_t, 2>{1, 16};
        break;
    case ResourceKind::ComboBox: o.style |= kTabStop | 0x0243; o.items = ""; break;
    case ResourceKind::PictureBox: o.style = 0x56800000; o.rec27 = 1; break;
    case ResourceKind::Form: break;
    }
    return o;
}

void requireKind(const Line& line, const FormObject& o, std::initializer_list<ResourceKind> kinds) {
    for (const auto k : kinds)
        if (o.kind == k) return;
    line.fail("'" + line.key() + "' does not apply to " + o.name);
}

void applyKey(const Line& line, FormObject& o, runtime::FormResource& res) {
    using K = ResourceKind;
    const std::string& key = line.key();
    if (key == "caption") {
        line.expectCount(2);
        o.caption = line.text(1);
    } else if (key == "geometry") {
        line.expectCount(5);
        o.geometry.left = line.i32(1);
        o.geometry.top = line.i32(2);
        o.geometry.width = line.i32(3);
        o.geometry.height = line.i32(4);
    } else if (key == "state") {
        line.expectCount(2);
        requireKind(line, o, {K::Form});
        o.geometry.state = line.u32(1);
    } else if (key == "style") {
        line.expectCount(2);
        o.style = line.flags(1);
    } else if (key == "exstyle") {
        line.expectCount(2);
        o.exStyle = line.flags(1);
    } else if (key == "hidden") {
        o.style &= ~kVisible;
    } else if (key == "disabled") {
        o.style |= kDisabled;
    } else if (key == "notabstop") {
        o.style &= ~kTabStop;
    } else if (key == "multiline") {
        requireKind(line, o, {K::Edit});
        o.style |= 0x4 | 0x40 | kVScroll | kHScroll;
    } else if (key == "readonly") {
        requireKind(line, o, {K::Edit});
        o.style |= 0x800;
    } else if (key == "number") {
        requireKind(line, o, {K::Edit});
        o.style |= 0x2000;
    } else if (key == "multiselect") {
        requireKind(line, o, {K::ListBox});
        o.style |= 0x8;
    } else if (key == "align") {
        line.expectCount(2);
        requireKind(line, o, {K::Label});
        const std::string& a = line.word(1);
        o.style &= ~3u;
        if (a == "center") o.style |= 1;
        else if (a == "right") o.style |= 2;
        else if (a != "left") line.fail("align is left, center or right");
    } else if (key == "font") {
        if (line.size() < 3 || line.size() > 4) line.fail("font takes a face, a size and an optional charset");
        o.font = runtime::FormFont{line.text(1), line.size() == 4 ? line.u16(3) : o.font ? o.font->charset
                                                                                      : std::uint16_t{1}};
        o.fontSize = line.u16(2);
    } else if (key == "fontsize") {
        line.expectCount(2);
        o.fontSize = line.u16(1);
    } else if (key == "fore" || key == "back") {
        line.expectCount(2);
        (key == "fore" ? o.foreColor : o.backColor) = line.u32(1);
    } else if (key == "maxlength") {
        line.expectCount(2);
        requireKind(line, o, {K::Edit});
        o.maxLength = line.u32(1);
    } else if (key == "ime") {
        line.expectCount(2);
        requireKind(line, o, {K::Edit});
        o.imeMode = line.ranged<std::uint32_t>(1, 0, 7);
    } else if (key == "items") {
        requireKind(line, o, {K::ListBox, K::ComboBox});
        std::string items;
        for (std::size_t i = 1; i < line.size(); ++i) items += (i > 1 ? "\r\n" : "") + line.text(i);
        o.items = items;
    } else if (key == "check") {
        line.expectCount(2);
        requireKind(line, o, {K::CheckBox});
        o.checkState = line.ranged<std::uint32_t>(1, 0, 1);
    } else if (key == "range" || key == "steps") {
        line.expectCount(3);
        requireKind(line, o, {K::HScrollBar, K::VScrollBar});
        (key == "range" ? o.scrollRange : o.scrollSteps) = std::array<std::int16_t, 2>{line.i16(1), line.i16(2)};
    } else if (key == "main") {
        line.expectCount(2);
        requireKind(line, o, {K::Form});
        o.rec3D = line.u16(1);
    } else if (key == "trailer") {
        line.expectCount(3);
        requireKind(line, o, {K::Form});
        res.trailer = {line.u32(1), line.u32(2)};
    } else if (key == "tagD4") {
        line.expectCount(2);
        o.recD4 = line.u32(1);
    } else if (key == "tag25") {
        line.expectCount(2);
        requireKind(line, o, {K::Form});
        if (line.word(1) == "absent") o.rec25.reset();
        else o.rec25 = line.u16(1);
    } else {
        line.fail("unknown key '" + key + "'");
    }
}

void checkName(const Line& line, const std::string& name, std::set<std::string>& seen) {
    if (name.empty() || name.size() > 21) line.fail("a name has 1 to 21 bytes: " + name);
    for (const char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'))
            line.fail("names are upper-case letters, digits and '_': " + name);
    if (!seen.insert(name).second) line.fail("name used twice: " + name);
}

void addEvents(FormObject& o) {
    o.events.clear();
    for (const auto id : runtime::eventsOfKind(o.kind))
        o.events.push_back({id, o.name + "_" + std::string(runtime::eventSuffix(id))});
}

}  // namespace

runtime::FormResource compileFormSource(std::string_view source) {
    runtime::FormResource res;
    FormObject* current = nullptr;
    std::set<std::string> names;
    int lineNumber = 0;
    while (!source.empty()) {
        const auto nl = source.find('\n');
        const std::string_view text = source.substr(0, nl);
        source = nl == std::string_view::npos ? std::string_view{} : source.substr(nl + 1);
        ++lineNumber;
        std::vector<std::string> words = splitWords(text, lineNumber);
        if (words.empty()) continue;
        const Line line(lineNumber, std::move(words));
        if (line.key() == "form") {
            line.expectCount(2);
            if (current) line.fail("only one form per source");
            res.form = formDefaults();
            res.form.name = line.word(1);
            checkName(line, res.form.name, names);
            res.name = res.form.name;
            current = &res.form;
        } else if (line.key() == "control") {
            line.expectCount(3);
            if (!current) line.fail("a control before the form");
            const KindName* kind = nullptr;
            for (const auto& k : kKinds)
                if (k.name == line.word(1)) kind = &k;
            if (!kind) line.fail("unknown control kind '" + line.word(1) + "'");
            res.controls.push_back(controlDefaults(kind->kind));
            current = &res.controls.back();
            current->name = line.word(2);
            checkName(line, current->name, names);
        } else {
            if (!current) line.fail("a setting before the form");
            applyKey(line, *current, res);
        }
    }
    if (!current) throw FormSourceError(lineNumber, "no form in the source");
    addEvents(res.form);
    for (auto& c : res.controls) addEvents(c);
    return res;
}

}  // namespace tools
