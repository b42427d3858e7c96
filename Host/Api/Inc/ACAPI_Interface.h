// The host's process window, which shows the progress of long work.
#pragma once

#include "APIdefs.h"
#include "Array.hpp"
#include "UniString.hpp"

GSErrCode ACAPI_ProcessWindow_InitProcessWindow (const GS::UniString* title = nullptr, Int32* nPhase = nullptr, API_ProcessControlTypeID* processCntrolType = nullptr);

GSErrCode ACAPI_ProcessWindow_CloseProcessWindow ();

GSErrCode ACAPI_ProcessWindow_SetNextProcessPhase (const GS::UniString* subtitle, Int32* maxval, bool* showPercent = nullptr);

GSErrCode ACAPI_ProcessWindow_SetProcessValue (Int32* newval);

// APIERR_CANCEL when the user pressed the window's cancel button since the last check.
GSErrCode ACAPI_ProcessWindow_IsProcessCanceled ();
