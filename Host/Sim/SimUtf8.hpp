// The simulated host keeps and saves its texts as UTF-8; this is how its texts go into and out of a
// GS::UniString, naming the code page (the class library's default is the system's, not UTF-8).
#pragma once

#include "UniString.hpp"

#include <filesystem>
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

// A path from its UTF-8 text and back, on every system: a narrow path text is read in the ANSI code page
// on Windows, where a name outside it loses its characters.
inline std::filesystem::path PathFromUtf8(const std::string& text) { return std::filesystem::u8path(text); }
inline std::string PathUtf8(const std::filesystem::path& path) { return path.u8string(); }
// With "/" between the parts on every system, for what the project file keeps.
inline std::string GenericPathUtf8(const std::filesystem::path& path) { return path.generic_u8string(); }

}  // namespace Sim
