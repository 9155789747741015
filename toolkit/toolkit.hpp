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

// The window text (caption, label or edit text); here for the programs' handlers until
// the rest of the control operations join it.
const PvString* PX$GETWINDOWTEXT(ObjectVar* object);
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
}  // namespace op

constexpr std::uint32_t location(std::uint32_t operation, std::uint32_t check) {
    return 0x80000000u + (operation << 8) + check;
}

// Truth values across the boundary.
inline constexpr std::int16_t True = -1;
inline constexpr std::int16_t False = 0;

}  // namespace toolkit
