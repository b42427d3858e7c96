// Element records: the element kinds, the header, one member per element kind the add-on reads or changes,
// element filters, quantities and 3D information.
#pragma once

#include "APIdefs_Base.h"
#include "Array.hpp"
#include "UniString.hpp"

#include <cstring>

// Element kinds, with the host's type codes.
typedef enum {
    API_ZombieElemID = 0,
    API_WallID = 1,
    API_ColumnID = 2,
    API_BeamID = 3,
    API_WindowID = 4,
    API_DoorID = 5,
    API_ObjectID = 6,
    API_SlabID = 8,
    API_RoofID = 9,
    API_CurtainWallID = 37,
    API_CurtainWallSegmentID = 38,
    API_CurtainWallFrameID = 39,
    API_CurtainWallPanelID = 40,
    API_StairID = 47,
    API_RiserID = 48,
    API_TreadID = 49,
    API_StairStructureID = 50,
    API_ExternalElemID = 150,
} API_ElemTypeID;

typedef enum {
    APIVarId_Generic = 0,
} API_ElemVariationID;

// An element kind: the type code, and for external elements the class.
struct API_ElemType {
    API_ElemTypeID typeID;
    API_ElemVariationID variationID;
    API_Guid classID;

    API_ElemType() = default;
    API_ElemType(API_ElemTypeID newTypeID) : typeID(newTypeID), variationID(APIVarId_Generic), classID(APINULLGuid) {}
    API_ElemType(API_ElemTypeID newTypeID, API_ElemVariationID newVariationID)
        : typeID(newTypeID), variationID(newVariationID), classID(APINULLGuid)
    {}

    API_ElemType& operator=(const API_ElemType&) = default;
    API_ElemType& operator=(API_ElemTypeID newTypeID)
    {
        typeID = newTypeID;
        variationID = APIVarId_Generic;
        classID = APINULLGuid;
        return *this;
    }

    bool operator==(const API_ElemType& other) const
    {
        return typeID == other.typeID && variationID == other.variationID && classID == other.classID;
    }
    bool operator!=(const API_ElemType& other) const { return !operator==(other); }
    bool operator==(API_ElemTypeID otherTypeID) const { return typeID == otherTypeID; }
    bool operator!=(API_ElemTypeID otherTypeID) const { return !operator==(otherTypeID); }
};

struct API_Elem_Head {
    API_ElemType type;
    API_Guid guid;
};

// Every element kind's record starts with the header, so that API_Element::header reads any of them.

typedef enum {
    API_BasicStructure,
    API_CompositeStructure,
    API_ProfileStructure,
} API_ModelElemStructureType;

// Geometry kinds of a wall; a polygonal wall's area comes from the host's surface quantity.
typedef enum {
    APIWtyp_Normal,
    APIWtyp_Trapez,
    APIWtyp_Poly,
} API_WallTypeID;

struct API_WallType {
    API_Elem_Head head;
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex buildingMaterial;
    API_AttributeIndex composite;
    API_AttributeIndex profileAttr;
    API_WallTypeID type;
    double height;
    double thickness;   // at the start
    double thickness1;  // at the end
};

struct API_ColumnType {
    API_Elem_Head head;
    double height;
};

struct API_SlabType {
    API_Elem_Head head;
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex buildingMaterial;
    API_AttributeIndex composite;
    double thickness;
};

// The part roofs and shells share.
struct API_ShellBaseType {
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex buildingMaterial;
    API_AttributeIndex composite;
    double thickness;
};

struct API_RoofType {
    API_Elem_Head head;
    API_ShellBaseType shellBase;
};

// The part windows and doors share.
struct API_OpeningBaseType {
    double width;
    double height;
    Int32 libInd;  // library part index, 0 when none
};

struct API_WindowType {
    API_Elem_Head head;
    API_OpeningBaseType openingBase;
    API_Guid owner;  // the wall the opening sits in
};

using API_DoorType = API_WindowType;

struct API_ObjectType {
    API_Elem_Head head;
    API_ElemType ownerType;  // the element that owns the object (curtain-wall frame, stair riser, ...)
    API_Guid owner;
    Int32 libInd;            // library part index, 0 when the object is not GDL based
};

struct API_CurtainWallType {
    API_Elem_Head head;
    double height;
};

struct API_StairType {
    API_Elem_Head head;
    double totalHeight;
};

union API_Element {
    API_Elem_Head header;
    API_WallType wall;
    API_ColumnType column;
    API_WindowType window;
    API_DoorType door;
    API_ObjectType object;
    API_SlabType slab;
    API_RoofType roof;
    API_CurtainWallType curtainWall;
    API_StairType stair;
};

// Memo data of an element (polygons, parameters, ...); the add-on passes none.
struct API_ElementMemo;

