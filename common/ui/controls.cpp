#include "common/ui/controls.hpp"

#include <string>

namespace common::ui {

namespace {

// A descriptor that keeps its text alive for one call.
struct Pv {
    explicit Pv(std::string_view s) : text(s), pv(runtime::pvString(text)) {}
    Pv(const Pv&) = delete;
    Pv& operator=(const Pv&) = delete;
    const PvString* get() const { return &pv; }
    std::string text;
    PvString pv;
};

std::string taken(const PvString* result) { return std::string(runtime::view(result)); }

std::int16_t truth(bool b) { return b ? toolkit::True : toolkit::False; }

}  // namespace

void attach(ObjectVar& variable, ObjectVar* form, std::string_view name) {
    const Pv pv(name);
    PX$ATTACH(&variable, PX$GETDLGITEM(form, pv.get()));
}

void createForm(ObjectVar& variable, std::string_view name, bool visible) {
    const Pv pv(name);
    PX$CREATEWINDOW(&variable, pv.get(), truth(visible));
}

void destroy(ObjectVar& object) {
    if (object != 0 && PV$CHECKOBJECT(&object)) PX$DESTROYWINDOW(&object);
}

void setText(ObjectVar& object, const std::string& text) {
    const Pv pv(text);
    PX$SETWINDOWTEXT(&object, pv.get());
}
std::string text(ObjectVar& object) { return taken(PX$GETWINDOWTEXT(&object)); }
void show(ObjectVar& object, bool visible) { PX$SHOWWINDOW(&object, truth(visible)); }
void enable(ObjectVar& object, bool enabled) { PX$ENABLEWINDOW(&object, truth(enabled)); }
bool isVisible(ObjectVar& object) { return PX$ISWINDOWVISIBLE(&object) != 0; }
bool isEnabled(ObjectVar& object) { return PX$ISWINDOWENABLED(&object) != 0; }
void move(ObjectVar& object, float left, float top) { PX$MOVEWINDOW(&object, left, top); }
void setClientSize(ObjectVar& object, float width, float height) { PX$SETCLIENTSIZE(&object, width, height); }
float left(ObjectVar& object) { return PX$GETLEFT(&object); }
float top(ObjectVar& object) { return PX$GETTOP(&object); }
float width(ObjectVar& object) { return PX$GETWIDTH(&object); }
float height(ObjectVar& object) { return PX$GETHEIGHT(&object); }
void setFontSize(ObjectVar& object, float size) { PX$SETFONTSIZE(&object, size); }
void setFontName(ObjectVar& object, const std::string& name) {
    const Pv pv(name);
    PX$SETFONTNAME(&object, pv.get());
}
void setTopmost(ObjectVar& object, bool topmost) { PX$SETTOPMOSTWINDOW(&object, truth(topmost)); }
void toFront(ObjectVar& object) { PX$SETFOREGROUNDWINDOW(&object); }

void clearItems(ObjectVar& object) { PX$RESETCONTENT(&object); }
void addItem(ObjectVar& object, const std::string& text) {
    const Pv pv(text);
    PX$ADDSTRING(&object, pv.get());
}
void select(ObjectVar& object, int index) { PX$SETCURSEL(&object, index); }
int selection(ObjectVar& object) { return PX$GETCURSEL(&object); }
int itemCount(ObjectVar& object) { return PX$GETCOUNT(&object); }
std::string itemText(ObjectVar& object, int index) { return taken(PX$GETTEXT(&object, index)); }

void mark(ObjectVar& object, int index, bool marked) { PX$SETSEL(&object, index, truth(marked)); }
bool isMarked(ObjectVar& object, int index) { return PX$GETSEL(&object, index) != 0; }

void selectText(ObjectVar& object, int start, int end) { PX$SETSELTEXT(&object, start, end, toolkit::False); }
void copySelection(ObjectVar& object) { PX$COPY(&object); }

int lineCount(ObjectVar& object) { return PX$GETLINECOUNT(&object); }
void setImeMode(ObjectVar& object, int mode) { PX$SETIMEMODE(&object, mode); }
void focus(ObjectVar& object) { PX$SETFOCUS(&object); }

void setCheck(ObjectVar& object, int state) { PX$SETCHECK(&object, state); }
int check(ObjectVar& object) { return PX$GETCHECK(&object); }

int messageBox(ObjectVar* owner, const std::string& caption, const std::string& text, int buttons, int icon) {
    const Pv c(caption), t(text);
    return PX$MESSAGEBOX(owner, c.get(), t.get(), static_cast<std::int16_t>(buttons), static_cast<std::int16_t>(icon));
}

std::optional<std::string> saveDialog(ObjectVar* owner, const std::string& title, const std::string& initialPath,
                                      const std::string& filter, int mode) {
    const Pv t(title), i(initialPath), f(filter);
    std::string chosen = taken(PX$WINSAVEDLG(owner, t.get(), i.get(), f.get(), static_cast<std::int16_t>(mode)));
    if (chosen == std::string(1, '\x1b')) return std::nullopt;
    return chosen;
}

std::optional<std::string> openDialog(ObjectVar* owner, const std::string& title, const std::string& initialPath,
                                      const std::string& filter, int mode) {
    const Pv t(title), i(initialPath), f(filter);
    std::string chosen = taken(PX$WINOPENDLG(owner, t.get(), i.get(), f.get(), static_cast<std::int16_t>(mode)));
    if (chosen == std::string(1, '\x1b')) return std::nullopt;
    return chosen;
}

}  // namespace common::ui
