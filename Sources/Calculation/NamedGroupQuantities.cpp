#include "Calculation/NamedGroupQuantities.hpp"

#include "ACAPinc.h"
#include "Calculation/CalculationJson.hpp"
#include "Calculation/ElemInfo.hpp"
#include "Calculation/GroupedRecords.hpp"
#include "GSDebug.hpp"
#include "Support/Utf8.hpp"

namespace QRV {

nlohmann::json NamedGroupQuantities::CalculateCurtainWalls() const { return CalculateNamedGroups(API_CurtainWallID); }

nlohmann::json NamedGroupQuantities::CalculateStairs() const { return CalculateNamedGroups(API_StairID); }

nlohmann::json NamedGroupQuantities::CalculateNamedGroups(API_ElemTypeID type) const
{
    const bool stairs = type == API_StairID;
    GroupedRecords<ElemInfo> groups;
    for (const API_Guid& guid : CalculationReads::ElementsOfType(type, CalculationReads::VisibleIn3D)) {
        DBPrintf("Element guid: %s\n", CalculationJson::GuidText(guid).c_str());
        API_Element element;
        if (!CalculationReads::ReadElement(guid, element))
            continue;
        const GS::UniString ifcName = CalculationReads::IfcNameOf(guid);
        ElemInfo record = stairs ? ElemInfo::Stair(ifcName) : ElemInfo::CurtainWall(ifcName);
        record.id = APIGuidToString(guid);
        if (const CalculationReads::StoredProduct* stored = reads_.ProductPropertiesOf(ifcName)) {
            record.attributes = stored->properties;
            record.bimUuid = stored->bimUuid;
            DBPrintf("bim_uuid: %s\n", ToUtf8(record.bimUuid).c_str());
        }
        API_QuantitiesMask mask;
        ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, stair, volume);
        ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, cw, contourSurface);
        API_ElementQuantity quantity;
        if (CalculationReads::ReadQuantities(guid, mask, quantity)) {
            if (stairs) {
                record.volume = quantity.stair.volume;
            } else {
                record.area = quantity.cw.contourSurface;
                record.type = "Walls";
            }
        }
        groups.Merge(ifcName, record, [](ElemInfo& held, const ElemInfo& next) { held.Absorb(next); });
    }

    nlohmann::json records = nlohmann::json::array();
    for (const ElemInfo& record : groups.Records())
        records.push_back(record.ToJson());
    if (records.size() > 1)
        CalculationJson::SortByTextIgnoringCase(records, stairs ? "type_name" : "name");
    return records;
}

}  // namespace QRV
