// The host's environment: the library list, the open project, special folders.
#pragma once

#include "APIdefs.h"
#include "Array.hpp"
#include "UniString.hpp"

// The active libraries. `embeddedLibraryIndex` (may be null) gets the embedded library's index in the
// list, or -1 when the project has none.
GSErrCode ACAPI_LibraryManagement_GetLibraries (GS::Array<API_LibraryInfo>* activeLibs, Int32* embeddedLibraryIndex = nullptr);

// Replaces the list. The embedded library belongs to the project and stays whatever the list says;
// an entry with an empty location is refused (APIERR_BADPARS); repeated locations count once.
GSErrCode ACAPI_LibraryManagement_SetLibraries (const GS::Array<API_LibraryInfo>* activeLibs);

// The open project's information; see API_ProjectInfo for who owns what.
GSErrCode ACAPI_ProjectOperation_Project (API_ProjectInfo* projectInfo);

// The host's special folder `specFolderID` (API_SpecFolderID), made when missing; APIERR_BADPARS for a
// number the host does not know, APIERR_GENERAL when the folder cannot be made.
GSErrCode ACAPI_ProjectSettings_GetSpecFolder (API_SpecFolderID* specFolderID, IO::Location* location);

// Copies the files into a folder that lies in an active library (APIERR_BADPARS otherwise), keeping
// their names. A file already there is replaced when *overwriteIfExists is true, else left as it is; a
// file that cannot be read or written fails the call with APIERR_GENERAL.
GSErrCode ACAPI_LibraryManagement_CopyFilesIntoLibrary (const IO::Location* targetFolderLocationInLibrary, const GS::Array<IO::Location>* filesToCopy, const bool* overwriteIfExists);
