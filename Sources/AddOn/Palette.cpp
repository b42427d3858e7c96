#include "Palette.hpp"

#include "BrowserPalette.hpp"
#include "Support/HostBoundary.hpp"
#include "Support/PaletteSupport.hpp"
#include "ResourceIds.hpp"
#include "WebApplication.hpp"

namespace QRV {

const GS::Guid& Palette::Guid()
{
    static const GS::Guid guid("{FEE27B6B-3873-4834-98B5-F0081AA4CD45}");
    return guid;
}

GSErrCode Palette::PaletteControlCallBack(Int32 /*referenceID*/, API_PaletteMessageID messageID, GS::IntPtr param)
{
    RunForHost("Palette::PaletteControlCallBack", [messageID, param]() {
        Palette* palette = Holder().Find();
        switch (messageID) {
            case APIPalMsg_ClosePalette:
                Holder().Hide();
                break;
            case APIPalMsg_HidePalette_Begin:
                if (Holder().IsShown())
                    palette->Hide();
                break;
            case APIPalMsg_HidePalette_End:
                if (palette != nullptr && !palette->IsVisible())
                    palette->Show();
                break;
            case APIPalMsg_DisableItems_Begin:
                if (Holder().IsShown())
                    palette->DisableItems();
                break;
            case APIPalMsg_DisableItems_End:
                if (Holder().IsShown())
                    palette->EnableItems();
                break;
            case APIPalMsg_OpenPalette:
                Holder().Show();
                break;
            case APIPalMsg_IsPaletteVisible:
                AnswerPaletteVisible(param, Holder().IsShown());
                break;
        }
    });
    return NoError;
}

GSErrCode Palette::ProjectEventHandler(API_NotifyEventID notifID, Int32 /*param*/)
{
    if (notifID == APINotify_Quit)
        RunForHost("Palette::ProjectEventHandler", []() { Holder().Destroy(); });
    return NoError;
}

Palette::Palette()
    : DG::Palette(OwnResModule(), ID_CALCULATION_PALETTE, OwnResModule(), Guid()),
      button_(GetReference(), CalculationButtonId)
{
    if (GSErrCode err = ACAPI_ProjectOperation_CatchProjectEvent(APINotify_Quit, &ProjectEventHandler); err != NoError)
        DBPrintf("Palette: ACAPI_ProjectOperation_CatchProjectEvent failed (%d)\n", static_cast<int>(err));
    Attach(*this);
    AttachToAllItems(*this);
    BeginEventProcessing();
}

Palette::~Palette()
{
    EndEventProcessing();
    DetachFromAllItems(*this);
    Detach(*this);
}

void Palette::PanelCloseRequested(const DG::PanelCloseRequestEvent&, bool* accepted)
{
    Hide();
    *accepted = true;
}

void Palette::PanelResized(const DG::PanelResizeEvent&)
{
    // The button keeps its place and size.
    BeginMoveResizeItems();
    EndMoveResizeItems();
}

void Palette::ButtonClicked(const DG::ButtonClickEvent& ev)
{
    if (ev.GetSource() != &button_)
        return;
    BrowserPalette* browser = BrowserPalette::Find();
    if (browser == nullptr)
        return;
    browser->Show();
    browser->LoadURL(GS::UniString(WebApplicationBaseUrl) + CalculationsRoute);
}

}  // namespace QRV
