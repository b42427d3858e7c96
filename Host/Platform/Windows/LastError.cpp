#include "Win32.hpp"

#include "LastError.hpp"

#include "ErrorTexts.hpp"
#include "Platform/Network.hpp"
#include "WideText.hpp"

namespace Platform {
namespace Detail {
namespace {

thread_local UInt32 lastError = ErrorSuccess;

}  // namespace

void SetLastError(UInt32 code)
{
    lastError = code;
    ::SetLastError(code);
}

bool FailWithSystemError()
{
    const DWORD code = ::GetLastError();
    return Fail(code != ERROR_SUCCESS ? code : ErrorInternetInternalError);
}

bool Fail(UInt32 code)
{
    SetLastError(code);
    return false;
}

bool Succeed()
{
    SetLastError(ErrorSuccess);
    return true;
}

}  // namespace Detail

UInt32 GetLastError() { return Detail::lastError; }

std::string FormatErrorMessage(UInt32 code)
{
    if (code == ErrorSuccess)
        return std::string();
    // The internet codes live in WinINet's own message table, the others in the system's.
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                        FORMAT_MESSAGE_FROM_HMODULE;
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(flags, ::GetModuleHandleW(L"wininet.dll"), code,
                                          MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                          reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message;
    if (length > 0 && text != nullptr)
        message = Detail::Utf8(text, length);
    if (text != nullptr)
        ::LocalFree(text);
    // The system's texts end with a line break, which would show as an empty line under an alert's text.
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message.empty() ? Detail::StandardErrorText(code) : message;
}

}  // namespace Platform
