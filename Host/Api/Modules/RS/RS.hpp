// Reading the add-on's own resources (compiled from its .grc files).
#pragma once

#include "UniString.hpp"

// Item `index` (1-based) of the string list resource `resID` of the given resource module.
HOSTLIB_API bool RSGetIndString(GS::UniString* text, Int32 resID, Int32 index, GSResModule resModule);
