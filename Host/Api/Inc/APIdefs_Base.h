// Shared host records: attribute kinds, boxes.
#pragma once

#include "APIdefs_AttributeIndex.hpp"
#include "APIdefs_ErrorCodes.h"
#include "API_Guid.hpp"

// Lengths of the host's fixed text fields, their terminating zero included.
#define API_NameLen 32
#define API_UniLongNameLen 256
#define API_UAddParStrLen 256
#define API_UAddParDescLen 256

// The longest attribute name a header holds, its terminating zero included.
#define API_AttrNameLen 256

// A box in the model's space, in metres.
struct API_Box3D {
    double xMin;
    double yMin;
    double zMin;
    double xMax;
    double yMax;
    double zMax;
};
