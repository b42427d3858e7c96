// Project settings the add-on reads from the host.
#pragma once

#include "ACAPI_Binding.hpp"
#include "APIdefs_LibraryParts.h"

// The host's special folder `specFolderID` (API_SpecFolderID), made when missing; APIERR_BADPARS for a
// number the host does not know, APIERR_GENERAL when the folder cannot be made.
ACAPI_FUNCTION(ProjectSetting_GetSpecFolder, (API_SpecFolderID* specFolderID, IO::Location* location),
               (specFolderID, location))
