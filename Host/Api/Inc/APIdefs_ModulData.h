// The add-on's module data: named entries of bytes that the project keeps for the add-on.
#pragma once

#include "APIdefs_Base.h"
#include "BM.hpp"

struct API_ModulData {
    Int32 dataVersion;
    unsigned short platformSign;  // a GS::PlatformSign: the byte order the data was written in
    GSHandle dataHdl;
};
