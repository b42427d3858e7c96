// Shared host records: attribute kinds, boxes.
#pragma once

#include "APIdefs_AttributeIndex.hpp"
#include "APIdefs_ErrorCodes.h"
#include "API_Guid.hpp"

namespace GS {
using IntPtr = std::intptr_t;
}

// Lengths of the host's fixed text fields, their terminating zero included.
#define API_NameLen 32
#define API_UniLongNameLen 256
#define API_UAddParStrLen 256
#define API_UAddParDescLen 256

// Attribute kinds, with the host's type codes.
enum API_AttrTypeID : Int32 {
    API_ZombieAttrID = 0,
    API_LayerID = 1,
    API_FilltypeID = 5,
    API_CompWallID = 6,
    API_MaterialID = 7,
    API_BuildingMaterialID = 13,
};


// A box in the model's space, in metres.
struct API_Box3D {
    double xMin;
    double yMin;
    double zMin;
    double xMax;
    double yMax;
    double zMax;
};
