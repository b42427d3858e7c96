#pragma once

#include "ACAPinc.h"

namespace QRV {

// One handler for both menus: toggles the browser palette (32200) or the calculation palette (32300).
GSErrCode MenuCommandHandler(const API_MenuParams* menuParams);

}  // namespace QRV
