// One user action is one step of the user's undo history. The action opens the step where its changes
// begin, named for what the user did; whatever the action changes further (a skin material of a system, the
// walls stamped with its properties) joins that step instead of opening one of its own, which would give
// the user one undo per property, and which the host refuses while a command runs anyway.
#pragma once

#include "Definitions.hpp"

#include <functional>

namespace QRV {

// What the user sees after "Undo" in the host's Edit menu, by kind of action.
namespace UndoStepName {
constexpr const char* MaterialImport = "Create material property";
constexpr const char* SystemImport = "Create property definition";
// A library part or container, a named product, and the placed objects stamped by their name.
constexpr const char* ProductImport = "Create group properties";
// replaceSystem and replaceMaterialUsedInConstructionSystem.
constexpr const char* SystemReplacement = "Replace construction system";
}  // namespace UndoStepName

// Runs `change` inside the undo step this add-on has open, or else as a new step named `stepName`.
// Answers `change`'s code, or the host's when it refused the step (reported; `change` did not run then).
// Whatever a write inside answers, the step keeps what was done: an abort or a refused write ends the
// action, not the step's content. An exception leaves the step first and then goes on to the caller.
GSErrCode RunInUndoStep(const char* stepName, const std::function<GSErrCode()>& change);

// Whether a step of this add-on is open, so that a change now joins it.
bool IsUndoStepOpen();

}  // namespace QRV
