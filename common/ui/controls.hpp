#pragma once
// The programs' side of the toolkit: its operations over CP932 std::string and plain
// numbers, for screens that move data between their models and the controls. Every
// object is a program-owned object variable, passed by reference as the toolkit wants
// its address. Failures stay the toolkit's run-time errors.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/toolkit.hpp"

namespace common::ui {

// Attaches the control (or, with a null form, the form) of that name to the variable,
// which the runtime's record names as its holder. An unknown name is error 1013.
void attach(ObjectVar& variable, ObjectVar* form, std::string_view name);
// Creates a form from the program's resources into the variable; shown or hidden.
void createForm(ObjectVar& variable, std::string_view name, bool visible);
void destroy(ObjectVar& object);

void setText(ObjectVar& object, const std::string& text);
std::string text(ObjectVar& object);
void show(ObjectVar& object, bool visible);
void enable(ObjectVar& object, bool enabled);
bool isVisible(ObjectVar& object);
bool isEnabled(ObjectVar& object);
void move(ObjectVar& object, float left, float top);
void setClientSize(ObjectVar& object, float width, float height);
float left(ObjectVar& object);
float top(ObjectVar& object);
float width(ObjectVar& object);
float height(ObjectVar& object);
void setFontSize(ObjectVar& object, float size);
void setFontName(ObjectVar& object, const std::string& name);
void setTopmost(ObjectVar& object, bool topmost);
void toFront(ObjectVar& object);

// Lists and combo boxes.
void clearItems(ObjectVar& object);
void addItem(ObjectVar& object, const std::string& text);
void select(ObjectVar& object, int index);
int selection(ObjectVar& object);
int itemCount(ObjectVar& object);
std::string itemText(ObjectVar& object, int index);

// Lists of several selectable items: whether item `index` is selected.
void mark(ObjectVar& object, int index, bool marked);
bool isMarked(ObjectVar& object, int index);

// Edits: the selection (end -1: to the end of the text), copying it to the clipboard.
void selectText(ObjectVar& object, int start, int end);
void copySelection(ObjectVar& object);

// Edits: the number of lines of a multi-line edit, the input-method mode, the focus.
int lineCount(ObjectVar& object);
void setImeMode(ObjectVar& object, int mode);
void focus(ObjectVar& object);

// Check boxes: 0 clear, 1 checked.
void setCheck(ObjectVar& object, int state);
int check(ObjectVar& object);

// A message box owned by `owner`'s form (null: the main window); the result of the
// toolkit's table (0 OK ... 5 Yes, 6 No).
int messageBox(ObjectVar* owner, const std::string& caption, const std::string& text, int buttons, int icon);
// The buttons, icons and answers of the message boxes the programs show.
namespace box {
inline constexpr int Ok = 0, YesNo = 4;
inline constexpr int StopIcon = 0, QuestionIcon = 1, ExclamationIcon = 2;
inline constexpr int Yes = 5;
}  // namespace box

// The save dialog: the chosen path, or nothing when the user cancelled.
std::optional<std::string> saveDialog(ObjectVar* owner, const std::string& title, const std::string& initialPath,
                                      const std::string& filter, int mode);
// The open dialog, likewise (mode 0: the file must exist, 1: only its folder).
std::optional<std::string> openDialog(ObjectVar* owner, const std::string& title, const std::string& initialPath,
                                      const std::string& filter, int mode);

}  // namespace common::ui
