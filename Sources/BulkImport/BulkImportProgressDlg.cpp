#include "BulkImportProgressDlg.hpp"

#include "Support/PaletteSupport.hpp"
#include "BulkImportProgressManager.hpp"
#include "DurationText.hpp"
#include "ResourceIds.hpp"

namespace QRV {
namespace {

const char* const SystemNameText = "CS name";
const char* const RemainingText = "Estimated time remaining:";
const char* const ElapsedText = "Time elapsed:";

}  // namespace

const GS::Guid& BulkImportProgressDlg::Guid()
{
    static const GS::Guid guid("{90EA25F6-34D6-4F95-95E6-C6E4F51F1B61}");
    return guid;
}

Int32 BulkImportProgressDlg::ReferenceNumber() { return PaletteReferenceNumber(Guid()); }

BulkImportProgressDlg::BulkImportProgressDlg()
    : DG::Palette(OwnResModule(), ID_BULK_IMPORT_PROGRESS_PALETTE, OwnResModule(), Guid()),
      systemName_(GetReference(), SystemNameId),
      progress_(GetReference(), ProgressBarId),
      remaining_(GetReference(), RemainingId),
      elapsed_(GetReference(), ElapsedId)
{
    Attach(*this);
    BeginEventProcessing();
}

BulkImportProgressDlg::~BulkImportProgressDlg()
{
    EndEventProcessing();
    Detach(*this);
}

void BulkImportProgressDlg::Reset()
{
    systemName_.SetText(SystemNameText);
    progress_.SetValue(progress_.GetMin());
    remaining_.SetText(RemainingText);
    elapsed_.SetText(ElapsedText);
    payload_.Clear();
    estimate_ = 0;
}

void BulkImportProgressDlg::SetEstimate(Int64 seconds)
{
    estimate_ = seconds;
    SetRemaining(seconds);
}

void BulkImportProgressDlg::SetSystemName(const GS::UniString& name) { systemName_.SetText(name); }

void BulkImportProgressDlg::SetProgressBounds(Int32 minimum, Int32 maximum)
{
    progress_.SetMin(minimum);
    progress_.SetMax(maximum);
}

void BulkImportProgressDlg::SetProgressValue(Int32 value) { progress_.SetValue(value); }

void BulkImportProgressDlg::SetRemaining(Int64 seconds)
{
    remaining_.SetText(GS::UniString(RemainingText) + " " + DurationText(seconds));
}

void BulkImportProgressDlg::SetElapsed(Int64 seconds)
{
    elapsed_.SetText(GS::UniString(ElapsedText) + " " + DurationText(seconds));
}

void BulkImportProgressDlg::PanelCloseRequested(const DG::PanelCloseRequestEvent&, bool* accepted)
{
    *accepted = true;
}

void BulkImportProgressDlg::PanelClosed(const DG::PanelCloseEvent&)
{
    // The manager disposes of this palette: nothing of it may be touched after this call.
    BulkImportProgressManager::GetInstance().PaletteDisposed(this);
}

}  // namespace QRV
