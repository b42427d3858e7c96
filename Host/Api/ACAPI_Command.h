// Undo scopes and the host's process window.
#pragma once

#include "ACAPI_Binding.hpp"
#include "GSRoot/UniString.hpp"

#include <functional>

// Runs `command` as one undoable step named `undoString`; changes to the project are only allowed inside.
ACAPI_FUNCTION(CallUndoableCommand, (const GS::UniString* undoString, const std::function<GSErrCode()>* command),
               (undoString, command))

inline GSErrCode ACAPI_CallUndoableCommand(const GS::UniString& undoString, const std::function<GSErrCode()>& command)
{
    return ACAPI_CallUndoableCommand(&undoString, &command);
}

ACAPI_FUNCTION(ProcessWindow_InitProcessWindow, (const GS::UniString* title, Int32* nPhase), (title, nPhase))
ACAPI_FUNCTION(ProcessWindow_CloseProcessWindow, (), ())
ACAPI_FUNCTION(ProcessWindow_SetNextProcessPhase, (const GS::UniString* subtitle, Int32* maxValue), (subtitle, maxValue))
ACAPI_FUNCTION(ProcessWindow_SetProcessValue, (Int32* newValue), (newValue))
// *canceled: whether the user pressed the window's cancel button since the last check.
ACAPI_FUNCTION(ProcessWindow_IsProcessCanceled, (bool* canceled), (canceled))
