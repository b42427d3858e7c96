#include "BulkImportRun.hpp"

#include "Support/LogStream.hpp"
#include "Support/UndoStep.hpp"
#include "BulkImportEstimate.hpp"
#include "BulkImportProgressManager.hpp"
#include "Support/ModuleState.hpp"
#include "GSTime.hpp"
#include "Thread.hpp"
#include "Import/ImportManager.hpp"
#include "ProjectWriter/ACLink.hpp"
#include "ProjectWriter/DownloadBudget.hpp"

#include <limits>

namespace QRV {
namespace {

Int32 ProgressValue(size_t count)
{
    return count > static_cast<size_t>(std::numeric_limits<Int32>::max()) ? std::numeric_limits<Int32>::max()
                                                                           : static_cast<Int32>(count);
}

}  // namespace

BulkImportRun::BulkImportRun(const BulkImportProgressDlg& palette)
    : payload_(palette.GetPayload()), estimateSeconds_(palette.GetEstimate())
{
}

BulkImportProgressDlg* BulkImportRun::Palette() { return BulkImportProgressManager::GetInstance().FindPalette(); }

Int64 BulkImportRun::SecondsSince(GSTicks startTicks) const
{
    const GSTicks ticksPerSecond = TIGetTicksPerSec();
    if (ticksPerSecond == 0)
        return 0;
    // The 32-bit tick count wraps; the unsigned difference of two readings does not mind.
    const GSTicks elapsed = TIGetTicks() - startTicks;
    return static_cast<Int64>(elapsed / ticksPerSecond);
}

void BulkImportRun::ShowTimes(Int64 elapsedSeconds)
{
    BulkImportProgressDlg* palette = Palette();
    if (palette == nullptr)
        return;
    palette->SetElapsed(elapsedSeconds);
    palette->SetRemaining(estimateSeconds_ > elapsedSeconds ? estimateSeconds_ - elapsedSeconds : 0);
}

nlohmann::json BulkImportRun::Run()
{
    nlohmann::json statuses = nlohmann::json::array();
    MaterialsCreatedInBulkRun().clear();
    SetBulkImportAborted(false);
    const DownloadBudget::RunScope downloads;

    const nlohmann::json systems = Payload::Parse(payload_);
    if (!systems.is_array())
        LogStream::Instance().Error("Bulk import: the list of construction systems is not a JSON array");
    const size_t count = systems.is_array() ? systems.size() : 0;

    if (BulkImportProgressDlg* palette = Palette()) {
        palette->SetProgressBounds(0, ProgressValue(count));
        palette->SetRemaining(estimateSeconds_);
        palette->Show();
    }

    const GSTicks startTicks = TIGetTicks();
    // The whole run is one undo step; an abort ends it after the system it came in, with what was written.
    auto importEach = [&]() -> GSErrCode {
        for (size_t i = 0; i < count; ++i) {
            const nlohmann::json& system = systems[i];
            if (BulkImportProgressDlg* palette = Palette()) {
                palette->SetSystemName(BulkSystemName(system));
                palette->SetProgressValue(ProgressValue(i));
            }

            const GS::UniString status = ImportManager::ImportBulkElement(system);
            statuses.push_back(ImportManager::StatusObject(system, status));

            ShowTimes(SecondsSince(startTicks));
            if (BulkImportProgressDlg* palette = Palette())
                palette->SetProgressValue(ProgressValue(i + 1));
            if (IsBulkImportAborted())
                break;
        }
        return NoError;
    };
    if (count > 0)
        RunInUndoStep(UndoStepName::SystemImport, importEach);

    // The last state stays in view for a moment before the palette goes.
    GS::Thread::Sleep(FinalPauseMilliseconds);
    if (BulkImportProgressDlg* palette = Palette())
        palette->SendCloseRequest();
    // The abort was this run's: nothing after it may stop for it.
    SetBulkImportAborted(false);
    return statuses;
}

}  // namespace QRV
