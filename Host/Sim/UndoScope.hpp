// Where the project may be changed. The host opens an undo step around an add-on's undoable command; while
// it delivers a notification to the add-on, the add-on's changes join the step of the user's action that
// raised it. Outside both, a change that needs a step is refused with APIERR_NEEDSUNDOSCOPE.
//
// The host requires a step for property values. Attribute creation and changes, user data, classification
// and module data are taken without one: the add-on writes its materials, their classification and its
// stored texts outside any command, and the simulator must not refuse what the add-on relies on.
#pragma once

#include "Definitions.hpp"
#include "NotificationScope.hpp"

namespace Sim {

// NoError inside an undoable command or a notification; APIERR_NEEDSUNDOSCOPE otherwise.
GSErrCode RequireUndoScope();
bool InUndoableCommand();
// The number of undoable commands run so far (refused nested ones not counted).
Int32 UndoStepCount();

}  // namespace Sim
