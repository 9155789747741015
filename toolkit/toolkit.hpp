#pragma once
// The toolkit's form, object and event operations, exported unmangled from libPLV0RW63.
// Object arguments are addresses of the program's object variables, strings the
// runtime's descriptors, truth values -1 and 0. Failures are raised as run-time errors
// with the location code 0x8000_0000 + (operation number << 8) + check number.

#include <cstdint>

#include "runtime/objects.hpp"
#include "runtime/pv_string.hpp"

using runtime::ObjectVar;
using runtime::PvString;

extern "C" {
void PX$CREATEWINDOW(ObjectVar* form, const PvString* name, std::int16_t visible);
void PX$CREATEDIALOG(ObjectVar* form, ObjectVar* owner, const PvString* name);
std::int16_t PX$DIALOGBOX(ObjectVar* owner, const PvString* name);
void PX$ENDDIALOG(ObjectVar* form, std::int16_t value);
void PX$DESTROYWINDOW(ObjectVar* object);
std::uint32_t PX$GETDLGITEM(ObjectVar* form, const PvString* name);
void PX$ATTACH(ObjectVar* object, std::uint32_t window);
void PX$DETACH(ObjectVar* object);
std::uint32_t PX$GETHWND(ObjectVar* object);
const PvString* PX$GETCTRLID(ObjectVar* object, ObjectVar* form);
std::int16_t PV$CHECKOBJECT(ObjectVar* object);
std::int16_t PV$EQUALOBJECT(ObjectVar* a, ObjectVar* b);

void PX$WAITEVENT(ObjectVar* form);
void PV$CALLEVENT();
std::int16_t PV$CHECKEVENT();

// The window text (caption, label or edit text).
const PvString* PX$GETWINDOWTEXT(ObjectVar* object);

// Texts, visibility, enabled state, position and size (controls relative to their form's
// client area, forms in screen pixels).
void PX$SETWINDOWTEXT(ObjectVar* object, const PvString* text);
void PX$SHOWWINDOW(ObjectVar* object, std::int16_t flag);
void PX$ENABLEWINDOW(ObjectVar* object, std::int16_t flag);
std::int16_t PX$ISWINDOWVISIBLE(ObjectVar* object);
std::int16_t PX$ISWINDOWENABLED(ObjectVar* object);
void PX$MOVEWINDOW(ObjectVar* object, float left, float top);
void PX$SETWINDOWSIZE(ObjectVar* object, float width, float height);
void PX$SETCLIENTSIZE(ObjectVar* object, float width, float height);
float PX$GETLEFT(ObjectVar* object);
float PX$GETTOP(ObjectVar* object);
float PX$GETWIDTH(ObjectVar* object);
float PX$GETHEIGHT(ObjectVar* object);
float PX$GETCLIENTWIDTH(ObjectVar* object);
float PX$GETCLIENTHEIGHT(ObjectVar* object);

// List and combo boxes; indexes from 0, -1 for none.
void PX$ADDSTRING(ObjectVar* object, const PvString* text);
void PX$INSERTSTRING(ObjectVar* object, std::int32_t index, const PvString* text);
void PX$DELETESTRING(ObjectVar* object, std::int32_t index);
void PX$RESETCONTENT(ObjectVar* object);
std::int32_t PX$GETCOUNT(ObjectVar* object);
std::int32_t PX$GETCURSEL(ObjectVar* object);
void PX$SETCURSEL(ObjectVar* object, std::int32_t index);
const PvString* PX$GETTEXT(ObjectVar* object, std::int32_t index);
std::int32_t PX$FINDSTRINGEXACT(ObjectVar* object, std::int32_t start, const PvString* text);
std::int32_t PX$GETTOPINDEX(ObjectVar* object);
void PX$SETTOPINDEX(ObjectVar* object, std::int32_t index);
std::int16_t PX$GETSEL(ObjectVar* object, std::int32_t index);
void PX$SETSEL(ObjectVar* object, std::int32_t index, std::int16_t flag);
std::int32_t PX$GETSELCOUNT(ObjectVar* object);

// Check and option boxes: 0 clear, 1 checked, 2 indeterminate.
std::int32_t PX$GETCHECK(ObjectVar* object);
void PX$SETCHECK(ObjectVar* object, std::int32_t state);
std::int32_t PX$GETSTATE(ObjectVar* object);
void PX$SETSTATE(ObjectVar* object, std::int32_t state);

// Edits (and the edit part of a combo box); lines from 1, positions in bytes.
std::int32_t PX$GETLINECOUNT(ObjectVar* object);
const PvString* PX$GETLINE(ObjectVar* object, std::int32_t line);
std::int32_t PX$GETFIRSTVISIBLELINE(ObjectVar* object);
void PX$LINESCROLL(ObjectVar* object, std::int32_t columns, std::int32_t lines);
void PX$SETSELTEXT(ObjectVar* object, std::int32_t start, std::int32_t end, std::int16_t scroll);
std::int32_t PX$GETSELTEXTSTART(ObjectVar* object);
std::int32_t PX$GETSELTEXTEND(ObjectVar* object);
const PvString* PX$GETSELTEXT(ObjectVar* object);
void PX$REPLACESEL(ObjectVar* object, const PvString* text);
void PX$SETLIMITTEXT(ObjectVar* object, std::int32_t length);
std::int16_t PX$GETMODIFY(ObjectVar* object);
void PX$SETMODIFY(ObjectVar* object, std::int16_t flag);
void PX$SETREADONLY(ObjectVar* object, std::int16_t flag);
void PX$CUT(ObjectVar* object);
void PX$COPY(ObjectVar* object);
void PX$CLEAR(ObjectVar* object);
void PX$UNDO(ObjectVar* object);
std::int16_t PX$CANUNDO(ObjectVar* object);
void PX$PASTE(ObjectVar* object);
std::int16_t PX$CANPASTE(ObjectVar* object);

// Scroll bars; the steps are the runtime's, used when the user clicks an arrow or the trough.
std::int32_t PX$GETSCROLLPOS(ObjectVar* object);
void PX$SETSCROLLPOS(ObjectVar* object, std::int32_t position);
std::int32_t PX$GETSCROLLRANGE(ObjectVar* object, std::int32_t selector);
void PX$SETSCROLLRANGE(ObjectVar* object, std::int32_t minimum, std::int32_t maximum);
std::int32_t PX$GETSCROLLSTEP(ObjectVar* object, std::int32_t selector);
void PX$SETSCROLLSTEP(ObjectVar* object, std::int32_t smallStep, std::int32_t largeStep);

// Text on the clipboard.
void PV$SETCBTEXT(const PvString* text);
const PvString* PV$GETCBTEXT();
std::int16_t PV$CHECKCBTEXT();
void PV$CLEARCB();

// Standard dialogs, modal to the owner's form. Message box results: 0 OK, 1 Cancel, 2 Abort,
// 3 Retry, 4 Ignore, 5 Yes, 6 No. A cancelled input box returns the single character 27.
std::int16_t PX$MESSAGEBOX(ObjectVar* owner, const PvString* caption, const PvString* text, std::int16_t buttons,
                           std::int16_t icon);
std::int16_t PX$WINMSGB(ObjectVar* owner, const PvString* caption, const PvString* text, std::int16_t buttons,
                        std::int16_t icon);
const PvString* PX$INPUTBOX(ObjectVar* owner, const PvString* title, const PvString* prompt, const PvString* initial);
const PvString* PX$WINDLGT(ObjectVar* owner, const PvString* title, const PvString* prompt, const PvString* initial);
// Fonts (sizes in points, face names of at most 31 bytes), text extents in the window's
// map mode, the font families (an iterator: "" gives the first, a name the one after it),
// and map modes 0-6.
// The font record of PX$SETFONT: the size, four truth values, and the face name padded
// with spaces to 32 bytes.
struct FontRecord {
    float size;
    std::int16_t bold, italic, underline, strikeout;
    char face[32];
};
void PX$SETFONTSIZE(ObjectVar* object, float size);
void PX$SETFONTNAME(ObjectVar* object, const PvString* name);
void PX$SETFONTBOLD(ObjectVar* object, std::int16_t flag);
void PX$SETFONTITALIC(ObjectVar* object, std::int16_t flag);
void PX$SETFONTUNDERLINE(ObjectVar* object, std::int16_t flag);
void PX$SETFONTSTRIKEOUT(ObjectVar* object, std::int16_t flag);
void PX$SETFONT(ObjectVar* object, const FontRecord* record);
const PvString* PX$GETFONTNAME(ObjectVar* object);
std::int16_t PX$GETFONTSIZE(ObjectVar* object);
std::int16_t PX$GETFONTBOLD(ObjectVar* object);
std::int16_t PX$GETFONTITALIC(ObjectVar* object);
std::int16_t PX$GETFONTUNDERLINE(ObjectVar* object);
std::int16_t PX$GETFONTSTRIKEOUT(ObjectVar* object);
float PX$GETTEXTWIDTH(ObjectVar* object, const PvString* text);
float PX$GETTEXTHEIGHT(ObjectVar* object, const PvString* text);
const PvString* PX$ENUMFONTNAMES(ObjectVar* object, const PvString* name);
void PX$SETMAPMODE(ObjectVar* object, std::int32_t mode);
std::int32_t PX$GETMAPMODE(ObjectVar* object);

// Display state, activation, focus, z-order, input-method modes (0-7), dropped files.
void PX$MAXIMIZEWINDOW(ObjectVar* object);
void PX$MINIMIZEWINDOW(ObjectVar* object);
void PX$RESTOREWINDOW(ObjectVar* object);
std::int16_t PX$ISMAXIMIZED(ObjectVar* object);
std::int16_t PX$ISMINIMIZED(ObjectVar* object);
void PX$SETFOREGROUNDWINDOW(ObjectVar* object);
void PX$SETACTIVEWINDOW(ObjectVar* object);
void PX$SETFOCUS(ObjectVar* object);
std::uint32_t PV$GETFOCUS();
void PX$SETTOPMOSTWINDOW(ObjectVar* object, std::int16_t flag);
void PX$SETIMEMODE(ObjectVar* object, std::int32_t mode);
std::int32_t PX$GETIMEMODE(ObjectVar* object);
void PX$SETDROPFILES(ObjectVar* object, std::int16_t flag);
std::int32_t PV$GETDROPFILECOUNT();
const PvString* PV$GETDROPFILENAME(std::int32_t index);

void PX$REFRESH(ObjectVar* object);
void PX$SETHOTKEY(ObjectVar* form, std::int32_t key);
// A form's scroll origin (horizontal and vertical scroll position), each 0 to 65535.
void PX$SETORIGIN(ObjectVar* form, std::int32_t x, std::int32_t y);

// Controls addressed by name within a form (unknown name: 1013).
const PvString* PX$GETDLGITEMTEXT(ObjectVar* form, const PvString* name);
void PX$SETDLGITEMTEXT(ObjectVar* form, const PvString* name, const PvString* text);
std::int32_t PX$GETDLGCHECK(ObjectVar* form, const PvString* name);
void PX$SETDLGCHECK(ObjectVar* form, const PvString* name, std::int32_t state);
std::int32_t PX$GETDLGSELECT(ObjectVar* form, const PvString* name);
std::int32_t PX$GETDLGRADIOSELECT(ObjectVar* form, const PvString* name);

// The older form members, in screen pixels.
void PX$WINTITLE(ObjectVar* form, const PvString* title);
std::int32_t PX$WINWN(ObjectVar* form, std::int32_t item);
void PX$WINWNACTV(ObjectVar* form, std::int32_t flag);
void PX$WINWNPOS(ObjectVar* form, std::int32_t x, std::int32_t y);
void PX$WINWNSIZ(ObjectVar* form, std::int32_t mode, std::int32_t width, std::int32_t height);

// Timers: PX$CREATETIMER makes a timer object of a form, named like a control (1 to 21
// bytes); its event runs the exported handler PX$ + name + "_TIMER" (hidden word only).
// Intervals in milliseconds (0 or more); a new timer has interval 0 and is disabled; it
// runs while enabled with an interval above 0.
void PX$CREATETIMER(ObjectVar* timer, ObjectVar* form, const PvString* name);
std::int32_t PX$GETINTERVAL(ObjectVar* timer);
void PX$SETINTERVAL(ObjectVar* timer, std::int32_t milliseconds);
void PX$ENABLE(ObjectVar* timer, std::int16_t flag);
std::int16_t PX$ISENABLED(ObjectVar* timer);

// Directory lists: a list or combo (or a form and its control's name) filled with the
// folders ("[name]"), the drive ("/") or the regular files a path of at most 260 bytes
// names (folder part and name pattern; no pattern: every name), in the listing's order.
// The EX members put the path's folder part in front of each name. keep -1 adds to the
// items, 0 replaces them.
void PX$SETDIR(ObjectVar* object, const PvString* path, std::int16_t keep);
void PX$SETDRIVE(ObjectVar* object, const PvString* path, std::int16_t keep);
void PX$SETFILE(ObjectVar* object, const PvString* path, std::int16_t keep);
void PX$SETDIREX(ObjectVar* object, const PvString* path, std::int16_t keep);
void PX$SETDRIVEEX(ObjectVar* object, const PvString* path, std::int16_t keep);
void PX$SETFILEEX(ObjectVar* object, const PvString* path, std::int16_t keep);
void PX$SETDLGDIR(ObjectVar* form, const PvString* name, const PvString* path, std::int16_t keep);
void PX$SETDLGDRIVE(ObjectVar* form, const PvString* name, const PvString* path, std::int16_t keep);
void PX$SETDLGFILE(ObjectVar* form, const PvString* name, const PvString* path, std::int16_t keep);

// The colour chooser: -1 and the colour (0x00BBGGRR) in the variable, or 0 when cancelled.
// It offers 16 custom colours, kept for the whole run (white at the start).
std::int16_t PX$CHOOSECOLOR(ObjectVar* owner, std::uint32_t* colour);
// The font dialog: starts at the record's font (an empty face or size 0 take the owner's),
// and gives -1 with the chosen font in the record, or 0 when cancelled.
std::int16_t PX$CHOOSEFONT(ObjectVar* owner, FontRecord* font);
// The printer dialog: 0, as this system has no print spooler to choose a printer from.
std::int16_t PX$PRINTDLG(ObjectVar* owner);

// The open and save dialogs: the chosen path, or the single character 27 when cancelled.
// Mode 0: the file must exist (open) or overwriting it asks first (save); mode 1 neither.
const PvString* PX$WINOPENDLG(ObjectVar* owner, const PvString* title, const PvString* initialPath,
                              const PvString* filter, std::int16_t mode);
const PvString* PX$WINSAVEDLG(ObjectVar* owner, const PvString* title, const PvString* initialPath,
                              const PvString* filter, std::int16_t mode);

// Bitmap objects: off-screen pixel buffers (kind 0x1400), empty until created or loaded.
// Coordinates and sizes are in the map mode of the object they belong to. Copy
// destinations are forms, picture boxes and bitmaps; sources are loaded bitmaps and forms
// or picture boxes that keep a redraw buffer. A copy onto a window goes into its redraw
// buffer, which is what the window shows, so the picture survives covering.
void PV$BITMAPOBJECT(ObjectVar* variable);
void PX$CREATEBITMAP(ObjectVar* variable, float width, float height);
void PX$LOADBITMAPFILE(ObjectVar* variable, const PvString* path);
void PX$LOADRESOURCE(ObjectVar* variable, const PvString* name);
float PX$GETBITMAPWIDTH(ObjectVar* variable);
float PX$GETBITMAPHEIGHT(ObjectVar* variable);
void PX$BITBLT(ObjectVar* destination, float x, float y, float width, float height, ObjectVar* source,
               float sourceX, float sourceY);
void PX$DRAWBITMAP(ObjectVar* destination, ObjectVar* source, float x, float y);
void PX$STRETCHBITMAP(ObjectVar* destination, ObjectVar* source, float x, float y, float width, float height);
void PX$STRETCHBLT(ObjectVar* destination, float x, float y, float width, float height, ObjectVar* source,
                   float sourceX, float sourceY, float sourceWidth, float sourceHeight);
void PX$DELETEBITMAP(ObjectVar* variable);
void PX$DELETEOBJECT(ObjectVar* variable);
}

