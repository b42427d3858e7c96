#include "Model/Attributes.hpp"

namespace Sim::Model {

bool AttributeUserData::operator==(const AttributeUserData& other) const
{
    return dataVersion == other.dataVersion && platformSign == other.platformSign && bytes == other.bytes;
}

bool AttributeCommon::operator==(const AttributeCommon& other) const
{
    return index == other.index && guid == other.guid && name == other.name && userData == other.userData &&
           attached == other.attached;
}

bool BuildingMaterial::operator==(const BuildingMaterial& other) const
{
    return AttributeCommon::operator==(other) && id == other.id && manufacturer == other.manufacturer &&
           description == other.description && connPriority == other.connPriority && cutFill == other.cutFill &&
           cutFillPen == other.cutFillPen && cutFillBackgroundPen == other.cutFillBackgroundPen &&
           cutMaterial == other.cutMaterial && cutFillOrientation == other.cutFillOrientation &&
           thermalConductivity == other.thermalConductivity && density == other.density &&
           heatCapacity == other.heatCapacity && embodiedEnergy == other.embodiedEnergy &&
           embodiedCarbon == other.embodiedCarbon && showUncutLines == other.showUncutLines;
}

bool CompositeSkin::operator==(const CompositeSkin& other) const
{
    return buildingMaterial == other.buildingMaterial && framePen == other.framePen && flags == other.flags &&
           thickness == other.thickness;
}

bool CompositeLine::operator==(const CompositeLine& other) const
{
    return lineType == other.lineType && pen == other.pen && flags == other.flags;
}

double Composite::SumOfSkins(const std::vector<CompositeSkin>& skins)
{
    double sum = 0.0;
    for (const auto& skin : skins)
        sum += skin.thickness;
    return sum;
}

bool Composite::operator==(const Composite& other) const
{
    return AttributeCommon::operator==(other) && usage == other.usage && totalThickness == other.totalThickness &&
           skins == other.skins && lines == other.lines;
}

bool Attributes::IsHeldType(API_AttrTypeID type)
{
    return type == API_BuildingMaterialID || type == API_CompWallID;
}

AttributeCommon* Attributes::Find(API_AttrTypeID type, Int32 index)
{
    switch (type) {
        case API_BuildingMaterialID: return buildingMaterials.FindByIndex(index);
        case API_CompWallID: return composites.FindByIndex(index);
        default: return nullptr;
    }
}

AttributeCommon* Attributes::FindByName(API_AttrTypeID type, const std::string& name)
{
    switch (type) {
        case API_BuildingMaterialID: return buildingMaterials.FindByName(name);
        case API_CompWallID: return composites.FindByName(name);
        default: return nullptr;
    }
}

bool Attributes::ContainsGuid(const API_Guid& guid) const
{
    return buildingMaterials.ContainsGuid(guid) || composites.ContainsGuid(guid);
}

bool Attributes::operator==(const Attributes& other) const
{
    return buildingMaterials == other.buildingMaterials && composites == other.composites;
}

}  // namespace Sim::Model
