// Fonts of windows (set and read every attribute, or all at once from a font record), the
// extent of a text in a window's font, the font families, and the map modes.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "platform/cp932_bytes.hpp"
#include "platform/model.hpp"
#include "runtime/pv_string.hpp"
#include "toolkit/bitmap_objects.hpp"
#include "toolkit/checks.hpp"
#include "toolkit/fonts.hpp"
#include "toolkit/map_mode.hpp"

namespace kind = runtime::kind;
using namespace toolkit;

namespace {

// Forms, the controls from push button to list box, combo boxes, picture boxes, printers
// and bitmaps have a font. Printers and bitmaps have no window in this system, so they
// end at the window check.
constexpr Kinds fontKinds = {kind::Form,     kind::PushButton, kind::OptionButton, kind::CheckBox,
                             kind::GroupBox, kind::Edit,       kind::Label,        kind::ListBox,
                             kind::ComboBox, kind::PictureBox, kind::Printer,      kind::Bitmap};

// The font of a window, for a change; 1006 on a form in map mode 0.
Target fontTarget(const ObjectVar* object, std::uint32_t operation) {
    const Target t = checkedTarget(object, operation, fontKinds);
    if (t.window->isForm() && mapModeOf(t.handle) == 0) fail(runtime::err::WrongScale, operation, 5);
    return t;
}

int checkedPoints(float size, std::uint32_t operation, std::uint32_t check) {
    if (!std::isfinite(size) || std::fabs(size) > 32767.0f) fail(runtime::err::NotAWindow, operation, check);
    const int points = static_cast<int>(std::lround(size));
    if (points <= 0) fail(runtime::err::IllegalArgument, operation, check);
    return points;
}

void setFont(const Target& t, const platform::Font& font) { runtime::model().change(t.handle)->font = font; }

template <typename Change>
void changeFont(ObjectVar* object, std::uint32_t operation, Change change) {
    const Target t = fontTarget(object, operation);
    platform::Font font = t.window->font;
    change(font);
    setFont(t, font);
}

const platform::Font& fontOf(ObjectVar* object, std::uint32_t operation) {
    return checkedTarget(object, operation, fontKinds).window->font;
}

}  // namespace

namespace toolkit {

std::string faceOf(const FontRecord& record) {
    std::string face(record.face, sizeof record.face);
    face.erase(std::min(face.find('\0'), face.size()));
    face.erase(face.find_last_not_of(' ') + 1);
    return face;
}

void putFace(FontRecord& record, std::string_view face) {
    std::memset(record.face, ' ', sizeof record.face);
    std::memcpy(record.face, face.data(), std::min(face.size(), mostFaceBytes));
}

std::vector<std::string> fontNames(platform::Backend& backend) {
    std::vector<std::string> names;
    for (std::string& n : backend.fontFamilies())
        if (!n.empty() && n.size() <= mostFaceBytes) names.push_back(std::move(n));
    std::sort(names.begin(), names.end(), platform::lessIgnoringCase);
    names.erase(std::unique(names.begin(), names.end(), platform::sameIgnoringCase), names.end());
    return names;
}

}  // namespace toolkit

// The record is read as the programs lay it out: no padding anywhere.
static_assert(sizeof(FontRecord) == 44);

extern "C" void PX$SETFONTSIZE(ObjectVar* object, float size) {
    const int points = checkedPoints(size, op::SetFontSize, 6);
    changeFont(object, op::SetFontSize, [&](platform::Font& f) { f.size = points; });
}

extern "C" void PX$SETFONTNAME(ObjectVar* object, const PvString* name) {
    const std::string_view face = runtime::view(name);
    const Target t = fontTarget(object, op::SetFontName);
    if (face.size() > mostFaceBytes) fail(runtime::err::IllegalArgument, op::SetFontName, 6);
    platform::Font font = t.window->font;
    font.face = std::string(face);
    setFont(t, font);
}

extern "C" void PX$SETFONTBOLD(ObjectVar* object, std::int16_t flag) {
    const bool on = checkedFlag(flag, op::SetFontBold, 6);
    changeFont(object, op::SetFontBold, [&](platform::Font& f) { f.bold = on; });
}

extern "C" void PX$SETFONTITALIC(ObjectVar* object, std::int16_t flag) {
    const bool on = checkedFlag(flag, op::SetFontItalic, 6);
    changeFont(object, op::SetFontItalic, [&](platform::Font& f) { f.italic = on; });
}

extern "C" void PX$SETFONTUNDERLINE(ObjectVar* object, std::int16_t flag) {
    const bool on = checkedFlag(flag, op::SetFontUnderline, 6);
    changeFont(object, op::SetFontUnderline, [&](platform::Font& f) { f.underline = on; });
}

extern "C" void PX$SETFONTSTRIKEOUT(ObjectVar* object, std::int16_t flag) {
    const bool on = checkedFlag(flag, op::SetFontStrikeout, 6);
    changeFont(object, op::SetFontStrikeout, [&](platform::Font& f) { f.strikeout = on; });
}

