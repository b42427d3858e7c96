#include "UndoStep.hpp"

#include "ACAPinc.h"
#include "HostErrorReport.hpp"

#include <exception>

namespace QRV {
namespace {

int& OpenStepDepth()
{
    static int depth = 0;
    return depth;
}

// Counts the step as open while `change` runs, whichever way it leaves.
class OpenStep {
public:
    OpenStep() { ++OpenStepDepth(); }
    ~OpenStep() { --OpenStepDepth(); }
    OpenStep(const OpenStep&) = delete;
    OpenStep& operator=(const OpenStep&) = delete;
};

}  // namespace

bool IsUndoStepOpen() { return OpenStepDepth() > 0; }

GSErrCode RunInUndoStep(const char* stepName, const std::function<GSErrCode()>& change)
{
    if (IsUndoStepOpen())
        return change();
    bool ran = false;
    GSErrCode result = NoError;
    std::exception_ptr escaped;
    const GSErrCode err = ACAPI_CallUndoableCommand(GS::UniString(stepName), [&]() -> GSErrCode {
        ran = true;
        const OpenStep open;
        try {
            result = change();
        } catch (...) {
            // Nothing may travel through the host; the caller gets it once the command is over.
            escaped = std::current_exception();
        }
        // The kit does not say what the host does with the changes of a command that answers an error;
        // a whole import must not hang on one refused property, so the step always succeeds.
        return NoError;
    });
    if (escaped)
        std::rethrow_exception(escaped);
    if (!ran) {
        ReportHostError(err, "RunInUndoStep::ACAPI_CallUndoableCommand");
        return err;
    }
    return result;
}

}  // namespace QRV
