// Shared host records: element and attribute kinds, element header, notification records.
#pragma once

#include "APIdefs_AttributeIndex.hpp"
#include "APIdefs_ErrorCodes.h"
#include "API_Guid.hpp"

// Element kinds, with the host's type codes.
enum API_ElemTypeID : Int32 {
    API_ZombieElemID = 0,
    API_WallID = 1,
    API_ColumnID = 2,
    API_BeamID = 3,
    API_WindowID = 4,
    API_DoorID = 5,
    API_SlabID = 8,
    API_RoofID = 9,
    API_ObjectID = 10,
    API_CurtainWallID = 37,
    API_CurtainWallSegmentID = 38,
    API_CurtainWallFrameID = 39,
    API_CurtainWallPanelID = 40,
    API_StairID = 47,
    API_RiserID = 48,
    API_TreadID = 49,
    API_StairStructureID = 50,
};

// Host records are plain data: value-initialise them ({}) for a zeroed record.
struct API_ElemType {
    API_ElemTypeID typeID;
    Int32 variationID;
};

struct API_Elem_Head {
    API_ElemType type;
    API_Guid guid;
    Int32 layer;
    Int32 floorInd;
};

// The longest attribute name a header holds, its terminating zero included.
#define API_AttrNameLen 256

// Database identity, as carried by the begin/end notifications.
struct API_DatabaseUnId {
    API_Guid elemSetId;
};
