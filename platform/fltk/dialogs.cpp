#include "platform/fltk/dialogs.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Color_Chooser.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Int_Input.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/cp932.hpp"
#include "platform/cp932_bytes.hpp"
#include "platform/fltk/widgets.hpp"

namespace platform::fltk {

namespace {

// Lines of a message are joined with CR LF; FLTK breaks lines at LF alone.
std::string withoutCr(const std::string& cp932) {
    std::string out;
    for (char c : cp932)
        if (c != '\r') out += c;
    return out;
}

// Message box results: the button pressed, numbered as the programs expect.
enum Result { Ok = 0, Cancel = 1, Abort = 2, Retry = 3, Ignore = 4, Yes = 5, No = 6 };

struct ButtonSpec {
    const char* caption;
    int result;
};

const char* buttonCaption(int result) {
    switch (result) {
    case Cancel: return "キャンセル";
    case Abort: return "中止";
    case Retry: return "再試行";
    case Ignore: return "無視";
    case Yes: return "はい";
    case No: return "いいえ";
    default: return "OK";
    }
}

// The buttons of each button code, left to right; the first is the default.
std::vector<ButtonSpec> buttonsFor(int code) {
    std::vector<ButtonSpec> specs;
    for (int result : messageBoxResults(code)) specs.push_back({buttonCaption(result), result});
    return specs;
}

// A modal dialog window: Enter presses the focused push button (else the default one),
// Escape and the close box give the dialog's cancel answer (when it has one).
class DialogWindow : public Fl_Double_Window {
public:
    DialogWindow(int w, int h, const std::string& title, const char* xclass)
        : Fl_Double_Window(w, h), title_(title) {
        label(title_.c_str());
        this->xclass(xclass);
        set_modal();
        callback([](Fl_Widget* w, void*) {
            auto* self = static_cast<DialogWindow*>(w);
            if (self->cancel_) self->cancel_();
        });
    }
    int handle(int event) override {
        const bool enter = Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter;
        if ((event == FL_KEYBOARD || event == FL_SHORTCUT) && enter) {
            if (auto* b = dynamic_cast<Fl_Button*>(Fl::focus());
                b && b->window() == this && b->type() == FL_NORMAL_BUTTON) {
                b->do_callback();
                return 1;
            }
            if (defaultButton_) {
                defaultButton_->do_callback();
                return 1;
            }
        }
        return Fl_Double_Window::handle(event);
    }
    // Runs, in the middle of the screen with the focus inside, until a button or the
    // cancel closes the window.
    void run(Fl_Widget* focus) {
        position((Fl::w() - w()) / 2, (Fl::h() - h()) / 2);
        show();
        if (focus) focus->take_focus();
        while (shown()) Fl::wait(0.1);
    }
    std::function<void()> cancel_;
    Fl_Button* defaultButton_ = nullptr;

private:
    std::string title_;
};

}  // namespace

DialogAnswer runMessageBox(const DialogRequest& request) {
    const std::string text = labelFor(withoutCr(request.text));
    const std::vector<ButtonSpec> specs = buttonsFor(request.buttons);
    fl_font(FL_HELVETICA, 12);
    int tw = 360, th = 0;
    fl_measure(text.c_str(), tw, th, 0);
    const int bw = 80, bh = 24, gap = 8;
    const int rowWidth = static_cast<int>(specs.size()) * (bw + gap) - gap;
    const int w = std::max(tw, rowWidth) + 40;
    const int h = th + bh + 56;

    // Icons 0 to 3 (stop, question, exclamation, information) take a column on the left.
    const bool withIcon = request.icon >= 0 && request.icon <= 3;
    const int iconWidth = withIcon ? 48 : 0;
    DialogWindow window(w + iconWidth, h, cp932ToUtf8(request.caption), "QuillMessageBox");
    DialogAnswer answer;
    if (withIcon) {
        struct IconLook {
            const char* symbol;
            Fl_Color colour;
        };
        static const IconLook looks[] = {{"X", FL_RED}, {"?", FL_BLUE}, {"!", FL_YELLOW}, {"i", FL_BLUE}};
        const IconLook& look = looks[request.icon];
        auto* icon = new Fl_Box(FL_OVAL_BOX, 16, 16, 32, 32, look.symbol);
        icon->color(look.colour);
        icon->labelfont(FL_HELVETICA_BOLD);
        icon->labelsize(20);
        icon->labelcolor(request.icon == 2 ? FL_BLACK : FL_WHITE);
    }
    auto* message = new Fl_Box(20 + iconWidth, 20, w - 40, th);
    message->copy_label(text.c_str());
    message->labelsize(12);
    message->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_WRAP);
    int x = (w + iconWidth - rowWidth) / 2;
    for (const ButtonSpec& s : specs) {
        auto* b = new Fl_Button(x, h - bh - 16, bw, bh, s.caption);
        b->labelsize(12);
        b->callback(
            [](Fl_Widget* button, void* result) {
                auto* a = static_cast<DialogAnswer*>(button->window()->user_data());
                a->result = static_cast<int>(reinterpret_cast<std::intptr_t>(result));
                button->window()->hide();
            },
            reinterpret_cast<void*>(static_cast<std::intptr_t>(s.result)));
        if (!window.defaultButton_) window.defaultButton_ = b;
        x += bw + gap;
    }
    window.end();
    window.user_data(&answer);
    // Escape and the close box answer Cancel when there is one; a lone OK answers OK.
    const bool hasCancel = std::any_of(specs.begin(), specs.end(), [](const ButtonSpec& s) { return s.result == Cancel; });
    if (hasCancel || specs.size() == 1)
        window.cancel_ = [&] {
            answer.result = hasCancel ? Cancel : Ok;
            answer.cancelled = hasCancel;
            window.hide();
        };
    window.run(window.defaultButton_);
    return answer;
}

