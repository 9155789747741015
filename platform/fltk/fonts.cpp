// Fonts and colours. FLTK draws through Xft with one font per face and no fallback per
// glyph, and its own faces resolve to families without Japanese: every face is remapped
// to the IPA families. The fixed-pitch faces of the forms ("ＭＳ ゴシック", "FixedSys")
// become IPAGothic, whose full-width glyphs are exactly two half-width cells; everything
// else becomes the proportional IPAPGothic.

#include <FL/Fl.H>

#include <algorithm>

#include "platform/cp932.hpp"
#include "platform/fltk/widgets.hpp"
#include "platform/metrics.hpp"

namespace platform::fltk {

void installFonts() {
    // Xft names: the first character picks the style (' ' regular, 'B' bold, 'I' italic,
    // 'P' bold italic).
    static const char* const proportional[4] = {" IPAPGothic", "BIPAPGothic", "IIPAPGothic", "PIPAPGothic"};
    static const char* const fixed[4] = {" IPAGothic", "BIPAGothic", "IIPAGothic", "PIPAGothic"};
    for (int i = 0; i < 4; ++i) {
        Fl::set_font(static_cast<Fl_Font>(FL_HELVETICA + i), proportional[i]);
        Fl::set_font(static_cast<Fl_Font>(FL_TIMES + i), proportional[i]);
        Fl::set_font(static_cast<Fl_Font>(FL_COURIER + i), fixed[i]);
    }
    Fl::set_font(FL_SCREEN, fixed[0]);
    Fl::set_font(FL_SCREEN_BOLD, fixed[1]);
}

namespace {

bool fixedPitch(const Font& font) {
    static const std::string gothic = utf8ToCp932("ＭＳ ゴシック");
    static const std::string mincho = utf8ToCp932("ＭＳ 明朝");
    return font.face == gothic || font.face == mincho || font.face == "FixedSys" || font.face == "Terminal" ||
           font.face == "Courier" || font.face == "Courier New";
}

}  // namespace

Fl_Font fontFor(const Font& font) {
    const int base = fixedPitch(font) ? FL_COURIER : FL_HELVETICA;
    return static_cast<Fl_Font>(base + (font.bold ? 1 : 0) + (font.italic ? 2 : 0));
}

int fontSizeFor(const Font& font) {
    // A fixed-pitch face takes the even size nearest its point size (14 pixels for 10
    // points, where 13.3 rounds down to 12 for the others): its half-width cell is then
    // the 7 pixels of the classic fixed-pitch Gothic at 10 points, the cell for which the
    // trade list's columns and the headings above them were laid out.
    if (fixedPitch(font)) return std::max(2, (font.size * 96 + 72) / 144 * 2);
    return fontPixelSize(font.size);
}

Fl_Color colourFor(Colour c) {
    return fl_rgb_color(static_cast<uchar>(c & 0xFF), static_cast<uchar>((c >> 8) & 0xFF),
                        static_cast<uchar>((c >> 16) & 0xFF));
}

std::string labelFor(const std::string& cp932) {
    std::string out;
    for (char c : cp932ToUtf8(cp932)) {
        out += c;
        if (c == '@') out += '@';  // '@' starts a symbol in an FLTK label; doubled it is itself
    }
    return out;
}

}  // namespace platform::fltk
