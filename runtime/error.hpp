#pragma once
// Numbered run-time errors. Toolkit, imaging and runtime failures are raised as
// RuntimeError carrying the error number and a 32-bit location code; the programs trap
// them where a failure is expected and otherwise end through the fatal error report.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace runtime {

// The error numbers this system raises. errorText() gives the short text of each.
namespace err {
inline constexpr int NoRoomForItem = 4;
inline constexpr int IllegalArgument = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int SystemFailure = 27;
inline constexpr int BadChannelNumber = 50;
inline constexpr int BadFileMode = 51;
inline constexpr int ChannelAlreadyOpen = 52;
inline constexpr int PathNotFound = 53;
inline constexpr int PastEnd = 54;
inline constexpr int BadFileName = 55;
inline constexpr int DiskFull = 56;
inline constexpr int ChannelNotOpen = 57;
inline constexpr int FileAlreadyExists = 58;
inline constexpr int FileNotFound = 63;
inline constexpr int DiskFullOnSend = 67;
inline constexpr int ImageNotConvertible = 71;
inline constexpr int FileAccessFailed = 75;
inline constexpr int NoDialogMemory = 89;
inline constexpr int ObjectInvalid = 1000;
inline constexpr int ObjectHasWindow = 1001;
inline constexpr int WrongObjectKind = 1002;
inline constexpr int NullVariable = 1003;
inline constexpr int ObjectNotCreated = 1004;
inline constexpr int NotAWindow = 1005;
inline constexpr int WrongScale = 1006;
inline constexpr int ResourceNotFound = 1010;
inline constexpr int ControlNotFound = 1013;
inline constexpr int ListFailed = 1016;
inline constexpr int ComboFailed = 1017;
inline constexpr int TrayUpdateFailed = 1020;
inline constexpr int ConnectFailed = 2001;
inline constexpr int BadAddress = 2002;
inline constexpr int BadPassword = 2003;
inline constexpr int TimedOut = 2004;
inline constexpr int MailLogonFailed = 2005;
inline constexpr int MailAlreadyLoggedOn = 2006;
inline constexpr int MailNotLoggedOn = 2007;
inline constexpr int NetworkFailed = 2008;
}  // namespace err

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, std::uint32_t location);
    int number() const { return number_; }
    std::uint32_t location() const { return location_; }

private:
    int number_;
    std::uint32_t location_;
};

// Raises run-time error `number`. The location code names the place that raised it.
[[noreturn]] void raiseError(int number, std::uint32_t location = 0);

// Short English text of an error number ("overflow"); "unknown error" for numbers the
// system does not use.
std::string_view errorText(int number);

// The error that corresponds to a C library errno value (file not found, access failed...).
int errorFromErrno(int errnoValue);

}  // namespace runtime