DialogAnswer runInputBox(const DialogRequest& request) {
    // The input box's layout in pixels (its dialog units at one and a half pixels each).
    DialogWindow window(285, 90, cp932ToUtf8(request.caption), "QuillInputBox");
    DialogAnswer answer;
    const std::string prompt = labelFor(withoutCr(request.text));
    auto* label = new Fl_Box(12, 6, 261, 18);
    label->copy_label(prompt.c_str());
    label->labelsize(12);
    label->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
    auto* input = new Fl_Input(12, 28, 261, 22);
    input->textsize(12);
    const std::string initial = cp932ToUtf8(request.initial);
    input->value(initial.c_str());
    // At most 64 bytes of CP932, counted the model's way: a longer text is put back.
    input->when(FL_WHEN_CHANGED);
    std::string accepted = initial;
    input->callback(
        [](Fl_Widget* w, void* kept) {
            auto* in = static_cast<Fl_Input*>(w);
            auto* last = static_cast<std::string*>(kept);
            if (utf8ToCp932(in->value()).size() > 64) in->value(last->c_str());
            else *last = in->value();
        },
        &accepted);
    auto* ok = new Fl_Button(22, 58, 60, 24, "OK");
    auto* cancel = new Fl_Button(96, 58, 60, 24, "ｷｬﾝｾﾙ");
    for (Fl_Button* b : {ok, cancel}) b->labelsize(12);
    window.end();
    window.defaultButton_ = ok;
    window.cancel_ = [&] {
        answer.cancelled = true;
        window.hide();
    };
    ok->callback([](Fl_Widget* b, void* in) {
        auto* a = static_cast<DialogAnswer*>(b->window()->user_data());
        a->text = utf8ToCp932(static_cast<Fl_Input*>(in)->value());
        b->window()->hide();
    }, input);
    cancel->callback([](Fl_Widget* b, void*) {
        auto* a = static_cast<DialogAnswer*>(b->window()->user_data());
        a->cancelled = true;
        b->window()->hide();
    });
    window.user_data(&answer);
    window.run(input);
    return answer;
}

