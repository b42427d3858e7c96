// DG dialogs: palettes (modeless, identified by a GUID, opened and hidden by the add-on and the host) and
// modal dialogs (Invoke runs them until the user answers).
#pragma once

#include "DGPanel.hpp"

namespace DG {

class DG_DLL_EXPORT Dialog : public Panel {
public:
    enum DialogType { Modal = DG_DT_MODAL, Modeless = DG_DT_MODELESS, Palette = DG_DT_PALETTE };

private:
    Dialog(const Dialog& dialog);
    Dialog& operator=(const Dialog& dialog);

protected:
    // The layout comes from dialog resource `resId` of `resModule`, icons from `dialIconResModule`.
    Dialog(DialogType dialType, GSResModule resModule, short resId, GSResModule dialIconResModule);
    Dialog(DialogType dialType, GSResModule resModule, short resId, GSResModule dialIconResModule,
           const GS::Guid& guid);

public:
    ~Dialog();

    DialogType GetDialogType() const;

    // Item moves and resizes between these two are shown at once, at the end.
    void BeginMoveResizeItems();
    void EndMoveResizeItems();

    void SetTitle(const GS::UniString& title);
    GS::UniString GetTitle() const;
};

class DG_DLL_EXPORT ModalDialog : public Dialog {
public:
    enum ModalResponse { Accept = DG_OK, Cancel = DG_CANCEL };

    explicit ModalDialog(GSResModule resModule, short resId, GSResModule dialIconResModule);
    ~ModalDialog();

    // Opens the dialog and returns when the user closed it: true when it was accepted.
    bool Invoke();
    void Abort();
    // From an observer during Invoke: close the dialog with this response.
    void PostCloseRequest(ModalResponse response);
};

class DG_DLL_EXPORT ModelessBase : public Dialog {
protected:
    ModelessBase(DialogType dialType, GSResModule resModule, short resId, GSResModule dialIconResModule);
    ModelessBase(DialogType dialType, GSResModule resModule, short resId, GSResModule dialIconResModule,
                 const GS::Guid& guid);

public:
    enum { First = DG_DF_FIRST, Last = DG_DF_LAST };

    ~ModelessBase();

    // The window receives user events (close box, resize, item clicks) only between these two.
    void BeginEventProcessing();
    void EndEventProcessing();

    // Asks the observers, as the close box does; when accepted the window closes (it is hidden and
    // PanelClosed is sent). It may be gone when this returns: touch nothing of it afterwards.
    void SendCloseRequest();

    // Shows it in front of the others (First) or behind them (Last).
    void Show(short refDialId = First);
    void Hide();
    void SetVisibility(bool show);
    bool IsVisible() const;
};

class DG_DLL_EXPORT Palette : public ModelessBase {
public:
    explicit Palette(GSResModule resModule, short resId, GSResModule dialIconResModule);
    explicit Palette(GSResModule resModule, short resId, GSResModule dialIconResModule, const GS::Guid& guid);
    ~Palette();
};

}  // namespace DG
