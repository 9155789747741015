#pragma once
// What a backend does for the model: give a model window a native one, show the model's
// state, pump the user's input into the model, the clipboard, and the standard dialogs.
// The model owns all state; a backend only shows it and reports what the user did.

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/model.hpp"

namespace platform {

// One choice of a file dialog's filter list: what it shows, and the patterns it lists
// ("*.JPG;*.BMP"), matched without regard to case.
struct FileFilter {
    std::string display;      // CP932
    std::string patterns;
    bool operator==(const FileFilter&) const = default;
};

// The colour chooser's custom colours: slots the user fills with colours of their own and
// picks from again later.
inline constexpr std::size_t customColourCount = 16;
using CustomColours = std::array<Colour, customColourCount>;

// The font sizes a font dialog takes, in whole points: as large as a window's font can be.
inline constexpr int mostFontPoints = 32767;

// A standard dialog the program asks the user through.
struct DialogRequest {
    enum Kind { MessageBox, InputBox, OpenFile, SaveFile, ChooseColor, ChooseFont } kind = MessageBox;
    Handle owner = 0;
    std::string caption;      // CP932
    std::string text;         // message, or the input box's prompt
    std::string initial;      // the input box's default text, or the file dialog's initial path
    std::string filter;       // file dialogs: the filter as the program wrote it
    int buttons = 0;          // message box button and icon codes
    int icon = 0;
    int mode = 0;             // file dialogs: 0 the file must exist (open) or overwriting asks (save)
    std::vector<FileFilter> filters;  // file dialogs; the first is preselected
    std::string folder;       // file dialogs: the absolute folder to start in
    std::string fileName;     // file dialogs: the file name to start with
    Colour colour = 0;        // colour chooser: the colour chosen first (0x00BBGGRR)
    CustomColours customColours{};  // colour chooser: the custom colours it offers
    Font font;                // font dialog: the font chosen first
    std::vector<std::string> faces;  // font dialog: the faces it offers, in order, CP932
};

const char* dialogWord(DialogRequest::Kind kind);

// The results of the buttons a message box shows for its button code (0 to 5), left to
// right; the first is the default button.
std::vector<int> messageBoxResults(int buttons);

struct DialogAnswer {
    // Why no user could have given this answer: nobody answered (a scripted run with no
    // answer for the dialog), or the answer is one the dialog does not take (a button the
    // box does not show, a file the dialog would refuse). Only a scripted backend says so.
    std::optional<std::string> unanswerable;
    bool cancelled = false;
    int result = 0;           // message box: the button code; colour chooser: 0x00BBGGRR
    std::string text;         // input box text, or the chosen file's absolute path; CP932
    // Colour chooser: the custom colours as the user left them, whether the choice was
    // made or cancelled; none when the dialog did not say (they stay as they were).
    std::optional<CustomColours> customColours;
    Font font;                // font dialog: the chosen font
};

class Backend {
public:
    virtual ~Backend() = default;
    // A native window for a model window (a form with its controls, or a control added later).
    virtual void createWindow(Handle h) = 0;
    virtual void destroyWindow(Handle h) = 0;
    // Shows the model's current state of one window or control.
    virtual void sync(Handle h) = 0;
    // Shows again the part `area` (client coordinates) of a window's redraw buffer, which
    // the program drew into; the window's other state is unchanged.
    virtual void redrawArea(Handle h, Rect area) { (void)area; sync(h); }
    // Catches up with every change, turns waiting user input into notifications and fires
    // due timers. Waits (asleep) up to `timeout` when nothing is waiting.
    virtual void pumpEvents(std::chrono::milliseconds timeout) = 0;
    virtual std::string clipboardText() = 0;            // CP932
    virtual void setClipboardText(const std::string& cp932) = 0;
    virtual DialogAnswer runDialog(const DialogRequest& request) = 0;
    // Width and height in pixels of one line of CP932 text in `font`.
    virtual Size textExtent(const Font& font, const std::string& cp932) = 0;
    // The font families a program may name, CP932, in no particular order. Without a
    // screen: the faces the forms use and the IPA families they are drawn with.
    virtual std::vector<std::string> fontFamilies();
};

// Hands the model's pending changes to a backend, in the order they happened.
void applyChanges(Model& model, Backend& backend);

}  // namespace platform
