// The host's databases (the views of the project).
#pragma once

#include "APIdefs.h"
#include "Array.hpp"
#include "UniString.hpp"

GSErrCode ACAPI_Database_GetCurrentDatabase (API_DatabaseInfo* info);

GSErrCode ACAPI_Database_ChangeCurrentDatabase (API_DatabaseInfo* info);

GSErrCode ACAPI_Database_GetDatabaseInfo (API_DatabaseInfo* info);
