#include "Ifc/IfcMaterials.hpp"

#include "Ifc/IfcGuid.hpp"
#include "Ifc/StepText.hpp"
#include "AttributeIndex.hpp"

namespace Sim::Ifc {

IfcMaterials::IfcMaterials(StepFile& file, const Model::Attributes& attributes, std::string projectKey)
    : file_(file), attributes_(attributes), projectKey_(std::move(projectKey))
{
}

int IfcMaterials::Material(Int32 index)
{
    if (auto known = materials_.find(index); known != materials_.end())
        return known->second;
    const Model::BuildingMaterial* material = attributes_.buildingMaterials.FindByIndex(index);
    if (material == nullptr)
        return 0;
    const std::string description = material->description.empty() ? StepNull : StepString(material->description);
    const int id = file_.Add("IFCMATERIAL", {StepString(material->name), description, StepNull});
    materials_[index] = id;
    return id;
}

int IfcMaterials::LayerSetUsage(Int32 composite, LayerDirection direction)
{
    const auto key = std::make_pair(composite, direction);
    if (auto known = usages_.find(key); known != usages_.end())
        return known->second;
    const Model::Composite* found = attributes_.composites.FindByIndex(composite);
    if (found == nullptr)
        return 0;
    int layerSet = 0;
    if (auto known = layerSets_.find(composite); known != layerSets_.end()) {
        layerSet = known->second;
    } else {
        std::vector<int> layers;
        for (const auto& skin : found->skins) {
            const int material = Material(skin.buildingMaterial);
            // IfcPositiveLengthMeasure: a skin of no thickness is written as the thinnest layer there is.
            const double thickness = skin.thickness > 0.0 ? skin.thickness : 1e-6;
            layers.push_back(file_.Add("IFCMATERIALLAYER",
                                       {material != 0 ? StepRef(material) : StepNull, StepReal(thickness), StepNull,
                                        StepNull, StepNull, StepNull, StepNull}));
        }
        layerSet = file_.Add("IFCMATERIALLAYERSET", {StepRefList(layers), StepString(found->name), StepNull});
        layerSets_[composite] = layerSet;
    }
    const int usage = file_.Add("IFCMATERIALLAYERSETUSAGE",
                                {StepRef(layerSet), StepEnum(direction == LayerDirection::Axis2 ? "AXIS2" : "AXIS3"),
                                 StepEnum("POSITIVE"), StepReal(0.0), StepNull});
    usages_[key] = usage;
    return usage;
}

void IfcMaterials::AssignMaterial(int element, Int32 buildingMaterial)
{
    if (buildingMaterial == 0)
        return;
    if (const int material = Material(buildingMaterial); material != 0)
        elementsOf_[material].push_back(element);
}

void IfcMaterials::AssignLayers(int element, Int32 composite, LayerDirection direction)
{
    if (const int usage = LayerSetUsage(composite, direction); usage != 0)
        elementsOf_[usage].push_back(element);
}

void IfcMaterials::WriteAssociations()
{
    for (const auto& [material, elements] : elementsOf_)
        file_.Add("IFCRELASSOCIATESMATERIAL",
                  {StepString(DerivedCompressedGuid(projectKey_, "material association #" + std::to_string(material))),
                   StepNull, StepNull, StepNull, StepRefList(elements), StepRef(material)});
}

}  // namespace Sim::Ifc
