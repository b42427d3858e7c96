// Module-wide state of bulk imports: the scope the user chose in the settings dialog and the abort flag
// raised from the host's process window.
#pragma once

namespace QRV {

enum class BulkImportScope { LibraryOnly = 0, LibraryAndModel = 1 };

BulkImportScope GetBulkImportScope();
void SetBulkImportScope(BulkImportScope scope);

bool IsBulkImportAborted();
void SetBulkImportAborted(bool aborted);

}  // namespace QRV
