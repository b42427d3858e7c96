#include "Parsing/Items/Material.hpp"

namespace QRV {

Material::~Material() = default;

void Material::SetLayerType(const GS::UniString& layerType, bool applyAppearance)
{
    layerType_ = layerType;
    skinFlags_ = SkinFlagsForLayerType(layerType);
    if (applyAppearance)
        appearance_ = AppearanceForLayerType(layerType);
}

}  // namespace QRV
