// The module-wide owner of one palette: empty until the palette is first needed, then the same object
// until it is destroyed (at unload, or when its owner decides so).
#pragma once

#include "ACAPinc.h"
#include "DGDialog.hpp"

#include <memory>

namespace QRV {

template <typename PaletteType>
class PaletteHolder {
public:
    bool Exists() const { return palette_ != nullptr; }
    PaletteType* Find() const { return palette_.get(); }
    bool IsShown() const { return palette_ != nullptr && palette_->IsVisible(); }

    // Creating a palette keeps the module loaded: its window outlives the command that opened it.
    PaletteType& GetOrCreate()
    {
        if (palette_ == nullptr) {
            palette_ = std::make_unique<PaletteType>();
            ACAPI_KeepInMemory(true);
        }
        return *palette_;
    }

    // In front of the other palettes.
    void Show() { GetOrCreate().Show(); }

    void Hide()
    {
        if (palette_ != nullptr)
            palette_->Hide();
    }

    // Hides a shown palette; otherwise shows it, creating it first when needed.
    void Toggle()
    {
        if (IsShown())
            palette_->Hide();
        else
            Show();
    }

    void Destroy() { palette_.reset(); }

private:
    std::unique_ptr<PaletteType> palette_;
};

}  // namespace QRV
