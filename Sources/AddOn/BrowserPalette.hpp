// The dockable palette that shows the catalogue web application in an embedded browser. The page talks to
// the add-on through the script object registered with the browser. There is at most one, created on first
// use and kept (page included) until the module is unloaded; closing it only hides it.
#pragma once

#include "ACAPinc.h"
#include "DGBrowser.hpp"
#include "DGDialog.hpp"
#include "ModulePalette.hpp"

namespace QRV {

class BrowserPalette final : public DG::Palette, public ModulePalette<BrowserPalette>, public DG::PanelObserver {
public:
    static const GS::Guid& Guid();
    static GSErrCode PaletteControlCallBack(Int32 referenceID, API_PaletteMessageID messageID, GS::IntPtr param);

    BrowserPalette();
    ~BrowserPalette() override;

    void LoadURL(const GS::UniString& url);

    void PanelCloseRequested(const DG::PanelCloseRequestEvent& ev, bool* accepted) override;
    void PanelResized(const DG::PanelResizeEvent& ev) override;

private:
    static constexpr short BrowserItemId = 1;

    DG::Browser browser_;
};

}  // namespace QRV
