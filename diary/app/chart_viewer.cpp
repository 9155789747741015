#include "diary/app/chart_viewer.hpp"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <cstdint>
#include <new>
#include <string>

#include "common/ui/controls.hpp"
#include "diary/viewer/folder_list.hpp"
#include "diary/viewer/layout.hpp"
#include "diary/viewer/scale.hpp"
#include "diary/viewer/scrolling.hpp"
#include "imaging/plv0ri63.h"
#include "runtime/drawing.hpp"
#include "runtime/error.hpp"
#include "runtime/file_system.hpp"
#include "runtime/pv_string.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace diary {

namespace {

FormWindow& viewerWindow(Diary& d) { return d.windows.chart; }

void loadBitmapFile(ObjectVar& bitmap, const std::string& path) {
    const PvString pv = runtime::pvString(path);
    PX$LOADBITMAPFILE(&bitmap, &pv);
}

void setSize(ObjectVar& object, int width, int height) {
    PX$SETWINDOWSIZE(&object, static_cast<float>(width), static_cast<float>(height));
}

// The scratch BMP of a JPEG goes away however its conversion or loading ends, so that a
// failed conversion leaves nothing behind in the temporary folder.
class TemporaryBitmap {
public:
    explicit TemporaryBitmap(const std::string& path) : path_(path) { removeIfThere(); }
    ~TemporaryBitmap() {
        try {
            removeIfThere();
        } catch (const runtime::RuntimeError&) {
            // A scratch file that cannot be removed is removed before the next conversion.
        }
    }
    TemporaryBitmap(const TemporaryBitmap&) = delete;
    TemporaryBitmap& operator=(const TemporaryBitmap&) = delete;
    const std::string& path() const { return path_; }

private:
    void removeIfThere() const {
        if (runtime::fileExists(path_)) runtime::deleteFile(path_);
    }
    std::string path_;
};

void deleteSource(ViewerState& v) {
    PX$DELETEBITMAP(&v.sourceBitmap);
    v.sourceLoaded = false;
}

void deleteDisplay(ViewerState& v) {
    PX$DELETEBITMAP(&v.displayBitmap);
    v.displayLoaded = false;
}

// Steps 4 to 7 of a load: the file into the source bitmap (a BMP directly, anything else
// through the JPEG conversion), its size, the display copy.
void loadSource(Diary& d, const std::string& path, const std::string& extension) {
    ViewerState& v = d.viewer;
    // Only these two spellings are the BMP way; "x.Bmp" is taken for a JPEG.
    if (extension == ".bmp" || extension == ".BMP") {
        loadBitmapFile(v.sourceBitmap, path);
    } else {
        const TemporaryBitmap scratch(d.tempBitmapPath);
        JPEG2BMP(path.c_str(), scratch.path().c_str());
        loadBitmapFile(v.sourceBitmap, scratch.path());
    }
    v.sourceLoaded = true;
    v.sourceWidth = PX$GETBITMAPWIDTH(&v.sourceBitmap);
    v.sourceHeight = PX$GETBITMAPHEIGHT(&v.sourceBitmap);
    PX$RESTOREWINDOW(&viewerWindow(d).form);
    v.imageLoaded = 1;
    PX$BAI_SUB(d);
}

std::string loadErrorText(int number) {
    if (number == runtime::err::OutOfMemory) return "ロードする為のメモリが足りません"_sj;
    if (number == runtime::err::FileNotFound) return "このファイルは存在しません"_sj;
    return "このファイルは表示できません"_sj;
}

// One attempt at the file: true when it is shown; false after its message.
bool loadOnce(Diary& d, const std::string& path) {
    ViewerState& v = d.viewer;
    deleteSource(v);
    v.loadFailed = 0;
    const runtime::PathParts parts = runtime::splitPath(path);
    v.imageName = parts.name + parts.extension;
    int error = 0;
    try {
        loadSource(d, path, parts.extension);
        return true;
    } catch (const runtime::RuntimeError& e) {
        error = e.number();
    } catch (const std::bad_alloc&) {
        // An image too large for the memory left is the same failure as the toolkit's.
        error = runtime::err::OutOfMemory;
    }
    // Whatever step failed, no half-made image stays: the source and its copy go.
    deleteSource(v);
    deleteDisplay(v);
    ui::messageBox(&viewerWindow(d).form, v.imageName, loadErrorText(error), ui::box::Ok, ui::box::StopIcon);
    v.loadFailed = 1;
    return false;
}

void applyBar(ObjectVar& bar, bool needed, int x, int y, int width, int height, int range, int position) {
    if (!needed) {
        ui::show(bar, false);
        return;
    }
    ui::move(bar, static_cast<float>(x), static_cast<float>(y));
    setSize(bar, width, height);
    PX$SETSCROLLRANGE(&bar, 0, range);
    PX$SETSCROLLSTEP(&bar, 1, pageStep(range));
    PX$SETSCROLLPOS(&bar, position);
    ui::show(bar, true);
}

void blitFrom(Diary& d, float x, float y) {
    ViewerState& v = d.viewer;
    ObjectVar& picture = viewerWindow(d)["PICTURE1"];
    // Without an image the picture is not shown at all: its buffer may still hold the
    // pixels of the image that was there before a failed load.
    ui::show(picture, v.displayLoaded);
    if (!v.displayLoaded) return;
    PX$BITBLT(&picture, 0, 0, static_cast<float>(v.viewportWidth), static_cast<float>(v.viewportHeight),
              &v.displayBitmap, x, y);
}

// The viewer's client size into the environment while it is neither minimised nor
// maximised, at every layout (every resize and every image shown): "KANKYO.TXT" keeps
// the normal size a user left the window at. A viewer never laid out keeps the size the
// file gave it, or the default one at a first start.
void rememberViewerSize(Diary& d) {
    ObjectVar& form = viewerWindow(d).form;
    // Minimised or maximised, the window returns to the size recorded last.
    if (PX$ISMINIMIZED(&form) || PX$ISMAXIMIZED(&form)) return;
    const auto side = [](float pixels) {
        return static_cast<std::int16_t>(std::clamp<long>(std::lround(pixels), INT16_MIN, INT16_MAX));
    };
    d.env.chartWindowWidth = side(PX$GETCLIENTWIDTH(&form));
    d.env.chartWindowHeight = side(PX$GETCLIENTHEIGHT(&form));
}

}  // namespace

