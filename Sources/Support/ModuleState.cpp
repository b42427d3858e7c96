#include "ModuleState.hpp"

namespace QRV {
namespace {
GS::UniString& LanguageStorage()
{
    static GS::UniString language;
    return language;
}
BulkImportScope scope = BulkImportScope::LibraryOnly;
bool aborted = false;
}  // namespace

const GS::UniString& HostLanguage() { return LanguageStorage(); }
void SetHostLanguage(const GS::UniString& language) { LanguageStorage() = language; }

BulkImportScope GetBulkImportScope() { return scope; }
void SetBulkImportScope(BulkImportScope newScope) { scope = newScope; }
bool IsBulkImportAborted() { return aborted; }
void SetBulkImportAborted(bool newAborted) { aborted = newAborted; }

}  // namespace QRV
