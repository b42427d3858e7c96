// The project keeps attribute indices as numbers; the interface passes them as API_AttributeIndex.
#pragma once

#include "APIdefs_AttributeIndex.hpp"

namespace Sim {

inline Int32 IndexNumber(const API_AttributeIndex& index) { return index.ToInt32_Deprecated(); }
inline API_AttributeIndex IndexOf(Int32 number) { return ACAPI_CreateAttributeIndex(number); }

}  // namespace Sim
