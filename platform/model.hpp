#pragma once
// The window system's model: every window and control with its state, focus, window
// order, timers and the queue of notifications of what the user did.
//
// Two ways in. A program changes state through the plain operations (setText, select,
// setCheck, ...); these never raise a notification. A backend or a script reports what the
// user did through the user* operations and keyDown/keyUp; these check that the target
// takes input (exists, shown, enabled, its form too) and queue notifications. The keyboard
// rules of the forms (Tab order, Enter and Space on buttons, Ctrl+A in an edit) live here,
// once, for every backend.

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/metrics.hpp"
#include "platform/notification.hpp"
#include "platform/window.hpp"

namespace platform {

// Why a user action was not carried out.
enum class InputResult { Done, NoWindow, Hidden, Disabled, ReadOnly, WrongKind, OutOfRange };
const char* inputResultText(InputResult r);

// Keys the keyboard rules know; others pass through as their key code.
namespace key {
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
// Letters by their capital, whatever the Shift state.
inline constexpr int A = 'A';
}  // namespace key

// What a backend must do to catch up with the model.
struct ModelChange {
    enum What { Created, Destroyed, Changed, Pixels } what;
    Handle handle;
    Handle parent;  // 0 for a form
    Rect area{};    // Pixels: the part of the redraw buffer that was drawn (client coordinates)
};

using Clock = std::chrono::steady_clock;

class Model {
public:
    Metrics metrics;

    // Called when the user closes a form, before it goes. Return false to keep it open
    // (the program's close query said no). Without a hook the form always closes.
    std::function<bool(Handle form)> closeHook;

    // --- windows -----------------------------------------------------------------------
    Handle createForm(std::string name, std::string className, std::uint32_t style, std::uint32_t exStyle,
                      Rect outer, Handle owner = 0);
    Handle createControl(Handle form, Kind kind, std::string name, std::uint32_t style, std::uint32_t exStyle,
                         Rect rect);
    // Destroys a window (a form with its controls and the forms it owns). No notification.
    void destroy(Handle h);

    bool exists(Handle h) const { return windows_.count(h) != 0; }
    const Window* find(Handle h) const;
    // The window for a plain change of state; the backend is told to show it again.
    Window* change(Handle h);

    // Forms, front to back.
    const std::vector<Handle>& forms() const { return zOrder_; }
    // Windows a script address names: "FORM.CONTROL", or "NAME" of a form or a control.
    std::vector<Handle> lookup(std::string_view address) const;
    // "FORM.CONTROL" or "FORM".
    std::string address(Handle h) const;
    Handle formOf(Handle h) const;

    // --- plain operations (no notifications) ------------------------------------------
    void setText(Handle h, std::string text);
    void setVisible(Handle h, bool visible);
    void setEnabled(Handle h, bool enabled);
    void setRect(Handle h, Rect r);
    // The client rectangle: screen coordinates for a form, the control's own
    // coordinates (origin 0, 0, inside its border) for a control.
    Rect clientRect(Handle h) const;
    void setClientSize(Handle h, int width, int height);
    void setShowState(Handle form, ShowState s);
    void setTopmost(Handle form, bool topmost);
    void bringToFront(Handle form);
    void setFocus(Handle h);
    Handle focus() const { return focus_; }
    Handle activeForm() const;

    // Lists and combo boxes. Return false for an index out of range.
    void addItem(Handle h, std::string text);
    bool insertItem(Handle h, int index, std::string text);
    bool deleteItem(Handle h, int index);
    void clearItems(Handle h);
    bool select(Handle h, int index);           // -1 clears the selection
    bool setMarked(Handle h, int index, bool marked);

    // Edits (and a combo box's edit part). Positions in bytes.
    void setSelection(Handle h, std::size_t start, std::size_t end);
    std::string selectedText(Handle h) const;
    void replaceSelection(Handle h, std::string_view text);
    bool undo(Handle h);
    // Scrolls a multi-line edit by whole lines and columns (bytes), from its first line and
    // column at most to its last line and to the end of its longest line.
    void scrollText(Handle h, long long columns, long long lines);

    void setCheck(Handle h, int state);
    void setScrollRange(Handle h, int min, int max);
    void setScrollPos(Handle h, int pos);

    // Timers: a Timer notification for `window` every `interval` while it exists.
    void setTimer(Handle window, int id, std::chrono::milliseconds interval, Clock::time_point now);
    void killTimer(Handle window, int id);
    void fireDueTimers(Clock::time_point now);
    // Fires one timer now (a scripted run's stand-in for waiting); false when none is set.
    bool fireTimer(Handle window, int id);
    std::optional<Clock::time_point> nextTimerDue() const;