namespace toolkit {

// Operation numbers of the location codes.
namespace op {
inline constexpr std::uint32_t CreateWindow = 1;
inline constexpr std::uint32_t CreateDialog = 2;
inline constexpr std::uint32_t DialogBox = 3;
inline constexpr std::uint32_t EndDialog = 4;
inline constexpr std::uint32_t DestroyWindow = 5;
inline constexpr std::uint32_t GetDlgItem = 6;
inline constexpr std::uint32_t Attach = 7;
inline constexpr std::uint32_t Detach = 8;
inline constexpr std::uint32_t GetHwnd = 9;
inline constexpr std::uint32_t GetCtrlId = 10;
inline constexpr std::uint32_t WaitEvent = 13;
inline constexpr std::uint32_t GetWindowText = 16;
inline constexpr std::uint32_t SetWindowText = 20;
inline constexpr std::uint32_t ShowWindow = 21;
inline constexpr std::uint32_t EnableWindow = 22;
inline constexpr std::uint32_t IsWindowVisible = 23;
inline constexpr std::uint32_t IsWindowEnabled = 24;
inline constexpr std::uint32_t MoveWindow = 25;
inline constexpr std::uint32_t SetWindowSize = 26;
inline constexpr std::uint32_t SetClientSize = 27;
inline constexpr std::uint32_t GetLeft = 28;
inline constexpr std::uint32_t GetTop = 29;
inline constexpr std::uint32_t GetWidth = 30;
inline constexpr std::uint32_t GetHeight = 31;
inline constexpr std::uint32_t GetClientWidth = 32;
inline constexpr std::uint32_t GetClientHeight = 33;
inline constexpr std::uint32_t AddString = 40;
inline constexpr std::uint32_t InsertString = 41;
inline constexpr std::uint32_t DeleteString = 42;
inline constexpr std::uint32_t ResetContent = 43;
inline constexpr std::uint32_t GetCount = 44;
inline constexpr std::uint32_t GetCurSel = 45;
inline constexpr std::uint32_t SetCurSel = 46;
inline constexpr std::uint32_t GetText = 47;
inline constexpr std::uint32_t FindStringExact = 48;
inline constexpr std::uint32_t GetTopIndex = 49;
inline constexpr std::uint32_t SetTopIndex = 50;
inline constexpr std::uint32_t GetSel = 51;
inline constexpr std::uint32_t SetSel = 52;
inline constexpr std::uint32_t GetSelCount = 53;
inline constexpr std::uint32_t GetCheck = 55;
inline constexpr std::uint32_t SetCheck = 56;
inline constexpr std::uint32_t GetState = 57;
inline constexpr std::uint32_t SetState = 58;
inline constexpr std::uint32_t GetLineCount = 60;
inline constexpr std::uint32_t GetLine = 61;
inline constexpr std::uint32_t GetFirstVisibleLine = 62;
inline constexpr std::uint32_t LineScroll = 63;
inline constexpr std::uint32_t SetSelText = 64;
inline constexpr std::uint32_t GetSelTextStart = 65;
inline constexpr std::uint32_t GetSelTextEnd = 66;
inline constexpr std::uint32_t GetSelText = 67;
inline constexpr std::uint32_t ReplaceSel = 68;
inline constexpr std::uint32_t SetLimitText = 69;
inline constexpr std::uint32_t GetModify = 70;
inline constexpr std::uint32_t SetModify = 71;
inline constexpr std::uint32_t SetReadOnly = 72;
inline constexpr std::uint32_t Cut = 73;
inline constexpr std::uint32_t Copy = 74;
inline constexpr std::uint32_t Clear = 75;
inline constexpr std::uint32_t Undo = 76;
inline constexpr std::uint32_t CanUndo = 77;
inline constexpr std::uint32_t Paste = 78;
inline constexpr std::uint32_t CanPaste = 79;
inline constexpr std::uint32_t GetScrollPos = 80;
inline constexpr std::uint32_t SetScrollPos = 81;
inline constexpr std::uint32_t GetScrollRange = 82;
inline constexpr std::uint32_t SetScrollRange = 83;
inline constexpr std::uint32_t GetScrollStep = 84;
inline constexpr std::uint32_t SetScrollStep = 85;
inline constexpr std::uint32_t SetCbText = 90;
inline constexpr std::uint32_t GetCbText = 91;
inline constexpr std::uint32_t CheckCbText = 92;
inline constexpr std::uint32_t ClearCb = 93;
inline constexpr std::uint32_t MaximizeWindow = 34;
inline constexpr std::uint32_t MinimizeWindow = 35;
inline constexpr std::uint32_t RestoreWindow = 36;
inline constexpr std::uint32_t IsMaximized = 37;
inline constexpr std::uint32_t IsMinimized = 38;
inline constexpr std::uint32_t SetForegroundWindow = 110;
inline constexpr std::uint32_t SetActiveWindow = 111;
inline constexpr std::uint32_t SetFocus = 112;
inline constexpr std::uint32_t SetTopmostWindow = 113;
inline constexpr std::uint32_t SetImeMode = 114;
inline constexpr std::uint32_t GetImeMode = 115;
inline constexpr std::uint32_t SetDropFiles = 116;
inline constexpr std::uint32_t Refresh = 117;
inline constexpr std::uint32_t SetHotKey = 118;
inline constexpr std::uint32_t SetOrigin = 119;
inline constexpr std::uint32_t GetDlgItemText = 120;
inline constexpr std::uint32_t SetDlgItemText = 121;
inline constexpr std::uint32_t GetDlgCheck = 122;
inline constexpr std::uint32_t SetDlgCheck = 123;
inline constexpr std::uint32_t GetDlgSelect = 124;
inline constexpr std::uint32_t GetDlgRadioSelect = 125;
inline constexpr std::uint32_t WinTitle = 130;
inline constexpr std::uint32_t WinWn = 131;
inline constexpr std::uint32_t WinWnActv = 132;
inline constexpr std::uint32_t WinWnPos = 133;
inline constexpr std::uint32_t WinWnSiz = 134;
inline constexpr std::uint32_t SetFontSize = 140;
inline constexpr std::uint32_t SetFontName = 141;
inline constexpr std::uint32_t SetFontBold = 142;
inline constexpr std::uint32_t SetFontItalic = 143;
inline constexpr std::uint32_t SetFontUnderline = 144;
inline constexpr std::uint32_t SetFontStrikeout = 145;
inline constexpr std::uint32_t SetFont = 146;
inline constexpr std::uint32_t GetFontName = 147;
inline constexpr std::uint32_t GetFontSize = 148;
inline constexpr std::uint32_t GetFontBold = 149;
inline constexpr std::uint32_t GetFontItalic = 150;
inline constexpr std::uint32_t GetFontUnderline = 151;
inline constexpr std::uint32_t GetFontStrikeout = 152;
inline constexpr std::uint32_t GetTextWidth = 153;
inline constexpr std::uint32_t GetTextHeight = 154;
inline constexpr std::uint32_t EnumFontNames = 155;
inline constexpr std::uint32_t SetMapMode = 156;
inline constexpr std::uint32_t GetMapMode = 157;
inline constexpr std::uint32_t MessageBox = 100;
inline constexpr std::uint32_t InputBox = 101;
inline constexpr std::uint32_t WinOpenDlg = 102;
inline constexpr std::uint32_t WinSaveDlg = 103;
inline constexpr std::uint32_t ChooseColor = 104;
inline constexpr std::uint32_t PrintDlg = 105;
inline constexpr std::uint32_t ChooseFont = 106;
inline constexpr std::uint32_t SetDir = 170;
inline constexpr std::uint32_t SetDrive = 171;
inline constexpr std::uint32_t SetFile = 172;
inline constexpr std::uint32_t SetDlgDir = 173;
inline constexpr std::uint32_t SetDlgDrive = 174;
inline constexpr std::uint32_t SetDlgFile = 175;
inline constexpr std::uint32_t SetDirEx = 176;
inline constexpr std::uint32_t SetDriveEx = 177;
inline constexpr std::uint32_t SetFileEx = 178;
inline constexpr std::uint32_t CreateTimer = 160;
inline constexpr std::uint32_t GetInterval = 161;
inline constexpr std::uint32_t SetInterval = 162;
inline constexpr std::uint32_t Enable = 163;
inline constexpr std::uint32_t IsEnabled = 164;
inline constexpr std::uint32_t BitmapObject = 180;
inline constexpr std::uint32_t CreateBitmap = 181;
inline constexpr std::uint32_t LoadBitmapFile = 182;
inline constexpr std::uint32_t LoadResource = 183;
inline constexpr std::uint32_t GetBitmapWidth = 184;
inline constexpr std::uint32_t GetBitmapHeight = 185;
inline constexpr std::uint32_t BitBlt = 186;
inline constexpr std::uint32_t DrawBitmap = 187;
inline constexpr std::uint32_t StretchBitmap = 188;
inline constexpr std::uint32_t StretchBlt = 189;
inline constexpr std::uint32_t DeleteBitmap = 190;
inline constexpr std::uint32_t DeleteObject = 191;
}  // namespace op

constexpr std::uint32_t location(std::uint32_t operation, std::uint32_t check) {
    return 0x80000000u + (operation << 8) + check;
}

// Truth values across the boundary.
inline constexpr std::int16_t True = -1;
inline constexpr std::int16_t False = 0;

}  // namespace toolkit
