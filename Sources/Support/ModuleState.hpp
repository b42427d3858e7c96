// Module-wide state that lives from the environment check to unload: the host language code, the
// constants the replies and titles use, and the state of bulk imports that the writers below read.
#pragma once

#include "UniString.hpp"
#include "ResourceIds.hpp"

namespace QRV {

constexpr const char* AddOnVersion = CORVANA_ADDON_VERSION;
constexpr Int16 HostVersion = CORVANA_HOST_VERSION;

// The host's language code, copied during the environment check ("GER" switches German layer names).
const GS::UniString& HostLanguage();
void SetHostLanguage(const GS::UniString& language);

// The scope the user chose in the bulk import's settings dialog.
enum class BulkImportScope { LibraryOnly = 0, LibraryAndModel = 1 };

BulkImportScope GetBulkImportScope();
void SetBulkImportScope(BulkImportScope scope);

// The bulk import's abort flag, raised from the host's process window.
bool IsBulkImportAborted();
void SetBulkImportAborted(bool aborted);

}  // namespace QRV