namespace {

namespace fs = std::filesystem;

// A CP932 name matches a pattern list ("*.JPG;*.BMP") as the file search of the programs
// matches each pattern. ";" is never the trail byte of a two-byte character.
bool matchesAny(std::string_view name, std::string_view patterns) {
    while (true) {
        const auto end = patterns.find(';');
        const std::string_view pattern = patterns.substr(0, end);
        if (!pattern.empty() && matchesPattern(name, pattern)) return true;
        if (end == std::string_view::npos) return false;
        patterns.remove_prefix(end + 1);
    }
}

// What the status line says when the name given is one the programs cannot use: the
// program gets the path in CP932, and CP932 holds no exact form of it.
constexpr const char* unusableName = "この名前には使えない文字があります。";

// The open and save dialog: the folder shown above a list of its folders (".." first) and
// a list of its files that match the chosen filter, a name field, the filter choice, and
// the two buttons. Double-click enters a folder or takes a file; Enter takes the name.
class FileDialog {
public:
    explicit FileDialog(const DialogRequest& request)
        : request_(request), window_(560, 380, cp932ToUtf8(request.caption), "QuillFileDialog") {
        const bool save = request.kind == DialogRequest::SaveFile;
        auto* where = new Fl_Box(12, 8, 80, 22, "フォルダ:");
        folderBox_ = new Fl_Box(92, 8, 456, 22);
        folders_ = new Fl_Hold_Browser(12, 36, 200, 230);
        files_ = new Fl_Hold_Browser(220, 36, 328, 230);
        auto* nameLabel = new Fl_Box(12, 276, 110, 24, "ファイル名:");
        name_ = new Fl_Input(124, 276, 300, 24);
        auto* typeLabel = new Fl_Box(12, 308, 110, 24, "ファイルの種類:");
        types_ = new Fl_Choice(124, 308, 300, 24);
        status_ = new Fl_Box(12, 344, 400, 24);
        ok_ = new Fl_Button(436, 276, 112, 24, save ? "保存" : "開く");
        auto* cancelButton = new Fl_Button(436, 308, 112, 24, "キャンセル");
        for (Fl_Box* b : {where, nameLabel, typeLabel, status_, folderBox_}) {
            b->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
            b->labelsize(12);
        }
        for (Fl_Browser* b : {folders_, files_}) {
            b->format_char(0);
            b->textsize(12);
        }
        for (Fl_Widget* w : std::initializer_list<Fl_Widget*>{name_, types_, ok_, cancelButton}) w->labelsize(12);
        name_->textsize(12);
        types_->textsize(12);
        window_.end();

        for (const FileFilter& f : request.filters) {
            // '/', '&', '_' and '\\' are menu codes in a choice: the text is added escaped.
            std::string label;
            for (char c : cp932ToUtf8(f.display)) {
                if (c == '/' || c == '&' || c == '_' || c == '\\') label += '\\';
                label += c;
            }
            types_->add(label.c_str());
        }
        types_->value(0);
        name_->value(cp932ToUtf8(request.fileName).c_str());
        folder_ = fs::path(cp932ToUtf8(request.folder));

        folders_->callback([](Fl_Widget*, void* self) { static_cast<FileDialog*>(self)->folderClicked(); }, this);
        files_->callback([](Fl_Widget*, void* self) { static_cast<FileDialog*>(self)->fileClicked(); }, this);
        types_->callback([](Fl_Widget*, void* self) { static_cast<FileDialog*>(self)->fill(); }, this);
        ok_->callback([](Fl_Widget*, void* self) { static_cast<FileDialog*>(self)->take(); }, this);
        cancelButton->callback([](Fl_Widget*, void* self) { static_cast<FileDialog*>(self)->cancel(); }, this);
        window_.defaultButton_ = ok_;
        window_.cancel_ = [this] { cancel(); };
    }

