// The host's alert, reached without the dialog library: shows an information alert with one button and
// answers the button pressed (1). Stands in for the dialog library's alert where that is not at hand.
#pragma once

#include "GSRoot/UniString.hpp"

namespace Platform {

HOSTLIB_API short ShowInformationAlert(const GS::UniString& largeText, const GS::UniString& smallText,
                                       const GS::UniString& button);

}  // namespace Platform
