// The model's elements: walls, slabs, roofs, columns, beams, windows, doors, objects, curtain walls and
// stairs with their parts, each with its GUID, kind, layer visibility and 3D presence, what gives it its
// structure, and what add-ons attached to it.
#pragma once

#include "APIdefs_Elements.h"
#include "Model/AttachedData.hpp"
#include "Model/Attributes.hpp"

#include <optional>
#include <string>
#include <vector>

namespace Sim::Model {

struct Element {
    API_Guid guid{};
    API_ElemTypeID type = API_WallID;
    bool onVisibleLayer = true;
    bool in3D = true;
    std::optional<AttributeUserData> userData;  // element user data (version 1 by convention)
    AttachedData attached;

    bool operator==(const Element& other) const;
    bool operator!=(const Element& other) const { return !(*this == other); }
};

class Elements {
public:
    const std::vector<Element>& All() const { return items_; }
    Element* Find(const API_Guid& guid);
    const Element* Find(const API_Guid& guid) const { return const_cast<Elements*>(this)->Find(guid); }
    Element& Add(Element element);
    bool Remove(const API_Guid& guid);
    bool ContainsGuid(const API_Guid& guid) const { return Find(guid) != nullptr; }

    bool operator==(const Elements& other) const { return items_ == other.items_; }
    bool operator!=(const Elements& other) const { return !(*this == other); }

private:
    std::vector<Element> items_;  // in creation order, which is the host's listing order
};

}  // namespace Sim::Model
