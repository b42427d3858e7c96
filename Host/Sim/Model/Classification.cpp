#include "Model/Classification.hpp"

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

const ClassificationSystem* Classifications::FindSystem(const API_Guid& guid) const
{
    for (const auto& system : systems_)
        if (system.guid == guid)
            return &system;
    return nullptr;
}

const ClassificationSystem* Classifications::FindSystem(const std::string& name, const std::string& editionVersion) const
{
    for (const auto& system : systems_)
        if (system.name == name && system.editionVersion == editionVersion)
            return &system;
    return nullptr;
}

const ClassificationItem* Classifications::FindItem(const API_Guid& guid) const
{
    for (const auto& item : items_)
        if (item.guid == guid)
            return &item;
    return nullptr;
}

const ClassificationItem* Classifications::FindItemById(const API_Guid& system, const std::string& id) const
{
    for (const auto& item : items_)
        if (item.system == system && item.id == id)
            return &item;
    return nullptr;
}

std::vector<ClassificationItem> Classifications::Children(const API_Guid& system, const API_Guid& parent) const
{
    std::vector<ClassificationItem> children;
    for (const auto& item : items_)
        if (item.system == system && item.parent == parent)
            children.push_back(item);
    return children;
}

ClassificationSystem& Classifications::AddSystem(ClassificationSystem system)
{
    systems_.push_back(std::move(system));
    return systems_.back();
}

void Classifications::AddItem(ClassificationItem item, const API_Guid& successor)
{
    auto position = items_.end();
    if (successor != APINULLGuid)
        for (auto it = items_.begin(); it != items_.end(); ++it)
            if (it->guid == successor)
                position = it;
    items_.insert(position, std::move(item));
}

}  // namespace Sim::Model
