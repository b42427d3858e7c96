// Sessions, connections and requests over libcurl's multi interface, so that a request can be sent and
// its reply then read piece by piece as the network delivers it.
#include "CurlSupport.hpp"
#include "HttpText.hpp"

#include "Platform/Network.hpp"
#include "PlatformText.hpp"

#include <algorithm>
#include <cstring>
#include <deque>
#include <exception>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include <strings.h>

namespace Platform {

struct InternetObject {
    virtual ~InternetObject() = default;
};

namespace {

struct Session : InternetObject {
    std::string userAgent;
};

struct Connection : InternetObject {
    std::string userAgent;
    std::string host;
    UInt16 port = 0;
};

struct Request : InternetObject {
    ~Request() override
    {
        if (multi != nullptr && easy != nullptr)
            curl_multi_remove_handle(multi, easy);
        if (easy != nullptr)
            curl_easy_cleanup(easy);
        if (multi != nullptr)
            curl_multi_cleanup(multi);
        curl_slist_free_all(headers);
    }

    std::string userAgent;
    std::string url;
    std::string verb;
    std::string body;
    CURL* easy = nullptr;
    CURLM* multi = nullptr;
    curl_slist* headers = nullptr;
    std::deque<std::string> pieces;  // the reply's body, one entry per receive
    bool sent = false;
    bool headersComplete = false;
    bool finished = false;
    CURLcode result = CURLE_OK;
    char errorText[CURL_ERROR_SIZE] = {};
};

// Handles the caller holds; anything else given back to us is refused instead of dereferenced.
std::mutex handlesMutex;
std::set<InternetObject*> liveHandles;

InternetHandle Register(InternetObject* object)
{
    std::lock_guard<std::mutex> lock(handlesMutex);
    liveHandles.insert(object);
    return object;
}

template <typename Kind>
Kind* Lookup(InternetHandle handle)
{
    std::lock_guard<std::mutex> lock(handlesMutex);
    if (handle == nullptr || liveHandles.count(handle) == 0) {
        Detail::SetLastError(ErrorInvalidHandle);
        return nullptr;
    }
    auto* object = dynamic_cast<Kind*>(handle);
    if (object == nullptr)
        Detail::SetLastError(ErrorInternetIncorrectHandleType);
    return object;
}

bool Fail(UInt32 code)
{
    Detail::SetLastError(code);
    return false;
}

bool Succeed()
{
    Detail::SetLastError(ErrorSuccess);
    return true;
}

std::string MakeUrl(const Connection& connection, const std::string& path, bool secure)
{
    std::string host = connection.host;
    if (host.find(':') != std::string::npos)
        host = "[" + host + "]";
    std::string url = (secure ? "https://" : "http://") + host + ":" + std::to_string(connection.port);
    if (path.empty() || path[0] != '/')
        url += '/';
    return url + Detail::EscapeUnsafeUrlBytes(path);
}

bool HasHeaderNamed(const std::vector<std::string>& lines, const char* name)
{
    const size_t length = std::strlen(name);
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.size() > length && line[length] == ':' && strncasecmp(line.c_str(), name, length) == 0;
    });
}

size_t KeepPiece(char* data, size_t size, size_t count, void* request)
{
    static_cast<Request*>(request)->pieces.emplace_back(data, size * count);
    return size * count;
}

size_t WatchHeaders(char* data, size_t size, size_t count, void* userData)
{
    auto* request = static_cast<Request*>(userData);
    const size_t length = size * count;
    const bool blankLine = (length == 2 && data[0] == '\r' && data[1] == '\n') || (length == 1 && data[0] == '\n');
    if (blankLine) {
        long status = 0;
        curl_easy_getinfo(request->easy, CURLINFO_RESPONSE_CODE, &status);
        if (status >= 200)  // interim replies (100 Continue) are followed by the real one
            request->headersComplete = true;
    }
    return length;
}

// Lets the transfer run until `done` holds or it ends.
template <typename Condition>
void Drive(Request& request, Condition done)
{
    while (!request.finished && !done()) {
        int running = 0;
        if (curl_multi_perform(request.multi, &running) != CURLM_OK) {
            request.finished = true;
            request.result = CURLE_OUT_OF_MEMORY;
            break;
        }
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(request.multi, &queued)) {
            if (message->msg == CURLMSG_DONE) {
                request.finished = true;
                request.result = message->data.result;
            }
        }
        if (request.finished || done())
            break;
        curl_multi_poll(request.multi, nullptr, 0, 1000, nullptr);
    }
}

bool PrepareTransfer(Request& request, const std::vector<std::string>& headerLines)
{
    request.easy = curl_easy_init();
    request.multi = curl_multi_init();
    if (request.easy == nullptr || request.multi == nullptr)
        return false;
    for (const auto& line : headerLines)
        request.headers = curl_slist_append(request.headers, line.c_str());
    // Only what the caller asked for: no "Expect: 100-continue" pause and no default Accept header.
    if (!HasHeaderNamed(headerLines, "Expect"))
        request.headers = curl_slist_append(request.headers, "Expect:");
    if (!HasHeaderNamed(headerLines, "Accept"))
        request.headers = curl_slist_append(request.headers, "Accept:");
    if (request.headers == nullptr)
        return false;

    CURL* easy = request.easy;
    curl_easy_setopt(easy, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_PROXY, "");  // direct access
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy, CURLOPT_USERAGENT, request.userAgent.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, request.headers);
    if (request.verb == "GET") {
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    } else {
        if (request.verb != "POST")
            curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.verb.c_str());
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, request.body.data());
    }
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &KeepPiece);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &request);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &WatchHeaders);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &request);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, request.errorText);
    Detail::ApplyTransferSafety(easy);
    return curl_multi_add_handle(request.multi, easy) == CURLM_OK;
}

