// Module-wide state that lives from the environment check to unload: the host language code and the
// constants the replies and titles use.
#pragma once

#include "UniString.hpp"
#include "ResourceIds.hpp"

namespace QRV {

constexpr const char* AddOnVersion = CORVANA_ADDON_VERSION;
constexpr Int16 HostVersion = CORVANA_HOST_VERSION;

// The host's language code, copied during the environment check ("GER" switches German layer names).
const GS::UniString& HostLanguage();
void SetHostLanguage(const GS::UniString& language);

}  // namespace QRV
