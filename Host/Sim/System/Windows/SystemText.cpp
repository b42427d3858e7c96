#include "SystemText.hpp"

#include "WideText.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace Sim::System::Detail {
namespace {

// As the C run-time maps the codes that file operations give.
int ErrnoOf(DWORD code)
{
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
        case ERROR_CURRENT_DIRECTORY:
        case ERROR_NETWORK_ACCESS_DENIED:
            return EACCES;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        case ERROR_DIR_NOT_EMPTY:
            return ENOTEMPTY;
        default:
            return 0;
    }
}

}  // namespace

// The platform layer's conversions, which the host's library holds too.
std::wstring Wide(const std::string& utf8) { return Platform::Detail::Wide(utf8); }

std::string Utf8(const std::wstring& wide) { return Platform::Detail::Utf8(wide.data(), wide.size()); }

std::wstring WidePath(const std::string& utf8)
{
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(std::filesystem::path(Wide(utf8)), error);
    if (error)
        path = std::filesystem::path(Wide(utf8));
    return path.make_preferred().wstring();
}

std::string ErrorText(DWORD code)
{
    if (const int number = ErrnoOf(code); number != 0)
        return std::strerror(number);
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length > 0 && text != nullptr ? std::wstring(text, length) : std::wstring();
    if (text != nullptr)
        ::LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ' ||
                                message.back() == L'.'))
        message.pop_back();
    return message.empty() ? "system error " + std::to_string(code) : Utf8(message);
}

}  // namespace Sim::System::Detail
