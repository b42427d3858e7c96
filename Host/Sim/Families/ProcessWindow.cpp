// The host's process window: a title, phases with a maximum, a position, and a cancel button. The user's
// cancel is scripted by number: with cancelAt N (the host option, or set by a test) the Nth cancel check
// of the whole session finds the button pressed; the press is used up by that check.
// Transcript "process" {event: open (title, phases) | phase (text, max) | value (value) | canceled (check) |
// close}.
#include "ACAPinc.h"
#include "Host.hpp"
#include "ProcessWindow.hpp"
#include "SimUtf8.hpp"

namespace Sim {
namespace {

ProcessWindowState& State() { return TheHost().FamilyState<ProcessWindowState>(); }

Int32 CancelAt(const ProcessWindowState& state)
{
    return state.cancelAt != 0 ? state.cancelAt : TheHost().Options().cancelProcessAt;
}

void Record(nlohmann::ordered_json fields) { TheHost().GetTranscript().Record("process", std::move(fields)); }

GSErrCode InitProcessWindow(const GS::UniString* title, Int32* nPhase, API_ProcessControlTypeID* /*processCntrolType*/)
{
    if (title == nullptr)
        return APIERR_BADPARS;
    ProcessWindowState& state = State();
    state.open = true;
    ++state.opened;
    state.title = Sim::Utf8(*title);
    state.maximum = 0;
    state.value = 0;
    Record({{"event", "open"}, {"title", state.title}, {"phases", nPhase != nullptr ? *nPhase : 0}});
    return NoError;
}

GSErrCode CloseProcessWindow()
{
    ProcessWindowState& state = State();
    if (state.open)
        Record({{"event", "close"}});
    state.open = false;
    return NoError;
}

GSErrCode SetNextProcessPhase(const GS::UniString* subtitle, Int32* maxValue, bool* /*showPercent*/)
{
    ProcessWindowState& state = State();
    if (!state.open)
        return APIERR_GENERAL;
    state.maximum = maxValue != nullptr ? *maxValue : 0;
    state.value = 0;
    Record({{"event", "phase"}, {"text", subtitle != nullptr ? Sim::Utf8(*subtitle) : ""}, {"max", state.maximum}});
    return NoError;
}

GSErrCode SetProcessValue(Int32* newValue)
{
    ProcessWindowState& state = State();
    if (newValue == nullptr)
        return APIERR_BADPARS;
    if (!state.open)
        return APIERR_GENERAL;
    state.value = *newValue;
    Record({{"event", "value"}, {"value", state.value}});
    return NoError;
}

GSErrCode IsProcessCanceled()
{
    ProcessWindowState& state = State();
    ++state.cancelChecks;
    const bool canceled = state.open && CancelAt(state) > 0 && state.cancelChecks == CancelAt(state);
    if (!canceled)
        return NoError;
    Record({{"event", "canceled"}, {"check", state.cancelChecks}});
    return APIERR_CANCEL;
}

}  // namespace
}  // namespace Sim

SIM_FAMILY(ProcessWindow)
{
    using namespace Sim;
    SIM_BIND(table, ProcessWindow_InitProcessWindow, &InitProcessWindow);
    SIM_BIND(table, ProcessWindow_CloseProcessWindow, &CloseProcessWindow);
    SIM_BIND(table, ProcessWindow_SetNextProcessPhase, &SetNextProcessPhase);
    SIM_BIND(table, ProcessWindow_SetProcessValue, &SetProcessValue);
    SIM_BIND(table, ProcessWindow_IsProcessCanceled, &IsProcessCanceled);
}
