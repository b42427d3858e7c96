// The add-on's one undo step per action: changes made while a step is open join it, the host's command
// keeps what was done whatever a change answered, and nothing thrown crosses the host.
#include "Sim/SimFixture.hpp"

#include "Support/HostErrorReport.hpp"
#include "Support/UndoStep.hpp"

#include <gmock/gmock.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using ::testing::HasSubstr;

class UndoStep : public SimTest::ApiFixture {
protected:
    std::vector<nlohmann::ordered_json> Steps() const { return host->GetTranscript().EventsOfKind("undo"); }
};

TEST_F(UndoStep, ChangesInsideAnOpenStepJoinIt)
{
    bool innerOpen = false;
    const GSErrCode err = QRV::RunInUndoStep("Create property definition", [&]() -> GSErrCode {
        return QRV::RunInUndoStep("Create material property", [&]() -> GSErrCode {
            innerOpen = QRV::IsUndoStepOpen();
            return NoError;
        });
    });
    EXPECT_EQ(err, NoError);
    EXPECT_TRUE(innerOpen);
    EXPECT_FALSE(QRV::IsUndoStepOpen());
    const auto steps = Steps();
    ASSERT_EQ(steps.size(), 1u) << "the host refuses a nested command; the inner change joins the outer step";
    EXPECT_EQ(steps[0]["name"], "Create property definition");
    EXPECT_TRUE(host->GetTranscript().EventsOfKind("host").empty());
}

TEST_F(UndoStep, TheCallerGetsTheChangesCodeAndTheStepKeepsWhatWasDone)
{
    EXPECT_EQ(QRV::RunInUndoStep("Create group properties", [] { return APIERR_BADPARS; }), APIERR_BADPARS);
    ASSERT_EQ(Steps().size(), 1u);
    EXPECT_EQ(Steps()[0]["result"], NoError);
}

TEST_F(UndoStep, AnExceptionLeavesTheStepBeforeItReachesTheCaller)
{
    EXPECT_THROW(QRV::RunInUndoStep("Create material property", []() -> GSErrCode { throw std::runtime_error("x"); }),
                 std::runtime_error);
    EXPECT_FALSE(QRV::IsUndoStepOpen());
    ASSERT_EQ(Steps().size(), 1u);
    EXPECT_EQ(Steps()[0]["result"], NoError) << "the host saw the command end, not an exception";
    EXPECT_EQ(QRV::RunInUndoStep("Create material property", [] { return NoError; }), NoError);
    EXPECT_EQ(Steps().size(), 2u);
}

TEST_F(UndoStep, AStepTheHostRefusesRunsNothingAndIsReported)
{
    bool ran = false;
    GSErrCode err = NoError;
    ASSERT_EQ(ACAPI_CallCommand("Not undoable", [&]() -> GSErrCode {
                  err = QRV::RunInUndoStep("Create material property", [&]() -> GSErrCode {
                      ran = true;
                      return NoError;
                  });
                  return NoError;
              }),
              NoError);
    EXPECT_EQ(err, APIERR_REFUSEDCMD);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(QRV::IsUndoStepOpen());
    EXPECT_THAT(host->DebugText(),
                HasSubstr(QRV::HostErrorMessage(APIERR_REFUSEDCMD, "RunInUndoStep::ACAPI_CallUndoableCommand")));
}

}  // namespace