void createViewerBitmaps(Diary& d) {
    ViewerState& v = d.viewer;
    for (ObjectVar* bitmap : {&v.sourceBitmap, &v.displayBitmap}) {
        PV$BITMAPOBJECT(bitmap);
        PX$CREATEBITMAP(bitmap, 400, 300);
        // Pixels, which the viewer's sizes are in.
        PX$SETMAPMODE(bitmap, 1);
    }
    v.sourceLoaded = v.displayLoaded = true;
    v.sourceWidth = 400;
    v.sourceHeight = 300;
    v.formWidth = 400;
    v.formHeight = 300;
    const Area area = pictureArea(400, 300, d.frameWidth, d.frameHeight);
    v.areaWidth = area.width;
    v.areaHeight = area.height;
}

void deleteViewerBitmaps(Diary& d) {
    ViewerState& v = d.viewer;
    for (ObjectVar* bitmap : {&v.sourceBitmap, &v.displayBitmap})
        if (*bitmap != 0 && PV$CHECKOBJECT(bitmap)) PX$DELETEOBJECT(bitmap);
    v.sourceLoaded = v.displayLoaded = false;
}

void PX$LOAD_BMP(Diary& d) {
    ViewerState& v = d.viewer;
    if (loadOnce(d, v.imagePath)) return;
    // One fall-back to the image shown before the last step; when that fails too the
    // viewer stays empty rather than trying the two files in turn.
    if (v.previousPath.empty() || v.previousPath == v.imagePath) {
        v.imageName.clear();
        return;
    }
    v.imagePath = v.previousPath;
    if (!loadOnce(d, v.imagePath)) v.imageName.clear();
}

