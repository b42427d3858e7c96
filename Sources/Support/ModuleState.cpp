#include "ModuleState.hpp"

namespace QRV {
namespace {
GS::UniString& LanguageStorage()
{
    static GS::UniString language;
    return language;
}
}  // namespace

const GS::UniString& HostLanguage() { return LanguageStorage(); }
void SetHostLanguage(const GS::UniString& language) { LanguageStorage() = language; }

}  // namespace QRV
