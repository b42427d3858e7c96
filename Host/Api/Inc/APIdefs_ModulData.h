// The add-on's module data: named entries of bytes that the project keeps for the add-on.
#pragma once

#include "APIdefs_Base.h"
#include "BM.hpp"

struct API_ModulData {
    Int32 dataVersion;
    unsigned short platformSign;
    GSHandle dataHdl;
};

constexpr unsigned short GS_PlatformSign = 0x5757;  // 22359
