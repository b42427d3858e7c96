// Where the project may be changed, as Archicad checks it against the command that runs.
//
// - An undoable modifier (elements, their user data and classification, property definitions and values,
//   classification systems and items) runs inside the add-on's ACAPI_CallUndoableCommand or inside the
//   host's own step while it delivers an element notification; elsewhere APIERR_NEEDSUNDOSCOPE.
// - A non-undoable modifier (attributes, attribute user data, module data, the library) runs alone, in
//   ACAPI_CallCommand, or within an undo step; the host refuses it nowhere.
// - A complete operation (saving the project) runs commands of its own, so no command may be running and
//   no notification (of an element or of a project event) be delivered; APIERR_REFUSEDCMD otherwise.
// - Commands do not nest, an undoable one does not open inside a notification, and ACAPI_CallCommand does
//   not open inside an undoable one: APIERR_REFUSEDCMD.
// Every refusal is one "host" transcript event naming the function and the error.
#pragma once

#include "Definitions.hpp"
#include "NotificationScope.hpp"

namespace Sim {

enum class HostCall {
    UndoableModifier,
    NonUndoableModifier,
    CompleteOperation,
};

// NoError where the host accepts a call of this class now; the refusal, recorded, otherwise.
// `function` is the ACAPI_ name the transcript shows.
GSErrCode CheckCallScope(const char* function, HostCall kind);

// The same answer as CheckCallScope for an undoable modifier, without recording anything.
GSErrCode RequireUndoScope();
bool InUndoableCommand();
// Whether ACAPI_CallCommand is running its command.
bool InCommand();
// The number of undoable commands run so far (refused ones not counted).
Int32 UndoStepCount();

}  // namespace Sim