// A change mask marks the fields to change: any byte of a field set marks it.
#define ACAPI_ELEMENT_MASK_CLEAR(rec) std::memset(&(rec), 0, sizeof(API_Element))
#define ACAPI_ELEMENT_MASK_SETFULL(rec) std::memset(&(rec), 0xFF, sizeof(API_Element))
#define ACAPI_ELEMENT_MASK_SET(rec, typ, varnam) *((char*)&((typ*)&(rec))->varnam) = -1
#define ACAPI_ELEMENT_MASK_CHECK(rec, typ, varnam) (*((char*)&((typ*)&(rec))->varnam) != 0)

// Element list filters.
#define APIFilt_None 0x00000000
#define APIFilt_IsEditable 0x00000001
#define APIFilt_OnVisLayer 0x00000002
#define APIFilt_OnActFloor 0x00000004
#define APIFilt_In3D 0x00000008
typedef GSFlags API_ElemFilterFlags;

struct API_IFCAttribute {
    GS::UniString attributeName;
    GS::UniString attributeValue;
};

// Quantities of one element, in square metres, cubic metres and metres, field for field as the host
// declares them (fillers included, so that the records keep their size).
struct API_WallQuantity {
    double volume;
    double volume_cond;
    double volumeASkin;
    double volumeBSkin;
    double volumeASkin_cond;
    double volumeBSkin_cond;
    double surface1;
    double surface2;
    double surface3;
    double surface1_cond;
    double surface2_cond;
    double length;
    double windowsSurf;
    double doorsSurf;
    double emptyholesSurf;
    double filler_0;
    Int32 columnsNumber;
    Int32 filler_1;
    double windowsWidth;
    double doorsWidth;
    double minHeight;
    double maxHeight;
    double minHeightASkin;
    double maxHeightASkin;
    double minHeightBSkin;
    double maxHeightBSkin;
    double centerLength;
    double area;
    double perimeter;
    double grossVolume;
    double grossSurf1;
    double grossSurf2;
    double emptyHolesVolume;
    double emptyHolesSurf1;
    double emptyHolesSurf2;
    double length12;
    double length34;
    double length12_cond;
    double length34_cond;
    double insuThickness;
    double airThickness;
    double skinAThickness;
    double skinBThickness;
    double refLineLength;
};

struct API_ColumnQuantity {
    double coreSurface;
    double veneSurface;
    double coreVolume;
    double veneVolume;
    double minHeight;
    double maxHeight;
    double perimeter;
    double area;
    double coreGrossSurf;
    double veneGrossSurf;
    double crossSectionAreaCutBegin;
    double crossSectionAreaCutEnd;
    double coreGrossVolume;
    double veneGrossVolume;
    double coreTopSurf;
    double coreBotSurf;
    double veneTopSurf;
    double veneBotSurf;
    double coreGrossTopBotSurf;
    double veneGrossTopBotSurf;
    double filler_1[2];
};

struct API_BeamQuantity {
    double area;
    double rightLength;
    double leftLength;
    double bottomSurface;
    double topSurface;
    double edgeSurfaceLeft;
    double edgeSurfaceRight;
    double edgeSurface;
    double holesSurface;
    double holesEdgeSurface;
    Int32 holesNumber;
    Int32 filler_1;
    double crossSectionAreaCutBegin;
    double crossSectionAreaCutEnd;
    double volume;
    double volume_cond;
    double holesVolume;
    double filler_2[6];
};

struct API_WindowQuantity {
    double width1;
    double width2;
    double height1;
    double height2;
    double surface1;
    double surface2;
    double nWidth1;
    double nWidth2;
    double nHeight1;
    double nHeight2;
    double nSurface1;
    double nSurface2;
    double volume;
    double grossSurf;
    double grossVolume;
    double surface;
    double sillHeight;
    double sillHeight1;
    double sillHeight2;
    double headHeight;
    double headHeight1;
    double headHeight2;
    double sillHeight3;
    double headHeight3;
    double filler_1[7];
};

using API_DoorQuantity = API_WindowQuantity;

struct API_ObjectQuantity {
    double surface;
    double volume;
    double filler_1[8];
};

struct API_SlabQuantity {
    double bottomSurface;
    double topSurface;
    double edgeSurface;
    double bottomSurface_cond;
    double topSurface_cond;
    double volume;
    double volume_cond;
    double perimeter;
    double holesSurf;
    double holesPrm;
    double grossBotSurf;
    double grossTopSurf;
    double grossEdgeSurf;
    double grossVolume;
    double grossBotSurfWithHoles;
    double grossTopSurfWithHoles;
    double grossEdgeSurfWithHoles;
    double grossVolumeWithHoles;
    double filler_1[1];
};

struct API_RoofQuantity {
    double bottomSurface;
    double topSurface;
    double edgeSurface;
    double bottomSurface_cond;
    double topSurface_cond;
    double volume;
    double volume_cond;
    double perimeter;
    double holesSurf;
    double holesPrm;
    double grossBotSurf;
    double grossTopSurf;
    double grossEdgeSurf;
    double contourArea;
    double grossVolume;
    double insuThickness;
    double ridgesLength;
    double valleysLength;
    double gablesLength;
    double hipsLength;
    double eavesLength;
    double peaksLength;
    double sideWallConLength;
    double endWallConLength;
    double domeConLength;
    double hollowConLength;
    double openingSurf;
    Int32 numOfHoles;
    Int32 numOfSkylight;
    Int32 filler_1;
    Int32 filler_2;
};

