// One bulk import of construction systems after the settings were accepted: each system goes through the
// single-item import path in turn while the progress palette shows its name, the systems done, the time
// elapsed and the time the estimate leaves. An abort from the element updates stops the run after the
// current system; what was written stays.
#pragma once

#include "GSTime.hpp"
#include "UniString.hpp"

#include <nlohmann/json.hpp>

namespace QRV {

class BulkImportProgressDlg;

class BulkImportRun {
public:
    // After the last system the palette stays visible this long, then it is asked to close.
    static constexpr UInt32 FinalPauseMilliseconds = 500;

    // Runs the systems stored in the progress palette against the estimate stored there.
    explicit BulkImportRun(const BulkImportProgressDlg& palette);

    // One status object per system processed, in list order.
    nlohmann::json Run();

private:
    // The palette while it exists: the host may close it while a system is being written.
    static BulkImportProgressDlg* Palette();
    Int64 SecondsSince(GSTicks startTicks) const;
    void ShowTimes(Int64 elapsedSeconds);

    GS::UniString payload_;
    Int64 estimateSeconds_ = 0;
};

}  // namespace QRV
