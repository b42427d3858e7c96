// Tests name attribute indices by their numbers; the interface passes them as API_AttributeIndex.
#pragma once

#include "APIdefs_AttributeIndex.hpp"

#include <ostream>

inline Int32 IndexNumber(const API_AttributeIndex& index) { return index.ToInt32_Deprecated(); }
inline API_AttributeIndex AttributeIndex(Int32 number) { return ACAPI_CreateAttributeIndex(number); }

// What GoogleTest prints for an index in a failed assertion.
inline void PrintTo(const API_AttributeIndex& index, std::ostream* out) { *out << index.ToInt32_Deprecated(); }
