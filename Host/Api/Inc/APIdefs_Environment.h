// Records of the host's environment: the project, its library list, special folders, classification.
#pragma once

#include "APIdefs_Base.h"
#include "API_Guid.hpp"
#include "Array.hpp"
#include "GSTime.hpp"
#include "Location.hpp"
#include "Pair.hpp"
#include "UniString.hpp"

// The open project. The host allocates the members it fills with `new`; the caller deletes them.
struct API_ProjectInfo {
    bool untitled = true;                   // never saved: it has no name and no location yet
    bool teamwork = false;
    Int32 userId = 0;
    IO::Location* location = nullptr;       // where the project file is; null when untitled
    GS::UniString* projectPath = nullptr;   // the same as a path; null when untitled
    GS::UniString* projectName = nullptr;   // always filled; empty when untitled
};

// One entry of the project's library list: a folder (or a container file) and the name shown for it.
struct API_LibraryInfo {
    IO::Location location;
    GS::UniString name;
};

// The host's special folders, as ACAPI_ProjectSetting_GetSpecFolder knows them.
enum API_SpecFolderID : Int32 {
    API_UserDocumentsFolderID = 6,
    API_TemporaryFolderID = 7,
    API_ApplicationFilesFolderID = 38,
};

struct API_ClassificationItem {
    API_Guid guid;
    GS::UniString id;           // the user's identifier, unique within the system
    GS::UniString name;
    GS::UniString description;

    API_ClassificationItem() : guid(APINULLGuid) {}
};

struct API_ClassificationSystem {
    API_Guid guid;
    GS::UniString name;
    GS::UniString description;
    GS::UniString source;
    GS::UniString editionVersion;  // with the name, what tells systems apart
    GSDateRecord editionDate;

    API_ClassificationSystem() : guid(APINULLGuid) {}
};
