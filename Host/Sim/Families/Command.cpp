// Undoable commands. Each command the add-on runs is one undo step, recorded in the transcript as an
// "undo" event with its name and the command's result.
#include "ACAPinc.h"
#include "Host.hpp"
#include "UndoScope.hpp"
#include "SimUtf8.hpp"

namespace Sim {
namespace {

struct CommandState {
    Int32 commandDepth = 0;
    Int32 steps = 0;
};

CommandState& State() { return TheHost().FamilyState<CommandState>(); }

GSErrCode CallUndoableCommand(const GS::UniString& undoString, const std::function<GSErrCode()>& command)
{
    if (!command)
        return APIERR_BADPARS;
    CommandState& state = State();
    // An undo step cannot open inside another one.
    if (state.commandDepth > 0) {
        TheHost().GetTranscript().Record("undo", {{"name", Sim::Utf8(undoString)}, {"refused", "nested"}});
        return APIERR_REFUSEDCMD;
    }
    ++state.commandDepth;
    ++state.steps;
    GSErrCode result = NoError;
    try {
        result = command();
    } catch (...) {
        result = APIERR_COMMANDFAILED;
    }
    --State().commandDepth;
    TheHost().GetTranscript().Record("undo", {{"name", Sim::Utf8(undoString)}, {"result", result}});
    return result;
}

}  // namespace

GSErrCode RequireUndoScope()
{
    return State().commandDepth > 0 || NotificationScope::Active() ? NoError : APIERR_NEEDSUNDOSCOPE;
}

bool InUndoableCommand() { return State().commandDepth > 0; }

Int32 UndoStepCount() { return State().steps; }

}  // namespace Sim

SIM_FAMILY(Command)
{
    using namespace Sim;
    SIM_BIND(table, CallUndoableCommand, &CallUndoableCommand);
}
