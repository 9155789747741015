/* The network and mail members as a C program sees them through imaging/plv0ri63.h:
 * this file compiles as C, and exports_test.cpp checks that each pointer is the
 * library's exported member of that name. */
#include <stddef.h>

#include "imaging/plv0ri63.h"
#include "tests/net/c_header.h"

#define MEMBER(name) {#name, (void (*)(void))name}

/* Typed first, so that a declaration that changes its signature fails to compile here. */
static void (*const kStart)(const PvRuntimeString*) = PV$INTERNETSTART;
static void (*const kFtpGet)(int16_t, const PvRuntimeString*, const PvRuntimeString*, int16_t) = PV$FTPGET;
static void (*const kHttpGet)(int16_t, const PvRuntimeString*, const PvRuntimeString*, int16_t) = PV$HTTPGET;
static void (*const kLogon)(PvObjectVar*, const PvRuntimeString*, const PvRuntimeString*, int16_t) = PX$MAILLOGON;

const struct NetMember kNetMembers[] = {
    MEMBER(PV$INTERNETSTART), MEMBER(PV$INTERNETEND), MEMBER(PV$INTERNETSTATUS),
    MEMBER(PV$FTPOPEN),       MEMBER(PV$FTPGET),      MEMBER(PV$FTPPUT),
    MEMBER(PV$FTPCHDIR),      MEMBER(PV$FTPMKDIR),    MEMBER(PV$FTPRMDIR),
    MEMBER(PV$FTPDELETE),     MEMBER(PV$FTPCRDIR),    MEMBER(PV$FTPCLOSE),
    MEMBER(PV$HTTPOPEN),      MEMBER(PV$HTTPGET),     MEMBER(PV$HTTPCLOSE),
    MEMBER(PX$MAILLOGON),     MEMBER(PX$MAILLOGOFF),  MEMBER(PX$MAILSEND),
    MEMBER(PX$MAILADDRESS),   MEMBER(PV$MAILFINDNEXT), MEMBER(PV$MAILREAD),
    MEMBER(PV$MAILSENDER),    MEMBER(PV$MAILRECIPCOUNT), MEMBER(PV$MAILRECIP),
    MEMBER(PV$MAILFILECOUNT), MEMBER(PV$MAILFILE),    MEMBER(PV$MAILITEM),
    {NULL, NULL},
};

int netTypedMembersMatch(void) {
    return (void (*)(void))kStart == kNetMembers[0].address && (void (*)(void))kFtpGet == kNetMembers[4].address &&
           (void (*)(void))kHttpGet == kNetMembers[13].address && (void (*)(void))kLogon == kNetMembers[15].address;
}
