// Texts between the simulated host (UTF-8) and Win32 (UTF-16), and Win32's error codes as the C
// library's texts, so that a failure reads the same as on Linux.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace Sim::System::Detail {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
// A UTF-8 path as Win32 takes it: absolute, with the system's separators.
std::wstring WidePath(const std::string& utf8);
// The C library's text for the errno value that Win32's `code` stands for; the system's own text where
// the C library has none.
std::string ErrorText(DWORD code);

}  // namespace Sim::System::Detail
