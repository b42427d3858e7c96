// Undoable commands and the process window, as the transcript shows them.
#include "PropertyFixture.hpp"

namespace {

using SimPropertiesTest::PropertyFixture;

TEST_F(PropertyFixture, UndoableCommandsRunOnceAndAreRecordedWithTheirResult)
{
    int runs = 0;
    EXPECT_EQ(ACAPI_CallUndoableCommand("Create material property", [&]() -> GSErrCode {
                  ++runs;
                  EXPECT_TRUE(Sim::InUndoableCommand());
                  return NoError;
              }),
              NoError);
    EXPECT_EQ(ACAPI_CallUndoableCommand("Create group properties", [&]() -> GSErrCode {
                  ++runs;
                  return APIERR_BADPARS;
              }),
              APIERR_BADPARS);
    EXPECT_EQ(ACAPI_CallUndoableCommand("Thrown", []() -> GSErrCode { throw std::runtime_error("inside"); }),
              APIERR_COMMANDFAILED);
    EXPECT_EQ(runs, 2);
    EXPECT_FALSE(Sim::InUndoableCommand());
    EXPECT_EQ(Sim::UndoStepCount(), 3);

    auto undo = host->GetTranscript().EventsOfKind("undo");
    ASSERT_EQ(undo.size(), 3u);
    EXPECT_EQ(undo[0]["name"], "Create material property");
    EXPECT_EQ(undo[0]["result"], NoError);
    EXPECT_EQ(undo[1]["name"], "Create group properties");
    EXPECT_EQ(undo[1]["result"], APIERR_BADPARS);
    EXPECT_EQ(undo[2]["result"], APIERR_COMMANDFAILED);
}

TEST_F(PropertyFixture, UndoStepsDoNotNest)
{
    GSErrCode inner = NoError;
    EXPECT_EQ(Undoable([&] {
                  inner = Undoable([] { return NoError; });
                  return NoError;
              }),
              NoError);
    EXPECT_EQ(inner, APIERR_REFUSEDCMD);
    EXPECT_EQ(Sim::UndoStepCount(), 1);
    EXPECT_EQ(Sim::RequireUndoScope(), APIERR_NEEDSUNDOSCOPE);
    {
        Sim::NotificationScope outer;
        Sim::NotificationScope nested;
    }
    EXPECT_EQ(Sim::RequireUndoScope(), APIERR_NEEDSUNDOSCOPE);
}

class ProcessWindow : public PropertyFixture {
protected:
    Sim::HostOptions Options() const override
    {
        Sim::HostOptions options;
        options.cancelProcessAt = 3;
        return options;
    }
};

TEST_F(ProcessWindow, RecordsItsActivityAndCancelsAtTheScriptedCheck)
{
    Int32 phases = 1;
    const GS::UniString title("Updating elements. Please wait..."), subtitle("4");
    ASSERT_EQ(ACAPI_ProcessWindow_InitProcessWindow(&title, &phases), NoError);
    Int32 max = 4;
    ASSERT_EQ(ACAPI_ProcessWindow_SetNextProcessPhase(&subtitle, &max), NoError);
    std::vector<bool> answers;
    for (Int32 value = 1; value <= 4; ++value) {
        ASSERT_EQ(ACAPI_ProcessWindow_SetProcessValue(&value), NoError);
        const GSErrCode answer = ACAPI_ProcessWindow_IsProcessCanceled();
        ASSERT_TRUE(answer == NoError || answer == APIERR_CANCEL) << answer;
        answers.push_back(answer == APIERR_CANCEL);
    }
    ASSERT_EQ(ACAPI_ProcessWindow_CloseProcessWindow(), NoError);
    EXPECT_EQ(answers, (std::vector<bool>{false, false, true, false}));

    std::vector<std::string> actions;
    for (const auto& event : host->GetTranscript().EventsOfKind("process"))
        actions.push_back(event["event"].get<std::string>());
    EXPECT_EQ(actions, (std::vector<std::string>{"open", "phase", "value", "value", "value", "canceled", "value", "close"}));
    auto events = host->GetTranscript().EventsOfKind("process");
    EXPECT_EQ(events[0]["title"], "Updating elements. Please wait...");
    EXPECT_EQ(events[0]["phases"], 1);
    EXPECT_EQ(events[1]["text"], "4");
    EXPECT_EQ(events[1]["max"], 4);
    EXPECT_EQ(events[5]["check"], 3);
    EXPECT_EQ(ACAPI_ProcessWindow_IsProcessCanceled(), NoError) << "a closed window has no cancel to report";
}

TEST_F(PropertyFixture, ProcessWindowIsNeverCanceledWithoutAScriptedCancel)
{
    for (int check = 0; check < 20; ++check) {
        EXPECT_EQ(ACAPI_ProcessWindow_IsProcessCanceled(), NoError);
    }
}

}  // namespace
