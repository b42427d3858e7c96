// Undoable and non-undoable commands. Each undoable command the add-on runs is one step of the user's undo
// history (UndoHistory), recorded in the transcript as an "undo" event with its name and the command's
// result.
#include "ACAPinc.h"
#include "ErrorNames.hpp"
#include "Host.hpp"
#include "UndoHistory.hpp"
#include "UndoScope.hpp"
#include "SimUtf8.hpp"

namespace Sim {
namespace {

struct CommandState {
    Int32 undoableDepth = 0;
    Int32 commandDepth = 0;  // ACAPI_CallCommand
    Int32 steps = 0;
};

CommandState& State() { return TheHost().FamilyState<CommandState>(); }

GSErrCode Refuse(const char* function, GSErrCode error)
{
    const char* name = ErrorName(error);
    TheHost().GetTranscript().Record(
        "host", {{"event", "refused"}, {"function", function}, {"error", name != nullptr ? name : "unknown"}});
    return error;
}

GSErrCode RunGuarded(const std::function<GSErrCode()>& command)
{
    try {
        return command();
    } catch (...) {
        return APIERR_COMMANDFAILED;
    }
}

GSErrCode CallUndoableCommand(const GS::UniString& undoString, const std::function<GSErrCode()>& command)
{
    if (!command)
        return APIERR_BADPARS;
    CommandState& state = State();
    // An element notification arrives inside the host's own step: the handler writes directly.
    if (state.undoableDepth > 0 || state.commandDepth > 0 || NotificationScope::Active()) {
        TheHost().GetTranscript().Record("undo", {{"name", Sim::Utf8(undoString)}, {"refused", "nested"}});
        return Refuse("ACAPI_CallUndoableCommand", APIERR_REFUSEDCMD);
    }
    ++state.undoableDepth;
    ++state.steps;
    UndoHistory& history = TheUndoHistory(TheHost());
    history.Open(Sim::Utf8(undoString));
    const GSErrCode result = RunGuarded(command);
    history.Close();
    --State().undoableDepth;
    TheHost().GetTranscript().Record("undo", {{"name", Sim::Utf8(undoString)}, {"result", result}});
    return result;
}

GSErrCode CallCommand(const GS::UniString& /*commandName*/, const std::function<GSErrCode()>& command)
{
    if (!command)
        return APIERR_BADPARS;
    CommandState& state = State();
    if (state.undoableDepth > 0 || state.commandDepth > 0 || NotificationScope::Active())
        return Refuse("ACAPI_CallCommand", APIERR_REFUSEDCMD);
    ++state.commandDepth;
    const GSErrCode result = RunGuarded(command);
    --State().commandDepth;
    return result;
}

}  // namespace

GSErrCode RequireUndoScope()
{
    return State().undoableDepth > 0 || NotificationScope::Active() ? NoError : APIERR_NEEDSUNDOSCOPE;
}

GSErrCode CheckCallScope(const char* function, HostCall kind)
{
    if (!HasHost())
        return NoError;
    switch (kind) {
        case HostCall::UndoableModifier:
            if (GSErrCode err = RequireUndoScope(); err != NoError)
                return Refuse(function, err);
            return NoError;
        case HostCall::NonUndoableModifier:
            return NoError;
        case HostCall::CompleteOperation: {
            const CommandState& state = State();
            if (state.undoableDepth > 0 || state.commandDepth > 0 || NotificationScope::Active() ||
                ProjectEventScope::Active())
                return Refuse(function, APIERR_REFUSEDCMD);
            return NoError;
        }
    }
    return NoError;
}

bool InUndoableCommand() { return State().undoableDepth > 0; }

bool InCommand() { return State().commandDepth > 0; }

Int32 UndoStepCount() { return State().steps; }

}  // namespace Sim

SIM_FAMILY(Command)
{
    using namespace Sim;
    SIM_BIND(table, CallUndoableCommand, &CallUndoableCommand);
    SIM_BIND(table, CallCommand, &CallCommand);
}