void PX$BAI_SUB(Diary& d) {
    ViewerState& v = d.viewer;
    const int index = ui::selection(viewerWindow(d)["COMBO1"]);
    v.scaleIndex = static_cast<std::int16_t>(index);
    v.scale = scaleFor(index, v.scale, static_cast<float>(v.areaWidth), static_cast<float>(v.areaHeight),
                       v.sourceWidth, v.sourceHeight);
    deleteDisplay(v);
    if (!v.sourceLoaded) {
        v.displayWidth = v.displayHeight = 0;
        return;
    }
    const DisplaySize size = displaySize(v.sourceWidth, v.sourceHeight, v.scale);
    v.displayWidth = size.width;
    v.displayHeight = size.height;
    PX$CREATEBITMAP(&v.displayBitmap, v.displayWidth, v.displayHeight);
    v.displayLoaded = true;
    if (v.scale == 1.0f)
        PX$BITBLT(&v.displayBitmap, 0, 0, v.sourceWidth, v.sourceHeight, &v.sourceBitmap, 0, 0);
    else
        PX$STRETCHBITMAP(&v.displayBitmap, &v.sourceBitmap, 0, 0, v.displayWidth, v.displayHeight);
}

void PX$WIN_SAIZU_SUB(Diary& d) {
    ViewerState& v = d.viewer;
    FormWindow& w = viewerWindow(d);
    const int width = static_cast<int>(std::lround(ui::width(w.form)));
    const int height = static_cast<int>(std::lround(ui::height(w.form)));
    const FormSize size = minimumFormSize(width, height);
    if (size.width != width || size.height != height) setSize(w.form, size.width, size.height);
    v.formWidth = size.width;
    v.formHeight = size.height;
    rememberViewerSize(d);
    PX$BAI_SUB(d);
    const LayoutKey key{v.displayWidth, v.displayHeight, v.formWidth, v.formHeight};
    if (key == v.last) return;
    ui::show(w["BUTTON1"], false);
    v.last = key;

    const ViewerLayout l = layOut(v.displayWidth, v.displayHeight, v.formWidth, v.formHeight, d.frameWidth,
                                  d.frameHeight, v.positionX, v.positionY);
    v.areaWidth = l.area.width;
    v.areaHeight = l.area.height;
    v.needHorizontal = l.needHorizontal;
    v.needVertical = l.needVertical;
    v.viewportWidth = l.viewportWidth;
    v.viewportHeight = l.viewportHeight;
    v.positionX = l.positionX;
    v.positionY = l.positionY;
    v.stepX = v.stepY = 1;
    v.rangeX = v.rangeY = 0;

    runtime::drawLine(&w.form, 0, 24, static_cast<float>(l.separatorEnd), 24);
    ObjectVar& picture = w["PICTURE1"];
    ui::move(picture, static_cast<float>(l.viewportX), static_cast<float>(l.viewportY + kTopBarHeight));
    setSize(picture, l.viewportWidth, l.viewportHeight);
    if (l.needHorizontal) PX$SCROLL_XD_SUB(d);
    if (l.needVertical) PX$SCROLL_YD_SUB(d);
    applyBar(w["HSCROLL1"], l.needHorizontal, l.horizontalX, l.horizontalY, l.viewportWidth, kScrollBarThickness,
             v.rangeX, v.positionX);
    applyBar(w["VSCROLL1"], l.needVertical, l.verticalX, l.verticalY, kScrollBarThickness, l.viewportHeight,
             v.rangeY, v.positionY);
    if (l.cornerButton) {
        v.cornerState = 1;
        ObjectVar& corner = w["BUTTON1"];
        setSize(corner, kScrollBarThickness, kScrollBarThickness);
        ui::setText(corner, "┛"_sj);
        ui::move(corner, static_cast<float>(l.verticalX), static_cast<float>(l.horizontalY));
        ui::show(corner, true);
    }
}

