// The simulated host keeps and saves its texts as UTF-8; this is how its texts go into and out of a
// GS::UniString, naming the code page (the class library's default is the system's, not UTF-8).
#pragma once

#include "UniString.hpp"

#include <string>

namespace Sim {

inline std::string Utf8(const GS::UniString& text)
{
    const auto bytes = text.ToCStr(CC_UTF8);
    return std::string(bytes.Get(), bytes.GetLength());
}

inline GS::UniString Uni(const std::string& text)
{
    return GS::UniString(text.data(), static_cast<USize>(text.size()), CC_UTF8);
}

}  // namespace Sim
