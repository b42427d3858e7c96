// Records of add-on registration: the environment check and menu placement.
#pragma once

#include "APIdefs_Base.h"
#include "UniString.hpp"

// What the environment check answers.
typedef enum {
    APIAddon_DontRegister = 0,
    APIAddon_Normal = 1,
    APIAddon_Preload = 2,  // loaded at start-up and kept resident
    APIAddon_Unknown = 9999,
} API_AddonType;

typedef enum {
    APIAppl_ArchiCADID = 1,
} API_ApplicationTypeID;

// The host that loads the add-on.
struct API_ServerApplicationInfo {
    API_ServerApplicationInfo()
        : serverApplication(APIAppl_ArchiCADID), mainVersion(0), releaseVersion(0), buildNum(0), language()
    {}

    API_ApplicationTypeID serverApplication;
    UInt16 mainVersion;
    Int16 releaseVersion;
    Int32 buildNum;
    GS::UniString language;  // the host's language code, e.g. "INT" or "GER"
};

struct API_AddOnInfo {
    API_AddOnInfo() : name(), description() {}

    GS::UniString name;
    GS::UniString description;
};

struct API_EnvirParams {
    API_ServerApplicationInfo serverInfo;
    API_AddOnInfo addOnInfo;
};

// Where a menu goes.
typedef enum {
    MenuCode_UserDef = 0,  // where the user puts it
} APIMenuCodeID;

// What a registered file type can be used for, as bits of an API_IOMethod.
#define Open2DSupported 0x0001
#define Merge2DSupported 0x0002
#define SaveAs2DSupported 0x0008

typedef short API_IOMethod;
