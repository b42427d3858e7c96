// Records of the host's environment: the project, its library list, special folders, classification.
#pragma once

#include "APIdefs_Base.h"
#include "API_Guid.hpp"
#include "APIdefs_Elements.h"
#include "Array.hpp"
#include "GSTime.hpp"
#include "Location.hpp"
#include "Pair.hpp"
#include "UniString.hpp"

// The open project. The host allocates the members it fills with `new`; the record deletes them.
struct API_ProjectInfo {
    bool untitled;                  // never saved: it has no name and no location yet
    bool teamwork;
    short userId;
    IO::Location* location;         // where the project file is; null when untitled
    GS::UniString* projectPath;     // the same as a path; null when untitled
    GS::UniString* projectName;     // always filled; empty when untitled

    API_ProjectInfo() : untitled(false), teamwork(false), userId(0), location(nullptr), projectPath(nullptr), projectName(nullptr) {}
    ~API_ProjectInfo()
    {
        delete location;
        delete projectPath;
        delete projectName;
    }
};

typedef enum {
    API_Undefined,
    API_LocalLibrary,
    API_UrlLibrary,
    API_BuiltInLibrary,
    API_EmbeddedLibrary,
} API_LibraryTypeID;

// One entry of the project's library list: a folder (or a container file) and the name shown for it.
struct API_LibraryInfo {
    IO::Location location;
    GS::UniString name;
    API_LibraryTypeID libraryType;
};

// The host's special folders, as ACAPI_ProjectSettings_GetSpecFolder knows them.
typedef enum {
    API_ApplicationPrefsFolderID = 1,
    API_GraphisoftPrefsFolderID,
    API_GraphisoftHomeFolderID,
    API_CacheFolderID,
    API_DataFolderID,
    API_UserDocumentsFolderID,
    API_TemporaryFolderID,
    API_ApplicationFolderID,
} API_SpecFolderID;

// An element kind as the toolbox offers it.
struct API_ToolBoxItem {
    API_ElemType type;
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
