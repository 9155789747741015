// A form of every common kind shown by the FLTK backend, for the real-window test
// (fltk_demo_test.sh): it reports each notification as it arrives, and when the user
// clicks "終了" it prints the model's state and ends.

#include <cstdio>
#include <iomanip>
#include <iostream>
#include <map>
#include <sstream>

#include "platform/cp932.hpp"
#include "platform/dump.hpp"
#include "platform/fltk/fltk_backend.hpp"

using namespace platform;

namespace {

std::string sj(const char* utf8) { return utf8ToCp932(utf8); }

std::string hex(const std::string& bytes) {
    std::ostringstream out;
    for (unsigned char c : bytes) out << std::hex << std::setw(2) << std::setfill('0') << int(c);
    return out.str();
}

// A picture worth checking on screen: a blue-to-green ramp with a red square and a black
// diagonal.
void paint(PixelBuffer& b) {
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            b.setPixel(x, y, Colour(0xFF * x / std::max(b.width(), 1)) << 8 | Colour(0xFF * y / std::max(b.height(), 1)) << 16);
    b.fillRect({20, 20, 40, 40}, 0x0000FF);
    for (int i = 0; i < std::min(b.width(), b.height()); ++i) b.setPixel(i, i, 0x000000);
}

}  // namespace

int main() {
    Model model;
    const std::uint32_t tab = style::Visible | style::TabStop;
    const Rect client{40, 40, 480, 320};
    const Handle form = model.createForm("DEMO", "QuillDemo", style::Caption | style::SysMenu, style::ExDlgModalFrame,
                                         outerRect(model.metrics, client, style::Caption | style::SysMenu,
                                                   style::ExDlgModalFrame, false));
    model.setText(form, sj("取引日記 デモ"));
    model.change(form)->font = Font{"FixedSys", 12};
    const Font gothic{sj("ＭＳ ゴシック"), 12};
    const Font pgothic{sj("ＭＳ Ｐゴシック"), 12};
    auto add = [&](Kind kind, const char* name, std::uint32_t st, Rect r, const char* text, const Font& font) {
        const Handle h = model.createControl(form, kind, name, st, 0, r);
        model.setText(h, sj(text));
        model.change(h)->font = font;
        return h;
    };
    add(Kind::PushButton, "BUTTON1", tab, {16, 16, 96, 28}, "押す", pgothic);
    const Handle edit = add(Kind::Edit, "EDIT1", tab | style::Border, {128, 16, 200, 24}, "", gothic);
    const Handle list = add(Kind::ListBox, "LIST1", tab | style::Border, {128, 52, 200, 92}, "", gothic);
    for (const char* item : {"ドル円 USD/JPY", "豪ドル円 AUD/JPY", "NZD/JPY", "@は記号ではない"}) model.addItem(list, sj(item));
    add(Kind::GroupBox, "GROUP1", style::Visible, {340, 8, 128, 84}, "グループ", pgothic);
    add(Kind::CheckBox, "CHECK1", tab | 3, {352, 30, 100, 22}, "確認する", pgothic);
    add(Kind::OptionButton, "OPT1", tab | style::Group | 9, {352, 58, 100, 22}, "選択肢", pgothic);
    const Handle combo = add(Kind::ComboBox, "COMBO1", tab | style::ComboDropDownList, {340, 104, 128, 26}, "", pgothic);
    for (const char* item : {"SHORT", "MIDDLE", "LONG"}) model.addItem(combo, item);
    model.select(combo, 1);
    const Handle simple = add(Kind::ComboBox, "COMBO2", tab | style::ComboSimple, {232, 160, 200, 100}, "", gothic);
    for (const char* item : {"日足", "４時間足", "１時間足", "15分足"}) model.addItem(simple, sj(item));
    model.select(simple, 2);
    add(Kind::Label, "LABEL1", style::Visible, {16, 56, 104, 80}, "全角ＡＢ半角ABCD 折り返すラベル", gothic);
    const Handle bar = add(Kind::VScrollBar, "VS1", style::Visible, {448, 150, 16, 150}, "", gothic);
    model.setScrollRange(bar, 0, 100);
    model.setScrollPos(bar, 30);
    add(Kind::PushButton, "DONE", tab, {340, 270, 96, 28}, "終了", pgothic);
    const Handle pic = add(Kind::PictureBox, "PIC1", style::Visible | style::Border, {16, 160, 202, 122}, "", gothic);
    paint(model.change(pic)->redraw);
    model.setVisible(form, true);

    FltkBackend backend(model);
    std::map<std::string, int> clicks;
    bool done = false;
    // A safety net for a test that lost its way, not a measurement.
    const auto giveUp = Clock::now() + std::chrono::seconds(30);
    while (!done && model.exists(form) && Clock::now() < giveUp) {
        backend.pumpEvents(std::chrono::milliseconds(200));
        while (auto n = model.takeNotification()) {
            std::cout << "notify " << notificationWord(n->kind) << ' ' << n->name << std::endl;
            if (n->kind == NotificationKind::Click) ++clicks[n->name];
            if (n->kind == NotificationKind::Click && n->name == "DONE") done = true;
        }
    }
    std::cout << "clicks BUTTON1 " << clicks["BUTTON1"] << '\n';
    if (const Window* w = model.find(edit)) {
        std::cout << "edit EDIT1 " << cp932ToUtf8(w->text) << '\n';
        std::cout << "edit-bytes EDIT1 " << hex(w->text) << '\n';
    }
    if (const Window* w = model.find(list)) std::cout << "list LIST1 selected " << w->list.selected << '\n';
    std::cout << "focus " << (model.find(model.focus()) ? model.find(model.focus())->name : "-") << '\n';
    dumpModel(model, std::cout);
    return done ? 0 : 1;
}
