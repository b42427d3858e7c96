// The operating system's calls here take UTF-8 paths and texts.
#pragma once

#include "UniString.hpp"

#include <string>

namespace Platform {

inline std::string Utf8(const GS::UniString& text)
{
    const auto bytes = text.ToCStr(CC_UTF8);
    return std::string(bytes.Get(), bytes.GetLength());
}

}  // namespace Platform
