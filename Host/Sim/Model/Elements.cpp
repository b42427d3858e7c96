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

void Elements::Reindex() const
{
    positions_.clear();
    positions_.reserve(items_.size());
    for (size_t i = 0; i < items_.size(); ++i)
        positions_.emplace(items_[i].guid, i);
    indexed_ = true;
}

size_t Elements::IndexedPosition(const API_Guid& guid) const
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!indexed_)
            Reindex();
        auto found = positions_.find(guid);
        if (found == positions_.end())
            return items_.size();
        if (found->second < items_.size() && items_[found->second].guid == guid)
            return found->second;
        indexed_ = false;
    }
    return items_.size();
}

Element* Elements::Find(const API_Guid& guid)
{
    const size_t position = IndexedPosition(guid);
    return position < items_.size() ? &items_[position] : nullptr;
}

Element& Elements::Add(Element element)
{
    items_.push_back(std::move(element));
    if (indexed_)
        positions_.emplace(items_.back().guid, items_.size() - 1);
    return items_.back();
}

Element& Elements::Insert(size_t position, Element element)
{
    if (position > items_.size())
        position = items_.size();
    indexed_ = false;
    return *items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(position), std::move(element));
}

size_t Elements::PositionOf(const API_Guid& guid) const { return IndexedPosition(guid); }

bool Elements::Remove(const API_Guid& guid)
{
    const size_t position = IndexedPosition(guid);
    if (position >= items_.size())
        return false;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position));
    indexed_ = false;
    return true;
}

}  // namespace Sim::Model
