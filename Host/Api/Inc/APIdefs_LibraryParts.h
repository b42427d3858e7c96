// Library part records: a part, its sections, its parameters and its detail parameters.
#pragma once

#include "APIdefs_Base.h"
#include "uchar_t.hpp"

namespace IO { class Location; }

typedef enum {
    API_ZombieLibID = 0,
    APILib_SpecID = 1,
    APILib_WindowID = 2,
    APILib_DoorID = 3,
    APILib_ObjectID = 4,
} API_LibTypeID;

// One library part as the host registers and reports it.
struct API_LibPart {
    API_LibTypeID typeID;
    Int32 index;                              // the part's index in the host's library part list, from 1
    GS::uchar_t docu_UName[API_UniLongNameLen];  // document name
    GS::uchar_t file_UName[API_UniLongNameLen];  // file name
    // The part's file. The caller's own location when registering; a new one from Get and Search, which
    // the caller deletes.
    IO::Location* location;
    char ownUnID[128];                        // the part's own unique identifier
};

// Section types of a library part, the four characters of the section's tag.
#define API_SectParamDef 0x50415244  // 'PARD'

struct API_LibPartSection {
    GSType sectType;
    unsigned short subIdent;
};

// Parameter types, with the host's codes.
typedef enum {
    API_ZombieParT = 0,
    APIParT_Integer,
    APIParT_Length,
    APIParT_Angle,
    APIParT_RealNum,
    APIParT_LightSw,
    APIParT_ColRGB,
    APIParT_Intens,
    APIParT_LineTyp,
    APIParT_Mater,
    APIParT_FillPat,
    APIParT_PenCol,
    APIParT_CString,
    APIParT_Boolean,
    APIParT_Separator,
    APIParT_Title,
} API_AddParID;

// One parameter of a part, as the host lists them (ACAPI_LibraryPart_GetParams) and takes them to build
// the parameter section (ACAPI_LibraryPart_GetSect_ParamDef).
struct API_AddParType {
    API_AddParID typeID;
    short index;
    short typeMod;
    char name[API_NameLen];
    GS::uchar_t uDescname[API_UAddParDescLen];
    unsigned short flags;
    union {
        double real;
        GS::uchar_t uStr[API_UAddParStrLen];
        GSHandle array;
    } value;
};

// Detail parameters of a window or door: expressions, usually a parameter's name.
struct API_LibPartDoorWindowDetails {
    char mirThickExpr[512];   // the frame thickness the opening is mirrored about
    char wallInsetExpr[512];
    char leftFramExpr[512];   // the four oversizes of the opening
    char righFramExpr[512];
    char topFramExpr[512];
    char botFramExpr[512];
};

union API_LibPartDetails {
    API_LibPartDoorWindowDetails wind;
    API_LibPartDoorWindowDetails door;
};
