// Automation: saving the project in another file format.
#pragma once

#include "APIdefs.h"
#include "Array.hpp"
#include "UniString.hpp"

// Saves the open project as an IFC file (fileTypeID APIFType_IfcFile) with the format's parameters.
// APIERR_BADPARS for missing parameters or a file type the host cannot write, APIERR_BADINDEX for a
// translator the host does not have, APIERR_GENERAL when the file cannot be written; a file that was
// there before is then left as it was.
GSErrCode ACAPI_ProjectOperation_Save (const API_FileSavePars* fileSavePars, const API_SavePars_Ifc* formatPars, API_IFCRelationshipData* resultData = nullptr);
