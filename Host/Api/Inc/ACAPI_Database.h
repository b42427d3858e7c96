// The host's databases (the views of the project).
#pragma once

#include "APIdefs.h"
#include "Array.hpp"
#include "UniString.hpp"

GSErrCode ACAPI_Database_GetCurrentDatabase (API_DatabaseInfo* databaseInfo);

GSErrCode ACAPI_Database_ChangeCurrentDatabase (API_DatabaseInfo* databaseInfo);

// The database `databaseInfo->databaseUnId` names (the floor plan and the 3D window by typeID alone).
GSErrCode ACAPI_Window_GetDatabaseInfo (API_DatabaseInfo* databaseInfo, API_DatabaseUnId* databaseId = nullptr);
