// Attribute records: the kinds of attributes, the common header, building materials and composites with
// their skin and separator-line definitions.
#pragma once

#include "APIdefs_Base.h"
#include "BM.hpp"

namespace GS {
class UniString;
}

// Attribute kinds, numbered as the host numbers them.
typedef enum API_AttrTypeID : int {
    API_ZombieAttrID = 0,

    API_FirstAttributeID,
    API_LayerID = API_FirstAttributeID,
    API_LinetypeID,
    API_FilltypeID,
    API_CompWallID,
    API_MaterialID,
    API_LayerCombID,
    API_ZoneCatID,
    API_ProfileID,
    API_PenTableID,
    API_MEPSystemID,
    API_OperationProfileID,
    API_BuildingMaterialID,
    API_LastAttributeID = API_BuildingMaterialID
} API_AttrTypeID;

// What every attribute has. An attribute is named by its index, or by its name with the index 0. The
// name field holds UTF-8 (at most API_AttrNameLen - 1 bytes); when uniStringNamePtr points to a string,
// the host reads the name from there instead and also answers the name there. Clear the whole header
// before filling it.
struct API_Attr_Head {
    API_AttrTypeID typeID;
    API_AttributeIndex index;
    short flags;                       // composites: the usage bits (1 wall, 2 slab, 4 roof)
    char name[API_AttrNameLen];
    API_Guid guid;
    GS::UniString* uniStringNamePtr;   // null, or the caller's string
};

// Skin roles, in a skin's flagBits.
#define APICWallComp_Core 0x0002
#define APICWallComp_Finish 0x0020

// One skin of a composite.
struct API_CWallComponent {
    API_AttributeIndex buildingMaterial;
    short framePen;
    short flagBits;   // APICWallComp_*
    double fillThick; // metres
};

// One line of a composite: the outer contour, the separators and the inner contour (nComps + 1 of them).
struct API_CWallLineComponent {
    API_AttributeIndex ltypeInd;
    short linePen;    // 0 hides the line
};

struct API_CompWallType {
    API_Attr_Head head;
    double totalThick;
    short nComps;
};

// How a building material's cut fill is laid out.
typedef enum {
    APIFillOrientation_ProjectOrigin = 0,
    APIFillOrientation_ElementOrigin = 1,
    APIFillOrientation_FitToSkin = 2
} API_FillOrientationID;

// The texts are read and written only through non-null pointers to the caller's strings.
struct API_BuildingMaterialType {
    API_Attr_Head head;
    GS::UniString* id;
    GS::UniString* manufacturer;
    GS::UniString* description;
    Int32 connPriority;               // intersection priority, stored form (ACAPI_Element_UI2ElemPriority)
    API_AttributeIndex cutFill;
    short cutFillPen;
    short cutFillBackgroundPen;
    API_AttributeIndex cutMaterial;   // cut surface
    API_FillOrientationID cutFillOrientation;
    double thermalConductivity;
    double density;
    double heatCapacity;
    double embodiedEnergy;
    double embodiedCarbon;
    bool showUncutLines;
};

// No constructor: clear the whole record before filling it, as it goes to the host as it is.
union API_Attribute {
    API_Attr_Head header;
    API_CompWallType compWall;
    API_BuildingMaterialType buildingMaterial;
};

// Dynamic data of an attribute. Handles the caller passes in stay the caller's; handles the host hands out
// are released with ACAPI_DisposeAttrDefsHdls.
struct API_AttributeDef {
    API_CWallComponent** cwall_compItems;
};

// The same with the separator lines of composites; released with ACAPI_DisposeAttrDefsHdlsExt.
struct API_AttributeDefExt {
    API_CWallComponent** cwall_compItems;
    API_CWallLineComponent** cwall_compLItems;
};
