#include "BulkImportProgressManager.hpp"

#include "Support/HostBoundary.hpp"
#include "Support/PaletteSupport.hpp"

namespace QRV {

BulkImportProgressManager& BulkImportProgressManager::GetInstance()
{
    static BulkImportProgressManager manager;
    return manager;
}

BulkImportProgressDlg& BulkImportProgressManager::GetPalette()
{
    if (palette_ == nullptr) {
        palette_ = std::make_unique<BulkImportProgressDlg>();
        hiddenByHost_ = false;
    }
    return *palette_;
}

void BulkImportProgressManager::PaletteDisposed(const BulkImportProgressDlg* palette)
{
    if (palette == nullptr || palette != palette_.get())
        return;
    hiddenByHost_ = false;
    palette_.reset();
}

GSErrCode BulkImportProgressManager::RegisterPaletteControlCallBack()
{
    return RegisterPalette(BulkImportProgressDlg::Guid(), &PaletteControlCallBack);
}

GSErrCode BulkImportProgressManager::PaletteControlCallBack(Int32 referenceID, API_PaletteMessageID messageID,
                                                            GS::IntPtr param)
{
    if (referenceID != BulkImportProgressDlg::ReferenceNumber())
        return NoError;
    RunForHost("BulkImportProgressManager::PaletteControlCallBack",
               [messageID, param]() { GetInstance().HandleMessage(messageID, param); });
    return NoError;
}

void BulkImportProgressManager::HandleMessage(API_PaletteMessageID messageID, GS::IntPtr param)
{
    BulkImportProgressDlg* palette = palette_.get();
    const bool shown = palette != nullptr && palette->IsVisible();
    switch (messageID) {
        case APIPalMsg_ClosePalette:
            if (palette != nullptr)
                palette->SendCloseRequest();  // may dispose of it
            break;
        case APIPalMsg_HidePalette_Begin:
            if (shown) {
                palette->Hide();
                hiddenByHost_ = true;
            }
            break;
        case APIPalMsg_HidePalette_End:
            if (palette != nullptr && !shown && hiddenByHost_)
                palette->Show();
            hiddenByHost_ = false;
            break;
        case APIPalMsg_DisableItems_Begin:
            if (shown)
                palette->DisableItems();
            break;
        case APIPalMsg_DisableItems_End:
            if (shown)
                palette->EnableItems();
            break;
        case APIPalMsg_OpenPalette:
            GetPalette().Show();
            break;
        case APIPalMsg_IsPaletteVisible:
            AnswerPaletteVisible(param, shown);
            break;
    }
}

}  // namespace QRV
