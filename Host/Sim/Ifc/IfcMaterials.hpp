// The materials of an IFC export: one IfcMaterial per building material and one IfcMaterialLayerSet per
// composite, each written once however many elements use it, and the relations that give elements them.
#pragma once

#include "Ifc/StepFile.hpp"
#include "Model/Attributes.hpp"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace Sim::Ifc {

class IfcMaterials {
public:
    enum class LayerDirection { Axis2, Axis3 };  // across a wall; through a slab or roof

    IfcMaterials(StepFile& file, const Model::Attributes& attributes, std::string projectKey);

    // Gives the element the building material; nothing for index 0 or one the project does not have.
    void AssignMaterial(int element, Int32 buildingMaterial);
    // Gives the element the composite's layers, laid in `direction`.
    void AssignLayers(int element, Int32 composite, LayerDirection direction);

    // One IfcRelAssociatesMaterial per material or layer usage, listing its elements.
    void WriteAssociations();

private:
    int Material(Int32 index);
    int LayerSetUsage(Int32 composite, LayerDirection direction);

    StepFile& file_;
    const Model::Attributes& attributes_;
    std::string projectKey_;
    std::map<Int32, int> materials_;
    std::map<Int32, int> layerSets_;
    std::map<std::pair<Int32, LayerDirection>, int> usages_;
    std::map<int, std::vector<int>> elementsOf_;  // material or usage -> elements, in order of assignment
};

}  // namespace Sim::Ifc
