#include "SystemReplacement.hpp"

#include "HostLookups.hpp"
#include "ACAPinc.h"
#include "Support/GetAttribute.hpp"
#include "Support/LogStream.hpp"
#include "Support/UndoStep.hpp"
#include "CorvanaClassification.hpp"
#include "ElementLists.hpp"
#include "PropertyRuns.hpp"
#include "StoredTexts.hpp"

#include <cstring>
#include <string>

namespace QRV {
namespace {

void SetCompositeReference(API_Element& element, API_AttributeIndex composite)
{
    switch (element.header.type.typeID) {
        case API_WallID: element.wall.composite = composite; break;
        case API_SlabID: element.slab.composite = composite; break;
        case API_RoofID: element.roof.shellBase.composite = composite; break;
        default: break;
    }
}

// The walls, slabs and roofs in the model that use the composite, in the order of one listing of all
// elements, as the host lists them. Of this listing only: the process-wide lists may be a bulk run's,
// taken before this import wrote anything.
GS::Array<API_Guid> ElementsOf(API_AttributeIndex composite)
{
    GS::Array<API_Guid> users;
    GS::Array<API_Guid> guids;
    if (ACAPI_Element_GetElemList(API_ElemType(API_ZombieElemID), &guids, APIFilt_In3D) != NoError)
        return users;
    for (const API_Guid& guid : guids) {
        API_Element element;
        std::memset(&element, 0, sizeof element);
        element.header.guid = guid;
        API_AttributeIndex reference = APIInvalidAttributeIndex;
        if (ACAPI_Element_Get(&element) == NoError && CompositeReference(element, &reference) &&
            reference == composite)
            users.Push(guid);
    }
    return users;
}

GSErrCode Rebuild(const API_Guid& guid, API_AttributeIndex composite)
{
    API_Element element;
    std::memset(&element, 0, sizeof element);
    element.header.guid = guid;
    GSErrCode err = ACAPI_Element_Get(&element);
    if (err != NoError)
        return err;
    SetCompositeReference(element, composite);
    API_Element mask;
    ACAPI_ELEMENT_MASK_SETFULL(mask);
    return ACAPI_Element_Change(&element, &mask, nullptr, 0, true);
}

void StampStoredProperties(const API_Guid& guid, const std::string& stored, const CorvanaProperties& properties,
                           HostLookups& lookups)
{
    // The element's classification and user data are element changes, written with its properties.
    DefinePropertiesUndoable(properties, API_Attr_Head{}, guid, UndoStepName::SystemReplacement, lookups, [&] {
        ClassifyElement(guid, lookups);
        SetElementUserData(guid, stored);
    });
}

}  // namespace

void ReplaceConstructionSystem(API_AttributeIndex oldComposite, const API_Attribute& newComposite)
{
    API_Attribute old = BlankAttribute(API_CompWallID);
    old.header.index = oldComposite;
    if (!oldComposite.IsPositive() || ACAPI_Attribute_Get(&old) != NoError) {
        LogStream::Instance().Warning("Replace construction system: there is no composite with the index " +
                                      std::to_string(oldComposite.ToInt32_Deprecated()) + "; no element changed");
        return;
    }

    std::string stored;
    CorvanaProperties properties;
    const bool hasProperties =
        GetUserData(newComposite, stored) == NoError && !stored.empty() &&
        ParseStoredProperties(stored, properties, "Composite \"" + std::string(newComposite.header.name) + "\"");

    const GS::Array<API_Guid> users = ElementsOf(old.header.index);
    if (users.IsEmpty())
        return;
    RunInUndoStep(UndoStepName::SystemReplacement, [&]() -> GSErrCode {
        HostLookups lookups;
        for (const API_Guid& guid : users) {
            if (Rebuild(guid, newComposite.header.index) != NoError)
                continue;
            if (hasProperties)
                StampStoredProperties(guid, stored, properties, lookups);
        }
        return NoError;
    });
}

}  // namespace QRV
