// The host's 16-bit Unicode character (UTF-16 code unit) and the C string functions over it.
#pragma once

#include "Definitions.hpp"

#include <cstddef>

namespace GS {

using uchar_t = Utf16Char;

GSROOT_DLL_EXPORT std::size_t ucslen(const uchar_t* str);
GSROOT_DLL_EXPORT uchar_t* ucscpy(uchar_t* dst, const uchar_t* src);
// As strncpy: at most n units, the rest of the n filled with zeros; no terminator when src is n long or more.
GSROOT_DLL_EXPORT uchar_t* ucsncpy(uchar_t* dst, const uchar_t* src, std::size_t n);
GSROOT_DLL_EXPORT int ucscmp(const uchar_t* str1, const uchar_t* str2);

}  // namespace GS
