// The host's environment: the library list, the open project, special folders.
#pragma once

#include "APIdefs.h"
#include "Array.hpp"
#include "UniString.hpp"

// The active libraries. `embeddedLibraryIndex` (may be null) gets the embedded library's index in the
// list, or -1 when the project has none.
GSErrCode ACAPI_LibraryManagement_GetLibraries (GS::Array<API_LibraryInfo>* activeLibs, Int32* embeddedLibraryIndex);

// Replaces the list. The embedded library belongs to the project and stays whatever the list says;
// an entry with an empty location is refused (APIERR_BADPARS); repeated locations count once.
GSErrCode ACAPI_LibraryManagement_SetLibraries (const GS::Array<API_LibraryInfo>* activeLibs);

// The open project's information; see API_ProjectInfo for who owns what.
GSErrCode ACAPI_ProjectOperation_Project (API_ProjectInfo* projectInfo);

// The host's special folder `specFolderID` (API_SpecFolderID), made when missing; APIERR_BADPARS for a
// number the host does not know, APIERR_GENERAL when the folder cannot be made.
GSErrCode ACAPI_ProjectSetting_GetSpecFolder (API_SpecFolderID* specFolderID, IO::Location* location);