    DialogAnswer run() {
        fill();
        window_.run(name_);
        return answer_;
    }

private:
    void fill() {
        folders_->clear();
        files_->clear();
        folderBox_->copy_label(folder_.generic_string().c_str());
        if (folder_ != folder_.root_path()) folders_->add("..");
        std::vector<std::string> dirs, names;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder_, ec)) {
            const std::string n = entry.path().filename().string();
            if (n.empty() || n[0] == '.') continue;
            // A name CP932 cannot hold is left out: the program could not be given it.
            const std::optional<std::string> cp932 = utf8ToCp932Exact(n);
            if (!cp932) continue;
            std::error_code kindError;
            if (entry.is_directory(kindError)) dirs.push_back(n);
            else if (matchesAny(*cp932, currentPatterns())) names.push_back(n);
        }
        std::ranges::sort(dirs);
        std::ranges::sort(names);
        for (const auto& d : dirs) folders_->add(d.c_str());
        for (const auto& n : names) files_->add(n.c_str());
        status_->copy_label("");
    }

    // The chosen filter's patterns, in CP932.
    std::string_view currentPatterns() const {
        const int i = types_->value();
        if (i < 0 || i >= static_cast<int>(request_.filters.size())) return "*";
        return request_.filters[static_cast<std::size_t>(i)].patterns;
    }

    void enter(const fs::path& folder) {
        folder_ = folder.lexically_normal();
        if (folder_.has_filename() == false && folder_ != folder_.root_path()) folder_ = folder_.parent_path();
        fill();
    }

    void folderClicked() {
        const int line = folders_->value();
        if (line <= 0 || !Fl::event_clicks()) return;
        const std::string n = folders_->text(line);
        enter(n == ".." ? folder_.parent_path() : folder_ / n);
    }

    void fileClicked() {
        const int line = files_->value();
        if (line <= 0) return;
        name_->value(files_->text(line));
        if (Fl::event_clicks()) take();
    }

    void take() {
        const std::string typed = name_->value();
        if (typed.empty()) return;
        const fs::path chosen = fs::path(typed).is_absolute() ? fs::path(typed) : folder_ / typed;
        // A typed name may be one the lists leave out; neither a folder nor a file of such
        // a name can be taken.
        const std::optional<std::string> cp932 = utf8ToCp932Exact(chosen.lexically_normal().generic_string());
        if (!cp932) return refuse(unusableName);
        std::error_code ec;
        if (fs::is_directory(chosen, ec)) {
            name_->value("");
            enter(chosen);
            return;
        }
        if (!fs::is_directory(chosen.parent_path(), ec)) return refuse("フォルダがありません。");
        const bool exists = fs::exists(chosen, ec);
        if (request_.kind == DialogRequest::OpenFile && request_.mode == 0 && !exists)
            return refuse("ファイルがありません。");
        if (request_.kind == DialogRequest::SaveFile && request_.mode == 0 && exists &&
            fl_choice("%s は既に存在します。\n上書きしますか？", "いいえ", "はい", nullptr,
                      chosen.filename().string().c_str()) != 1)
            return;
        answer_.text = *cp932;
        window_.hide();
    }

    void refuse(const char* why) { status_->copy_label(why); }

    void cancel() {
        answer_.cancelled = true;
        window_.hide();
    }

    const DialogRequest& request_;
    DialogWindow window_;
    DialogAnswer answer_;
    fs::path folder_;
    Fl_Box* folderBox_ = nullptr;
    Fl_Box* status_ = nullptr;
    Fl_Hold_Browser* folders_ = nullptr;
    Fl_Hold_Browser* files_ = nullptr;
    Fl_Input* name_ = nullptr;
    Fl_Choice* types_ = nullptr;
    Fl_Button* ok_ = nullptr;
};

}  // namespace

DialogAnswer runFileDialog(const DialogRequest& request) { return FileDialog(request).run(); }

