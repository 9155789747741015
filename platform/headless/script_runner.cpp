#include "platform/headless/script_runner.hpp"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/cp932.hpp"
#include "platform/dump.hpp"

namespace platform {

namespace {

// "RRGGBB" (six hex digits, red first, as colours are written for people) as the model's
// 0x00BBGGRR.
std::optional<Colour> hexColour(const std::string& text) {
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return std::nullopt;
    const auto rgb = static_cast<Colour>(std::stoul(text, nullptr, 16));
    return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

std::string rgbText(Colour c) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", c & 0xFF, c >> 8 & 0xFF, c >> 16 & 0xFF);
    return text;
}

struct Token {
    std::string text;
    bool quoted = false;
    std::size_t end = 0;  // offset in the line just after the token
};

// Splits a line into words and "quoted strings" (with \" , \\ and \n for a line break inside).
std::optional<std::vector<Token>> tokenize(std::string_view line, std::string& error) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        Token t;
        if (line[i] == '"') {
            t.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && i < line.size()) {
                    const char e = line[i++];
                    t.text += e == 'n' ? '\n' : e;
                } else {
                    t.text += c;
                }
            }
            if (!closed) {
                error = "a quoted text is not closed";
                return std::nullopt;
            }
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t') t.text += line[i++];
        }
        t.end = i;
        tokens.push_back(std::move(t));
    }
    return tokens;
}

std::optional<int> toInt(const std::string& s) {
    int v = 0;
    const char* end = s.data() + s.size();
    auto [p, ec] = std::from_chars(s.data(), end, v);
    if (ec != std::errc() || p != end) return std::nullopt;
    return v;
}

std::optional<int> messageBoxResult(const std::string& word) {
    static const std::map<std::string, int> names = {{"ok", 0},     {"cancel", 1}, {"abort", 2}, {"retry", 3},
                                                     {"ignore", 4}, {"yes", 5},    {"no", 6}};
    if (auto it = names.find(word); it != names.end()) return it->second;
    auto n = toInt(word);
    if (n && *n >= 0 && *n <= 6) return n;
    return std::nullopt;
}

std::optional<ScriptDateTime> parseDateTime(const std::string& date, const std::string& time) {
    ScriptDateTime t;
    if (date.size() != 10 || date[4] != '/' || date[7] != '/' || time.size() != 8 || time[2] != ':' ||
        time[5] != ':')
        return std::nullopt;
    auto part = [](const std::string& s, std::size_t at, std::size_t n) { return toInt(s.substr(at, n)); };
    auto y = part(date, 0, 4), mo = part(date, 5, 2), d = part(date, 8, 2);
    auto h = part(time, 0, 2), mi = part(time, 3, 2), s = part(time, 6, 2);
    if (!y || !mo || !d || !h || !mi || !s) return std::nullopt;
    if (*mo < 1 || *mo > 12 || *d < 1 || *d > 31 || *h > 23 || *mi > 59 || *s > 59) return std::nullopt;
    t = {*y, *mo, *d, *h, *mi, *s};
    return t;
}

std::string utf8Quoted(const std::string& cp932) { return "\"" + cp932ToUtf8(cp932) + "\""; }

}  // namespace

ScriptRunner::ScriptRunner(Model& model, HeadlessBackend& backend, ScriptHooks hooks, std::ostream& out)
    : model_(model), backend_(backend), hooks_(std::move(hooks)), out_(out) {}

