// The question before a bulk import of construction systems: update them in the project library only, or
// in the library and in every placed element that uses them. Each choice shows its estimated duration.
// The dialog counts as cancelled unless the user pressed "Import / Update".
#pragma once

#include "BulkImportEstimate.hpp"
#include "Support/ModuleState.hpp"

#include "DGButton.hpp"
#include "DGDialog.hpp"
#include "DGRadioItem.hpp"
#include "DGStaticItem.hpp"

namespace QRV {

class BulkImportSettingsDlg final : public DG::ModalDialog,
                                    public DG::ButtonItemObserver,
                                    public DG::RadioItemObserver {
public:
    // The estimates count the systems of `payload` against the element lists gathered before.
    explicit BulkImportSettingsDlg(const GS::UniString& payload);
    ~BulkImportSettingsDlg() override;

    bool IsCancelled() const { return cancelled_; }
    BulkImportScope GetScope() const { return scope_; }

    Int64 GetLibraryOnlyEstimate() const { return libraryOnlySeconds_; }
    Int64 GetLibraryAndModelEstimate() const { return libraryAndModelSeconds_; }
    // The estimate of the scope selected now.
    Int64 GetChosenEstimate() const;

    void ButtonClicked(const DG::ButtonClickEvent& ev) override;
    void RadioItemChanged(const DG::RadioItemChangeEvent& ev) override;

private:
    enum ItemId : short {
        ImportButtonId = 1,
        CancelButtonId = 2,
        LibraryOnlyRadioId = 8,
        LibraryOnlyEstimateId = 9,
        LibraryAndModelRadioId = 10,
        LibraryAndModelEstimateId = 11
    };

    DG::Button importButton_;
    DG::Button cancelButton_;
    DG::RadioButton libraryOnlyRadio_;
    DG::LeftText libraryOnlyEstimate_;
    DG::RadioButton libraryAndModelRadio_;
    DG::LeftText libraryAndModelEstimate_;

    Int64 libraryOnlySeconds_ = 0;
    Int64 libraryAndModelSeconds_ = 0;
    BulkImportScope scope_ = BulkImportScope::LibraryOnly;
    bool cancelled_ = true;
};

}  // namespace QRV
