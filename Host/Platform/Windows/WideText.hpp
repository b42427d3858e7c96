// Win32 takes texts as UTF-16; GS::UniString hands them out as UTF-8 through its code page conversion.
#pragma once

#include "UniString.hpp"

#include <string>

namespace Platform {
namespace Detail {

std::wstring Wide(const std::string& utf8);
std::wstring Wide(const GS::UniString& text);
// A file path for Win32: forward slashes become backslashes, which every file function accepts (and
// which the long-path forms and the shell require).
std::wstring WidePath(const GS::UniString& path);

std::string Utf8(const wchar_t* text, size_t length);
GS::UniString UniText(const wchar_t* text);

}  // namespace Detail
}  // namespace Platform
