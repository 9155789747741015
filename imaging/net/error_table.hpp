#pragma once
// The one table from transfer failures to run-time errors, for FTP, HTTP and mail alike:
// time-outs 2004; a bad address or a name that does not resolve 2002; a refused login
// 2003 (2005 for a mail logon); a connection refused, reset or cut off 2001; a server
// that answers "no such file or directory" 63; every other failure of the transfer 2008.
// A code the table does not know is a system failure, 27.

#include <curl/curl.h>

#include <string_view>

namespace imaging::net {

enum class Service { Ftp, Http, Mail };

// The error for a failed libcurl transfer. `reply` is the server's refusal, or its last
// reply line (empty when none): FTP servers tell a missing file only in its text.
int errorForTransfer(CURLcode code, std::string_view reply, Service service);

// The error for an HTTP reply status of 400 or more: a missing object 63, a refused
// login 2003, the rest 2008.
int errorForHttpStatus(long status);

}  // namespace imaging::net
