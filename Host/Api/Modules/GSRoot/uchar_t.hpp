// GS::uchar_t, the character of the host's fixed wide text fields, and the C string functions over it.
#pragma once

#include "Definitions.hpp"

#include <cstddef>

namespace GS {

// One character of a wide field, the character type GS::UniString takes and gives as wide text.
using uchar_t = wchar_t;

inline std::size_t ucslen(const uchar_t* str)
{
    std::size_t length = 0;
    while (str[length] != 0)
        ++length;
    return length;
}

inline uchar_t* ucscpy(uchar_t* dst, const uchar_t* src)
{
    std::size_t i = 0;
    for (; src[i] != 0; ++i)
        dst[i] = src[i];
    dst[i] = 0;
    return dst;
}

// As strncpy: at most n characters, the rest of the n filled with zeros; no terminator when src is n long.
inline uchar_t* ucsncpy(uchar_t* dst, const uchar_t* src, std::size_t n)
{
    std::size_t i = 0;
    for (; i < n && src[i] != 0; ++i)
        dst[i] = src[i];
    for (; i < n; ++i)
        dst[i] = 0;
    return dst;
}

}  // namespace GS
