#include "CorvanaClassification.hpp"

#include "ACAPinc.h"
#include "Support/HostErrorReport.hpp"
#include "HostLookups.hpp"
#include "Platform/Runtime.hpp"

#include <ctime>

namespace QRV {

const char* const CorvanaClassificationName = "Corvana";
const char* const CorvanaClassificationEdition = "v 1.0";

namespace {

GSDateRecord Today()
{
    std::tm local{};
    Platform::LocalTime(std::time(nullptr), &local);
    return GSDateRecord(static_cast<unsigned short>(local.tm_year + 1900), static_cast<unsigned short>(local.tm_mon + 1),
                        static_cast<unsigned short>(local.tm_mday));
}

// Depth first: each child, then its own descendants.
void AppendDescendants(const API_Guid& itemGuid, GS::Array<API_ClassificationItem>& out)
{
    GS::Array<API_ClassificationItem> children;
    if (ACAPI_Classification_GetClassificationItemChildren(itemGuid, children) != NoError)
        return;
    for (const auto& child : children) {
        out.Push(child);
        AppendDescendants(child.guid, out);
    }
}

}  // namespace

API_Guid GetCorvanaClassificationSystem()
{
    GS::Array<API_ClassificationSystem> systems;
    if (ACAPI_Classification_GetClassificationSystems(systems) == NoError) {
        for (const auto& system : systems)
            if (system.name == GS::UniString(CorvanaClassificationName) &&
                system.editionVersion == GS::UniString(CorvanaClassificationEdition))
                return system.guid;
    }
    API_ClassificationSystem system;
    system.name = CorvanaClassificationName;
    system.source = CorvanaClassificationName;
    system.editionVersion = CorvanaClassificationEdition;
    system.editionDate = Today();
    GSErrCode err = ACAPI_Classification_CreateClassificationSystem(system);
    if (err != NoError) {
        ReportHostError(err, "GetCorvanaClassificationSystem::ACAPI_Classification_CreateClassificationSystem");
        return API_Guid{};
    }
    return system.guid;
}

API_Guid GetCorvanaClassificationItem()
{
    const API_Guid systemGuid = GetCorvanaClassificationSystem();
    if (systemGuid == APINULLGuid)
        return API_Guid{};
    GS::Array<API_ClassificationItem> roots;
    GS::Array<API_ClassificationItem> candidates;
    if (ACAPI_Classification_GetClassificationSystemRootItems(systemGuid, roots) == NoError) {
        // Roots first, then the descendants of each root.
        candidates = roots;
        for (const auto& root : roots)
            AppendDescendants(root.guid, candidates);
    }
    for (const auto& item : candidates)
        if (item.id == GS::UniString(CorvanaClassificationName))
            return item.guid;

    API_ClassificationItem item;
    item.id = CorvanaClassificationName;
    GSErrCode err = ACAPI_Classification_CreateClassificationItem(item, systemGuid, APINULLGuid, APINULLGuid);
    if (err != NoError) {
        ReportHostError(err, "GetCorvanaClassificationItem::ACAPI_Classification_CreateClassificationItem");
        return API_Guid{};
    }
    return item.guid;
}

GSErrCode ClassifyAttribute(const API_Attr_Head& header, HostLookups& lookups)
{
    const API_Guid itemGuid = lookups.ClassificationItem();
    if (itemGuid == APINULLGuid)
        return NoError;
    lookups.ForgetTargetItems();
    return ACAPI_Attribute_AddClassificationItem(header, itemGuid);
}

GSErrCode ClassifyElement(const API_Guid& elemGuid, HostLookups& lookups)
{
    const API_Guid itemGuid = lookups.ClassificationItem();
    if (itemGuid == APINULLGuid)
        return NoError;
    lookups.ForgetTargetItems();
    return ACAPI_Element_AddClassificationItem(elemGuid, itemGuid);
}

GSErrCode ClassifyAttribute(const API_Attr_Head& header)
{
    HostLookups lookups;
    return ClassifyAttribute(header, lookups);
}

GSErrCode ClassifyElement(const API_Guid& elemGuid)
{
    HostLookups lookups;
    return ClassifyElement(elemGuid, lookups);
}

}  // namespace QRV
