// The operating system's internet services as the module sees them: a URL download to a file, and an
// HTTP client of sessions, connections and requests with a thread's last error code. Certificates are
// always verified. None of these functions throws; failures leave a code in LastError().
#pragma once

#include "UniString.hpp"

#include <cstddef>
#include <functional>
#include <string>

// On Windows, <wininet.h> makes these names macros for its own A and W functions; here they stay the
// interface's names, whatever was included first.
#undef InternetOpen
#undef InternetConnect
#undef HttpOpenRequest
#undef HttpSendRequest

namespace Platform {

// What one download may do. A download that passes `maxBytes` or lasts longer than `maxSeconds` is
// stopped and fails, saying which limit it reached. `stopRequested`, when given, is asked at least once
// a second while the download runs; once it answers true the download stops and fails
// ("the download was stopped").
struct DownloadRules {
    bool plainHttp = true;    // may start at an http address (https always may)
    bool localFiles = true;   // may start at a file address, which must name a regular file
    UInt64 maxBytes = 512ull * 1024u * 1024u;
    UInt32 maxSeconds = 600;
    std::function<bool()> stopRequested;
};

constexpr const char* DownloadStoppedText = "the download was stopped";

// What the self-update takes: https only, under the same ceilings.
inline DownloadRules SecureWebOnly()
{
    DownloadRules rules;
    rules.plainHttp = false;
    rules.localFiles = false;
    return rules;
}

// A download is written beside its destination under the destination's name and this suffix, and moved
// into place when complete; a file name has to leave room for it.
constexpr const char* DownloadPartSuffix = ".download";
// The longest file name, in bytes, that the file systems the add-on runs on take.
constexpr std::size_t MaxFileNameBytes = 255;

// Downloads `url` into the file `destination`, replacing it, within `rules`. Redirects are followed only
// to web addresses, and only to https once the download started at https. On failure nothing is left at
// `destination` or beside it, and `error`, when given, tells why.
bool DownloadUrlToFile(const GS::UniString& url, const GS::UniString& destination, const DownloadRules& rules,
                       std::string* error = nullptr);
// With the default rules: http, https or a local file.
inline bool DownloadUrlToFile(const GS::UniString& url, const GS::UniString& destination,
                              std::string* error = nullptr)
{
    return DownloadUrlToFile(url, destination, DownloadRules(), error);
}

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
