// The simulated host keeps and saves its texts as UTF-8; this is how it takes them out of a GS::UniString.
#pragma once

#include "UniString.hpp"

#include <string>

namespace Sim {

inline std::string Utf8(const GS::UniString& text)
{
    const GS::UniString::CStr bytes = text.ToCStr(CC_UTF8);
    return std::string(bytes.Get(), bytes.GetLength());
}

}  // namespace Sim
