#include "runtime/error.hpp"

#include <cerrno>
#include <utility>

namespace runtime {

namespace {

struct ErrorEntry {
    int number;
    std::string_view text;
};

constexpr ErrorEntry kErrors[] = {
    {err::NoRoomForItem, "no room for the item"},
    {err::IllegalArgument, "illegal argument"},
    {err::Overflow, "overflow"},
    {err::OutOfMemory, "out of memory"},
    {err::SubscriptOutOfRange, "subscript out of range"},
    {err::DivisionByZero, "division by zero"},
    {err::SystemFailure, "system failure"},
    {err::BadChannelNumber, "bad channel number"},
    {err::BadFileMode, "bad file mode"},
    {err::ChannelAlreadyOpen, "channel already open"},
    {err::PathNotFound, "path not found"},
    {err::PastEnd, "input past end"},
    {err::BadFileName, "bad file name"},
    {err::DiskFull, "disk full"},
    {err::ChannelNotOpen, "channel not open"},
    {err::FileAlreadyExists, "file already exists"},
    {err::FileNotFound, "file not found"},
    {err::DiskFullOnSend, "disk full"},
    {err::ImageNotConvertible, "image not convertible"},
    {err::FileAccessFailed, "file or device access failed"},
    {err::NoDialogMemory, "no memory for dialog data"},
    {err::ObjectInvalid, "object is empty, unknown or its window is gone"},
    {err::ObjectHasWindow, "object already has a window"},
    {err::WrongObjectKind, "wrong object kind"},
    {err::NullVariable, "null object variable or no main window"},
    {err::ObjectNotCreated, "object could not be created"},
    {err::NotAWindow, "not a window, or value out of range"},
    {err::WrongScale, "not possible in the current scale"},
    {err::ResourceNotFound, "resource not found"},
    {err::ControlNotFound, "no control of that name"},
    {err::ListFailed, "list box operation failed"},
    {err::ComboFailed, "combo box operation failed"},
    {err::TrayUpdateFailed, "tray update failed"},
    {err::ConnectFailed, "connection failed"},
    {err::BadAddress, "bad address or unknown host"},
    {err::BadPassword, "incorrect password"},
    {err::TimedOut, "timed out"},
    {err::MailLogonFailed, "mail logon failed"},
    {err::MailAlreadyLoggedOn, "mail already logged on"},
    {err::MailNotLoggedOn, "mail not logged on"},
    {err::NetworkFailed, "network operation failed"},
};

std::string describe(int number, std::uint32_t location) {
    std::string s = "run-time error ";
    s += std::to_string(number);
    s += ": ";
    s += errorText(number);
    if (location != 0) {
        s += " (location ";
        s += std::to_string(location);
        s += ")";
    }
    return s;
}

}  // namespace

RuntimeError::RuntimeError(int number, std::uint32_t location)
    : std::runtime_error(describe(number, location)), number_(number), location_(location) {}

void raiseError(int number, std::uint32_t location) { throw RuntimeError(number, location); }

std::string_view errorText(int number) {
    for (const auto& e : kErrors)
        if (e.number == number) return e.text;
    return "unknown error";
}

int errorFromErrno(int e) {
    switch (e) {
    case ENOENT: return err::FileNotFound;
    case ENOTDIR: return err::PathNotFound;
    case EEXIST: return err::FileAlreadyExists;
    case ENOSPC:
    case EDQUOT: return err::DiskFull;
    case ENOMEM: return err::OutOfMemory;
    case ENAMETOOLONG:
    case EINVAL: return err::IllegalArgument;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EBUSY:
    case EIO: return err::FileAccessFailed;
    default: return err::SystemFailure;
    }
}

}  // namespace runtime
