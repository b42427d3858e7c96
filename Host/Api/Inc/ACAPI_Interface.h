// The host's process window, which shows the progress of long work.
#pragma once

#include "APIdefs.h"
#include "Array.hpp"
#include "UniString.hpp"

GSErrCode ACAPI_ProcessWindow_InitProcessWindow (const GS::UniString* title, Int32* nPhase);

GSErrCode ACAPI_ProcessWindow_CloseProcessWindow ();

GSErrCode ACAPI_ProcessWindow_SetNextProcessPhase (const GS::UniString* subtitle, Int32* maxValue);

GSErrCode ACAPI_ProcessWindow_SetProcessValue (Int32* newValue);

// *canceled: whether the user pressed the window's cancel button since the last check.
GSErrCode ACAPI_ProcessWindow_IsProcessCanceled (bool* canceled);
