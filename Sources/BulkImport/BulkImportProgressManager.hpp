// The one owner of the bulk import progress palette, for the whole process: creates the palette when it
// is needed, answers the host's palette messages for it, and lets it go when the palette was closed.
#pragma once

#include "ACAPinc.h"
#include "BulkImportProgressDlg.hpp"

#include <memory>

namespace QRV {

class BulkImportProgressManager {
public:
    static BulkImportProgressManager& GetInstance();

    BulkImportProgressManager(const BulkImportProgressManager&) = delete;
    BulkImportProgressManager& operator=(const BulkImportProgressManager&) = delete;

    // The palette, created when there is none.
    BulkImportProgressDlg& GetPalette();
    // The palette, or null when there is none.
    BulkImportProgressDlg* FindPalette() const { return palette_.get(); }
    // Told by the palette when it was closed: it is destroyed here.
    void PaletteDisposed(const BulkImportProgressDlg* palette);

    static GSErrCode RegisterPaletteControlCallBack();
    static GSErrCode PaletteControlCallBack(Int32 referenceID, API_PaletteMessageID messageID, GS::IntPtr param);

private:
    BulkImportProgressManager() = default;
    void HandleMessage(API_PaletteMessageID messageID, GS::IntPtr param);

    std::unique_ptr<BulkImportProgressDlg> palette_;
    bool hiddenByHost_ = false;  // the host's hide message hid it, so its end message shows it again
};

}  // namespace QRV