void ScriptRunner::load(std::string_view script) {
    lines_.clear();
    next_ = 0;
    std::size_t start = 0;
    while (start <= script.size()) {
        std::size_t nl = script.find('\n', start);
        if (nl == std::string_view::npos) nl = script.size();
        std::string line(script.substr(start, nl - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines_.push_back(std::move(line));
        start = nl + 1;
    }
}

std::optional<ScriptError> ScriptRunner::run(std::string_view script) {
    load(script);
    while (!finished())
        if (auto e = runNextLine()) return e;
    return finish();
}

std::optional<ScriptError> ScriptRunner::runNextLine(bool* ranOne) {
    if (ranOne) *ranOne = false;
    while (next_ < lines_.size()) {
        const std::string& line = lines_[next_++];
        currentLine_ = static_cast<int>(next_);
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        if (ranOne) *ranOne = true;
        if (hooks_.programEnded && hooks_.programEnded())
            return ScriptError{currentLine_, "the program has already ended"};
        if (auto failure = execute(std::string_view(line).substr(first)))
            return ScriptError{currentLine_, std::move(*failure)};
        if (hooks_.step) hooks_.step();
        if (auto unanswered = backend_.takeUnanswered()) return ScriptError{currentLine_, *unanswered};
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<ScriptError> ScriptRunner::runAnswerLines() {
    while (next_ < lines_.size()) {
        const std::string& line = lines_[next_];
        const auto first = line.find_first_not_of(" \t");
        if (first != std::string::npos && line[first] != '#') {
            const std::string_view rest = std::string_view(line).substr(first);
            if (!rest.starts_with("answer ")) break;
            currentLine_ = static_cast<int>(next_ + 1);
            if (auto failure = execute(rest)) {
                ++next_;
                return ScriptError{currentLine_, std::move(*failure)};
            }
        }
        ++next_;
    }
    return std::nullopt;
}

std::optional<ScriptError> ScriptRunner::finish() {
    if (const int line = backend_.firstUnusedAnswerLine())
        return ScriptError{line, std::string("no ") + backend_.firstUnusedAnswerKind() + " dialog took this answer"};
    return std::nullopt;
}

// Carries out one line; the reason when it cannot be done.
std::optional<std::string> ScriptRunner::execute(std::string_view line) {
    std::string error;
    auto parsed = tokenize(line, error);
    if (!parsed) return error;
    const std::vector<Token>& t = *parsed;
    const std::string& cmd = t[0].text;
    const std::size_t n = t.size();

    // The text that ends a line: one quoted string, or the rest of the line as written.
    auto restFrom = [&](std::size_t i) -> std::string {
        if (n == i + 1 && t[i].quoted) return t[i].text;
        std::string_view rest = line.substr(t[i - 1].end);
        rest.remove_prefix(std::min(rest.find_first_not_of(" \t"), rest.size()));
        while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.remove_suffix(1);
        return std::string(rest);
    };
    auto usage = [&](const char* form) { return std::string("usage: ") + form; };
    auto target = [&](const std::string& name, Handle& h) -> std::optional<std::string> {
        const auto found = model_.lookup(name);
        if (found.empty()) return "no window named " + name;
        if (found.size() > 1) {
            std::string all;
            for (Handle f : found) all += (all.empty() ? "" : ", ") + model_.address(f);
            return name + " is ambiguous: " + all;
        }
        h = found.front();
        return std::nullopt;
    };
    auto result = [&](const std::string& name, InputResult r) -> std::optional<std::string> {
        if (r == InputResult::Done) return std::nullopt;
        return name + " " + inputResultText(r);
    };
    auto integer = [&](std::size_t i, int& v) -> bool {
        auto x = toInt(t[i].text);
        if (x) v = *x;
        return x.has_value();
    };

    if (cmd == "click" || cmd == "dblclick") {
        if (n != 2) return usage("click NAME");
        Handle h = 0;
        if (auto e = target(t[1].text, h)) return e;
        return result(t[1].text, cmd == "click" ? model_.userClick(h) : model_.userDoubleClick(h));
    }
    if (cmd == "type") {
        if (n < 3) return usage("type NAME TEXT");
        Handle h = 0;
        if (auto e = target(t[1].text, h)) return e;
        return result(t[1].text, model_.userType(h, utf8ToCp932(restFrom(2))));
    }
    if (cmd == "pick") {
        if (n != 3) return usage("pick NAME INDEX|\"TEXT\"");
        Handle h = 0;
        if (auto e = target(t[1].text, h)) return e;
        const Window& w = *model_.find(h);
        if (!w.hasList()) return t[1].text + " has no items to pick";
        int index = -1;
        if (t[2].quoted) {
            const std::string want = utf8ToCp932(t[2].text);
            for (std::size_t i = 0; i < w.list.items.size() && index < 0; ++i)
                if (w.list.items[i] == want) index = static_cast<int>(i);
            if (index < 0) return t[1].text + " has no item \"" + t[2].text + "\"";
        } else if (!integer(2, index)) {
            return usage("pick NAME INDEX|\"TEXT\"");
        }
        return result(t[1].text, model_.userPick(h, index));
    }
    if (cmd == "tick") {
        if (n != 2 && n != 3) return usage("tick NAME [0|1]");
        Handle h = 0;
        if (auto e = target(t[1].text, h)) return e;
        const Window& w = *model_.find(h);
        if (w.kind != Kind::CheckBox && w.kind != Kind::OptionButton) return t[1].text + " is not a check box";
        if (n == 2) return result(t[1].text, model_.userClick(h));
        int want = 0;
        if (!integer(2, want) || want < 0 || want > 1) return usage("tick NAME [0|1]");
        if (w.kind == Kind::OptionButton && want == 0 && w.check)
            return t[1].text + " is an option button: the user clears it by choosing another";
        // A three-state box may need two clicks to come round to the wanted state.
        for (int i = 0; i < 3 && model_.find(h) && model_.find(h)->check != want; ++i)
            if (auto e = result(t[1].text, model_.userClick(h))) return e;
        return std::nullopt;
    }
    if (cmd == "scroll") {
        int pos = 0;
        if (n != 3 || !integer(2, pos)) return usage("scroll NAME POS");
        Handle h = 0;
        if (auto e = target(t[1].text, h)) return e;
        return result(t[1].text, model_.userScroll(h, pos));
    }
    if (cmd == "mousedown" || cmd == "mousemove" || cmd == "mouseup") {
        int x = 0, y = 0, button = mouse::Left, shift = 0;
        if (n < 4 || n > 6 || !integer(2, x) || !integer(3, y) || (n > 4 && !integer(4, button)) ||
            (n > 5 && !integer(5, shift)))
            return usage("mousedown|mousemove|mouseup NAME X Y [BUTTON [SHIFT]]");
        Handle h = 0;
        if (auto e = target(t[1].text, h)) return e;
        const auto kind = cmd == "mousedown"   ? NotificationKind::MouseDown
                          : cmd == "mousemove" ? NotificationKind::MouseMove
                                               : NotificationKind::MouseUp;
        return result(t[1].text, model_.userMouse(kind, h, button, shift, x, y));
    }
    if (cmd == "wheel") {
        int steps = 0;
        if (n != 3 || !integer(2, steps)) return usage("wheel NAME STEPS");
        Handle h = 0;
        if (auto e = target(t[1].text, h)) return e;
        return result(t[1].text, model_.userWheel(h, steps));
    }
    if (cmd == "drop") {
        if (n < 3) return usage("drop NAME PATH [PATH...]");
        Handle h = 0;
        if (auto e = target(t[1].text, h)) return e;
        std::vector<std::string> paths;
        for (std::size_t i = 2; i < n; ++i) paths.push_back(utf8ToCp932(t[i].text));
        return result(t[1].text, model_.userDropFiles(h, std::move(paths)));
    }
    if (cmd == "timer") {
        int id = 0;
        if (n != 3 || !integer(2, id)) return usage("timer WINDOW ID");
        Handle h = 0;
        if (auto e = target(t[1].text, h)) return e;
        if (!model_.fireTimer(h, id)) return t[1].text + " has no timer " + t[2].text;
        return std::nullopt;
    }
    if (cmd == "focus") {
        if (n != 2) return usage("focus NAME");
        Handle h = 0;
        if (auto e = target(t[1].text, h)) return e;
        return result(t[1].text, model_.userFocus(h));
    }
    if (cmd == "resize" || cmd == "move") {
        int a = 0, b = 0;
        if (n != 4 || !integer(2, a) || !integer(3, b))
            return usage(cmd == "resize" ? "resize WINDOW W H" : "move WINDOW X Y");
        Handle h = 0;
        if (auto e = target(t[1].text, h)) return e;
        return result(t[1].text, cmd == "resize" ? model_.userResize(h, a, b) : model_.userMove(h, a, b));
    }
    if (cmd == "minimize" || cmd == "maximize" || cmd == "restore") {
        if (n != 2) return usage("minimize|maximize|restore WINDOW");
        Handle h = 0;
        if (auto e = target(t[1].text, h)) return e;
        const ShowState s = cmd == "minimize" ? ShowState::Minimized
                            : cmd == "maximize" ? ShowState::Maximized
                                                : ShowState::Normal;
        return result(t[1].text, model_.userShowState(h, s));
    }
    if (cmd == "close") {
        if (n != 2) return usage("close WINDOW");
        Handle h = 0;
        if (auto e = target(t[1].text, h)) return e;
        return result(t[1].text, model_.userClose(h));
    }
    if (cmd == "key") {
        if (n != 2) return usage("key [shift+|ctrl+|alt+]tab|enter|space|escape | key ctrl+a");
        std::string k = t[1].text;
        int mods = 0;
        for (auto [prefix, bit] : {std::pair{"shift+", modifier::Shift}, std::pair{"ctrl+", modifier::Ctrl},
                                   std::pair{"alt+", modifier::Alt}})
            if (k.starts_with(prefix)) {
                mods |= bit;
                k.erase(0, std::string_view(prefix).size());
            }
        static const std::map<std::string, int> keys = {{"tab", key::Tab},     {"enter", key::Enter},
                                                        {"space", key::Space}, {"escape", key::Escape},
                                                        {"a", key::A}};
        auto it = keys.find(k);
        if (it == keys.end()) return "unknown key " + t[1].text;
        // A letter types nothing here: `type` types text, and Ctrl+A is the one letter
        // shortcut the keyboard rules know.
        if (it->second == key::A && !(mods & modifier::Ctrl)) return "key a needs ctrl+ (type types text)";
        const Handle focused = model_.focus();
        const bool swallowed = model_.keyDown(it->second, mods);
        // A key the form rules pass on reaches the focused control as typing.
        if (!swallowed && mods == 0 && (it->second == key::Space || it->second == key::Enter)) {
            const Window* w = model_.find(focused);
            if (w && w->hasEditText() && !w->edit.readOnly)
                model_.userType(focused, it->second == key::Space ? " " : "\n");
        }
        model_.keyUp(it->second, mods);
        return std::nullopt;
    }
    if (cmd == "answer") {
        if (n < 3)
            return usage("answer msgbox RESULT | answer input TEXT|cancel | answer file PATH|cancel | answer color "
                         "0xBBGGRR|cancel | answer font \"FACE\" SIZE [bold] [italic] [underline] [strikeout]|cancel");
        const std::string& kind = t[1].text;
        DialogAnswer a;
        if (kind == "msgbox") {
            auto r = messageBoxResult(t[2].text);
            if (n > 5 || !r) return "a message box answer is 0-6 or ok, cancel, abort, retry, ignore, yes, no, optionally followed by the caption and the text the box must show";
            a.result = *r;
            HeadlessBackend::Expected shown;
            if (n >= 4) shown.caption = utf8ToCp932(t[3].text);
            if (n == 5) shown.text = utf8ToCp932(t[4].text);
            backend_.queueAnswer(DialogRequest::MessageBox, a, currentLine_, shown);
            return std::nullopt;
        }
        if (kind == "input" || kind == "file") {
            // A quoted answer (or cancel) may be followed by the quoted caption the dialog must show.
            HeadlessBackend::Expected shown;
            std::size_t last = n;
            if (n == 4 && t[3].quoted && (t[2].quoted || t[2].text == "cancel")) {
                shown.caption = utf8ToCp932(t[3].text);
                last = 3;
            }
            if (last == 3 && !t[2].quoted && t[2].text == "cancel") a.cancelled = true;
            else a.text = utf8ToCp932(last == 3 && t[2].quoted ? t[2].text : restFrom(2));
            backend_.queueAnswer(kind == "input" ? DialogRequest::InputBox : DialogRequest::OpenFile, a, currentLine_,
                                 shown);
            return std::nullopt;
        }
        if (kind == "color") {
            if (n != 3) return "a colour answer is 0xBBGGRR or cancel";
            if (t[2].text == "cancel") {
                a.cancelled = true;
            } else {
                char* end = nullptr;
                const unsigned long colour = std::strtoul(t[2].text.c_str(), &end, 0);
                if (end == t[2].text.c_str() || *end != '\0' || colour > 0xFFFFFF)
                    return "a colour answer is 0xBBGGRR (blue, green, red) or cancel";
                a.result = static_cast<int>(colour);
            }
            backend_.queueAnswer(DialogRequest::ChooseColor, a, currentLine_);
            return std::nullopt;
        }
        if (kind == "font") {
            const char* form = "a font answer is \"FACE\" SIZE [bold] [italic] [underline] [strikeout], or cancel";
            if (n == 3 && !t[2].quoted && t[2].text == "cancel") {
                a.cancelled = true;
            } else {
                int size = 0;
                if (n < 4 || !integer(3, size) || size < 1 || size > mostFontPoints) return form;
                a.font.face = utf8ToCp932(t[2].text);
                if (a.font.face.empty() || a.font.face.size() > 31)
                    return "a font face is 1 to 31 bytes in code page 932: \"" + t[2].text + "\"";
                a.font.size = size;
                static const std::map<std::string, bool Font::*> styles = {{"bold", &Font::bold},
                                                                           {"italic", &Font::italic},
                                                                           {"underline", &Font::underline},
                                                                           {"strikeout", &Font::strikeout}};
                for (std::size_t i = 4; i < n; ++i) {
                    const auto style = styles.find(t[i].text);
                    if (t[i].quoted || style == styles.end() || a.font.*style->second) return form;
                    a.font.*style->second = true;
                }
            }
            backend_.queueAnswer(DialogRequest::ChooseFont, a, currentLine_);
            return std::nullopt;
        }
        return "unknown dialog " + kind + " (msgbox, input, file, color or font)";
    }
    if (cmd == "clock") {
        if (n != 3) return usage("clock YYYY/MM/DD hh:mm:ss");
        auto dt = parseDateTime(t[1].text, t[2].text);
        if (!dt) return "not a date and time: " + t[1].text + " " + t[2].text;
        if (!hooks_.setClock) return "this program has no clock to set";
        hooks_.setClock(*dt);
        return std::nullopt;
    }
    if (cmd == "dump") {
        if (n != 1) return usage("dump");
        dumpModel(model_, out_);
        return std::nullopt;
    }
    if (cmd == "expect" && n == 3 && t[1].text == "clipboard") {
        // The clipboard's text, line breaks matching as in a window's text.
        std::string held = backend_.clipboardText();
        for (std::size_t p; (p = held.find("\r\n")) != std::string::npos;) held.erase(p, 1);
        if (held == utf8ToCp932(t[2].text)) return std::nullopt;
        return "the clipboard holds " + utf8Quoted(held) + ", expected \"" + t[2].text + "\"";
    }
    if (cmd == "expect") {
        if (n < 4) return usage("expect NAME PROPERTY VALUE");
        const std::string& name = t[1].text;
        const std::string& prop = t[2].text;
        const auto found = model_.lookup(name);
        if (prop == "exists") {
            int want = 0;
            if (n != 4 || !integer(3, want)) return usage("expect NAME exists 0|1");
            if ((found.empty() ? 0 : 1) != (want ? 1 : 0))
                return name + (found.empty() ? " does not exist" : " exists") + ", expected exists " + t[3].text;
            return std::nullopt;
        }
        Handle h = 0;
        if (auto e = target(name, h)) return e;
        const Window& w = *model_.find(h);
        std::string actual, wanted;
        if (prop == "text") {
            if (n != 4) return usage("expect NAME text \"TEXT\"");
            // A line break of the script matches a window's CR LF, as in a message box's text.
            std::string shown = w.text;
            for (std::size_t p; (p = shown.find("\r\n")) != std::string::npos;) shown.erase(p, 1);
            if (shown == utf8ToCp932(t[3].text)) return std::nullopt;
            return name + " text is " + utf8Quoted(w.text) + ", expected \"" + t[3].text + "\"";
        }
        if (prop == "item") {
            int index = 0;
            if (n != 5 || !integer(3, index)) return usage("expect NAME item INDEX \"TEXT\"");
            const auto& items = w.list.items;
            if (index < 0 || index >= static_cast<int>(items.size()))
                return name + " has no item " + t[3].text + " (" + std::to_string(items.size()) + " items)";
            const std::string& item = items[static_cast<std::size_t>(index)];
            if (item == utf8ToCp932(t[4].text)) return std::nullopt;
            return name + " item " + t[3].text + " is " + utf8Quoted(item) + ", expected \"" + t[4].text + "\"";
        }
        if (prop == "marked") {
            int index = 0, want = 0;
            if (n != 5 || !integer(3, index) || !integer(4, want)) return usage("expect NAME marked INDEX 0|1");
            if (index < 0 || index >= static_cast<int>(w.list.marked.size())) return name + " has no item " + t[3].text;
            if (w.list.marked[static_cast<std::size_t>(index)] == (want != 0)) return std::nullopt;
            return name + " item " + t[3].text + " marked is " + (want ? "0" : "1") + ", expected " + t[4].text;
        }
        if (prop == "pixel") {
            int x = 0, y = 0;
            const std::optional<Colour> want = n == 6 ? hexColour(t[5].text) : std::nullopt;
            if (n != 6 || !integer(3, x) || !integer(4, y) || !want) return usage("expect NAME pixel X Y RRGGBB");
            const PixelBuffer* buffer = model_.pixels(h);
            if (!buffer || (!w.isForm() && w.kind != Kind::PictureBox)) return name + " has no redraw buffer";
            if (x < 0 || y < 0 || x >= buffer->width() || y >= buffer->height())
                return name + " has no pixel " + t[3].text + "," + t[4].text + " (its buffer is " +
                       std::to_string(buffer->width()) + "x" + std::to_string(buffer->height()) + ")";
            const Colour shown = buffer->pixel(x, y);
            if (shown == *want) return std::nullopt;
            return name + " pixel " + t[3].text + "," + t[4].text + " is " + rgbText(shown) + ", expected " +
                   t[5].text;
        }
        if (prop == "range") {
            int low = 0, high = 0;
            if (n != 5 || !integer(3, low) || !integer(4, high)) return usage("expect NAME range MIN MAX");
            if (w.kind != Kind::HScrollBar && w.kind != Kind::VScrollBar) return name + " is not a scroll bar";
            if (w.scroll.min == low && w.scroll.max == high) return std::nullopt;
            return name + " range is " + std::to_string(w.scroll.min) + " " + std::to_string(w.scroll.max) +
                   ", expected " + t[3].text + " " + t[4].text;
        }
        const std::map<std::string, int> numbers = {
            {"checked", w.check},
            {"enabled", w.enabled},
            {"visible", w.visible},
            {"focused", model_.focus() == h},
            {"selected", w.list.selected},
            {"count", static_cast<int>(w.list.items.size())},
            {"topindex", w.list.topIndex},
            {"pos", w.scroll.pos},
            {"modified", w.edit.modified},
            {"readonly", w.edit.readOnly},
            {"left", w.rect.x},
            {"top", w.rect.y},
            {"width", w.rect.w},
            {"height", w.rect.h},
            {"state", static_cast<int>(w.show)},
        };
        auto it = numbers.find(prop);
        if (it == numbers.end()) return "unknown property " + prop;
        int want = 0;
        if (n != 4 || !integer(3, want)) return usage("expect NAME PROPERTY NUMBER");
        if (it->second == want) return std::nullopt;
        return name + " " + prop + " is " + std::to_string(it->second) + ", expected " + t[3].text;
    }
    return "unknown command " + cmd;
}

}  // namespace platform
