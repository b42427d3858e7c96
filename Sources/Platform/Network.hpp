// The operating system's internet services as the module sees them: a URL download to a file, and an
// HTTP client of sessions, connections and requests with a thread's last error code. Certificates are
// always verified. None of these functions throws; failures leave a code in LastError().
#pragma once

#include "UniString.hpp"

#include <string>

// On Windows, <wininet.h> makes these names macros for its own A and W functions; here they stay the
// interface's names, whatever was included first.
#undef InternetOpen
#undef InternetConnect
#undef HttpOpenRequest
#undef HttpSendRequest

namespace Platform {

// Downloads `url` (http, https or file) into the file `destination`, replacing it. Redirects are followed
// between http and https addresses only. On failure nothing is left at `destination` and `error`, when
// given, tells why.
bool DownloadUrlToFile(const GS::UniString& url, const GS::UniString& destination,
                       std::string* error = nullptr);

struct InternetObject;
using InternetHandle = InternetObject*;

constexpr UInt16 InternetDefaultHttpsPort = 443;
constexpr UInt16 InternetDefaultHttpPort = 80;
constexpr UInt32 InternetFlagSecure = 0x00800000;  // the request goes over TLS

// Error codes, with the values the module's messages name.
constexpr UInt32 ErrorSuccess = 0;
constexpr UInt32 ErrorInvalidHandle = 6;
constexpr UInt32 ErrorNotEnoughMemory = 8;
constexpr UInt32 ErrorInvalidParameter = 87;
constexpr UInt32 ErrorInternetTimeout = 12002;
constexpr UInt32 ErrorInternetInternalError = 12004;
constexpr UInt32 ErrorInternetInvalidUrl = 12005;
constexpr UInt32 ErrorInternetNameNotResolved = 12007;
constexpr UInt32 ErrorInternetIncorrectHandleType = 12018;
constexpr UInt32 ErrorInternetIncorrectHandleState = 12019;
constexpr UInt32 ErrorInternetCannotConnect = 12029;
constexpr UInt32 ErrorInternetConnectionAborted = 12030;
constexpr UInt32 ErrorInternetSecCertDateInvalid = 12037;
constexpr UInt32 ErrorInternetSecCertCnInvalid = 12038;
constexpr UInt32 ErrorInternetInvalidCa = 12045;
constexpr UInt32 ErrorHttpInvalidServerResponse = 12152;
constexpr UInt32 ErrorInternetSecureChannelError = 12157;

// A session: the user agent every request of it sends. No proxy is used.
InternetHandle InternetOpen(const GS::UniString& userAgent);
// A connection to `host` on `port` under a session. Nothing goes over the network yet.
InternetHandle InternetConnect(InternetHandle session, const GS::UniString& host, UInt16 port);
// A request with `verb` for `path` on a connection; `flags` may hold InternetFlagSecure.
InternetHandle HttpOpenRequest(InternetHandle connection, const GS::UniString& verb,
                               const GS::UniString& path, UInt32 flags);
// Sends the request with `headers` (lines ended by CR LF) and `body`, and waits for the reply's status
// and headers. True when the server answered, whatever its status.
bool HttpSendRequest(InternetHandle request, const GS::UniString& headers, const void* body,
                     UInt32 bodyLength);
// Reads the reply's body as it arrives: waits for data, then gives at most `toRead` bytes of what one
// receive from the network brought. `*read` is 0 at the end of the reply.
bool InternetReadFile(InternetHandle request, void* buffer, UInt32 toRead, UInt32* read);
bool InternetCloseHandle(InternetHandle handle);

// The calling thread's code of the last failure of these functions (0 after a success).
UInt32 GetLastError();
// The system's message text for an error code; empty for 0 and for codes without a text.
std::string FormatErrorMessage(UInt32 code);

}  // namespace Platform
