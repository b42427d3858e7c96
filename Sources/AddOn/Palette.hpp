// The small calculation palette: one icon button that brings the catalogue palette forward and sends its
// page to the calculation view. At most one exists; it is destroyed when the host quits.
#pragma once

#include "ACAPinc.h"
#include "DGButton.hpp"
#include "DGUtility.hpp"
#include "DGDialog.hpp"
#include "ModulePalette.hpp"

namespace QRV {

class Palette final : public DG::Palette,
                      public ModulePalette<Palette>,
                      public DG::PanelObserver,
                      public DG::ButtonItemObserver,
                      public DG::CompoundItemObserver {
public:
    static const GS::Guid& Guid();
    static GSErrCode PaletteControlCallBack(Int32 referenceID, API_PaletteMessageID messageID, GS::IntPtr param);
    // Destroys the palette at quit; every other event is ignored.
    static GSErrCode ProjectEventHandler(API_NotifyEventID notifID, Int32 param);

    Palette();
    ~Palette() override;

    void PanelCloseRequested(const DG::PanelCloseRequestEvent& ev, bool* accepted) override;
    void PanelResized(const DG::PanelResizeEvent& ev) override;
    void ButtonClicked(const DG::ButtonClickEvent& ev) override;

private:
    static constexpr short CalculationButtonId = 1;

    DG::IconButton button_;
};

}  // namespace QRV
