// The single import entry: one payload text of the catalogue page (or of an opened JSON file) becomes an
// import into the open project. True when every importer succeeded.
#pragma once

#include "UniString.hpp"

namespace QRV {

bool ImportEntry(const GS::UniString& text);

}  // namespace QRV
