// Automation: saving the project in another file format.
#pragma once

#include "APIdefs.h"
#include "Array.hpp"
#include "UniString.hpp"

// Saves the open project as a file of another format. `savePars` points to the format's parameters
// (API_SavePars_Ifc for APIFType_IfcFile). APIERR_BADPARS for missing parameters or a file type the host
// cannot write, APIERR_BADINDEX for a translator the host does not have, APIERR_GENERAL when the file
// cannot be written; a file that was there before is then left as it was.
GSErrCode ACAPI_ProjectOperation_Save (const API_FileSavePars* fileSavePars, const void* savePars);
