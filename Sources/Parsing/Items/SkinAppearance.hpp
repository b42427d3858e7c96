// How a composite skin looks, chosen by its layer role: the cut fill, its pen and background pen, and the
// cut surface. German hosts ship a different attribute set, hence a second table.
#pragma once

#include "UniString.hpp"

namespace QRV {

struct SkinAppearance {
    Int32 cutFill = 0;
    Int16 cutFillPen = 0;
    Int16 cutFillBackgroundPen = 0;
    Int32 cutSurface = 0;

    bool operator==(const SkinAppearance& other) const
    {
        return cutFill == other.cutFill && cutFillPen == other.cutFillPen &&
               cutFillBackgroundPen == other.cutFillBackgroundPen && cutSurface == other.cutSurface;
    }
    bool operator!=(const SkinAppearance& other) const { return !(*this == other); }
};

// Skin flags of a layer role: 2 for "Core", 32 for "Finish", 0 for anything else.
Int16 SkinFlagsForLayerType(const GS::UniString& layerType);

// The appearance row of a layer role ("Core", "Finish", anything else "Other"), from the table of the
// host's language ("GER" or any other).
SkinAppearance AppearanceForLayerType(const GS::UniString& layerType);

}  // namespace QRV
