// Classification systems and items, and the classification of attributes and elements: a system is known
// by its name and edition version, an item by its ID within its system, and a target carries at most one
// item per system (a new item of a system replaces the one it had).
#include "ACAPinc.h"
#include "Families/Targets.hpp"
#include "Host.hpp"
#include "SimUtf8.hpp"
#include "UndoHistory.hpp"
#include "UndoScope.hpp"

namespace Sim {
namespace {

using Model::ClassificationItem;
using Model::ClassificationSystem;

Model::Project& Proj() { return TheHost().GetProject(); }
Model::Classifications& Classes() { return Proj().classifications; }


API_ClassificationSystem ToRecord(const ClassificationSystem& system)
{
    API_ClassificationSystem record;
    record.guid = system.guid;
    record.name = Sim::Uni(system.name);
    record.description = Sim::Uni(system.description);
    record.source = Sim::Uni(system.source);
    record.editionVersion = Sim::Uni(system.editionVersion);
    record.editionDate = GSDateRecord(static_cast<unsigned short>(system.editionDate.year),
                                      static_cast<unsigned short>(system.editionDate.month),
                                      static_cast<unsigned short>(system.editionDate.day));
    return record;
}

API_ClassificationItem ToRecord(const ClassificationItem& item)
{
    API_ClassificationItem record;
    record.guid = item.guid;
    record.id = Sim::Uni(item.id);
    record.name = Sim::Uni(item.name);
    record.description = Sim::Uni(item.description);
    return record;
}

GSErrCode GetClassificationSystems(GS::Array<API_ClassificationSystem>& systems)
{
    systems.Clear();
    for (const auto& system : Classes().Systems())
        systems.Push(ToRecord(system));
    return NoError;
}

GSErrCode CreateClassificationSystem(API_ClassificationSystem& system)
{
    if (GSErrCode err = CheckCallScope("ACAPI_Classification_CreateClassificationSystem", HostCall::UndoableModifier);
        err != NoError)
        return err;
    if (system.name.IsEmpty() || !IsHostText(system.name))
        return APIERR_BADNAME;
    for (const auto* text : {&system.description, &system.source, &system.editionVersion})
        if (!IsHostText(*text))
            return APIERR_BADPARS;
    const Model::EditionDate date{system.editionDate.year, system.editionDate.month, system.editionDate.day};
    if (!date.IsValid())
        return APIERR_BADPARS;
    if (Classes().FindSystem(Sim::Utf8(system.name), Sim::Utf8(system.editionVersion)) != nullptr)
        return APIERR_NAMEALREADYUSED;
    ClassificationSystem created;
    if (GSErrCode err = ClaimNewGuid(system.guid, &created.guid); err != NoError)
        return err;
    created.name = Sim::Utf8(system.name);
    created.description = Sim::Utf8(system.description);
    created.source = Sim::Utf8(system.source);
    created.editionVersion = Sim::Utf8(system.editionVersion);
    created.editionDate = date;
    WillChangeClassifications();
    system = ToRecord(Classes().AddSystem(std::move(created)));
    return NoError;
}

GSErrCode GetClassificationSystemRootItems(const API_Guid& systemGuid, GS::Array<API_ClassificationItem>& items)
{
    if (Classes().FindSystem(systemGuid) == nullptr)
        return APIERR_BADID;
    items.Clear();
    for (const auto& item : Classes().Children(systemGuid, APINULLGuid))
        items.Push(ToRecord(item));
    return NoError;
}

GSErrCode GetClassificationItemChildren(const API_Guid& itemGuid, GS::Array<API_ClassificationItem>& children)
{
    const ClassificationItem* parent = Classes().FindItem(itemGuid);
    if (parent == nullptr)
        return APIERR_BADID;
    children.Clear();
    for (const auto& item : Classes().Children(parent->system, parent->guid))
        children.Push(ToRecord(item));
    return NoError;
}

GSErrCode CreateClassificationItem(API_ClassificationItem& item, const API_Guid& systemGuid,
                                   const API_Guid& parentItemGuid, const API_Guid& nextItemGuid)
{
    if (GSErrCode err = CheckCallScope("ACAPI_Classification_CreateClassificationItem", HostCall::UndoableModifier);
        err != NoError)
        return err;
    if (Classes().FindSystem(systemGuid) == nullptr)
        return APIERR_BADID;
    if (parentItemGuid != APINULLGuid) {
        const ClassificationItem* found = Classes().FindItem(parentItemGuid);
        if (found == nullptr || found->system != systemGuid)
            return APIERR_BADID;
    }
    if (nextItemGuid != APINULLGuid) {
        // The next item must be one of the new item's siblings.
        const ClassificationItem* found = Classes().FindItem(nextItemGuid);
        if (found == nullptr || found->system != systemGuid || found->parent != parentItemGuid)
            return APIERR_BADID;
    }
    if (item.id.IsEmpty() || !IsHostText(item.id))
        return APIERR_BADPARS;
    if (!IsHostText(item.name) || !IsHostText(item.description))
        return APIERR_BADPARS;
    if (Classes().FindItemById(systemGuid, Sim::Utf8(item.id)) != nullptr)
        return APIERR_NAMEALREADYUSED;
    ClassificationItem created;
    if (GSErrCode err = ClaimNewGuid(item.guid, &created.guid); err != NoError)
        return err;
    created.system = systemGuid;
    created.parent = parentItemGuid;
    created.id = Sim::Utf8(item.id);
    created.name = Sim::Utf8(item.name);
    created.description = Sim::Utf8(item.description);
    item = ToRecord(created);
    WillChangeClassifications();
    Classes().AddItem(std::move(created), nextItemGuid);
    return NoError;
}

// In the order of the systems.
void PutPairs(const Model::AttachedData& attached, GS::Array<GS::Pair<API_Guid, API_Guid>>& pairs)
{
    pairs.Clear();
    for (const auto& system : Classes().Systems()) {
        auto it = attached.classification.find(system.guid);
        if (it != attached.classification.end())
            pairs.Push(GS::Pair<API_Guid, API_Guid>(system.guid, it->second));
    }
}

GSErrCode Classify(Model::AttachedData& attached, const API_Guid& itemGuid)
{
    const ClassificationItem* item = Classes().FindItem(itemGuid);
    if (item == nullptr)
        return APIERR_BADID;
    attached.classification[item->system] = item->guid;
    return NoError;
}

GSErrCode AttributeGetClassificationItems(const API_Attr_Head& attrHead,
                                          GS::Array<GS::Pair<API_Guid, API_Guid>>& systemItemPairs)
{
    Model::AttributeCommon* attribute = nullptr;
    if (GSErrCode err = FindTargetAttribute(&attrHead, &attribute); err != NoError)
        return err;
    PutPairs(attribute->attached, systemItemPairs);
    return NoError;
}

GSErrCode AttributeAddClassificationItem(const API_Attr_Head& attrHead, const API_Guid& itemGuid)
{
    if (GSErrCode err = CheckCallScope("ACAPI_Attribute_AddClassificationItem", HostCall::UndoableModifier);
        err != NoError)
        return err;
    Model::AttributeCommon* attribute = nullptr;
    if (GSErrCode err = FindTargetAttribute(&attrHead, &attribute); err != NoError)
        return err;
    if (Classes().FindItem(itemGuid) != nullptr)
        WillChangeAttachedData(attrHead.typeID, attribute->index);
    return Classify(attribute->attached, itemGuid);
}

GSErrCode ElementGetClassificationItems(const API_Guid& elemGuid,
                                        GS::Array<GS::Pair<API_Guid, API_Guid>>& systemItemPairs)
{
    Model::Element* element = nullptr;
    if (GSErrCode err = FindTargetElement(&elemGuid, &element); err != NoError)
        return err;
    PutPairs(element->attached, systemItemPairs);
    return NoError;
}

GSErrCode ElementAddClassificationItem(const API_Guid& elemGuid, const API_Guid& itemGuid)
{
    if (GSErrCode err = CheckCallScope("ACAPI_Element_AddClassificationItem", HostCall::UndoableModifier);
        err != NoError)
        return err;
    Model::Element* element = nullptr;
    if (GSErrCode err = FindTargetElement(&elemGuid, &element); err != NoError)
        return err;
    if (Classes().FindItem(itemGuid) != nullptr)
        WillChangeElement(elemGuid);
    return Classify(element->attached, itemGuid);
}

}  // namespace
}  // namespace Sim

SIM_FAMILY(Classification)
{
    using namespace Sim;
    SIM_BIND(table, Classification_GetClassificationSystems, &GetClassificationSystems);
    SIM_BIND(table, Classification_CreateClassificationSystem, &CreateClassificationSystem);
    SIM_BIND(table, Classification_GetClassificationSystemRootItems, &GetClassificationSystemRootItems);
    SIM_BIND(table, Classification_GetClassificationItemChildren, &GetClassificationItemChildren);
    SIM_BIND(table, Classification_CreateClassificationItem, &CreateClassificationItem);
    SIM_BIND(table, Attribute_GetClassificationItems, &AttributeGetClassificationItems);
    SIM_BIND(table, Attribute_AddClassificationItem, &AttributeAddClassificationItem);
    SIM_BIND(table, Element_GetClassificationItems, &ElementGetClassificationItems);
    SIM_BIND(table, Element_AddClassificationItem, &ElementAddClassificationItem);
}
