// Element records: one member per element kind the add-on reads or changes, with the common header.
#pragma once

#include "APIdefs_Base.h"
#include "Array.hpp"

#include <cstring>

enum API_ModelElemStructureType : Int32 {
    API_BasicStructure = 0,
    API_CompositeStructure = 1,
    API_ProfileStructure = 2,
};

// Geometry kinds of a wall; a polygonal wall's area comes from the host's surface quantity.
enum API_WallTypeID : short {
    APIWtyp_Normal = 1,
    APIWtyp_Trapez = 2,
    APIWtyp_Poly = 5,
};

struct API_WallType {
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex buildingMaterial;
    API_AttributeIndex composite;
    API_AttributeIndex profileAttr;
    double thickness;   // at the start
    double thickness1;  // at the end
    short type;         // API_WallTypeID
    double height;
};

struct API_SlabType {
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex buildingMaterial;
    API_AttributeIndex composite;
    double thickness;
};

struct API_ShellBaseType {
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex buildingMaterial;
    API_AttributeIndex composite;
    double thickness;
};

struct API_RoofType {
    API_ShellBaseType shellBase;
};

struct API_ColumnType {
    API_AttributeIndex buildingMaterial;
    double height;
};

struct API_BeamType {
    API_AttributeIndex buildingMaterial;
    double width;
    double height;
};

struct API_OpeningBaseType {
    Int32 libInd;  // library part index, 0 when none
    double width;
    double height;
};

struct API_WindowType {
    API_OpeningBaseType openingBase;
};

struct API_DoorType {
    API_OpeningBaseType openingBase;
};

struct API_ObjectType {
    Int32 libInd;             // library part index, 0 when the object is not GDL based
    API_ElemTypeID ownerType; // the element that owns the object (curtain-wall frame, stair riser, ...)
    API_Guid owner;
};

struct API_CurtainWallType {
    double height;
};

struct API_StairType {
    double totalHeight;
};

struct API_Element {
    API_Elem_Head header;
    API_WallType wall;
    API_SlabType slab;
    API_RoofType roof;
    API_ColumnType column;
    API_BeamType beam;
    API_WindowType window;
    API_DoorType door;
    API_ObjectType object;
    API_CurtainWallType curtainWall;
    API_StairType stair;
};

// A change mask marks the fields to change: every byte set marks everything.
#define ACAPI_ELEMENT_MASK_CLEAR(mask) std::memset(&(mask), 0, sizeof(API_Element))
#define ACAPI_ELEMENT_MASK_SETFULL(mask) std::memset(&(mask), 0xFF, sizeof(API_Element))

// Element list filters.
using API_ElemFilterFlags = GSFlags;
constexpr API_ElemFilterFlags APIFilt_None = 0x00;
constexpr API_ElemFilterFlags APIFilt_IsEditable = 0x01;
constexpr API_ElemFilterFlags APIFilt_OnVisLayer = 0x02;
constexpr API_ElemFilterFlags APIFilt_OnActFloor = 0x04;
constexpr API_ElemFilterFlags APIFilt_In3D = 0x08;

struct API_IFCAttribute {
    GS::UniString attributeName;
    GS::UniString attributeValue;
};

// Quantities (square metres, cubic metres, metres).
struct API_WallQuantity { double volume; double surface1; double surface2; double length; };
struct API_SlabQuantity { double volume; double topSurface; double bottomSurface; };
struct API_RoofQuantity { double volume; double topSurface; double bottomSurface; };
struct API_WindowQuantity { double width1; double height1; double surface1; double volume; };
struct API_DoorQuantity { double width1; double height1; double surface1; double volume; };
struct API_CurtainWallQuantity { double length; double surface; double contourSurface; };
struct API_StairQuantity { double volume; double area; };

struct API_ElementQuantity {
    API_WallQuantity wall;
    API_SlabQuantity slab;
    API_RoofQuantity roof;
    API_WindowQuantity window;
    API_DoorQuantity door;
    API_CurtainWallQuantity curtainWall;
    API_StairQuantity stair;
};

struct API_QuantityPar {
    double minOpeningSize;
};

// One building-material part of a wall, column or beam.
struct API_CompositeQuantity {
    API_AttributeIndex buildingMaterial;
    double volume;
    double projectedArea;
};

struct API_Box3D {
    double xMin, yMin, zMin, xMax, yMax, zMax;
};

struct API_ElemInfo3D {
    API_Box3D bounds;
};

// Databases (views of the project); the floor plan is the model's own.
enum API_DatabaseTypeID : Int32 {
    APIWind_FloorPlanID = 1,
    APIWind_SectionID = 2,
    APIWind_3DModelID = 7,
    APIWind_LayoutID = 8,
};

// The host's current database when the add-on asks; every element function works on the model, which the
// floor plan and the 3D window show.
struct API_DatabaseInfo {
    API_DatabaseTypeID typeID;
    API_DatabaseUnId databaseUnId;
    char name[256];
};

// User data of attributes and elements: the add-on's own bytes, kept with the item.
#define APIUserDataFlag_FillWith 0x00000004  // elements placed from the default get the default's data
#define APIUserDataFlag_Pickup 0x00000008    // the default takes the data over when the user picks parameters up

struct API_UserData {
    short dataVersion;
    unsigned short platformSign;  // a GS::PlatformSign: the byte order the data was written in
    GSFlags flags;                // APIUserDataFlag_*
    GSHandle dataHdl;
};

using API_ElementUserData = API_UserData;
using API_AttributeUserData = API_UserData;
