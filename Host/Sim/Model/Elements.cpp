#include "Model/Elements.hpp"

namespace Sim::Model {

bool Element::operator==(const Element& other) const
{
    return guid == other.guid && type == other.type && onVisibleLayer == other.onVisibleLayer && in3D == other.in3D &&
           userData == other.userData && attached == other.attached;
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
