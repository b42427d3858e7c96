// Sessions, connections and requests over WinINet. Each handle the caller gets is one of ours wrapping
// WinINet's, so that a wrong or stale handle is refused before WinINet sees it, and so that a parent
// closed before its children stays open underneath them until the last of them is closed.
#include "Win32.hpp"

#include "HttpText.hpp"
#include "LastError.hpp"
#include "Platform/Network.hpp"
#include "PlatformText.hpp"
#include "WideText.hpp"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace Platform {

struct InternetObject {
    InternetObject(HINTERNET system, InternetObject* owner) : handle(system), parent(owner) {}
    virtual ~InternetObject() = default;
    InternetObject(const InternetObject&) = delete;
    InternetObject& operator=(const InternetObject&) = delete;

    HINTERNET handle;
    InternetObject* parent;
    int children = 0;
    bool closedByCaller = false;
};

namespace {

using Detail::Fail;
using Detail::FailWithSystemError;
using Detail::Succeed;

struct Session : InternetObject {
    explicit Session(HINTERNET system) : InternetObject(system, nullptr) {}
};

struct Connection : InternetObject {
    using InternetObject::InternetObject;
};

struct Request : InternetObject {
    using InternetObject::InternetObject;
    bool sent = false;
};

// Handles the caller holds; anything else given back to us is refused instead of dereferenced.
SRWLOCK handlesLock = SRWLOCK_INIT;
std::set<InternetObject*> liveHandles;

class HandlesGuard {
public:
    HandlesGuard() { ::AcquireSRWLockExclusive(&handlesLock); }
    ~HandlesGuard() { ::ReleaseSRWLockExclusive(&handlesLock); }
    HandlesGuard(const HandlesGuard&) = delete;
    HandlesGuard& operator=(const HandlesGuard&) = delete;
};

InternetHandle Register(InternetObject* object)
{
    HandlesGuard guard;
    liveHandles.insert(object);
    if (object->parent != nullptr)
        ++object->parent->children;
    return object;
}

template <typename Kind>
Kind* Lookup(InternetHandle handle)
{
    HandlesGuard guard;
    if (handle == nullptr || liveHandles.count(handle) == 0) {
        Fail(ErrorInvalidHandle);
        return nullptr;
    }
    auto* object = dynamic_cast<Kind*>(handle);
    if (object == nullptr)
        Fail(ErrorInternetIncorrectHandleType);
    return object;
}

// Closing a WinINet handle closes what was opened under it, so ours go from the children up: an object
// goes once the caller has closed it and nothing opened under it is left. Called with the lock held.
void ReleaseClosed(InternetObject* object)
{
    while (object != nullptr && object->closedByCaller && object->children == 0) {
        InternetObject* parent = object->parent;
        ::InternetCloseHandle(object->handle);
        delete object;
        if (parent != nullptr)
            --parent->children;
        object = parent;
    }
}

bool IsMethodText(const std::string& method)
{
    return !method.empty() && method.find_first_of(" \t\r\n") == std::string::npos;
}

}  // namespace

InternetHandle InternetOpen(const GS::UniString& userAgent)
{
    try {
        const std::wstring agent = Detail::Wide(userAgent);
        HINTERNET system = ::InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
        if (system == nullptr) {
            FailWithSystemError();
            return nullptr;
        }
        auto* session = new Session(system);
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
        Session* session = Lookup<Session>(sessionHandle);
        if (session == nullptr)
            return nullptr;
        const std::string name = Platform::Utf8(host);
        if (name.empty() || name.find_first_of("/\\@ \t\r\n") != std::string::npos) {
            Fail(ErrorInternetInvalidUrl);
            return nullptr;
        }
        const std::wstring wideName = Detail::Wide(name);
        const INTERNET_PORT target = port != 0 ? port : InternetDefaultHttpsPort;
        HINTERNET system = ::InternetConnectW(session->handle, wideName.c_str(), target, nullptr, nullptr,
                                              INTERNET_SERVICE_HTTP, 0, 0);
        if (system == nullptr) {
            FailWithSystemError();
            return nullptr;
        }
        auto* connection = new Connection(system, session);
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
        Connection* connection = Lookup<Connection>(connectionHandle);
        if (connection == nullptr)
            return nullptr;
        const std::string method = verb.IsEmpty() ? std::string("GET") : Platform::Utf8(verb);
        if (!IsMethodText(method)) {
            Fail(ErrorInvalidParameter);
            return nullptr;
        }
        // The path goes on the wire as plain ASCII, escaped the same way on every system.
        std::string object = Detail::EscapeUnsafeUrlBytes(Platform::Utf8(path));
        if (object.empty() || object[0] != '/')
            object.insert(object.begin(), '/');
        // Only the secure flag is taken from the caller: nothing can switch off certificate checks.
        // Redirects and cookies are left to the caller, and no dialog is ever shown.
        const DWORD requestFlags = (flags & InternetFlagSecure) | INTERNET_FLAG_NO_AUTO_REDIRECT |
                                   INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;
        const std::wstring wideMethod = Detail::Wide(method);
        const std::wstring wideObject = Detail::Wide(object);
        HINTERNET system = ::HttpOpenRequestW(connection->handle, wideMethod.c_str(), wideObject.c_str(), nullptr,
                                              nullptr, nullptr, requestFlags, 0);
        if (system == nullptr) {
            FailWithSystemError();
            return nullptr;
        }
        auto* request = new Request(system, connection);
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
        const std::string headerText = Platform::Utf8(headers);
        std::vector<std::string> lines;
        if (!Detail::SplitHeaderLines(headerText, lines))
            return Fail(ErrorInvalidParameter);
        const std::wstring wideHeaders = Detail::Wide(headerText);
        request->sent = true;
        const BOOL sent = ::HttpSendRequestW(request->handle, wideHeaders.empty() ? nullptr : wideHeaders.c_str(),
                                             wideHeaders.empty() ? 0 : static_cast<DWORD>(-1L),
                                             const_cast<void*>(body), bodyLength);
        return sent ? Succeed() : FailWithSystemError();
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
        // WinINet's own read waits until the buffer is full; asking first how much has arrived gives what
        // the network delivered so far, which is what the caller is promised.
        DWORD available = 0;
        if (!::InternetQueryDataAvailable(request->handle, &available, 0, 0))
            return FailWithSystemError();
        const DWORD wanted = available == 0 ? toRead : std::min<DWORD>(available, toRead);
        DWORD got = 0;
        if (!::InternetReadFile(request->handle, buffer, wanted, &got))
            return FailWithSystemError();
        *read = got;
        return Succeed();
    } catch (...) {
        return Fail(ErrorNotEnoughMemory);
    }
}

bool InternetCloseHandle(InternetHandle handle)
{
    HandlesGuard guard;
    if (handle == nullptr || liveHandles.erase(handle) == 0)
        return Fail(ErrorInvalidHandle);
    handle->closedByCaller = true;
    ReleaseClosed(handle);
    return Succeed();
}

}  // namespace Platform
