#include "Model/Elements.hpp"

namespace Sim::Model {

bool Element::IsModelType(API_ElemTypeID type)
{
    switch (type) {
        case API_WallID:
        case API_ColumnID:
        case API_BeamID:
        case API_WindowID:
        case API_DoorID:
        case API_SlabID:
        case API_RoofID:
        case API_ObjectID:
        case API_CurtainWallID:
        case API_StairID: return true;
        default: return false;
    }
}

const std::string* Element::IfcValue(const std::string& name) const
{
    for (const auto& attribute : ifcAttributes)
        if (attribute.name == name)
            return &attribute.value;
    return nullptr;
}

void Element::SetIfcAttribute(const std::string& name, const std::string& value)
{
    for (auto& attribute : ifcAttributes) {
        if (attribute.name == name) {
            attribute.value = value;
            return;
        }
    }
    ifcAttributes.push_back({name, value});
}

bool Element::operator==(const Element& other) const
{
    return guid == other.guid && type == other.type && onVisibleLayer == other.onVisibleLayer && in3D == other.in3D &&
           userData == other.userData && attached == other.attached && ifcAttributes == other.ifcAttributes &&
           structure == other.structure && buildingMaterial == other.buildingMaterial &&
           composite == other.composite && profile == other.profile && wallGeometry == other.wallGeometry &&
           origin == other.origin && length == other.length && width == other.width && height == other.height &&
           thickness == other.thickness && endThickness == other.endThickness && libraryPart == other.libraryPart &&
           ownerType == other.ownerType && owner == other.owner;
}

Element* Elements::Find(const API_Guid& guid)
{
    for (auto& element : items_)
        if (element.guid == guid)
            return &element;
    return nullptr;
}

Element& Elements::Add(Element element)
{
    items_.push_back(std::move(element));
    return items_.back();
}

Element& Elements::Insert(size_t position, Element element)
{
    if (position > items_.size())
        position = items_.size();
    return *items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(position), std::move(element));
}

size_t Elements::PositionOf(const API_Guid& guid) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].guid == guid)
            return i;
    return items_.size();
}

bool Elements::Remove(const API_Guid& guid)
{
    for (auto it = items_.begin(); it != items_.end(); ++it) {
        if (it->guid == guid) {
            items_.erase(it);
            return true;
        }
    }
    return false;
}

}  // namespace Sim::Model
