#include "ElementLists.hpp"

#include "ACAPinc.h"
#include "Support/AttributeName.hpp"
#include "Support/GetAttribute.hpp"

#include <cstring>

namespace QRV {
namespace {

GSErrCode ListElements(API_ElemTypeID typeID, GS::Array<API_Guid>& guids)
{
    return ACAPI_Element_GetElemList(API_ElemType(typeID), &guids, APIFilt_In3D);
}

// The composite a listed element is built of; the invalid index for one that cannot be read or is not of composite structure.
API_AttributeIndex CompositeOfListed(const API_Guid& guid)
{
    API_Element element;
    std::memset(&element, 0, sizeof element);
    element.header.guid = guid;
    API_AttributeIndex composite = APIInvalidAttributeIndex;
    if (ACAPI_Element_Get(&element) != NoError || !CompositeReference(element, &composite))
        return APIInvalidAttributeIndex;
    return composite;
}

}  // namespace

ElementLists& TheElementLists()
{
    static ElementLists lists;
    return lists;
}

GSErrCode GatherElementLists()
{
    ClearElementLists();
    // Nothing is kept from a listing that failed part way: a half list would stamp some elements only.
    ElementLists gathered;
    GSErrCode err = ListElements(API_WallID, gathered.walls);
    if (err == NoError)
        err = ListElements(API_SlabID, gathered.slabs);
    if (err == NoError)
        err = ListElements(API_RoofID, gathered.roofs);
    if (err != NoError)
        return err;
    gathered.all.Append(gathered.walls);
    gathered.all.Append(gathered.slabs);
    gathered.all.Append(gathered.roofs);
    TheElementLists() = std::move(gathered);
    return NoError;
}

void ClearElementLists() { TheElementLists() = ElementLists{}; }

bool CompositeReference(const API_Element& element, API_AttributeIndex* composite)
{
    switch (element.header.type.typeID) {
        case API_WallID:
            if (element.wall.modelElemStructureType != API_CompositeStructure)
                return false;
            *composite = element.wall.composite;
            return true;
        case API_SlabID:
            if (element.slab.modelElemStructureType != API_CompositeStructure)
                return false;
            *composite = element.slab.composite;
            return true;
        case API_RoofID:
            if (element.roof.shellBase.modelElemStructureType != API_CompositeStructure)
                return false;
            *composite = element.roof.shellBase.composite;
            return true;
        default:
            return false;
    }
}

std::vector<bool> ElementsUsingComposite(API_AttributeIndex composite)
{
    const GS::Array<API_Guid>& all = TheElementLists().all;
    std::vector<bool> uses(all.GetSize(), false);
    if (composite == APIInvalidAttributeIndex)
        return uses;
    for (size_t i = 0; i < uses.size(); ++i)
        uses[i] = CompositeOfListed(all[static_cast<UIndex>(i)]) == composite;
    return uses;
}

std::map<Int32, Int32> CountElementsByComposite()
{
    std::map<Int32, Int32> counts;
    for (const API_Guid& guid : TheElementLists().all)
        if (const API_AttributeIndex composite = CompositeOfListed(guid); composite != APIInvalidAttributeIndex)
            ++counts[composite.ToInt32_Deprecated()];
    return counts;
}

API_AttributeIndex CompositeIndexOf(const GS::UniString& compositeName)
{
    API_Attribute attribute = BlankAttribute(API_CompWallID);
    if (!SetAttributeName(attribute.header, compositeName) || ACAPI_Attribute_Get(&attribute) != NoError)
        return APIInvalidAttributeIndex;
    return attribute.header.index;
}

}  // namespace QRV
