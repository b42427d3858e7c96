#include "Model/ElementQuantities.hpp"
#include "AttributeIndex.hpp"

#include <algorithm>
#include <cstring>

namespace Sim::Model {
namespace {

// A composite element is as thick as its composite (the host keeps it so), so its own thickness serves.
double StructureThickness(const Element& element)
{
    return element.type == API_WallID ? MeanWallThickness(element) : element.thickness;
}

// The side surface of a wall, the plan area of a slab or roof: what a part's share of the volume spreads over.
double LayeredArea(const Element& element)
{
    return element.type == API_WallID ? element.length * element.height : element.length * element.width;
}

}  // namespace

double MeanWallThickness(const Element& wall) { return (wall.thickness + wall.endThickness) / 2.0; }

double Volume(const Element& element)
{
    switch (element.type) {
        case API_WallID:
        case API_SlabID:
        case API_RoofID: return LayeredArea(element) * StructureThickness(element);
        case API_ColumnID:
        case API_BeamID:
        case API_ObjectID: return element.length * element.width * element.height;
        case API_WindowID:
        case API_DoorID: return element.width * element.height * element.thickness;
        case API_StairID: return element.length * element.width * element.height / 2.0;
        default: return 0.0;
    }
}

API_ElementQuantity QuantitiesOf(const Element& element)
{
    API_ElementQuantity quantities;
    std::memset(&quantities, 0, sizeof quantities);
    const double volume = Volume(element);
    switch (element.type) {
        case API_WallID:
            quantities.wall.volume = volume;
            quantities.wall.surface1 = quantities.wall.surface2 = element.length * element.height;
            quantities.wall.length = element.length;
            break;
        case API_SlabID:
            quantities.slab.volume = volume;
            quantities.slab.topSurface = quantities.slab.bottomSurface = element.length * element.width;
            break;
        case API_RoofID:
            quantities.roof.volume = volume;
            quantities.roof.topSurface = quantities.roof.bottomSurface = element.length * element.width;
            break;
        case API_WindowID:
        case API_DoorID:
            quantities.window = {element.width, element.height, element.width * element.height, volume};
            break;
        case API_CurtainWallID:
            quantities.cw.length = element.length;
            quantities.cw.contourSurface = element.length * element.height;
            break;
        case API_StairID:
            quantities.stair.volume = volume;
            quantities.stair.area = element.length * element.width;
            break;
        default: break;
    }
    return quantities;
}

std::vector<API_CompositeQuantity> MaterialPartsOf(const Element& element, const Attributes& attributes)
{
    std::vector<API_CompositeQuantity> parts;
    auto add = [&parts](Int32 material, double volume, double projectedArea) {
        if (material != 0)
            parts.push_back({volume, projectedArea, IndexOf(material), 0});
    };
    if (element.HasStructure()) {
        const double area = LayeredArea(element);
        const Composite* composite = element.structure == API_CompositeStructure
                                         ? attributes.composites.FindByIndex(element.composite)
                                         : nullptr;
        if (composite != nullptr) {
            const double total = composite->totalThickness;
            const double volume = Volume(element);
            for (const auto& skin : composite->skins)
                add(skin.buildingMaterial, total > 0.0 ? volume * skin.thickness / total : 0.0, area);
        } else if (element.structure != API_CompositeStructure) {
            add(element.buildingMaterial, Volume(element), area);
        }
    } else if (element.type == API_ColumnID) {
        add(element.buildingMaterial, Volume(element), element.length * element.width);
    } else if (element.type == API_BeamID) {
        add(element.buildingMaterial, Volume(element), element.length * element.width);
    }
    return parts;
}

API_Box3D BoundsOf(const Element& element)
{
    double dx = element.length, dy = element.width, dz = element.height;
    switch (element.type) {
        case API_WallID: dy = std::max(element.thickness, element.endThickness); break;
        case API_SlabID:
        case API_RoofID: dz = element.thickness; break;
        case API_WindowID:
        case API_DoorID:
            dx = element.width;
            dy = element.thickness;
            break;
        case API_CurtainWallID: dy = 0.0; break;
        default: break;
    }
    const Point3& o = element.origin;
    return {o.x, o.y, o.z, o.x + dx, o.y + dy, o.z + dz};
}

}  // namespace Sim::Model
