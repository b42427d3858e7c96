#include "BrowserPalette.hpp"

#include "Support/HostBoundary.hpp"
#include "JsBridge.hpp"
#include "Support/ModuleState.hpp"
#include "Palette.hpp"
#include "Support/PaletteSupport.hpp"
#include "ResourceIds.hpp"
#include "WebApplication.hpp"

namespace QRV {
namespace {

// The catalogue palette itself needs nothing at quit. But the host keeps one project-event handler per
// add-on, so this catch replaces the calculation palette's when that palette was made first: its quit
// handling is passed on, or the calculation palette would outlive the quit.
GSErrCode QuitHandler(API_NotifyEventID notifID, Int32 param) { return Palette::ProjectEventHandler(notifID, param); }

}  // namespace

const GS::Guid& BrowserPalette::Guid()
{
    static const GS::Guid guid("{64F64B7A-4B4F-496D-AFB7-747BCEED73EC}");
    return guid;
}

GSErrCode BrowserPalette::PaletteControlCallBack(Int32 /*referenceID*/, API_PaletteMessageID messageID, GS::IntPtr param)
{
    RunForHost("BrowserPalette::PaletteControlCallBack", [messageID, param]() {
        switch (messageID) {
            case APIPalMsg_ClosePalette:
                Holder().Hide();
                break;
            case APIPalMsg_OpenPalette:
                Holder().Show();
                break;
            case APIPalMsg_IsPaletteVisible:
                AnswerPaletteVisible(param, Holder().IsShown());
                break;
            default:
                // The page keeps running while the host hides palettes or disables their items.
                break;
        }
    });
    return NoError;
}

BrowserPalette::BrowserPalette()
    : DG::Palette(OwnResModule(), ID_BROWSER_PALETTE, OwnResModule(), Guid()), browser_(GetReference(), BrowserItemId)
{
    if (GSErrCode err = ACAPI_ProjectOperation_CatchProjectEvent(APINotify_Quit, &QuitHandler); err != NoError)
        DBPrintf("BrowserPalette: ACAPI_ProjectOperation_CatchProjectEvent failed (%d)\n", static_cast<int>(err));
    Attach(*this);
    BeginEventProcessing();
    // Registered before the first page load, so that the page finds it from the start.
    if (!browser_.RegisterAsynchJSObject(CreateJsCorvanaInterface()))
        DBPrintf("BrowserPalette: the page's script object could not be registered\n");
    browser_.LoadURL(WebApplicationBaseUrl);
    SetTitle(GS::UniString::Printf("Corvana_%s%s", AddOnVersion, ""));
}

BrowserPalette::~BrowserPalette()
{
    EndEventProcessing();
    Detach(*this);
}

void BrowserPalette::LoadURL(const GS::UniString& url) { browser_.LoadURL(url); }

void BrowserPalette::PanelCloseRequested(const DG::PanelCloseRequestEvent&, bool* accepted)
{
    Hide();
    *accepted = true;
}

void BrowserPalette::PanelResized(const DG::PanelResizeEvent& ev)
{
    BeginMoveResizeItems();
    browser_.Resize(ev.GetHorizontalChange(), ev.GetVerticalChange());
    EndMoveResizeItems();
}

}  // namespace QRV
