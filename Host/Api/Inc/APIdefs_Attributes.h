// Attribute records: the common header, building materials and composites with their skin and
// separator-line definitions.
#pragma once

#include "APIdefs_Base.h"
#include "BM.hpp"

#include <cstring>

constexpr int API_AttrNameLen = 256;  // the header's narrow name: at most 255 bytes and a terminator

struct API_Attr_Head {
    API_AttrTypeID typeID;
    API_AttributeIndex index;
    GSFlags flags;                    // composites: the usage bits (1 wall, 2 slab, 4 roof)
    char name[API_AttrNameLen];
    API_Guid guid;
};

struct API_BuildingMaterialType {
    API_Attr_Head head;
    GS::UniString* id;                // left empty by the add-on
    GS::UniString* manufacturer;
    GS::UniString* description;
    Int32 connPriority;               // intersection priority, stored form
    API_AttributeIndex cutFill;
    short cutFillPen;
    short cutFillBackgroundPen;
    API_AttributeIndex cutMaterial;   // cut surface
    Int32 cutFillOrientation;
    double thermalConductivity;
    double density;
    double heatCapacity;
    double embodiedEnergy;
    double embodiedCarbon;
    bool showUncutLines;              // the boolean setting that follows the physical values
};

struct API_CompWallType {
    API_Attr_Head head;
    double totalThick;
    short nComps;
    short reserved;
};

union API_Attribute {
    // Zero-filled, as every record handed to the host is prepared (the GUID's initialisers would otherwise
    // leave the union without a default constructor).
    API_Attribute() : header() { std::memset(static_cast<void*>(this), 0, sizeof *this); }

    API_Attr_Head header;
    API_BuildingMaterialType buildingMaterial;
    API_CompWallType compWall;
};

// One skin of a composite (16 bytes).
struct API_CWallComponent {
    API_AttributeIndex buildingMaterial;
    short framePen;
    short flagBits;                   // 2 core, 32 finish
    double fillThick;
};
static_assert(sizeof(API_CWallComponent) == 16, "a skin entry is 16 bytes");

// One separator line of a composite (36 bytes): nComps + 1 of them.
struct API_CWallLineComponent {
    Int32 ltypInd;
    short linePen;
    short flags;
    char reserved[28];
};
static_assert(sizeof(API_CWallLineComponent) == 36, "a separator line entry is 36 bytes");

constexpr short APICWCFlag_Core = 0x0002;
constexpr short APICWCFlag_Finish = 0x0020;

// Definitions that travel with an attribute; handles are allocated by the caller for writes and released
// with ACAPI_DisposeAttrDefsHdls after reads.
struct API_AttributeDef {
    API_CWallComponent** cwall_compItems;
    API_CWallLineComponent** cwall_compLItems;
};
