// The types by which resources are named: the module that holds them, their type and number.
#pragma once

#include "Definitions.hpp"

typedef GS::IntPtr GSResModule;
typedef UInt32 GSResType;
typedef Int32 GSResID;

enum ResStringType { RST_Localised = 0, RST_Fixed = 1 };

const GSResModule InvalidResModule = -1;
