// User data of attributes and elements, and the add-on's module data.
#pragma once

#include "APIdefs_Base.h"
#include "GSRoot/Handle.hpp"

struct API_AttributeUserData {
    short dataVersion;
    unsigned short platformSign;
    GSFlags flags;
    GSHandle dataHdl;
};

struct API_ElementUserData {
    Int32 dataVersion;
    unsigned short platformSign;
    GSFlags flags;
    GSHandle dataHdl;
};

struct API_ModulData {
    Int32 dataVersion;
    unsigned short platformSign;
    GSHandle dataHdl;
};

constexpr unsigned short GS_PlatformSign = 0x5757;  // 22359
