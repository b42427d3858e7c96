// The walls, slabs and roofs of the model, listed once and reused while composites are stamped: a bulk run
// lists them at its start and clears them at its end, a single import lists and clears them around its own
// stamping.
#pragma once

#include "APIdefs_Elements.h"
#include "UniString.hpp"

#include <map>
#include <vector>

namespace QRV {

struct ElementLists {
    GS::Array<API_Guid> walls;
    GS::Array<API_Guid> slabs;
    GS::Array<API_Guid> roofs;
    GS::Array<API_Guid> all;  // walls, then slabs, then roofs
};

// The lists of this process.
ElementLists& TheElementLists();

// Lists the walls, slabs and roofs (3D elements only) afresh; stops at the first host error and returns
// it, leaving the union empty.
GSErrCode GatherElementLists();
void ClearElementLists();

// The composite an element is built of: walls, slabs and roofs of composite structure only.
bool CompositeReference(const API_Element& element, API_AttributeIndex* composite);

// For each element of `all`, in its order, whether it is built of the composite (none for index 0).
std::vector<bool> ElementsUsingComposite(API_AttributeIndex composite);
// How many of the listed elements each composite builds, from one reading of the lists.
std::map<Int32, Int32> CountElementsByComposite();
// The index of the composite of that name; 0 when it cannot be read.
API_AttributeIndex CompositeIndexOf(const GS::UniString& compositeName);

}  // namespace QRV
