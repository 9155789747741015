#include "runtime/forms.hpp"

#include <dlfcn.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "runtime/error.hpp"
#include "runtime/events.hpp"
#include "runtime/form_resource.hpp"
#include "runtime/resources.hpp"
#include "runtime/window_system.hpp"

namespace runtime {

namespace {

// What the runtime recorded for one window it created from a form.
struct WindowInfo {
    WindowClass cls;
    std::map<std::uint16_t, void*> handlers;  // event id -> exported handler
};

struct FormTable {
    std::map<platform::Handle, WindowInfo> windows;
    std::vector<platform::Handle> startForms;
    std::map<platform::Handle, std::set<std::uint32_t>> trimmedMenus;
    std::set<platform::Handle> ending;  // forms whose END handler is running
};

FormTable& table() {
    static FormTable t;
    return t;
}

platform::Kind platformKind(ResourceKind k) {
    switch (k) {
    case ResourceKind::Form: return platform::Kind::Form;
    case ResourceKind::PushButton: return platform::Kind::PushButton;
    case ResourceKind::OptionButton: return platform::Kind::OptionButton;
    case ResourceKind::CheckBox: return platform::Kind::CheckBox;
    case ResourceKind::GroupBox: return platform::Kind::GroupBox;
    case ResourceKind::Edit: return platform::Kind::Edit;
    case ResourceKind::Label: return platform::Kind::Label;
    case ResourceKind::ListBox: return platform::Kind::ListBox;
    case ResourceKind::HScrollBar: return platform::Kind::HScrollBar;
    case ResourceKind::VScrollBar: return platform::Kind::VScrollBar;
    case ResourceKind::ComboBox: return platform::Kind::ComboBox;
    case ResourceKind::PictureBox: return platform::Kind::PictureBox;
    }
    return platform::Kind::Form;
}

std::uint32_t objectKind(ResourceKind k) {
    if (k == ResourceKind::Form) return 0x1000;
    return 0x1100 + (static_cast<std::uint32_t>(k) - 3);
}

// Binds each listed event to the handler the program exports, looked up once, here.
// Events without an exported handler are not recorded, so they are dropped.
std::map<std::uint16_t, void*> bindHandlers(const FormObject& object) {
    std::map<std::uint16_t, void*> bound;
    for (const FormEventEntry& e : object.events) {
        const std::string symbol = "PX$" + e.handler;
        if (void* proc = dlsym(RTLD_DEFAULT, symbol.c_str())) bound[e.id] = proc;
    }
    return bound;
}

// The state a form resource gives a window besides its geometry and style.
void applyObject(platform::Model& m, platform::Handle h, const FormObject& o) {
    platform::Window& w = *m.change(h);
    if (o.font) w.font.face = o.font->face;
    if (o.fontSize) w.font.size = *o.fontSize;
    if (o.foreColor) w.fore = *o.foreColor;
    if (o.backColor) w.back = *o.backColor;
    if (o.imeMode) w.imeMode = static_cast<int>(*o.imeMode);
    if (o.maxLength) w.edit.limit = *o.maxLength;
    if (o.scrollSteps) {
        w.scroll.smallStep = (*o.scrollSteps)[0];
        w.scroll.largeStep = (*o.scrollSteps)[1];
    }
    if ((o.kind == ResourceKind::PictureBox || o.kind == ResourceKind::Form) && o.backColor) {
        const platform::Rect c = m.clientRect(h);
        m.change(h)->redraw = platform::PixelBuffer(c.w, c.h, *o.backColor);
    }
    if (o.caption) m.setText(h, *o.caption);
    if (o.scrollRange) m.setScrollRange(h, (*o.scrollRange)[0], (*o.scrollRange)[1]);
    if (o.items)
        for (std::string& item : splitItems(*o.items)) m.addItem(h, std::move(item));
    if (o.checkState) m.setCheck(h, static_cast<int>(*o.checkState));
}

void forget(platform::Handle h) {
    FormTable& t = table();
    t.windows.erase(h);
    t.trimmedMenus.erase(h);
    std::erase(t.startForms, h);
}

}  // namespace

CreateFormResult createForm(std::string_view name, platform::Handle owner, int showCommand) {
    CreateFormResult result;
    const auto bytes = findResource(name);
    if (!bytes) {
        result.error = err::ResourceNotFound;
        return result;
    }
    FormResource res;
    try {
        res = parseFormResource(*bytes);
    } catch (const RuntimeError&) {
        result.error = err::SystemFailure;
        return result;
    }

    platform::Model& m = model();
    const FormObject& f = res.form;
    const FormGeometry& g = f.geometry;
    // Built hidden; the caller shows it with the show command, once it is bound.
    const platform::Handle form =
        m.createForm(f.name, "PLV0WC" + f.name, f.style & ~platform::style::Visible, f.exStyle,
                     {g.left, g.top, g.width, g.height}, owner);
    applyObject(m, form, f);
    table().windows[form] = WindowInfo{{objectKind(f.kind), form, f.name}, bindHandlers(f)};

    for (const FormObject& c : res.controls) {
        const FormGeometry& cg = c.geometry;
        const platform::Handle h =
            m.createControl(form, platformKind(c.kind), c.name, c.style, c.exStyle,
                            {cg.left, cg.top, cg.width, cg.height});
        applyObject(m, h, c);
        table().windows[h] = WindowInfo{{objectKind(c.kind), form, c.name}, bindHandlers(c)};
    }

    result.window = form;
    result.showCommand = (g.state == 3 && showCommand != show::Hidden) ? show::Maximized : showCommand;
    return result;
}

void showForm(platform::Handle form, int showCommand) {
    platform::Model& m = model();
    if (!m.exists(form) || showCommand == show::Hidden) return;
    if (showCommand == show::Maximized) m.setShowState(form, platform::ShowState::Maximized);
    m.setVisible(form, true);
    m.bringToFront(form);
    if (showCommand == show::Maximized) queueEvent(Event{form, EvResize});
}

std::optional<WindowClass> classifyWindow(platform::Handle window) {
    if (!model().exists(window)) return std::nullopt;
    const auto it = table().windows.find(window);
    if (it == table().windows.end()) return std::nullopt;
    return it->second.cls;
}

platform::Handle findControl(platform::Handle form, std::string_view name) {
    const platform::Window* f = model().find(form);
    if (!f) return 0;
    for (platform::Handle c : f->children)
        if (model().find(c)->name == name && table().windows.count(c)) return c;
    return 0;
}

platform::Handle findStartForm(std::string_view name) {
    for (platform::Handle f : table().startForms)
        if (const platform::Window* w = model().find(f); w && w->name == name) return f;
    return 0;
}

void addStartForm(platform::Handle form) { table().startForms.push_back(form); }

void* boundHandler(platform::Handle window, std::uint16_t eventId) {
    const auto it = table().windows.find(window);
    if (it == table().windows.end()) return nullptr;
    const auto h = it->second.handlers.find(eventId);
    return h == it->second.handlers.end() ? nullptr : h->second;
}

void destroyWindow(platform::Handle window) {
    platform::Model& m = model();
    const platform::Window* w = m.find(window);
    if (!w) return;
    if (!w->isForm()) {
        forget(window);
        m.destroy(window);
        return;
    }
    // The forms that go with this one: those it owns, and theirs.
    std::vector<platform::Handle> going{window};
    for (std::size_t i = 0; i < going.size(); ++i)
        for (platform::Handle f : m.forms())
            if (m.find(f)->owner == going[i]) going.push_back(f);
    // Owned forms end before their owner, each while its window still exists.
    for (auto it = going.rbegin(); it != going.rend(); ++it) {
        const platform::Handle f = *it;
        if (!m.exists(f) || table().ending.count(f)) continue;
        if (void* end = boundHandler(f, EvEnd)) {
            table().ending.insert(f);
            try {
                handlerAs<void (*)(void*)>(end)(nullptr);
            } catch (...) {
                table().ending.erase(f);
                throw;
            }
            table().ending.erase(f);
            countHandlerRun();
        }
    }
    for (platform::Handle f : going) {
        if (const platform::Window* gone = m.find(f))
            for (platform::Handle c : gone->children) forget(c);
        forget(f);
    }
    m.destroy(window);
}

void trimSystemMenuItem(platform::Handle form, std::uint32_t item) { table().trimmedMenus[form].insert(item); }

bool systemMenuItemTrimmed(platform::Handle form, std::uint32_t item) {
    const auto it = table().trimmedMenus.find(form);
    return it != table().trimmedMenus.end() && it->second.count(item);
}

void forgetForms() {
    FormTable& t = table();
    t.windows.clear();
    t.startForms.clear();
    t.trimmedMenus.clear();
    t.ending.clear();
}

}  // namespace runtime
