// The host's user folder (special folder 6), where the add-on keeps its downloads and exports.
#pragma once

#include "UniString.hpp"

namespace QRV {

// The folder's path, made when missing; false when the host has none.
bool UserDocumentsFolder(GS::UniString* path);

}  // namespace QRV
