#include "BulkImportState.hpp"

namespace QRV {
namespace {
BulkImportScope scope = BulkImportScope::LibraryOnly;
bool aborted = false;
}  // namespace

BulkImportScope GetBulkImportScope() { return scope; }
void SetBulkImportScope(BulkImportScope newScope) { scope = newScope; }
bool IsBulkImportAborted() { return aborted; }
void SetBulkImportAborted(bool newAborted) { aborted = newAborted; }

}  // namespace QRV
