// Undoable commands and the process window. Each command the add-on runs is one undo step, recorded in the
// transcript as an "undo" event with its name and the command's result; process window activity is
// recorded as "process" events. The scripted cancel (HostOptions::cancelProcessAt) answers "cancelled" at
// that one check, counted over the host's life: the add-on's question about it stands for the user's
// dismissal, so later checks answer "not cancelled" again.
#include "ACAPI_Command.h"
#include "Host.hpp"
#include "UndoScope.hpp"

namespace Sim {
namespace {

struct CommandState {
    Int32 commandDepth = 0;
    Int32 notificationDepth = 0;
    Int32 steps = 0;
    Int32 cancelChecks = 0;
    bool processWindowOpen = false;
};

CommandState& State() { return TheHost().FamilyState<CommandState>(); }

GSErrCode CallUndoableCommand(const GS::UniString* undoString, const std::function<GSErrCode()>* command)
{
    if (undoString == nullptr || command == nullptr || !*command)
        return APIERR_BADPARS;
    CommandState& state = State();
    // An undo step cannot open inside another one.
    if (state.commandDepth > 0) {
        TheHost().GetTranscript().Record("undo", {{"name", undoString->ToStdString()}, {"refused", "nested"}});
        return APIERR_REFUSEDCMD;
    }
    ++state.commandDepth;
    ++state.steps;
    GSErrCode result = NoError;
    try {
        result = (*command)();
    } catch (...) {
        result = APIERR_COMMANDFAILED;
    }
    --State().commandDepth;
    TheHost().GetTranscript().Record("undo", {{"name", undoString->ToStdString()}, {"result", result}});
    return result;
}

void RecordProcess(const char* action, nlohmann::ordered_json fields)
{
    fields["action"] = action;
    TheHost().GetTranscript().Record("process", std::move(fields));
}

GSErrCode InitProcessWindow(const GS::UniString* title, Int32* nPhase)
{
    if (title == nullptr || nPhase == nullptr || *nPhase < 0)
        return APIERR_BADPARS;
    State().processWindowOpen = true;
    RecordProcess("open", {{"title", title->ToStdString()}, {"phases", *nPhase}});
    return NoError;
}

GSErrCode CloseProcessWindow()
{
    // Closing a window that is not open is harmless, as in the host.
    if (State().processWindowOpen)
        RecordProcess("close", nlohmann::ordered_json::object());
    State().processWindowOpen = false;
    return NoError;
}

GSErrCode SetNextProcessPhase(const GS::UniString* subtitle, Int32* maxValue)
{
    if (subtitle == nullptr || maxValue == nullptr || *maxValue < 0)
        return APIERR_BADPARS;
    RecordProcess("phase", {{"subtitle", subtitle->ToStdString()}, {"max", *maxValue}});
    return NoError;
}

GSErrCode SetProcessValue(Int32* newValue)
{
    if (newValue == nullptr)
        return APIERR_BADPARS;
    RecordProcess("value", {{"value", *newValue}});
    return NoError;
}

GSErrCode IsProcessCanceled(bool* canceled)
{
    if (canceled == nullptr)
        return APIERR_BADPARS;
    const Int32 check = ++State().cancelChecks;
    const Int32 cancelAt = TheHost().Options().cancelProcessAt;
    *canceled = cancelAt > 0 && check == cancelAt;
    if (*canceled)
        RecordProcess("cancel", {{"check", check}});
    return NoError;
}

}  // namespace

GSErrCode RequireUndoScope()
{
    const CommandState& state = State();
    return state.commandDepth > 0 || state.notificationDepth > 0 ? NoError : APIERR_NEEDSUNDOSCOPE;
}

bool InUndoableCommand() { return State().commandDepth > 0; }

Int32 UndoStepCount() { return State().steps; }

NotificationScope::NotificationScope() { ++State().notificationDepth; }

NotificationScope::~NotificationScope()
{
    if (HasHost())
        --State().notificationDepth;
}

}  // namespace Sim

SIM_FAMILY(Command)
{
    using namespace Sim;
    SIM_BIND(table, CallUndoableCommand, &CallUndoableCommand);
    SIM_BIND(table, ProcessWindow_InitProcessWindow, &InitProcessWindow);
    SIM_BIND(table, ProcessWindow_CloseProcessWindow, &CloseProcessWindow);
    SIM_BIND(table, ProcessWindow_SetNextProcessPhase, &SetNextProcessPhase);
    SIM_BIND(table, ProcessWindow_SetProcessValue, &SetProcessValue);
    SIM_BIND(table, ProcessWindow_IsProcessCanceled, &IsProcessCanceled);
}