    // --- bitmaps and redraw buffers ----------------------------------------------------
    // A bitmap is a pixel buffer held under a handle of its own, issued as window handles
    // are (never 0, never issued again); it has no window and no notifications.
    Handle createBitmap(PixelBuffer pixels);
    Handle createBitmap(int width, int height, Colour fill) { return createBitmap(PixelBuffer(width, height, fill)); }
    void destroyBitmap(Handle h);
    bool bitmapExists(Handle h) const { return bitmaps_.count(h) != 0; }
    // A bitmap's map mode, as a form's or picture box's is kept with its window: 1 until
    // the program sets another.
    int bitmapMapMode(Handle h) const;
    void setBitmapMapMode(Handle h, int mode);
    // The pixels of a bitmap, or a form's or picture box's redraw buffer; null otherwise.
    const PixelBuffer* pixels(Handle h) const;
    // Draws into a bitmap or a redraw buffer. `draw` returns the part it changed; on a
    // window the backend shows that part again (and only that part, where it can).
    void drawInto(Handle h, const std::function<Rect(PixelBuffer&)>& draw);

    // --- user actions ------------------------------------------------------------------
    // Whether the user can act on `h` now.
    InputResult acceptsInput(Handle h) const;
    // The same for the actions only a form takes (resize, move, show state, close).
    InputResult acceptsFormInput(Handle h) const;

    InputResult userClick(Handle h);
    InputResult userDoubleClick(Handle h);
    InputResult userFocus(Handle h);
    // Typed text, inserted at the selection within the edit limit.
    InputResult userType(Handle h, std::string_view text);
    // The whole text after the user edited it in a native widget (which kept the limit).
    InputResult userSetText(Handle h, std::string text);
    // A caret move or selection by the user; no notification, but the model follows.
    InputResult userSelectText(Handle h, std::size_t start, std::size_t end);
    InputResult userPick(Handle h, int index);
    InputResult userScroll(Handle h, int pos);
    InputResult userMouse(NotificationKind kind, Handle h, int button, int shift, int x, int y);
    InputResult userWheel(Handle h, int steps);
    InputResult userResize(Handle form, int width, int height);
    InputResult userMove(Handle form, int x, int y);
    InputResult userShowState(Handle form, ShowState s);
    InputResult userClose(Handle form);
    // Files (paths in CP932) dropped on a window that accepts them.
    InputResult userDropFiles(Handle h, std::vector<std::string> paths);
    const std::vector<std::string>& droppedFiles() const { return droppedFiles_; }

    // The keyboard rules of the forms. Return true when the key is swallowed; a key that
    // passes on belongs to the focused control (and is reported as KeyDown/KeyUp).
    bool keyDown(int key, int modifiers);
    bool keyUp(int key, int modifiers);
    // Where Tab (or Shift+Tab) goes from `from` within `form`.
    Handle tabTarget(Handle form, Handle from, bool backward) const;

    // --- queues -----------------------------------------------------------------------
    bool hasNotifications() const { return !notifications_.empty(); }
    std::optional<Notification> takeNotification();
    const std::deque<Notification>& notifications() const { return notifications_; }
    std::vector<ModelChange> takeChanges();

private:
    Window* get(Handle h);
    void markChanged(Handle h);
    void notify(NotificationKind kind, Handle h, int value = 0);
    void notifyMouse(NotificationKind kind, Handle h, int button, int shift, int x, int y);
    void moveFocusByUser(Handle to);
    void destroyTree(Handle h);
    void clickButton(Window& w);
    bool insertTyped(Window& w, std::string_view text);
    void sortZOrder();
    void fitRedrawBuffer(Window& w);

    std::uint32_t nextHandle_ = 0x00010000;
    std::map<Handle, Window> windows_;
    std::vector<Handle> zOrder_;
    Handle focus_ = 0;
    std::deque<Notification> notifications_;
    std::vector<ModelChange> changes_;
    std::set<Handle> changedPending_;
    std::set<int> keysDown_;
    Handle pressedButton_ = 0;
    std::vector<std::string> droppedFiles_;
    std::map<Handle, PixelBuffer> bitmaps_;
    std::map<Handle, int> bitmapModes_;

    struct Timer {
        std::chrono::milliseconds interval;
        Clock::time_point due;
    };
    std::map<std::pair<Handle, int>, Timer> timers_;
};

}  // namespace platform
