#include "CurlSupport.hpp"

#include "ErrorTexts.hpp"
#include "Platform/Network.hpp"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace Platform {
namespace Detail {
namespace {

thread_local UInt32 lastError = ErrorSuccess;

// Generous enough for a slow upload of a large model, short enough that a dead server does not hold the
// host's user interface for long.
constexpr long ConnectTimeoutSeconds = 60;
constexpr long StalledTransferSeconds = 60;

bool Mentions(const char* detail, const char* part)
{
    return detail != nullptr && std::strstr(detail, part) != nullptr;
}

}  // namespace

bool EnsureCurlReady()
{
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] { ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
    return ready;
}

void ApplyTransferSafety(CURL* easy)
{
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    // Extra authorities are added to the system's, not put in their place: the bundle file goes first
    // and the system's certificate folder stays in use.
    const char* bundle = std::getenv("CORVANA_CA_BUNDLE");
    if (bundle != nullptr && *bundle != '\0') {
        char* systemFolder = nullptr;
        if (curl_easy_getinfo(easy, CURLINFO_CAPATH, &systemFolder) == CURLE_OK && systemFolder != nullptr)
            curl_easy_setopt(easy, CURLOPT_CAPATH, systemFolder);
        curl_easy_setopt(easy, CURLOPT_CAINFO, bundle);
    }
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, ConnectTimeoutSeconds);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, StalledTransferSeconds);
}

UInt32 ErrorFromCurl(CURLcode code, const char* detail)
{
    switch (code) {
        case CURLE_OK: return ErrorSuccess;
        case CURLE_OUT_OF_MEMORY: return ErrorNotEnoughMemory;
        case CURLE_UNSUPPORTED_PROTOCOL:
        case CURLE_URL_MALFORMAT: return ErrorInternetInvalidUrl;
        case CURLE_COULDNT_RESOLVE_HOST: return ErrorInternetNameNotResolved;
        case CURLE_COULDNT_CONNECT: return ErrorInternetCannotConnect;
        case CURLE_OPERATION_TIMEDOUT: return ErrorInternetTimeout;
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
        case CURLE_PARTIAL_FILE: return ErrorInternetConnectionAborted;
        case CURLE_GOT_NOTHING:
        case CURLE_WEIRD_SERVER_REPLY: return ErrorHttpInvalidServerResponse;
        case CURLE_PEER_FAILED_VERIFICATION:
            if (Mentions(detail, "subject name") || Mentions(detail, "host name"))
                return ErrorInternetSecCertCnInvalid;
            if (Mentions(detail, "expired") || Mentions(detail, "not yet valid"))
                return ErrorInternetSecCertDateInvalid;
            return ErrorInternetInvalidCa;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_CERTPROBLEM: return ErrorInternetSecureChannelError;
        default: return ErrorInternetInternalError;
    }
}

void SetLastError(UInt32 code) { lastError = code; }

}  // namespace Detail

UInt32 GetLastError() { return Detail::lastError; }

std::string FormatErrorMessage(UInt32 code) { return Detail::StandardErrorText(code); }

}  // namespace Platform
