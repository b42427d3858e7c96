#include "Win32.hpp"

#include "WideText.hpp"

#include "PlatformText.hpp"

#include <climits>
#include <cwchar>

namespace Platform {
namespace Detail {

std::wstring Wide(const std::string& utf8)
{
    if (utf8.empty() || utf8.size() > static_cast<size_t>(INT_MAX))
        return std::wstring();
    const int length = static_cast<int>(utf8.size());
    const int needed = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (needed <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), needed);
    return wide;
}

std::wstring Wide(const GS::UniString& text) { return Wide(Platform::Utf8(text)); }

std::wstring WidePath(const GS::UniString& path)
{
    std::wstring wide = Wide(path);
    for (wchar_t& c : wide)
        if (c == L'/')
            c = L'\\';
    return wide;
}

std::string Utf8(const wchar_t* text, size_t length)
{
    if (text == nullptr || length == 0 || length > static_cast<size_t>(INT_MAX))
        return std::string();
    const int count = static_cast<int>(length);
    const int needed = ::WideCharToMultiByte(CP_UTF8, 0, text, count, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return std::string();
    std::string utf8(static_cast<size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, count, utf8.data(), needed, nullptr, nullptr);
    return utf8;
}

GS::UniString UniText(const wchar_t* text)
{
    const std::string utf8 = Utf8(text, text != nullptr ? std::wcslen(text) : 0);
    return GS::UniString(utf8.c_str(), CC_UTF8);
}

}  // namespace Detail
}  // namespace Platform
