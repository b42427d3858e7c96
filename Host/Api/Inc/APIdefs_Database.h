// Windows and databases: the views of the project and their identities.
#pragma once

#include "APIdefs_Base.h"
#include "uchar_t.hpp"

// Window and database kinds, numbered as the host numbers them; the floor plan is the model's own.
typedef enum {
    API_ZombieWindowID,
    APIWind_FloorPlanID,
    APIWind_SectionID,
    APIWind_DetailID,
    APIWind_3DModelID,
    APIWind_LayoutID,
} API_WindowTypeID, API_DatabaseTypeID;

struct API_DatabaseUnId {
    API_Guid elemSetId;
};

inline bool operator==(const API_DatabaseUnId& leftOp, const API_DatabaseUnId& rightOp)
{
    return leftOp.elemSetId == rightOp.elemSetId;
}
inline bool operator!=(const API_DatabaseUnId& leftOp, const API_DatabaseUnId& rightOp) { return !(leftOp == rightOp); }

// Which window or database: the floor plan and the 3D window by kind alone, the others by databaseUnId.
struct API_WindowInfo {
    API_WindowTypeID typeID;
    Int32 index;
    API_DatabaseUnId databaseUnId;
    GS::uchar_t name[API_UniLongNameLen];
};

using API_DatabaseInfo = API_WindowInfo;
