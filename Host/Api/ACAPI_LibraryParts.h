// Library parts and the project's library list.
#pragma once

#include "ACAPI_Binding.hpp"
#include "APIdefs_LibraryParts.h"
#include "GSRoot/Array.hpp"

// The active libraries. `embeddedLibraryIndex` (may be null) gets the embedded library's index in the
// list, or -1 when the project has none.
ACAPI_FUNCTION(LibraryManagement_GetLibraries, (GS::Array<API_LibraryInfo>* activeLibs, Int32* embeddedLibraryIndex),
               (activeLibs, embeddedLibraryIndex))
// Replaces the list. The embedded library belongs to the project and stays whatever the list says;
// an entry with an empty location is refused (APIERR_BADPARS); repeated locations count once.
ACAPI_FUNCTION(LibraryManagement_SetLibraries, (const GS::Array<API_LibraryInfo>* activeLibs), (activeLibs))

// Registers the file at libPart->location, which must exist and lie in an active library folder, as a
// library part; fills index and ownUnID (and the names when they are empty). A file registered before
// keeps its index and identifier.
ACAPI_FUNCTION(LibraryPart_Register, (API_LibPart* libPart), (libPart))
// Finds a part by ownUnID when it is set, else by docu_UName; fills the record. APIERR_BADNAME when none.
ACAPI_FUNCTION(LibraryPart_Search, (API_LibPart* libPart, bool createIfMissing, bool onlyPlaceable),
               (libPart, createIfMissing, onlyPlaceable))
// By libPart->index.
ACAPI_FUNCTION(LibraryPart_Get, (API_LibPart* libPart), (libPart))

// A section of part `libInd`. For the parameter section (API_SectParamDef) the new handle holds the
// parameters as API_AddParType records; the caller releases it with BMKillHandle. `sectionStr` may be null.
// APIERR_NOLIBSECT for a section the part does not have.
ACAPI_FUNCTION(LibraryPart_GetSection,
               (Int32 libInd, API_LibPartSection* section, GSHandle* sectionHdl, GS::UniString* sectionStr),
               (libInd, section, sectionHdl, sectionStr))
// Replaces a section of part `libInd` with the handle's content. Parameter names must be non-empty and
// differ within the part (APIERR_BADPARS).
ACAPI_FUNCTION(LibraryPart_UpdateSection,
               (Int32 libInd, const API_LibPartSection* section, GSHandle sectionHdl, GS::UniString* sectionStr),
               (libInd, section, sectionHdl, sectionStr))
// Names the parameters that stand for the frame thickness and the oversizes of the part. `addPars` is the
// part's parameter section handle (a whole number of API_AddParType records, else APIERR_BADPARS).
ACAPI_FUNCTION(LibraryPart_SetDetails_ParamDef,
               (const API_LibPart* libPart, GSHandle addPars, const API_LibPartDetails* details),
               (libPart, addPars, details))
// The host's file system copy: copies the file `from` to `to`, replacing a file already there.
ACAPI_FUNCTION(LibraryPart_CopyFile, (const IO::Location* from, const IO::Location* to), (from, to))

