// URL downloads through the system's own URL moniker download, which honours the user's proxy settings
// and the Windows certificate store. A watcher of the binding sees what the download itself does not
// report: the server's status, a redirect, and certificate problems, which it refuses every time.
#include "Win32.hpp"

#include "HttpText.hpp"
#include "LastError.hpp"
#include "Platform/Network.hpp"
#include "PlatformText.hpp"
#include "WideText.hpp"

#include <cstdio>
#include <cwchar>
#include <exception>
#include <string>

namespace Platform {
namespace {

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    size_t i = 0;
    for (; prefix[i] != '\0'; ++i) {
        if (i >= text.size())
            return false;
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != prefix[i])
            return false;
    }
    return true;
}

bool IsWebAddress(const std::string& address)
{
    return StartsWithNoCase(address, "http://") || StartsWithNoCase(address, "https://");
}

std::string Hex(HRESULT result)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

// COM interfaces have no virtual destructor by design: the object deletes itself, as itself, in Release.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class DownloadWatch final : public IBindStatusCallback, public IHttpNegotiate, public IHttpSecurity,
                            public IServiceProvider {
public:
    DownloadWatch(const DownloadRules& rules, bool secureStart)
        : rules_(rules), secureStart_(secureStart), started_(::GetTickCount64())
    {
    }

    DWORD status = 0;                 // the server's last status; 0 when there was none (file addresses)
    DWORD securityProblem = 0;        // the certificate problem WinINet reported, if any
    bool refusedRedirect = false;
    bool tooLarge = false;
    bool tooLong = false;
    bool stopped = false;
    std::string stopText;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IBindStatusCallback))
            *object = static_cast<IBindStatusCallback*>(this);
        else if (IsEqualIID(id, IID_IHttpNegotiate))
            *object = static_cast<IHttpNegotiate*>(this);
        else if (IsEqualIID(id, IID_IHttpSecurity) || IsEqualIID(id, IID_IWindowForBindingUI))
            *object = static_cast<IHttpSecurity*>(this);
        else if (IsEqualIID(id, IID_IServiceProvider))
            *object = static_cast<IServiceProvider*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IBindStatusCallback
    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG statusCode,
                                         LPCWSTR statusText) override
    {
        // A web server may send us elsewhere on the web, never into the local file system, and a download
        // that began over TLS stays on it.
        if (statusCode == BINDSTATUS_REDIRECTING && statusText != nullptr) {
            const std::string target = Detail::Utf8(statusText, std::wcslen(statusText));
            if (!IsWebAddress(target) || (secureStart_ && !StartsWithNoCase(target, "https://"))) {
                refusedRedirect = true;
                return E_ABORT;
            }
        }
        if (static_cast<UInt64>(progress) > rules_.maxBytes || static_cast<UInt64>(progressMax) > rules_.maxBytes) {
            tooLarge = true;
            return E_ABORT;
        }
        if (::GetTickCount64() - started_ > static_cast<ULONGLONG>(rules_.maxSeconds) * 1000u) {
            tooLong = true;
            return E_ABORT;
        }
        if (rules_.stopRequested && rules_.stopRequested()) {
            stopped = true;
            return E_ABORT;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR text) override
    {
        if (text != nullptr)
            stopText = Detail::Utf8(text, std::wcslen(text));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO*) override
    {
        // Always the server's current file, and never a dialog in the host.
        if (flags != nullptr)
            *flags |= BINDF_GETNEWESTVERSION | BINDF_NO_UI | BINDF_SILENTOPERATION;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

    // IHttpNegotiate
    HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additionalHeaders) override
    {
        if (additionalHeaders != nullptr)
            *additionalHeaders = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnResponse(DWORD code, LPCWSTR, LPCWSTR, LPWSTR* additionalHeaders) override
    {
        if (additionalHeaders != nullptr)
            *additionalHeaders = nullptr;
        status = code;
        // An error page is no download.
        return code >= 200 && code < 300 ? S_OK : E_ABORT;
    }

    // IWindowForBindingUI, IHttpSecurity
    HRESULT STDMETHODCALLTYPE GetWindow(REFGUID, HWND* window) override
    {
        if (window != nullptr)
            *window = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE OnSecurityProblem(DWORD problem) override
    {
        securityProblem = problem;
        return E_ABORT;
    }

    // IServiceProvider
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID, REFIID id, void** object) override
    {
        return QueryInterface(id, object);
    }

private:
    ~DownloadWatch() = default;
    LONG references_ = 1;
    DownloadRules rules_;
    bool secureStart_;
    ULONGLONG started_;
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

UInt32 ErrorFromResult(HRESULT result)
{
    switch (result) {
        case E_OUTOFMEMORY: return ErrorNotEnoughMemory;
        case INET_E_INVALID_URL:
        case INET_E_UNKNOWN_PROTOCOL: return ErrorInternetInvalidUrl;
        case INET_E_CANNOT_CONNECT: return ErrorInternetCannotConnect;
        case INET_E_CONNECTION_TIMEOUT: return ErrorInternetTimeout;
        case INET_E_INVALID_CERTIFICATE:
        case INET_E_SECURITY_PROBLEM: return ErrorInternetInvalidCa;
        default: return ErrorInternetInternalError;
    }
}

// Fetches into `partFile`; false with `why` set and the last error given on any failure.
bool Fetch(const std::string& address, const std::wstring& partFile, const DownloadRules& rules, std::string& why)
{
    const std::wstring wideAddress = Detail::Wide(address);
    DownloadWatch* watch = new DownloadWatch(rules, StartsWithNoCase(address, "https://"));
    const HRESULT result = ::URLDownloadToFileW(nullptr, wideAddress.c_str(), partFile.c_str(), 0, watch);
    bool ok = false;
    if (watch->tooLarge) {
        why = "the download is larger than the limit of " + std::to_string(rules.maxBytes) + " bytes";
        Detail::Fail(ErrorInternetInternalError);
    } else if (watch->tooLong) {
        why = "the download took longer than the limit of " + std::to_string(rules.maxSeconds) + " seconds";
        Detail::Fail(ErrorInternetTimeout);
    } else if (watch->stopped) {
        why = DownloadStoppedText;
        Detail::Fail(ErrorInternetConnectionAborted);
    } else if (watch->securityProblem != 0) {
        why = "the server's certificate was refused (" + std::to_string(watch->securityProblem) + ")";
        Detail::Fail(watch->securityProblem);
    } else if (watch->refusedRedirect) {
        why = StartsWithNoCase(address, "https://")
                  ? "the server redirected the download to an address it may not go to (only https)"
                  : "the server redirected the download away from the web";
        Detail::Fail(ErrorInternetInvalidUrl);
    } else if (watch->status != 0 && (watch->status < 200 || watch->status >= 300)) {
        why = "the server answered with status " + std::to_string(watch->status);
        Detail::Fail(ErrorInternetInternalError);
    } else if (FAILED(result)) {
        why = "URLDownloadToFileW failed with " + Hex(result) + (watch->stopText.empty() ? "" : ": " + watch->stopText);
        Detail::Fail(ErrorFromResult(result));
    } else {
        ok = true;
    }
    watch->Release();
    // The moniker may finish a file whose progress it never reported in full.
    if (ok) {
        WIN32_FILE_ATTRIBUTE_DATA facts{};
        if (::GetFileAttributesExW(partFile.c_str(), GetFileExInfoStandard, &facts) &&
            ((static_cast<UInt64>(facts.nFileSizeHigh) << 32) | facts.nFileSizeLow) > rules.maxBytes) {
            why = "the download is larger than the limit of " + std::to_string(rules.maxBytes) + " bytes";
            Detail::Fail(ErrorInternetInternalError);
            ok = false;
        }
    }
    return ok;
}

// Whether `rules` let a download start at `address`; `why` says what is refused.
bool MayStartAt(const std::string& address, const DownloadRules& rules, std::string& why)
{
    if (StartsWithNoCase(address, "https://"))
        return true;
    if (StartsWithNoCase(address, "http://") && rules.plainHttp)
        return true;
    if (StartsWithNoCase(address, "file:") && rules.localFiles)
        return true;
    why = rules.plainHttp ? (rules.localFiles ? "only http, https and file addresses are downloaded"
                                              : "only http and https addresses are downloaded")
                          : "only https addresses are downloaded";
    return false;
}

}  // namespace

bool DownloadUrlToFile(const GS::UniString& url, const GS::UniString& destination, const DownloadRules& rules,
                       std::string* error)
{
    std::string why;
    bool ok = false;
    Detail::SetLastError(ErrorSuccess);
    try {
        const std::wstring target = Detail::WidePath(destination);
        const std::string address = Platform::Utf8(url);
        if (address.empty() || target.empty()) {
            why = "no address or no destination";
        } else if (!MayStartAt(address, rules, why)) {
            Detail::Fail(ErrorInternetInvalidUrl);
        } else {
            // Fetched beside the destination and moved into place when complete, so a failed download
            // never leaves a partial file under the expected name.
            const std::wstring partFile = target + Detail::Wide(std::string(DownloadPartSuffix));
            ok = Fetch(Detail::EscapeUnsafeUrlBytes(address), partFile, rules, why);
            if (ok && !::MoveFileExW(partFile.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
                why = "cannot move the download to " + Platform::Utf8(destination);
                Detail::FailWithSystemError();
                ok = false;
            }
            if (!ok)
                ::DeleteFileW(partFile.c_str());
        }
    } catch (const std::exception& exception) {
        why = exception.what();
        ok = false;
    } catch (...) {
        why = "unexpected failure";
        ok = false;
    }
    if (!ok && GetLastError() == ErrorSuccess)
        Detail::SetLastError(ErrorInternetInternalError);
    if (ok)
        Detail::SetLastError(ErrorSuccess);
    if (error != nullptr)
        *error = ok ? std::string() : why;
    return ok;
}

}  // namespace Platform
