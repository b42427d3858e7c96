#include "BulkImportSettingsDlg.hpp"

#include "Support/PaletteSupport.hpp"
#include "DurationText.hpp"
#include "Parsing/PayloadReading.hpp"
#include "ResourceIds.hpp"

namespace QRV {
namespace {

GS::UniString EstimateText(Int64 seconds) { return GS::UniString("Estimated time: ") + DurationText(seconds); }

}  // namespace

BulkImportSettingsDlg::BulkImportSettingsDlg(const GS::UniString& payload)
    : DG::ModalDialog(OwnResModule(), ID_BULK_IMPORT_SETTINGS_DIALOG, OwnResModule()),
      importButton_(GetReference(), ImportButtonId),
      cancelButton_(GetReference(), CancelButtonId),
      libraryOnlyRadio_(GetReference(), LibraryOnlyRadioId),
      libraryOnlyEstimate_(GetReference(), LibraryOnlyEstimateId),
      libraryAndModelRadio_(GetReference(), LibraryAndModelRadioId),
      libraryAndModelEstimate_(GetReference(), LibraryAndModelEstimateId)
{
    importButton_.Attach(*this);
    cancelButton_.Attach(*this);
    libraryOnlyRadio_.Attach(*this);
    libraryAndModelRadio_.Attach(*this);

    libraryOnlyRadio_.Select();

    const BulkImportEstimate estimate = BulkImportEstimate::Of(Payload::Parse(payload));
    libraryOnlySeconds_ = estimate.LibraryOnlySeconds();
    libraryAndModelSeconds_ = estimate.LibraryAndModelSeconds();
    libraryOnlyEstimate_.SetText(EstimateText(libraryOnlySeconds_));
    libraryAndModelEstimate_.SetText(EstimateText(libraryAndModelSeconds_));
}

BulkImportSettingsDlg::~BulkImportSettingsDlg()
{
    libraryAndModelRadio_.Detach(*this);
    libraryOnlyRadio_.Detach(*this);
    cancelButton_.Detach(*this);
    importButton_.Detach(*this);
}

Int64 BulkImportSettingsDlg::GetChosenEstimate() const
{
    return scope_ == BulkImportScope::LibraryAndModel ? libraryAndModelSeconds_ : libraryOnlySeconds_;
}

void BulkImportSettingsDlg::ButtonClicked(const DG::ButtonClickEvent& ev)
{
    if (ev.GetSource() == &importButton_) {
        cancelled_ = false;
        PostCloseRequest(DG::ModalDialog::Accept);
    } else if (ev.GetSource() == &cancelButton_) {
        cancelled_ = true;
        PostCloseRequest(DG::ModalDialog::Cancel);
    }
}

void BulkImportSettingsDlg::RadioItemChanged(const DG::RadioItemChangeEvent& ev)
{
    if (ev.GetSource() == &libraryOnlyRadio_)
        scope_ = BulkImportScope::LibraryOnly;
    else if (ev.GetSource() == &libraryAndModelRadio_)
        scope_ = BulkImportScope::LibraryAndModel;
}

}  // namespace QRV