void PX$SCROLL_XD_SUB(Diary& d) {
    ViewerState& v = d.viewer;
    const ScrollRange r = scrollRange(v.displayWidth, v.viewportWidth);
    v.rangeX = r.range;
    v.stepX = r.step;
}

void PX$SCROLL_YD_SUB(Diary& d) {
    ViewerState& v = d.viewer;
    const ScrollRange r = scrollRange(v.displayHeight, v.viewportHeight);
    v.rangeY = r.range;
    v.stepY = r.step;
}

void PX$CG_UP_SUB(Diary& d) {
    ViewerState& v = d.viewer;
    v.offsetX = offsetFor(v.positionX, v.stepX);
    v.offsetY = offsetFor(v.positionY, v.stepY);
    blitFrom(d, v.offsetX, v.offsetY);
}

void PX$CG_ON_SUB(Diary& d) {
    PX$WIN_SAIZU_SUB(d);
    PX$CG_UP_SUB(d);
}

void PX$TITLE_SET(Diary& d) { ui::setText(viewerWindow(d).form, viewerTitle(d.viewer.imageName)); }

int PV$ファイル名取得_SUB1(Diary& d) {
    std::vector<std::string> files;
    for (const runtime::FolderEntry& e : runtime::listFolder(d.viewer.imageFolder))
        if (!e.isDirectory) files.push_back(e.name);
    d.viewer.folderNames = imageNames(files);
    return static_cast<int>(d.viewer.folderNames.size());
}

void PV$ファイル名取得_SUB2(Diary& d) {
    PV$ファイル名取得_SUB1(d);
    PV$ソート_SUB(d.viewer.folderNames);
}

namespace {

// One of the viewer's three button layouts: the controls shown and hidden, and the x of
// those it moves along the top bar (y is 0).
struct ButtonPlace {
    const char* control;
    float x;
};
struct ButtonLayout {
    ViewerMode mode;
    std::initializer_list<const char*> shown;
    std::initializer_list<const char*> hidden;
    std::initializer_list<ButtonPlace> places;
};

void applyLayout(Diary& d, const ButtonLayout& layout) {
    FormWindow& w = viewerWindow(d);
    d.viewer.mode = layout.mode;
    for (const char* c : layout.shown) ui::show(w[c], true);
    for (const char* c : layout.hidden) ui::show(w[c], false);
    for (const ButtonPlace& p : layout.places) ui::move(w[p.control], p.x, 0);
}

}  // namespace

void PV$SETCGBUTTON_SUB0(Diary& d) {
    applyLayout(d, {ViewerMode::Trade,
                    {"BUTTON2", "BUTTON7", "BUTTON31"},
                    {"COMBO44"},
                    {{"BUTTON4", 270}, {"BUTTON5", 300}, {"BUTTON2", 330}, {"BUTTON31", 216}, {"COMBO44", 384}}});
}

void PV$SETCGBUTTON_SUB1(Diary& d) {
    // "登録" chooses the entry shown; a review before may have hidden it.
    applyLayout(d, {ViewerMode::Catalogue,
                    {"COMBO44", "BUTTON2"},
                    {"BUTTON7", "BUTTON31"},
                    {{"BUTTON4", 180}, {"BUTTON5", 204}, {"BUTTON2", 228}, {"COMBO44", 276}}});
}

void PV$SETCGBUTTON_SUB2(Diary& d) {
    // A review after a catalogue still needs its way out.
    applyLayout(d, {ViewerMode::Review, {"BUTTON31"}, {"BUTTON2", "BUTTON7", "COMBO44"}, {{"BUTTON2", 216}, {"BUTTON31", 330}}});
}

