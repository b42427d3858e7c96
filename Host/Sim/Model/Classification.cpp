#include "Model/Classification.hpp"
#include "Model/ModelVisits.hpp"

namespace Sim::Model {

bool EditionDate::IsValid() const
{
    if (year == 0 && month == 0 && day == 0)
        return true;
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    static const Int32 days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= days[month - 1] + (month == 2 && leap ? 1 : 0);
}

bool ClassificationSystem::operator==(const ClassificationSystem& other) const
{
    return guid == other.guid && name == other.name && description == other.description && source == other.source &&
           editionVersion == other.editionVersion && editionDate == other.editionDate;
}

bool ClassificationItem::operator==(const ClassificationItem& other) const
{
    return guid == other.guid && system == other.system && parent == other.parent && id == other.id &&
           name == other.name && description == other.description;
}

// Systems are few (a project has a handful): a search of the list is the index.
const ClassificationSystem* Classifications::FindSystem(const API_Guid& guid) const
{
    for (const auto& system : systems_) {
        CountVisits(1);
        if (system.guid == guid)
            return &system;
    }
    return nullptr;
}

const ClassificationSystem* Classifications::FindSystem(const std::string& name, const std::string& editionVersion) const
{
    for (const auto& system : systems_) {
        CountVisits(1);
        if (system.name == name && system.editionVersion == editionVersion)
            return &system;
    }
    return nullptr;
}

std::string Classifications::IdKey(const API_Guid& system, const std::string& id)
{
    return std::string(reinterpret_cast<const char*>(&system), sizeof system) + id;
}

void Classifications::Place(size_t position) const
{
    const ClassificationItem& item = items_[position];
    itemsByGuid_.emplace(item.guid, position);
    itemsById_.emplace(IdKey(item.system, item.id), position);
    childrenOf_[item.parent == APINULLGuid ? item.system : item.parent].push_back(position);
}

void Classifications::Index() const
{
    if (indexed_)
        return;
    CountVisits(items_.size());
    itemsByGuid_.clear();
    itemsById_.clear();
    childrenOf_.clear();
    for (size_t i = 0; i < items_.size(); ++i)
        Place(i);
    indexed_ = true;
}

const ClassificationItem* Classifications::FindItem(const API_Guid& guid) const
{
    Index();
    CountVisits(1);
    const auto found = itemsByGuid_.find(guid);
    return found == itemsByGuid_.end() ? nullptr : &items_[found->second];
}

const ClassificationItem* Classifications::FindItemById(const API_Guid& system, const std::string& id) const
{
    Index();
    CountVisits(1);
    const auto found = itemsById_.find(IdKey(system, id));
    return found == itemsById_.end() ? nullptr : &items_[found->second];
}

std::vector<ClassificationItem> Classifications::Children(const API_Guid& system, const API_Guid& parent) const
{
    Index();
    std::vector<ClassificationItem> children;
    const auto found = childrenOf_.find(parent == APINULLGuid ? system : parent);
    if (found == childrenOf_.end())
        return children;
    CountVisits(found->second.size());
    for (const size_t position : found->second)
        if (items_[position].system == system)
            children.push_back(items_[position]);
    return children;
}

ClassificationSystem& Classifications::AddSystem(ClassificationSystem system)
{
    systems_.push_back(std::move(system));
    return systems_.back();
}

void Classifications::AddItem(ClassificationItem item, const API_Guid& successor)
{
    if (successor != APINULLGuid) {
        Index();
        const auto found = itemsByGuid_.find(successor);
        if (found != itemsByGuid_.end()) {
            items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(found->second), std::move(item));
            indexed_ = false;
            return;
        }
    }
    items_.push_back(std::move(item));
    if (indexed_)
        Place(items_.size() - 1);
}

}  // namespace Sim::Model
