// File system paths made from the host's texts and back. A path made from narrow bytes is read in the
// system's code page on Windows, so these go through UTF-16, which every platform's path takes whole.
#pragma once

#include "UniString.hpp"

#include <filesystem>

namespace QRV {

std::filesystem::path ToNativePath(const GS::UniString& text);
GS::UniString FromNativePath(const std::filesystem::path& path);
// `folder` and `name` joined as the system writes a path, for programs that take it as one text (the
// updater's argument): on Windows every "/" becomes a backslash.
GS::UniString JoinNativePath(const GS::UniString& folder, const GS::UniString& name);

}  // namespace QRV
