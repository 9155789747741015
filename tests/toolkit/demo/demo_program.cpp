// A program on the toolkit as the diary is built: the runtime creates MAINFORM at launch,
// the main program attaches its controls, and the main loop waits until a handler posts
// a command, then runs it. It prints what arrived, read back through the toolkit.
//   toolkit_demo [--headless SCRIPT]

#include <iomanip>
#include <iostream>
#include <string>
#include <string_view>

#include "platform/cp932.hpp"
#include "runtime/window_system.hpp"
#include "toolkit/toolkit.hpp"

namespace {

int commandCode = 0;
ObjectVar mainForm = 0, edit1 = 0;

ObjectVar attach(ObjectVar* form, const char* name) {
    const std::string n = name;
    const PvString pv = runtime::pvString(n);
    ObjectVar v = 0;
    PX$ATTACH(&v, PX$GETDLGITEM(form, &pv));
    return v;
}

std::string shown(const PvString* answer) {
    const std::string text(runtime::view(answer));
    return text == "\x1b" ? "cancel" : platform::cp932ToUtf8(text);
}

// An edit text that ends in a dialog's name opens that dialog; the answer is printed and
// the edit emptied for the next one.
void askIfNamed(const std::string& text) {
    const auto endsWith = [&](std::string_view word) { return text.ends_with(word); };
    const auto sj = [](const char* utf8) { return platform::utf8ToCp932(utf8); };
    const auto pv = [](const std::string& s) { return runtime::pvString(s); };
    const std::string caption = sj("確認"), question = sj("続けますか？"), title = sj("価格"),
                      prompt = sj("価格を入力してください"), empty, openTitle = sj("チャートを開く"),
                      filter = sj("画像(*.JPG,*.BMP);すべて(*.*)");
    const PvString pCaption = pv(caption), pQuestion = pv(question), pTitle = pv(title), pPrompt = pv(prompt),
                   pEmpty = pv(empty), pOpenTitle = pv(openTitle), pFilter = pv(filter);
    if (endsWith("msgbox")) {
        std::cout << "msgbox " << PX$MESSAGEBOX(&mainForm, &pCaption, &pQuestion, 4, 2) << std::endl;
    } else if (endsWith("input")) {
        std::cout << "input " << shown(PX$INPUTBOX(&mainForm, &pTitle, &pPrompt, &pEmpty)) << std::endl;
    } else if (endsWith("open")) {
        std::cout << "open " << shown(PX$WINOPENDLG(&mainForm, &pOpenTitle, &pEmpty, &pFilter, 0)) << std::endl;
    } else if (endsWith("font")) {
        // Starts at IPAGothic 12 bold; prints the result, the face, the size and the four styles.
        FontRecord font{12.0f, -1, 0, 0, 0, {}};
        std::string face = "IPAGothic";
        face.resize(sizeof font.face, ' ');
        face.copy(font.face, sizeof font.face);
        const std::int16_t result = PX$CHOOSEFONT(&mainForm, &font);
        face.assign(font.face, sizeof font.face);
        face.erase(face.find_last_not_of(' ') + 1);
        std::cout << "font " << result << " " << platform::cp932ToUtf8(face) << " " << font.size << " " << font.bold
                  << " " << font.italic << " " << font.underline << " " << font.strikeout << std::endl;
    } else if (endsWith("color")) {
        std::uint32_t colour = 0x123456;
        const std::int16_t result = PX$CHOOSECOLOR(&mainForm, &colour);
        std::cout << "color " << result << " " << std::hex << std::setw(6) << std::setfill('0') << colour << std::dec
                  << std::endl;
    } else {
        return;
    }
    PX$SETWINDOWTEXT(&edit1, &pEmpty);
}

void mainProgram() {
    mainForm = attach(nullptr, "MAINFORM");
    edit1 = attach(&mainForm, "EDIT1");
    std::cout << "ready" << std::endl;
    while (true) {
        commandCode = 0;
        while (commandCode == 0) PX$WAITEVENT(&mainForm);
        switch (commandCode) {
        case 1: std::cout << "button BUTTON1" << std::endl; break;
        case 2: {
            const std::string text(runtime::view(PX$GETWINDOWTEXT(&edit1)));
            std::cout << "edit EDIT1 " << platform::cp932ToUtf8(text) << std::endl;
            // A name typed into the edit is looked up in the form; an unknown one is a
            // run-time error nobody traps, which ends the program.
            if (text.rfind("find ", 0) == 0) attach(&mainForm, text.substr(5).c_str());
            askIfNamed(text);
            break;
        }
        }
    }
}

}  // namespace

extern "C" {
void PX$BUTTON1_ON(void*) { commandCode = 1; }
void PX$EDIT1_CHANGE(void*) { commandCode = 2; }
// "終了" closes the main form from its handler, as the diary's end does; the wait that ran
// the handler then finds the main window gone and the program ends.
void PX$BUTTON3_ON(void*) { PX$DESTROYWINDOW(&mainForm); }
void PX$MAINFORM_END(void*) { std::cout << "end MAINFORM" << std::endl; }
}

int main(int argc, char** argv) { return runtime::runProgram(argc, argv, mainProgram); }