namespace {

Colour colourOf(const Fl_Color_Chooser& c) {
    const auto byte = [](double v) { return static_cast<Colour>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return byte(c.r()) | byte(c.g()) << 8 | byte(c.b()) << 16;
}

void setColour(Fl_Color_Chooser& c, Colour colour) {
    c.rgb((colour & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0, ((colour >> 16) & 0xFF) / 255.0);
}

// The colour chooser: FLTK's hue and brightness picker with the colour's numbers, a sample
// of the colour, and the custom colours under them. A click on a custom colour chooses it
// and makes its slot the one "作成した色に追加" stores into; storing moves on to the next
// slot. The custom colours go back with either answer.
class ColourDialog {
public:
    explicit ColourDialog(const DialogRequest& request)
        : window_(436, 316, cp932ToUtf8(request.caption.empty() ? utf8ToCp932("色の設定") : request.caption),
                  "QuillColorChooser"),
          customs_(request.customColours) {
        chooser_ = new Fl_Color_Chooser(12, 12, 300, 170);
        chooser_->mode(1);  // 0 to 255 for each of red, green, blue
        sample_ = new Fl_Box(FL_DOWN_BOX, 324, 12, 100, 80, nullptr);
        auto* customLabel = new Fl_Box(12, 190, 200, 20, "作成した色:");
        customLabel->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
        for (std::size_t i = 0; i < swatches_.size(); ++i) {
            auto* b = new Fl_Button(14 + static_cast<int>(i % 8) * 34, 214 + static_cast<int>(i / 8) * 30, 26, 22);
            b->box(FL_THIN_DOWN_BOX);
            b->clear_visible_focus();  // a click chooses; the keyboard stays where it was
            b->callback([](Fl_Widget* w, void* self) { static_cast<ColourDialog*>(self)->swatchClicked(w); }, this);
            swatches_[i] = b;
        }
        marker_ = new Fl_Box(FL_BORDER_FRAME, 0, 0, 30, 26, nullptr);
        marker_->color(FL_BLACK);
        auto* store = new Fl_Button(12, 280, 180, 26, "作成した色に追加");
        auto* ok = new Fl_Button(260, 280, 80, 26, "OK");
        auto* cancel = new Fl_Button(348, 280, 80, 26, "キャンセル");
        for (Fl_Widget* w : std::initializer_list<Fl_Widget*>{customLabel, store, ok, cancel}) w->labelsize(12);
        window_.end();

        chooser_->callback([](Fl_Widget*, void* self) { static_cast<ColourDialog*>(self)->showSample(); }, this);
        store->callback([](Fl_Widget*, void* self) { static_cast<ColourDialog*>(self)->storeCustom(); }, this);
        ok->callback([](Fl_Widget*, void* self) { static_cast<ColourDialog*>(self)->close(false); }, this);
        cancel->callback([](Fl_Widget*, void* self) { static_cast<ColourDialog*>(self)->close(true); }, this);
        window_.defaultButton_ = ok;
        window_.cancel_ = [this] { close(true); };
        setColour(*chooser_, request.colour);
        showSample();
        showCustoms();
        ok_ = ok;
    }

    DialogAnswer run() {
        window_.run(ok_);
        return answer_;
    }

private:
    void showSample() {
        sample_->color(colourFor(colourOf(*chooser_)));
        sample_->redraw();
    }

    void showCustoms() {
        for (std::size_t i = 0; i < swatches_.size(); ++i) {
            swatches_[i]->color(colourFor(customs_[i]));
            swatches_[i]->selection_color(colourFor(customs_[i]));
        }
        const Fl_Widget* target = swatches_[target_];
        marker_->position(target->x() - 2, target->y() - 2);
        window_.redraw();
    }

    void swatchClicked(Fl_Widget* w) {
        target_ = static_cast<std::size_t>(std::ranges::find(swatches_, w) - swatches_.begin());
        setColour(*chooser_, customs_[target_]);
        showSample();
        showCustoms();
    }

    void storeCustom() {
        customs_[target_] = colourOf(*chooser_);
        target_ = (target_ + 1) % customs_.size();
        showCustoms();
    }

    void close(bool cancelled) {
        answer_.cancelled = cancelled;
        if (!cancelled) answer_.result = static_cast<int>(colourOf(*chooser_));
        answer_.customColours = customs_;
        window_.hide();
    }

    DialogWindow window_;
    CustomColours customs_;
    std::size_t target_ = 0;
    DialogAnswer answer_;
    Fl_Color_Chooser* chooser_ = nullptr;
    Fl_Box* sample_ = nullptr;
    Fl_Box* marker_ = nullptr;
    Fl_Button* ok_ = nullptr;
    std::array<Fl_Button*, customColourCount> swatches_{};
};

// The sample of the font dialog: a line of Latin, kana and kanji in the chosen font, drawn
// as the program's windows will draw it (every face through the IPA families).
class FontSample : public Fl_Widget {
public:
    FontSample(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {}
    Font font;

    void draw() override {
        draw_box(FL_DOWN_BOX, FL_WHITE);
        fl_push_clip(x() + 2, y() + 2, w() - 4, h() - 4);
        fl_font(fontFor(font), fontSizeFor(font));
        fl_color(FL_BLACK);
        const char* text = "AaBbYyZz あア亜 123";
        const int width = static_cast<int>(fl_width(text));
        const int left = x() + std::max(4, (w() - width) / 2);
        const int top = y() + (h() - fl_height()) / 2;
        const int baseline = top + fl_height() - fl_descent();
        fl_draw(text, left, baseline);
        if (font.underline) fl_xyline(left, baseline + 1, left + width - 1);
        if (font.strikeout) fl_xyline(left, baseline - fl_height() / 3, left + width - 1);
        fl_pop_clip();
    }
};

// The font dialog: the faces the program may name, the size (typed, or picked from the
// usual ones), the four styles and a sample. OK takes a face and a size of 1 to 32767
// points; without them it stays open.
class FontDialog {
public:
    explicit FontDialog(const DialogRequest& request)
        : window_(468, 352, cp932ToUtf8(request.caption.empty() ? utf8ToCp932("フォントの選択") : request.caption),
                  "QuillFontDialog") {
        auto* faceLabel = new Fl_Box(12, 8, 220, 20, "フォント名");
        faces_ = new Fl_Hold_Browser(12, 30, 220, 168);
        auto* sizeLabel = new Fl_Box(244, 8, 72, 20, "サイズ");
        size_ = new Fl_Int_Input(244, 30, 72, 24);
        sizes_ = new Fl_Hold_Browser(244, 56, 72, 142);
        auto* styleLabel = new Fl_Box(328, 8, 128, 20, "スタイル");
        bold_ = new Fl_Check_Button(328, 30, 128, 24, "太字");
        italic_ = new Fl_Check_Button(328, 56, 128, 24, "斜体");
        underline_ = new Fl_Check_Button(328, 82, 128, 24, "下線");
        strikeout_ = new Fl_Check_Button(328, 108, 128, 24, "取り消し線");
        auto* sampleLabel = new Fl_Box(12, 206, 120, 20, "サンプル");
        sample_ = new FontSample(12, 228, 444, 76);
        auto* ok = new Fl_Button(288, 316, 80, 26, "OK");
        auto* cancelButton = new Fl_Button(376, 316, 80, 26, "キャンセル");
        window_.end();
        for (Fl_Box* b : {faceLabel, sizeLabel, styleLabel, sampleLabel}) b->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
        for (Fl_Widget* w : std::initializer_list<Fl_Widget*>{faceLabel, sizeLabel, styleLabel, sampleLabel, bold_,
                                                              italic_, underline_, strikeout_, ok, cancelButton})
            w->labelsize(12);
        for (Fl_Browser* b : {faces_, sizes_}) {
            b->format_char(0);
            b->textsize(12);
        }
        size_->textsize(12);

        std::vector<std::string> faces = request.faces;
        if (std::ranges::find(faces, request.font.face) == faces.end()) faces.insert(faces.begin(), request.font.face);
        for (const std::string& f : faces) {
            faces_->add(cp932ToUtf8(f).c_str());
            if (f == request.font.face) faces_->select(faces_->size());
        }
        faces_->middleline(std::max(faces_->value(), 1));
        for (int points : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
            sizes_->add(std::to_string(points).c_str());
        size_->value(std::to_string(request.font.size).c_str());
        bold_->value(request.font.bold);
        italic_->value(request.font.italic);
        underline_->value(request.font.underline);
        strikeout_->value(request.font.strikeout);
        selectListedSize();

        const auto changed = [](Fl_Widget*, void* self) { static_cast<FontDialog*>(self)->showSample(); };
        for (Fl_Widget* w : std::initializer_list<Fl_Widget*>{faces_, bold_, italic_, underline_, strikeout_})
            w->callback(changed, this);
        size_->when(FL_WHEN_CHANGED);
        size_->callback([](Fl_Widget*, void* self) { static_cast<FontDialog*>(self)->sizeTyped(); }, this);
        sizes_->callback([](Fl_Widget*, void* self) { static_cast<FontDialog*>(self)->sizePicked(); }, this);
        ok->callback([](Fl_Widget*, void* self) { static_cast<FontDialog*>(self)->take(); }, this);
        cancelButton->callback([](Fl_Widget*, void* self) { static_cast<FontDialog*>(self)->cancel(); }, this);
        window_.defaultButton_ = ok;
        window_.cancel_ = [this] { cancel(); };
        showSample();
    }

    DialogAnswer run() {
        window_.run(faces_);
        return answer_;
    }

private:
    // The typed size, or 0 when it is not a size the dialog takes.
    int typedSize() const {
        const char* text = size_->value();
        int points = 0;
        const char* end = text + std::strlen(text);
        const auto [p, ec] = std::from_chars(text, end, points);
        if (ec != std::errc() || p != end || points < 1 || points > mostFontPoints) return 0;
        return points;
    }

    Font chosen() const {
        Font f;
        f.face = faces_->value() > 0 ? utf8ToCp932(faces_->text(faces_->value())) : std::string();
        f.size = typedSize();
        f.bold = bold_->value() != 0;
        f.italic = italic_->value() != 0;
        f.underline = underline_->value() != 0;
        f.strikeout = strikeout_->value() != 0;
        return f;
    }

    void showSample() {
        Font f = chosen();
        if (f.size == 0) f.size = sample_->font.size;  // the sample keeps its size while one is typed
        sample_->font = f;
        sample_->redraw();
    }

    void selectListedSize() {
        sizes_->deselect();
        for (int line = 1; line <= sizes_->size(); ++line)
            if (std::to_string(typedSize()) == sizes_->text(line)) {
                sizes_->select(line);
                sizes_->middleline(line);
            }
    }

    void sizeTyped() {
        selectListedSize();
        showSample();
    }

    void sizePicked() {
        if (sizes_->value() <= 0) return;
        size_->value(sizes_->text(sizes_->value()));
        showSample();
    }

    void take() {
        const Font f = chosen();
        if (f.face.empty() || f.size == 0) {
            (f.face.empty() ? static_cast<Fl_Widget*>(faces_) : size_)->take_focus();
            return;
        }
        answer_.font = f;
        window_.hide();
    }

    void cancel() {
        answer_.cancelled = true;
        window_.hide();
    }

    DialogWindow window_;
    DialogAnswer answer_;
    Fl_Hold_Browser* faces_ = nullptr;
    Fl_Int_Input* size_ = nullptr;
    Fl_Hold_Browser* sizes_ = nullptr;
    Fl_Check_Button* bold_ = nullptr;
    Fl_Check_Button* italic_ = nullptr;
    Fl_Check_Button* underline_ = nullptr;
    Fl_Check_Button* strikeout_ = nullptr;
    FontSample* sample_ = nullptr;
};

}  // namespace

DialogAnswer runColorChooser(const DialogRequest& request) { return ColourDialog(request).run(); }

DialogAnswer runFontDialog(const DialogRequest& request) { return FontDialog(request).run(); }

}  // namespace platform::fltk
