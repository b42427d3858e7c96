#include "Parsing/Items/ComplexMaterial.hpp"

namespace QRV {

Int16 UsageForSystemType(const GS::UniString& systemType)
{
    if (systemType == "Ceiling" || systemType == "Floor" || systemType == "Foundation Slab")
        return 2;
    if (systemType == "Roof")
        return 4;
    return 1;
}

ComplexMaterial::~ComplexMaterial() = default;

void ComplexMaterial::Dump() const {}

void ComplexMaterial::ForEachMaterial(const std::function<void(Material& material)>& visit)
{
    for (Material& material : materials_)
        visit(material);
}

USize ComplexMaterial::MaterialCount() const { return static_cast<USize>(materials_.size()); }

void ComplexMaterial::SetSystemType(const GS::UniString& systemType)
{
    systemType_ = systemType;
    usage_ = UsageForSystemType(systemType);
}

}  // namespace QRV
