// The alerts of the upload: information alerts with one "OK" button.
#pragma once

#include "UniString.hpp"

namespace QRV {

void ShowUploadAlert(const GS::UniString& largeText, const GS::UniString& smallText);

}  // namespace QRV
