// DG dialogs: palettes (modeless, identified by a GUID, opened and hidden by the add-on and the host) and
// modal dialogs (Invoke runs them until the user answers).
#pragma once

#include "DGPanel.hpp"

namespace DG {

// Show mode of a palette: the host places it where it was last, or at its default place.
constexpr Int32 DefaultPlacement = 0x8000;

enum ModalResponse { Accept = 1, Cancel = 2 };

class HOSTLIB_API Dialog : public Panel {
public:
    ~Dialog() override;

protected:
    Dialog(GSResModule resModule, short resId, GSResModule iconResModule, Kind kind, const GS::Guid& guid);
};

class HOSTLIB_API Palette : public Dialog {
public:
    // The layout comes from dialog resource `resId` of `resModule`, icons from `iconResModule`.
    Palette(GSResModule resModule, short resId, GSResModule iconResModule, const GS::Guid& guid);
    ~Palette() override;

    void Show(Int32 showMode = DefaultPlacement);
    void Hide();
    bool IsVisible() const;

    // The palette receives user events (close box, resize, item clicks) only between these two.
    void BeginEventProcessing();
    void EndEventProcessing();

    // Asks the observers, as the close box does; when accepted the palette closes (it is hidden and
    // PanelClosed is sent). The palette may be gone when this returns: touch nothing of it afterwards.
    void SendCloseRequest();

    GS::Guid GetGuid() const { return guid_; }

private:
    GS::Guid guid_;
};

class HOSTLIB_API ModalDialog : public Dialog {
public:
    ModalDialog(GSResModule resModule, short resId, GSResModule iconResModule);
    ~ModalDialog() override;

    // Opens the dialog and returns when the user closed it: true when it was accepted.
    bool Invoke();
    // From an observer during Invoke: close the dialog with this response.
    void PostCloseRequest(ModalResponse response);
};

}  // namespace DG
