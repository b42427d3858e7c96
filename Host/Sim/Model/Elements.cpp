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
           thickness == other.thickness && endThickness == other.endThickness && planArea == other.planArea &&
           holes == other.holes && veneer == other.veneer && sectionParts == other.sectionParts &&
           wall == other.wall && libraryPart == other.libraryPart &&
           ownerType == other.ownerType && owner == other.owner;
}

const std::vector<UInt32>& Elements::PositionsIn(const Positions& index, const API_Guid& guid) const
{
    if (!relationsIndexed_) {
        openings_.clear();
        parts_.clear();
        CountVisits(items_.size());
        for (size_t i = 0; i < items_.size(); ++i) {
            const Element& element = items_[i];
            if (element.type == API_WindowID || element.type == API_DoorID)
                openings_[element.wall].push_back(static_cast<UInt32>(i));
            if (!(element.owner == APINULLGuid))
                parts_[element.owner].push_back(static_cast<UInt32>(i));
        }
        relationsIndexed_ = true;
    }
    static const std::vector<UInt32> none;
    CountVisits(1);
    const auto found = index.find(guid);
    return found == index.end() ? none : found->second;
}

const std::vector<UInt32>& Elements::OpeningPositionsOf(const API_Guid& wall) const
{
    return PositionsIn(openings_, wall);
}

const std::vector<UInt32>& Elements::PartPositionsOf(const API_Guid& owner) const
{
    return PositionsIn(parts_, owner);
}

void Elements::Reindex() const
{
    size_t capacity = 16;
    while (capacity < 2 * items_.size() + 2)
        capacity *= 2;
    slots_.assign(capacity, Slot{});
    CountVisits(items_.size());
    for (size_t i = 0; i < items_.size(); ++i)
        Place(i);
    indexed_ = true;
}

size_t Elements::FindSlot(const API_Guid& guid) const
{
    const size_t mask = slots_.size() - 1;
    size_t index = GuidHash{}(guid) & mask;
    while (slots_[index].position != Slot::Empty && !(slots_[index].guid == guid))
        index = (index + 1) & mask;
    return index;
}

// A GUID held twice is found at its first position, as a listing search would find it.
void Elements::Place(size_t position) const
{
    Slot& slot = slots_[FindSlot(items_[position].guid)];
    if (slot.position != Slot::Empty)
        return;
    slot.guid = items_[position].guid;
    slot.position = static_cast<UInt32>(position);
}

size_t Elements::IndexedPosition(const API_Guid& guid) const
{
    CountVisits(1);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!indexed_ || slots_.empty())
            Reindex();
        const Slot& slot = slots_[FindSlot(guid)];
        if (slot.position == Slot::Empty)
            return items_.size();
        if (slot.position < items_.size() && items_[slot.position].guid == guid)
            return slot.position;
        indexed_ = false;
    }
    return items_.size();
}

Element* Elements::Find(const API_Guid& guid)
{
    relationsIndexed_ = false;  // the caller may move an opening to another wall, a part to another owner
    const size_t position = IndexedPosition(guid);
    return position < items_.size() ? &items_[position] : nullptr;
}

Element* Elements::FindToChangeData(const API_Guid& guid)
{
    const size_t position = IndexedPosition(guid);
    return position < items_.size() ? &items_[position] : nullptr;
}

const Element* Elements::Find(const API_Guid& guid) const
{
    const size_t position = IndexedPosition(guid);
    return position < items_.size() ? &items_[position] : nullptr;
}

Element& Elements::Add(Element element)
{
    relationsIndexed_ = false;
    items_.push_back(std::move(element));
    if (indexed_ && 2 * items_.size() + 2 <= slots_.size()) {
        Place(items_.size() - 1);
    } else {
        indexed_ = false;  // rebuilt larger at the next look-up
    }
    return items_.back();
}

Element& Elements::Insert(size_t position, Element element)
{
    if (position > items_.size())
        position = items_.size();
    indexed_ = false;
    relationsIndexed_ = false;
    return *items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(position), std::move(element));
}

void Elements::FollowComposite(const Composite& composite)
{
    CountVisits(items_.size());
    for (Element& element : items_)
        if (element.HasStructure() && element.structure == API_CompositeStructure &&
            element.composite == composite.index)
            element.thickness = element.endThickness = composite.totalThickness;
}

size_t Elements::PositionOf(const API_Guid& guid) const { return IndexedPosition(guid); }

bool Elements::Remove(const API_Guid& guid)
{
    const size_t position = IndexedPosition(guid);
    if (position >= items_.size())
        return false;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position));
    indexed_ = false;
    relationsIndexed_ = false;
    return true;
}

}  // namespace Sim::Model
