// The small palette that shows a bulk import's progress: the system being imported, a progress bar over
// the systems, the estimated time remaining and the time elapsed. It has no close box; the host's close
// message or the end of the run closes it, and a closed palette is disposed by its manager.
#pragma once

#include "ACAPinc.h"
#include "DGBarControl.hpp"
#include "DGDialog.hpp"
#include "DGStaticItem.hpp"

namespace QRV {

class BulkImportProgressDlg final : public DG::Palette, public DG::PanelObserver {
public:
    static const GS::Guid& Guid();
    static Int32 ReferenceNumber();

    BulkImportProgressDlg();
    ~BulkImportProgressDlg() override;

    // Back to the layout's texts, an empty bar, no payload and no estimate.
    void Reset();

    void SetPayload(const GS::UniString& text) { payload_ = text; }
    const GS::UniString& GetPayload() const { return payload_; }

    // Stores the estimate (whole seconds) and shows it as the time remaining.
    void SetEstimate(Int64 seconds);
    Int64 GetEstimate() const { return estimate_; }

    void SetSystemName(const GS::UniString& name);
    void SetProgressBounds(Int32 minimum, Int32 maximum);
    void SetProgressValue(Int32 value);
    void SetRemaining(Int64 seconds);
    void SetElapsed(Int64 seconds);

    void PanelCloseRequested(const DG::PanelCloseRequestEvent& ev, bool* accepted) override;
    void PanelClosed(const DG::PanelCloseEvent& ev) override;

private:
    enum ItemId : short { SystemNameId = 1, ProgressBarId = 2, RemainingId = 3, ElapsedId = 4 };

    DG::LeftText systemName_;
    DG::ProgressBar progress_;
    DG::LeftText remaining_;
    DG::LeftText elapsed_;
    GS::UniString payload_;
    Int64 estimate_ = 0;
};

}  // namespace QRV
