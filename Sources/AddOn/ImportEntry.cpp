#include "ImportEntry.hpp"

#include "Import/ImportManager.hpp"

namespace QRV {

bool ImportEntry(const GS::UniString& text) { return ImportManager::Import(text); }

}  // namespace QRV
