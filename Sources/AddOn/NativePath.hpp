// File system paths made from the host's texts and back. A path made from narrow bytes is read in the
// system's code page on Windows, so these go through UTF-16, which every platform's path takes whole.
#pragma once

#include "UniString.hpp"

#include <filesystem>

namespace QRV {

std::filesystem::path ToNativePath(const GS::UniString& text);
GS::UniString FromNativePath(const std::filesystem::path& path);

}  // namespace QRV