struct API_CurtainWallQuantity {
    double framesLength;
    double contourFramesLength;
    double mainaxisFramesLength;
    double secaxisFramesLength;
    double customFramesLength;
    double panelsSurface;
    double panelsSurfaceN;
    double panelsSurfaceS;
    double panelsSurfaceE;
    double panelsSurfaceW;
    double panelsSurfaceNE;
    double panelsSurfaceNW;
    double panelsSurfaceSE;
    double panelsSurfaceSW;
    double contourSurface;
    double boundarySurface;
    double length;
    double height;
    double slantAngle;
    UInt32 numOfPanels;
    UInt32 filler_1;
    double filler_2[6];
};

typedef struct {
    double area;
    double volume;
    double height;
    double walklineLength;
    double gradient;
    Int32 numOfRisers;
    Int32 numOfTreads;
} API_StairQuantity;

union API_ElementQuantity {
    API_WallQuantity wall;
    API_ColumnQuantity column;
    API_BeamQuantity beam;
    API_DoorQuantity door;
    API_WindowQuantity window;
    API_ObjectQuantity symb;
    API_SlabQuantity slab;
    API_RoofQuantity roof;
    API_CurtainWallQuantity cw;
    API_StairQuantity stair;
};

struct API_QuantityPar {
    double minOpeningSize;  // openings smaller than this (square metres) do not reduce a wall
};

// One building-material part of a wall, column or beam.
struct API_CompositeQuantity {
    double volumes;
    double projectedArea;
    API_AttributeIndex buildMatIndices;
    short flags;
};

// Where the host writes the quantities: the caller points the members at records of its own.
class API_Quantities {
public:
    API_ElementQuantity* elements;
    GS::Array<API_CompositeQuantity>* composites;

    API_Quantities() : elements(nullptr), composites(nullptr) {}
};

// The quantities the caller asks for: any byte of a field set marks it.
struct API_ElementQuantityMask {
    API_WallQuantity wall;
    API_ColumnQuantity column;
    API_BeamQuantity beam;
    API_DoorQuantity door;
    API_WindowQuantity window;
    API_ObjectQuantity symb;
    API_SlabQuantity slab;
    API_RoofQuantity roof;
    API_CurtainWallQuantity cw;
    API_StairQuantity stair;
};

typedef API_CompositeQuantity API_CompositeQuantityMask;

class API_QuantitiesMask {
public:
    API_ElementQuantityMask elements;
    API_CompositeQuantityMask composites;

    API_QuantitiesMask()
    {
        std::memset(&elements, 0, sizeof(elements));
        std::memset(&composites, 0, sizeof(composites));
    }
};

inline void ACAPI_ELEMENT_QUANTITIES_MASK_CLEAR(API_QuantitiesMask& mask)
{
    std::memset(&mask.elements, 0, sizeof(mask.elements));
    std::memset(&mask.composites, 0, sizeof(mask.composites));
}
inline void ACAPI_ELEMENT_QUANTITIES_MASK_SETFULL(API_QuantitiesMask& mask)
{
    std::memset(&mask.elements, 0xFF, sizeof(mask.elements));
    std::memset(&mask.composites, 0xFF, sizeof(mask.composites));
}
inline void ACAPI_ELEMENT_QUANTITY_MASK_CLEAR(API_QuantitiesMask& mask)
{
    std::memset(&mask.elements, 0, sizeof(mask.elements));
}
inline void ACAPI_ELEMENT_QUANTITY_MASK_SETFULL(API_QuantitiesMask& mask)
{
    std::memset(&mask.elements, 0xFF, sizeof(mask.elements));
}
inline void ACAPI_ELEMENT_COMPOSITES_QUANTITY_MASK_CLEAR(API_QuantitiesMask& mask)
{
    std::memset(&mask.composites, 0, sizeof(mask.composites));
}
inline void ACAPI_ELEMENT_COMPOSITES_QUANTITY_MASK_SETFULL(API_QuantitiesMask& mask)
{
    std::memset(&mask.composites, 0xFF, sizeof(mask.composites));
}
#define ACAPI_ELEMENT_QUANTITY_MASK_SET(rec, typ, varnam) *((char*)&((rec).elements.typ.varnam)) = -1
#define ACAPI_ELEMENT_QUANTITY_MASK_CHECK(rec, typ, varnam) (*((char*)&((rec).elements.typ.varnam)) != 0)
#define ACAPI_ELEMENT_COMPOSITES_QUANTITY_MASK_SET(rec, varnam) *((char*)&((rec).composites.varnam)) = -1
#define ACAPI_ELEMENT_COMPOSITES_QUANTITY_MASK_CHECK(rec, varnam) (*((char*)&((rec).composites.varnam)) != 0)

// Where the element's 3D model lies.
struct API_ElemInfo3D {
    API_Box3D bounds;
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
