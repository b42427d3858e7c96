#include "DownloadBudget.hpp"

#include "ACAPinc.h"
#include "Support/ModuleState.hpp"

#include <algorithm>
#include <memory>

namespace QRV {
namespace {

using Clock = std::chrono::steady_clock;

DownloadBudget::Ceilings ceilings;

struct Run {
    bool active = false;
    Clock::time_point deadline;
    UInt64 bytesLeft = 0;
};
Run run;

// The host's process window for a download that takes a while: opened only once the download has run
// for a moment, so a quick download shows nothing and asks the host nothing.
class DownloadWindow {
public:
    DownloadWindow() : started_(Clock::now()) {}
    DownloadWindow(const DownloadWindow&) = delete;
    DownloadWindow& operator=(const DownloadWindow&) = delete;
    ~DownloadWindow()
    {
        if (open_)
            ACAPI_ProcessWindow_CloseProcessWindow();
    }

    bool CancelPressed()
    {
        if (!open_) {
            if (Clock::now() - started_ < std::chrono::milliseconds(ceilings.windowAfterMilliseconds))
                return false;
            const GS::UniString title("Downloading a library file");
            Int32 phases = 1;
            open_ = ACAPI_ProcessWindow_InitProcessWindow(&title, &phases) == NoError;
            if (!open_)
                return false;
        }
        if (ACAPI_ProcessWindow_IsProcessCanceled() != APIERR_CANCEL)
            return false;
        // A cancel within a bulk run is meant for the run: the products after this one are not fetched.
        if (run.active)
            SetBulkImportAborted(true);
        return true;
    }

private:
    Clock::time_point started_;
    bool open_ = false;
};

}  // namespace

DownloadBudget::Ceilings DownloadBudget::GetCeilings() { return ceilings; }

void DownloadBudget::SetCeilings(const Ceilings& newCeilings) { ceilings = newCeilings; }

DownloadBudget::RunScope::RunScope() : outermost_(!run.active)
{
    if (!outermost_)
        return;
    run.active = true;
    run.deadline = Clock::now() + std::chrono::seconds(ceilings.maxSeconds);
    run.bytesLeft = ceilings.maxBytes;
}

DownloadBudget::RunScope::~RunScope()
{
    if (outermost_)
        run.active = false;
}

bool DownloadBudget::RulesForNext(Platform::DownloadRules& rules, std::string& why)
{
    // The window lives as long as the rules' copies of the check, which end with the download.
    auto window = std::make_shared<DownloadWindow>();
    rules.stopRequested = [window] { return IsBulkImportAborted() || window->CancelPressed(); };
    if (!run.active)
        return true;
    const auto left = std::chrono::duration_cast<std::chrono::seconds>(run.deadline - Clock::now());
    if (left.count() <= 0 || run.bytesLeft == 0) {
        why = "the downloads of this bulk import passed their shared limit of " +
              (left.count() <= 0 ? std::to_string(ceilings.maxSeconds) + " seconds"
                                 : std::to_string(ceilings.maxBytes) + " bytes");
        return false;
    }
    rules.maxSeconds = std::min<UInt32>(rules.maxSeconds, static_cast<UInt32>(left.count()));
    rules.maxBytes = std::min(rules.maxBytes, run.bytesLeft);
    return true;
}

void DownloadBudget::Spent(UInt64 bytes)
{
    if (run.active)
        run.bytesLeft -= std::min(bytes, run.bytesLeft);
}

}  // namespace QRV
