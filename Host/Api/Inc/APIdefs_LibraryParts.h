// Library part records, the library list, and the parameter section of a part.
#pragma once

#include "APIdefs_Base.h"
#include "UniString.hpp"
#include "Location.hpp"

constexpr int API_UniLongNameLen = 256;  // wide names: at most 255 characters and a terminator
constexpr int API_LibPartPathLen = 1024; // location of the part's file, UTF-8 with a terminator

// One library part as the host registers and reports it. A plain record: callers zero-fill it.
struct API_LibPart {
    Int32 index;                              // the part's index in the host's library part list, from 1
    GS::uchar_t docu_UName[API_UniLongNameLen];   // document name
    GS::uchar_t file_UName[API_UniLongNameLen];   // file name
    char ownUnID[128];                        // the part's own unique identifier
    char location[API_LibPartPathLen];        // path of the part's file
};


// Section types of a library part, the four characters of the section's tag.
constexpr GSType API_SectParamDef = 0x50415244;  // 'PARD': the parameter section

struct API_LibPartSection {
    GSType sectType;
    short subIdent;
};

// Parameter types, with the host's codes (only the ones the add-on writes are named here).
enum API_AddParID : Int32 {
    APIParT_Integer = 1,
    APIParT_Length = 2,
    APIParT_Angle = 3,
    APIParT_RealNum = 4,
    APIParT_CString = 12,
    APIParT_Boolean = 13,
    APIParT_Separator = 14,
    APIParT_Title = 15,
};

constexpr int API_NameLen = 32;           // parameter names: at most 31 bytes and a terminator
constexpr int API_UAddParDescLen = 128;   // descriptions: at most 127 wide characters and a terminator
constexpr int API_UAddParStrLen = 512;    // text values: at most 511 wide characters and a terminator

// One parameter of the parameter section. The section travels as a handle holding an array of these
// records (its size is a whole number of records). A plain record: callers zero-fill it.
struct API_AddParType {
    API_AddParID typeID;
    Int32 flags;
    char name[API_NameLen];
    GS::uchar_t uDescname[API_UAddParDescLen];
    union {
        double real;
        GS::uchar_t uStr[API_UAddParStrLen];
    } value;
};

// Which parameters of an opening or object stand for its frame thickness and its four oversizes.
struct API_LibPartDetails {
    char frameThickParName[API_NameLen];
    char leftOversizeParName[API_NameLen];
    char rightOversizeParName[API_NameLen];
    char upperOversizeParName[API_NameLen];
    char lowerOversizeParName[API_NameLen];
};

