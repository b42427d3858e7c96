// Reading the add-on's own resources (compiled from its .grc files).
#pragma once

#include "Definitions.hpp"
#include "RSExport.hpp"
#include "RSTypes.hpp"

namespace GS {
class UniString;
}

// Item `index` (1-based) of the string list resource `resID`: false, with an empty text, when there is none.
RS_DLL_EXPORT bool RSGetIndString_ParamAdapter(const char* fileName, UInt32 lineCount, GS::UniString* result,
                                               GSResID resID, Int32 index, GSResModule resModule,
                                               ResStringType rsType = RST_Localised);

#define RSGetIndString(...) RSGetIndString_ParamAdapter(__FILE__, __LINE__, __VA_ARGS__)