void showImage(Diary& d) {
    PX$LOAD_BMP(d);
    PX$TITLE_SET(d);
    PX$CG_ON_SUB(d);
}

void openOnTradeImage(Diary& d) {
    FormWindow& w = viewerWindow(d);
    ViewerState& v = d.viewer;
    v.previousPath.clear();
    v.currentIndex = 0;
    ui::show(w.form, true);
    ui::toFront(w.form);
    const int count = PV$ファイル名取得_SUB1(d);
    ui::enable(w["BUTTON4"], false);
    ui::enable(w["BUTTON5"], false);
    if (count > 1) {
        PV$ファイル名取得_SUB2(d);
        v.currentIndex = indexOfName(v.folderNames, v.imageName);
        ui::enable(w["BUTTON4"], true);
        ui::enable(w["BUTTON5"], true);
    }
    if (count >= 1) {
        showImage(d);
        return;
    }
    ui::enable(w["BUTTON4"], true);
    ui::enable(w["BUTTON5"], true);
    // A file that is neither "*.BMP" nor "*.JPG" is not shown; neither is the image of
    // the viewer's last opening.
    deleteSource(v);
    v.imageName.clear();
    PX$TITLE_SET(d);
    PX$CG_ON_SUB(d);
}

void viewerScrolled(Diary& d, bool horizontal) {
    ViewerState& v = d.viewer;
    FormWindow& w = viewerWindow(d);
    if (horizontal)
        v.positionX = PX$GETSCROLLPOS(&w["HSCROLL1"]);
    else
        v.positionY = PX$GETSCROLLPOS(&w["VSCROLL1"]);
    PX$CG_UP_SUB(d);
}

void PX$BUTTON1_ON(Diary& d) {
    ViewerState& v = d.viewer;
    FormWindow& w = viewerWindow(d);
    const CornerJump jump = cornerJump(v.cornerState, v.rangeX, v.rangeY);
    v.cornerState = jump.state;
    v.positionX = jump.positionX;
    v.positionY = jump.positionY;
    ui::setText(w["BUTTON1"], runtime::fromUtf8(jump.caption));
    PX$SETSCROLLPOS(&w["HSCROLL1"], v.positionX);
    PX$SETSCROLLPOS(&w["VSCROLL1"], v.positionY);
    PX$CG_UP_SUB(d);
}

void pictureMouseDown(Diary& d, int button, float x, float y) {
    if (button != 1) return;
    d.viewer.dragX = static_cast<int>(std::lround(x));
    d.viewer.dragY = static_cast<int>(std::lround(y));
}

void pictureMouseMove(Diary& d, int button, float x, float y) {
    if (button != 1) return;
    ViewerState& v = d.viewer;
    FormWindow& w = viewerWindow(d);
    const int px = static_cast<int>(std::lround(x)), py = static_cast<int>(std::lround(y));
    const int dx = px - v.dragX, dy = py - v.dragY;
    v.dragX = px;
    v.dragY = py;
    ObjectVar& horizontal = w["HSCROLL1"];
    if (ui::isVisible(horizontal)) {
        const DragAxis a = dragAxis(v.offsetX, dx, v.displayWidth, v.viewportWidth, v.stepX);
        v.offsetX = a.offset;
        v.positionX = a.position;
        PX$SETSCROLLPOS(&horizontal, v.positionX);
    }
    ObjectVar& vertical = w["VSCROLL1"];
    if (ui::isVisible(vertical)) {
        const DragAxis a = dragAxis(v.offsetY, dy, v.displayHeight, v.viewportHeight, v.stepY);
        v.offsetY = a.offset;
        v.positionY = a.position;
        PX$SETSCROLLPOS(&vertical, v.positionY);
    }
    blitFrom(d, v.offsetX, v.offsetY);
}

void hideViewer(Diary& d) {
    ui::show(viewerWindow(d).form, false);
    d.viewer.imageLoaded = 0;
}

}  // namespace diary