extern "C" void PX$SETFONT(ObjectVar* object, const FontRecord* record) {
    const Target t = fontTarget(object, op::SetFont);
    if (record == nullptr) fail(runtime::err::IllegalArgument, op::SetFont, 6);
    platform::Font font;
    font.size = checkedPoints(record->size, op::SetFont, 7);
    const auto flag = [](std::int16_t v) {
        if (v != True && v != False) fail(runtime::err::NotAWindow, op::SetFont, 8);
        return v == True;
    };
    font.bold = flag(record->bold);
    font.italic = flag(record->italic);
    font.underline = flag(record->underline);
    font.strikeout = flag(record->strikeout);
    font.face = faceOf(*record);
    setFont(t, font);
}

extern "C" const PvString* PX$GETFONTNAME(ObjectVar* object) {
    return runtime::returnString(fontOf(object, op::GetFontName).face);
}
extern "C" std::int16_t PX$GETFONTSIZE(ObjectVar* object) {
    return static_cast<std::int16_t>(std::abs(fontOf(object, op::GetFontSize).size));
}
extern "C" std::int16_t PX$GETFONTBOLD(ObjectVar* object) { return fontOf(object, op::GetFontBold).bold ? True : False; }
extern "C" std::int16_t PX$GETFONTITALIC(ObjectVar* object) {
    return fontOf(object, op::GetFontItalic).italic ? True : False;
}
extern "C" std::int16_t PX$GETFONTUNDERLINE(ObjectVar* object) {
    return fontOf(object, op::GetFontUnderline).underline ? True : False;
}
extern "C" std::int16_t PX$GETFONTSTRIKEOUT(ObjectVar* object) {
    return fontOf(object, op::GetFontStrikeout).strikeout ? True : False;
}

namespace {

platform::Size extentOf(ObjectVar* object, const PvString* text, std::uint32_t operation, Target& t) {
    t = checkedTarget(object, operation, fontKinds);
    platform::Backend* b = runtime::backend();
    if (!b) fail(runtime::err::SystemFailure, operation, 5);
    return b->textExtent(t.window->font, std::string(runtime::view(text)));
}

// Text is measured in the scale of the window it is drawn in.
int ownMapMode(const Target& t) {
    return t.window->isForm() || t.window->kind == platform::Kind::PictureBox ? mapModeOf(t.handle)
                                                                               : positionMapMode(t.handle);
}

}  // namespace

extern "C" float PX$GETTEXTWIDTH(ObjectVar* object, const PvString* text) {
    Target t;
    const platform::Size size = extentOf(object, text, op::GetTextWidth, t);
    return fromPixels(size.w, ownMapMode(t));
}

extern "C" float PX$GETTEXTHEIGHT(ObjectVar* object, const PvString* text) {
    Target t;
    const platform::Size size = extentOf(object, text, op::GetTextHeight, t);
    return fromPixels(size.h, ownMapMode(t));
}

extern "C" const PvString* PX$ENUMFONTNAMES(ObjectVar* object, const PvString* name) {
    checkedTarget(object, op::EnumFontNames, fontKinds);
    const std::string after(runtime::view(name));
    if (after.size() > mostFaceBytes) fail(runtime::err::IllegalArgument, op::EnumFontNames, 5);
    platform::Backend* b = runtime::backend();
    if (!b) fail(runtime::err::SystemFailure, op::EnumFontNames, 6);
    const std::vector<std::string> names = fontNames(*b);
    if (after.empty()) return runtime::returnString(names.empty() ? std::string() : names.front());
    // The name after the given one in the order; "" after the last.
    const auto next = std::upper_bound(names.begin(), names.end(), after, platform::lessIgnoringCase);
    return runtime::returnString(next == names.end() ? std::string() : *next);
}

namespace {

// The window, or the loaded bitmap, whose map mode an operation reads or sets.
platform::Handle scaledObject(const ObjectVar* object, std::uint32_t operation) {
    if (const auto record = runtime::getRecord(object); record && record->kind == kind::Bitmap)
        return loadedBitmapRecord(object, operation).window;
    return checkedTarget(object, operation, {kind::Form, kind::PictureBox, kind::Printer, kind::Bitmap}).handle;
}

}  // namespace

extern "C" void PX$SETMAPMODE(ObjectVar* object, std::int32_t mode) {
    const platform::Handle h = scaledObject(object, op::SetMapMode);
    if (mode < 0 || mode > 6) fail(runtime::err::IllegalArgument, op::SetMapMode, 5);
    const platform::Window* w = runtime::model().find(h);
    if (mode == 0 && !(w && w->isForm())) fail(runtime::err::WrongScale, op::SetMapMode, 6);
    setMapMode(h, mode);
}

extern "C" std::int32_t PX$GETMAPMODE(ObjectVar* object) {
    return mapModeOf(scaledObject(object, op::GetMapMode));
}
