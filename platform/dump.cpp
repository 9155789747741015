#include "platform/dump.hpp"

#include "platform/cp932.hpp"

namespace platform {

namespace {

void quoted(std::ostream& out, const std::string& cp932) {
    out << '"';
    for (char c : cp932ToUtf8(cp932)) {
        if (c == '"' || c == '\\') out << '\\' << c;
        else if (c == '\r') out << "\\r";
        else if (c == '\n') out << "\\n";
        else if (c == '\t') out << "\\t";
        else out << c;
    }
    out << '"';
}

const char* showWord(ShowState s) {
    switch (s) {
    case ShowState::Normal: return "normal";
    case ShowState::Minimized: return "minimized";
    case ShowState::Maximized: return "maximized";
    }
    return "";
}

}  // namespace

void dumpWindow(const Model& model, Handle h, std::ostream& out) {
    const Window* w = model.find(h);
    if (!w) return;
    out << (w->isForm() ? "" : "  ") << kindWord(w->kind) << ' ' << model.address(h) << ' ';
    quoted(out, w->text);
    out << " at " << w->rect.x << ',' << w->rect.y << ' ' << w->rect.w << 'x' << w->rect.h;
    out << (w->visible ? " visible" : " hidden") << (w->enabled ? "" : " disabled");
    if (model.focus() == h) out << " focus";
    if (w->isForm())
        out << ' ' << showWord(w->show) << (w->topmost ? " topmost" : "") << " buffer " << w->redraw.width() << 'x'
            << w->redraw.height();
    if (w->tabStop) out << " tabstop";
    switch (w->kind) {
    case Kind::CheckBox:
    case Kind::OptionButton: out << " check " << w->check; break;
    case Kind::Edit:
        out << " sel " << w->edit.selStart << '-' << w->edit.selEnd << (w->edit.modified ? " modified" : "")
            << (w->edit.readOnly ? " readonly" : "");
        break;
    case Kind::HScrollBar:
    case Kind::VScrollBar:
        out << " pos " << w->scroll.pos << " range " << w->scroll.min << '-' << w->scroll.max;
        break;
    case Kind::PictureBox: out << " buffer " << w->redraw.width() << 'x' << w->redraw.height(); break;
    default: break;
    }
    if (w->hasList()) {
        out << " selected " << w->list.selected << " top " << w->list.topIndex << " items [";
        for (std::size_t i = 0; i < w->list.items.size(); ++i) {
            if (i) out << ", ";
            if (w->multipleSelection() && w->list.marked[i]) out << '*';
            quoted(out, w->list.items[i]);
        }
        out << ']';
    }
    out << '\n';
}

void dumpModel(const Model& model, std::ostream& out) {
    for (Handle f : model.forms()) {
        dumpWindow(model, f, out);
        for (Handle c : model.find(f)->children) dumpWindow(model, c, out);
    }
}

}  // namespace platform
