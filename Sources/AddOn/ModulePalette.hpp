// The class functions of a palette of which the module keeps at most one. `PaletteType` derives from it
// and gives its Guid() and its PaletteControlCallBack.
#pragma once

#include "PaletteHolder.hpp"
#include "Support/PaletteSupport.hpp"

namespace QRV {

template <typename PaletteType>
class ModulePalette {
public:
    static Int32 ReferenceNumber() { return PaletteReferenceNumber(PaletteType::Guid()); }

    // The module-wide palette: the existing one or null; or the one, created when missing.
    static PaletteType* Find() { return Holder().Find(); }
    static PaletteType& GetOrCreate() { return Holder().GetOrCreate(); }
    // Hides the palette when it is shown, otherwise shows it (creating it when needed).
    static void Toggle() { Holder().Toggle(); }

    static GSErrCode RegisterPaletteControlCallBack()
    {
        return RegisterPalette(PaletteType::Guid(), &PaletteType::PaletteControlCallBack);
    }

protected:
    static PaletteHolder<PaletteType>& Holder()
    {
        static PaletteHolder<PaletteType> holder;
        return holder;
    }
};

}  // namespace QRV
