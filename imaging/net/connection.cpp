// Connection control. Linux has no dial-up phone book and no autodial: the machine is
// connected or not, and the library only reports which.
#include "imaging/net/route_table.hpp"
#include "imaging/plv0ri63.h"
#include "runtime/error.hpp"
#include "runtime/pv_string.hpp"

using namespace imaging::net;
using runtime::PvString;

extern "C" void PV$INTERNETSTART(const PvString* connection) {
    // A named entry would be dialled; none exists here.
    if (!runtime::view(connection).empty()) runtime::raiseError(runtime::err::ConnectFailed);
    if (connectedFlagsNow() == 0) runtime::raiseError(runtime::err::ConnectFailed);
}

// Nothing was dialled, so there is nothing to hang up: the connection belongs to the
// system, which keeps it.
extern "C" void PV$INTERNETEND() {}

extern "C" std::int32_t PV$INTERNETSTATUS() { return connectedFlagsNow() & (kConnectedModem | kConnectedLan); }