bool FailTransfer(const Request& request)
{
    return Fail(Detail::ErrorFromCurl(request.result, request.errorText));
}

}  // namespace

InternetHandle InternetOpen(const GS::UniString& userAgent)
{
    try {
        if (!Detail::EnsureCurlReady()) {
            Fail(ErrorInternetInternalError);
            return nullptr;
        }
        auto* session = new Session;
        session->userAgent = Platform::Utf8(userAgent);
        Succeed();
        return Register(session);
    } catch (...) {
        Fail(ErrorNotEnoughMemory);
        return nullptr;
    }
}

InternetHandle InternetConnect(InternetHandle sessionHandle, const GS::UniString& host, UInt16 port)
{
    try {
        const Session* session = Lookup<Session>(sessionHandle);
        if (session == nullptr)
            return nullptr;
        const std::string name = Platform::Utf8(host);
        if (name.empty() || name.find_first_of("/\\@ \t\r\n") != std::string::npos) {
            Fail(ErrorInternetInvalidUrl);
            return nullptr;
        }
        auto* connection = new Connection;
        connection->userAgent = session->userAgent;
        connection->host = name;
        connection->port = port != 0 ? port : InternetDefaultHttpsPort;
        Succeed();
        return Register(connection);
    } catch (...) {
        Fail(ErrorNotEnoughMemory);
        return nullptr;
    }
}

InternetHandle HttpOpenRequest(InternetHandle connectionHandle, const GS::UniString& verb,
                               const GS::UniString& path, UInt32 flags)
{
    try {
        const Connection* connection = Lookup<Connection>(connectionHandle);
        if (connection == nullptr)
            return nullptr;
        std::string method = verb.IsEmpty() ? std::string("GET") : Platform::Utf8(verb);
        if (method.find_first_of(" \t\r\n") != std::string::npos) {
            Fail(ErrorInvalidParameter);
            return nullptr;
        }
        auto* request = new Request;
        request->userAgent = connection->userAgent;
        request->verb = method;
        request->url = MakeUrl(*connection, Platform::Utf8(path), (flags & InternetFlagSecure) != 0);
        Succeed();
        return Register(request);
    } catch (...) {
        Fail(ErrorNotEnoughMemory);
        return nullptr;
    }
}

bool HttpSendRequest(InternetHandle requestHandle, const GS::UniString& headers, const void* body,
                     UInt32 bodyLength)
{
    try {
        Request* request = Lookup<Request>(requestHandle);
        if (request == nullptr)
            return false;
        if (request->sent)
            return Fail(ErrorInternetIncorrectHandleState);
        if (body == nullptr && bodyLength != 0)
            return Fail(ErrorInvalidParameter);
        std::vector<std::string> lines;
        if (!Detail::SplitHeaderLines(Platform::Utf8(headers), lines))
            return Fail(ErrorInvalidParameter);
        request->body.assign(static_cast<const char*>(body), bodyLength);
        request->sent = true;
        if (!PrepareTransfer(*request, lines))
            return Fail(ErrorNotEnoughMemory);
        Drive(*request, [request] { return request->headersComplete; });
        if (request->finished && request->result != CURLE_OK)
            return FailTransfer(*request);
        return Succeed();
    } catch (...) {
        return Fail(ErrorNotEnoughMemory);
    }
}

bool InternetReadFile(InternetHandle requestHandle, void* buffer, UInt32 toRead, UInt32* read)
{
    try {
        if (read != nullptr)
            *read = 0;
        Request* request = Lookup<Request>(requestHandle);
        if (request == nullptr)
            return false;
        if (buffer == nullptr || read == nullptr)
            return Fail(ErrorInvalidParameter);
        if (!request->sent)
            return Fail(ErrorInternetIncorrectHandleState);
        if (toRead == 0)
            return Succeed();
        Drive(*request, [request] { return !request->pieces.empty(); });
        if (request->pieces.empty())
            return request->result == CURLE_OK ? Succeed() : FailTransfer(*request);
        std::string& piece = request->pieces.front();
        const size_t count = std::min<size_t>(toRead, piece.size());
        std::memcpy(buffer, piece.data(), count);
        piece.erase(0, count);
        if (piece.empty())
            request->pieces.pop_front();
        *read = static_cast<UInt32>(count);
        return Succeed();
    } catch (...) {
        return Fail(ErrorNotEnoughMemory);
    }
}

bool InternetCloseHandle(InternetHandle handle)
{
    {
        std::lock_guard<std::mutex> lock(handlesMutex);
        if (handle == nullptr || liveHandles.erase(handle) == 0)
            return Fail(ErrorInvalidHandle);
    }
    delete handle;
    return Succeed();
}

}  // namespace Platform
