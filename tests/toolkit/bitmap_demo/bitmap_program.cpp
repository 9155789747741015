// The bitmap demo for the real-window test: loads a 1000 x 500 chart (written as a BMP
// file at start) and stretches it into 400 x 200 of PICTURE1 at (20, 20). "覆う" opens a
// form over the picture and its "戻る" closes it again and has the form drawn anew; the
// picture must show the same pixels before and after. Prints where the picture's rectangle lies on the screen.
//   toolkit_bitmap_demo

#include <fstream>
#include <iostream>
#include <string>

#include "runtime/window_system.hpp"
#include "toolkit/toolkit.hpp"

namespace {

int commandCode = 0;
ObjectVar mainForm = 0, picture = 0, cover = 0;

ObjectVar attach(ObjectVar* form, const char* name) {
    const std::string n = name;
    const PvString pv = runtime::pvString(n);
    ObjectVar v = 0;
    PX$ATTACH(&v, PX$GETDLGITEM(form, &pv));
    return v;
}

// A chart of 1000 x 500 as a 24-bit BMP: a ramp, coloured squares and a grid, so that a
// stretch gone wrong shows.
void writeChart(const std::string& path) {
    const int w = 1000, h = 500, stride = w * 3;
    std::string bytes(54 + static_cast<std::size_t>(stride) * h, '\0');
    auto le = [&](std::size_t at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) bytes[at + i] = static_cast<char>(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    le(2, static_cast<std::uint32_t>(bytes.size()), 4);
    le(10, 54, 4);
    le(14, 40, 4);
    le(18, w, 4);
    le(22, static_cast<std::uint32_t>(-h), 4);  // top-down
    le(26, 1, 2);
    le(28, 24, 2);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned r = x * 255 / w, g = y * 255 / h, b = 128;
            if ((x / 100 + y / 100) % 2 == 0 && x % 100 < 60 && y % 100 < 60) r = 255, g = 0, b = 0;
            if (x % 50 == 0 || y % 50 == 0) r = g = b = 0;
            char* p = bytes.data() + 54 + static_cast<std::size_t>(y) * stride + 3 * x;
            p[0] = static_cast<char>(b);
            p[1] = static_cast<char>(g);
            p[2] = static_cast<char>(r);
        }
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void mainProgram() {
    mainForm = attach(nullptr, "MAINFORM");
    picture = attach(&mainForm, "PICTURE1");
    writeChart("chart.bmp");
    ObjectVar chart = 0;
    PV$BITMAPOBJECT(&chart);
    const std::string path = "chart.bmp";
    const PvString pvPath = runtime::pvString(path);
    PX$LOADBITMAPFILE(&chart, &pvPath);
    PX$STRETCHBITMAP(&picture, &chart, 20, 20, 400, 200);
    PX$DELETEOBJECT(&chart);
    // The stretched rectangle on the screen: the form's client origin, the picture's
    // place in it and its border.
    const platform::Model& m = runtime::model();
    const platform::Handle pic = PX$GETHWND(&picture);
    const platform::Rect client = m.clientRect(PX$GETHWND(&mainForm));
    const platform::Window& w = *m.find(pic);
    const int border = (w.rect.w - m.clientRect(pic).w) / 2;
    std::cout << "picture " << client.x + w.rect.x + border + 20 << ' ' << client.y + w.rect.y + border + 20
              << " 400 200" << std::endl;
    std::cout << "ready" << std::endl;
    while (true) {
        commandCode = 0;
        while (commandCode == 0) PX$WAITEVENT(&mainForm);
        if (commandCode == 1) {
            const std::string name = "COVERFORM";
            const PvString pvName = runtime::pvString(name);
            PX$CREATEWINDOW(&cover, &pvName, -1);
            std::cout << "covered" << std::endl;
        } else if (commandCode == 3) {
            PX$DESTROYWINDOW(&cover);
            // The whole form drawn again from the model, not only copied back from the
            // window's own back buffer: the picture must come from its redraw buffer.
            PX$REFRESH(&mainForm);
            std::cout << "uncovered" << std::endl;
        }
    }
}

}  // namespace

extern "C" {
void PX$BUTTON1_ON(void*) { commandCode = 1; }
void PX$BUTTON2_ON(void*) { PX$DESTROYWINDOW(&mainForm); }
void PX$BUTTON3_ON(void*) { commandCode = 3; }
}

int main(int argc, char** argv) { return runtime::runProgram(argc, argv, mainProgram); }
