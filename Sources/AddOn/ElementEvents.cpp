#include "ElementEvents.hpp"

#include "ACAPinc.h"
#include "Support/GetAttribute.hpp"
#include "Support/HostBoundary.hpp"
#include "Support/HostErrorReport.hpp"
#include "Support/LogStream.hpp"
#include "GSDebug.hpp"
#include "ProjectWriter/CorvanaClassification.hpp"
#include "ProjectWriter/NamedProducts.hpp"
#include "ProjectWriter/PropertyReset.hpp"
#include "ProjectWriter/PropertyRuns.hpp"
#include "ProjectWriter/PropertyWriter.hpp"
#include "ProjectWriter/StoredTexts.hpp"
#include "Support/Utf8.hpp"

#include <cstring>
#include <string>

namespace QRV {
namespace {

constexpr GSErrCode UnexpectedElementType = -7003;
constexpr size_t TypeNameBytes = 255;
constexpr size_t GuidTextBytes = 64;

std::string Cut(const std::string& text, size_t bytes) { return text.size() > bytes ? text.substr(0, bytes) : text; }

std::string GuidText(const API_Guid& guid) { return Cut(ToUtf8(APIGuidToString(guid)), GuidTextBytes); }

bool IsNull(const API_Guid& guid) { return guid == APINULLGuid; }

void WriteSeriesLine(const API_NotifyElementType& notification)
{
    API_DatabaseInfo info;
    std::memset(&info, 0, sizeof info);
    info.databaseUnId = notification.databaseId;
    std::string name;
    if (ACAPI_Window_GetDatabaseInfo(&info) == NoError) {
        info.name[API_UniLongNameLen - 1] = 0;
        name = ToUtf8(GS::UniString(info.name));
    }
    DBPrintf("### Element_Manager: %s notification on database \"%s\"\n",
             notification.notifID == APINotifyElement_BeginEvents ? "Begin Events" : "End Events", name.c_str());
}

// Asks the host to tell about this element from now on; an existing link is as good as a new one.
void AttachObserver(const API_Guid& guid)
{
    const GSErrCode err = ACAPI_Element_AttachObserver(guid);
    if (err != NoError && err != APIERR_LINKEXIST)
        ReportHostError(err, "ElementEventHandler::ACAPI_Element_AttachObserver");
}

// The element the notified one was derived from (the original of a copy), as the host tells it during the
// notification; null when it has none.
API_Guid ParentOfNotified()
{
    API_Element parent;
    std::memset(&parent, 0, sizeof parent);
    if (ACAPI_Notification_GetParentElement(&parent, nullptr, 0, nullptr) != NoError)
        return APINULLGuid;
    return parent.header.guid;
}

// The debug line of a notification kind, or "" for kinds that are not reported. `stamp` and `observe` tell
// what else the kind asks for.
std::string DescribeNotification(const API_NotifyElementType& notification, const API_Guid& parentGuid,
                                 const std::string& typeName, bool& observe, bool& stamp)
{
    const std::string guid = GuidText(notification.elemHead.guid);
    const std::string parent = GuidText(parentGuid);
    const bool hasParent = !IsNull(parentGuid);
    const std::string type = "<" + typeName + "> ";
    const std::string prefix = "### Element_Manager: ";
    observe = stamp = false;
    switch (notification.notifID) {
        case APINotifyElement_New:
            observe = stamp = true;
            return prefix + type + "created {" + guid + "}" + (hasParent ? " as a copy of {" + parent + "}" : "");
        case APINotifyElement_Copy:
            if (!hasParent)
                return {};
            observe = stamp = true;
            return prefix + type + "copied {" + guid + "} from {" + parent + "}";
        case APINotifyElement_Change:
            stamp = true;
            return hasParent ? prefix + type + "changed {" + guid + "} -> {" + parent + "}"
                             : prefix + type + "window/door changed {" + guid + "}";
        case APINotifyElement_Edit:
            stamp = true;
            return hasParent ? prefix + type + "edited {" + guid + "} -> {" + parent + "}"
                             : prefix + type + "edited in place {" + guid + "}";
        case APINotifyElement_Delete: return prefix + type + "deleted {" + guid + "}";
        case APINotifyElement_Undo_Created: return prefix + "undone " + type + "created {" + guid + "}";
        case APINotifyElement_Undo_Modified: return prefix + "undone " + type + "modified {" + guid + "}";
        case APINotifyElement_Undo_Deleted: return prefix + "undone " + type + "deleted {" + guid + "}";
        case APINotifyElement_Redo_Created: return prefix + "redone " + type + "created {" + guid + "}";
        case APINotifyElement_Redo_Modified: return prefix + "redone " + type + "modified {" + guid + "}";
        case APINotifyElement_Redo_Deleted: return prefix + "redone " + type + "deleted {" + guid + "}";
        case APINotifyElement_PropertyValueChange: return prefix + type + "property value changed {" + guid + "}";
        case APINotifyElement_ClassificationChange:
            stamp = true;
            return prefix + type + "classification changed {" + guid + "}";
        default: return {};
    }
}

// The attribute that gives a wall, slab or roof its structure; false for other kinds.
bool StructureAttribute(const API_Element& element, API_Attr_Head& header)
{
    API_ModelElemStructureType structure;
    API_AttributeIndex buildingMaterial;
    API_AttributeIndex composite;
    switch (element.header.type.typeID) {
        case API_WallID:
            structure = element.wall.modelElemStructureType;
            buildingMaterial = element.wall.buildingMaterial;
            composite = element.wall.composite;
            break;
        case API_SlabID:
            structure = element.slab.modelElemStructureType;
            buildingMaterial = element.slab.buildingMaterial;
            composite = element.slab.composite;
            break;
        case API_RoofID:
            structure = element.roof.shellBase.modelElemStructureType;
            buildingMaterial = element.roof.shellBase.buildingMaterial;
            composite = element.roof.shellBase.composite;
            break;
        default: return false;
    }
    const bool isComposite = structure == API_CompositeStructure;
    header.typeID = isComposite ? API_CompWallID : API_BuildingMaterialID;
    header.index = isComposite ? composite : buildingMaterial;
    return true;
}

}  // namespace

void InstallElementEventHandlers()
{
    ACAPI_Element_CatchNewElement(nullptr, ElementEventHandler);
    ACAPI_Element_InstallElementObserver(ElementEventHandler);
}

namespace {

GSErrCode HandleElementEvent(const API_NotifyElementType* elemType)
{
    if (elemType == nullptr)
        return NoError;
    if (elemType->notifID == APINotifyElement_BeginEvents || elemType->notifID == APINotifyElement_EndEvents) {
        WriteSeriesLine(*elemType);
        return NoError;
    }

    GS::UniString typeName;
    if (ACAPI_Element_GetElemTypeName(elemType->elemHead.type, typeName) != NoError)
        return NoError;
    const API_ElemTypeID type = elemType->elemHead.type.typeID;
    if (type == API_WallID || type == API_SlabID || type == API_RoofID)
        return ElemPlacedEventHandler(elemType);

    // Read so that a stale record is not acted on; a deleted element is still reported by its header.
    API_Element element;
    std::memset(&element, 0, sizeof element);
    element.header.guid = elemType->elemHead.guid;
    ACAPI_Element_Get(&element);

    bool observe = false;
    bool stamp = false;
    const API_Guid parent = elemType->notifID == APINotifyElement_New || elemType->notifID == APINotifyElement_Copy ||
                                    elemType->notifID == APINotifyElement_Change ||
                                    elemType->notifID == APINotifyElement_Edit
                                ? ParentOfNotified()
                                : APINULLGuid;
    const std::string line =
        DescribeNotification(*elemType, parent, Cut(ToUtf8(typeName), TypeNameBytes), observe, stamp);
    GSErrCode result = NoError;
    if (observe)
        AttachObserver(elemType->elemHead.guid);
    if (stamp)
        result = ApplyStoredPropertiesToElement(elemType->elemHead.guid);
    if (!line.empty())
        DBPrintf("%s\n", line.c_str());
    return result;
}

}  // namespace

namespace {

// Stamps the list of the element's structure onto it and records it with the element; a changed element
// first loses what its former list had and this one lacks.
void StampCatalogueList(const API_Guid& elemGuid, const CorvanaProperties& properties, const std::string& stored,
                        bool changed)
{
    // A changed element may come from another catalogue item: what only that one had goes first.
    if (changed)
        ResetPropertiesNotIn(elemGuid, properties);
    DefineProperties(properties, API_Attr_Head{}, elemGuid);
    // The element remembers its list, so that the properties can be taken back when it loses them.
    std::string recorded;
    if (GetElementUserData(elemGuid, recorded) != NoError || recorded != stored)
        SetElementUserData(elemGuid, stored);
}

}  // namespace

GSErrCode ElementEventHandler(const API_NotifyElementType* elemType)
{
    GSErrCode result = NoError;
    RunForHost("ElementEventHandler", [&]() { result = HandleElementEvent(elemType); });
    return result;
}

GSErrCode ElemPlacedEventHandler(const API_NotifyElementType* elemType)
{
    if (elemType == nullptr ||
        (elemType->notifID != APINotifyElement_New && elemType->notifID != APINotifyElement_Change))
        return NoError;

    API_Element element;
    std::memset(&element, 0, sizeof element);
    element.header.guid = elemType->elemHead.guid;
    GSErrCode err = ACAPI_Element_Get(&element);
    if (err != NoError) {
        ReportHostError(err, "WallPlacedEventHandler::ACAPI_Element_Get");
        return err;
    }
    if (elemType->notifID == APINotifyElement_New)
        ACAPI_Element_AttachObserver(element.header.guid);

    API_Attribute attribute = BlankAttribute(API_ZombieAttrID);
    if (!StructureAttribute(element, attribute.header)) {
        LogStream::Instance().Error("ElemPlacedEventHandler: Unexpected element type");
        return UnexpectedElementType;
    }
    err = ACAPI_Attribute_Get(&attribute);
    if (err != NoError) {
        ReportHostError(err, "WallPlacedEventHandler::ACAPI_Attribute_Get");
        return err;
    }

    std::string stored;
    GetUserData(attribute, stored);
    if (!stored.empty()) {
        ClassifyElement(element.header.guid);
        CorvanaProperties properties;
        if (ParseStoredProperties(stored, properties, "User data of \"" + std::string(attribute.header.name) + "\""))
            StampCatalogueList(element.header.guid, properties, stored, elemType->notifID == APINotifyElement_Change);
    } else if (elemType->notifID == APINotifyElement_Change) {
        SetDefaultValuesForCorvanaProperties(element.header.guid);
    }
    return NoError;
}

void SetDefaultValuesForCorvanaProperties(const API_Guid& elemGuid) { ResetFormerCatalogueProperties(elemGuid); }


}  // namespace QRV
