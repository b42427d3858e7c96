#include "Calculation/ProductQuantities.hpp"

#include "ACAPinc.h"
#include "Calculation/CalculationJson.hpp"
#include "Calculation/GroupedRecords.hpp"
#include "GSDebug.hpp"
#include "ProjectWriter/NamedProducts.hpp"
#include "Support/Utf8.hpp"

#include <algorithm>
#include <cstring>
#include <utility>

namespace QRV {
namespace {

constexpr double MinimumOpeningSize = 0.00001;

// Objects that are parts of curtain walls and stairs are counted with those.
bool BelongsToCompoundElement(API_ElemTypeID ownerType)
{
    return ownerType == API_CurtainWallFrameID || ownerType == API_RiserID || ownerType == API_TreadID ||
           ownerType == API_StairStructureID;
}

GS::UniString LibraryPartName(const char* unId, bool& found)
{
    API_LibPart libPart;
    std::memset(&libPart, 0, sizeof libPart);
    const size_t length = std::min(std::strlen(unId), sizeof libPart.ownUnID - 1);
    std::memcpy(libPart.ownUnID, unId, length);
    found = ACAPI_LibraryPart_Search(&libPart, false, false) == NoError;
    delete libPart.location;
    if (!found)
        return GS::UniString();
    libPart.docu_UName[API_UniLongNameLen - 1] = 0;
    return GS::UniString(libPart.docu_UName);
}

// The name under which an element without a library part is counted; empty when it is not counted.
GS::UniString NameWithoutLibraryPart(API_ElemTypeID type, const GS::UniString& ifcName)
{
    switch (type) {
    case API_ColumnID: return GS::UniString("Column ") + ifcName;
    case API_BeamID: return GS::UniString("Beam ") + ifcName;
    case API_WallID: return GS::UniString("Wall ") + ifcName;
    case API_WindowID:
    case API_DoorID: return ifcName;
    default: return GS::UniString();
    }
}

bool IsCountedByMaterialParts(API_ElemTypeID type)
{
    return type == API_WallID || type == API_ColumnID || type == API_BeamID;
}

// Folds a record into the group of its name. Only a record that starts a group takes its catalogue
// properties: every later one would copy them for nothing.
void MergeRecord(GroupedRecords<CompositeInfo>& groups, ProductQuantities::MeasuredRecord& measured)
{
    CompositeInfo& record = measured.record;
    if (CompositeInfo* held = groups.Find(record.name)) {
        held->Absorb(record);
        return;
    }
    if (measured.attributes != nullptr)
        record.attributes = *measured.attributes;
    const GS::UniString name = record.name;  // the record is moved into the group
    groups.Add(name, std::move(record));
}

}  // namespace

nlohmann::json ProductQuantities::Calculate() const
{
    const std::pair<API_ElemTypeID, const char*> kinds[] = {{API_WindowID, "pcs"}, {API_DoorID, "pcs"},
                                                            {API_ObjectID, "pcs"}, {API_ColumnID, "m3"},
                                                            {API_BeamID, "m3"},   {API_WallID, "m3"}};
    nlohmann::json products = nlohmann::json::array();
    for (const auto& [type, unit] : kinds)
        for (auto& record : CalculateOfType(type, unit))
            products.push_back(std::move(record));
    return products;
}

nlohmann::json ProductQuantities::CalculateOfType(API_ElemTypeID type, const GS::UniString& defaultUnit) const
{
    GroupedRecords<CompositeInfo> groups;
    for (const API_Guid& guid : CalculationReads::ElementsOfType(type, CalculationReads::VisibleIn3D)) {
        DBPrintf("Element guid: %s\n", CalculationJson::GuidText(guid).c_str());
        API_Element element;
        if (!CalculationReads::ReadElement(guid, element))
            continue;
        if (type == API_WallID && element.wall.modelElemStructureType != API_ProfileStructure)
            continue;

        char unId[128] = {};
        API_Elem_Head header = element.header;
        if (ACAPI_LibraryPart_GetElemLibPartUnId(&header, unId) != NoError) {
            DBPrintf("The element is not GDL based!\n");
            unId[0] = '\0';
        }
        unId[sizeof unId - 1] = '\0';

        GS::UniString productName;
        if (unId[0] != '\0') {
            bool found = false;
            productName = LibraryPartName(unId, found);
            if (!found)
                continue;
            DBPrintf("Lib part name: %s\n", ToUtf8(productName).c_str());
        }

        GS::UniString ifcName = CalculationReads::IfcNameOf(guid);
        ifcName.Trim();
        if (type == API_ObjectID && (ifcName.IsEmpty() || BelongsToCompoundElement(element.object.ownerType.typeID)))
            continue;

        GS::UniString keyText(unId);
        // A part's catalogue properties are stored under its name without the file extension, the name
        // the import gave it; the record keeps the part's full name.
        GS::UniString storedName = LibraryPartKeyName(productName);
        if (productName.IsEmpty()) {
            productName = NameWithoutLibraryPart(type, ifcName);
            keyText = productName;
            storedName = productName;
        }
        if (keyText.IsEmpty())
            continue;

        if (IsCountedByMaterialParts(type)) {
            for (MeasuredRecord& part : CollectMaterialParts(element.header)) {
                part.record.name = productName + " " + part.record.name;
                MergeRecord(groups, part);
            }
        } else {
            MeasuredRecord record = BuildProductRecord(element, productName, storedName, defaultUnit);
            MergeRecord(groups, record);
        }
    }

    nlohmann::json records = nlohmann::json::array();
    for (const CompositeInfo* record : groups.ByName())
        records.push_back(record->ToJson());
    return records;
}

ProductQuantities::MeasuredRecord ProductQuantities::BuildProductRecord(const API_Element& element,
                                                               const GS::UniString& productName,
                                                               const GS::UniString& storedName,
                                                               const GS::UniString& defaultUnit) const
{
    MeasuredRecord measured;
    CompositeInfo& record = measured.record;
    record.pieces = 1;
    record.name = productName;
    record.id = APIGuidToString(element.header.guid);

    const CalculationReads::StoredProduct* stored = reads_.ProductPropertiesOf(storedName);
    bool unitStored = false;
    double densityValue = 0.0;  // a product without a stored density weighs nothing
    if (stored != nullptr) {
        measured.attributes = &stored->properties;
        record.bimUuid = stored->bimUuid;
        DBPrintf("Ref unit: %s bim_uuid: %s density: %s\n", ToUtf8(stored->referenceUnit).c_str(),
                 ToUtf8(stored->bimUuid).c_str(), ToUtf8(stored->densityText).c_str());
        unitStored = !stored->properties.IsEmpty() && !stored->referenceUnit.IsEmpty();
        densityValue = stored->density;
    }
    record.defaultValue = unitStored ? stored->referenceUnit : defaultUnit;

    const API_ElemTypeID type = element.header.type.typeID;
    if (type == API_ObjectID) {
        record.type = "Furniture";
        API_ElemInfo3D info;
        std::memset(&info, 0, sizeof info);
        if (ACAPI_ModelAccess_Get3DInfo(element.header, &info) == NoError) {
            const double dx = info.bounds.xMax - info.bounds.xMin;
            const double dy = info.bounds.yMax - info.bounds.yMin;
            const double dz = info.bounds.zMax - info.bounds.zMin;
            record.length = 2.0 * (dx + dy);
            record.area = dx * dy;
            record.volume = dx * dy * dz;
            record.weight = record.volume * densityValue;
        }
        return measured;
    }

    API_QuantitiesMask mask;
    ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, window, width1);
    ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, window, height1);
    ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, window, surface1);
    ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, window, volume);
    ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, door, width1);
    ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, door, height1);
    ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, door, surface1);
    ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, door, volume);
    API_ElementQuantity quantity;
    if (!CalculationReads::ReadQuantities(element.header.guid, mask, quantity))
        return measured;
    if (type == API_DoorID) {
        const API_DoorQuantity& door = quantity.door;
        record.type = "Doors";
        record.area = door.surface1;
        record.volume = door.volume;
        record.length = 2.0 * door.height1 + door.width1;
    } else {
        const API_WindowQuantity& window = quantity.window;
        record.type = "Windows";
        record.area = window.surface1;
        record.volume = window.volume;
        record.length = 2.0 * (window.width1 + window.height1);
    }
    record.weight = record.volume * densityValue;
    return measured;
}

std::vector<ProductQuantities::MeasuredRecord> ProductQuantities::CollectMaterialParts(const API_Elem_Head& header) const
{
    GS::UniString typeName;
    if (ACAPI_Element_GetElemTypeName(header.type, typeName) != NoError)
        typeName.Clear();

    GS::Array<API_Guid> guids;
    guids.Push(header.guid);
    API_QuantityPar params;
    std::memset(&params, 0, sizeof params);
    params.minOpeningSize = MinimumOpeningSize;
    API_QuantitiesMask mask;
    ACAPI_ELEMENT_COMPOSITES_QUANTITY_MASK_SET(mask, buildMatIndices);
    ACAPI_ELEMENT_COMPOSITES_QUANTITY_MASK_SET(mask, volumes);
    ACAPI_ELEMENT_COMPOSITES_QUANTITY_MASK_SET(mask, projectedArea);
    GS::Array<API_CompositeQuantity> composites;
    GS::Array<API_Quantities> quantities;
    API_Quantities wanted;
    wanted.composites = &composites;
    quantities.Push(wanted);
    std::vector<MeasuredRecord> parts;
    if (ACAPI_Element_GetMoreQuantities(&guids, &params, &quantities, &mask) != NoError)
        return parts;

    for (const API_CompositeQuantity& part : composites) {
        API_Attribute material;
        if (!reads_.ReadAttributeOnce(API_BuildingMaterialID, part.buildMatIndices, material))
            continue;
        MeasuredRecord measured;
        measured.attributes = &reads_.PropertiesOf(material);
        CompositeInfo& record = measured.record;
        // Told for every material that holds a text, also one whose text is no property list.
        if (reads_.HoldsStoredText(material)) {
            record.bimUuid = measured.attributes->ValueOf("id");
            DBPrintf("bim_uuid: %s density: %s\n", ToUtf8(record.bimUuid).c_str(),
                     ToUtf8(measured.attributes->ValueOf("Density")).c_str());
        }
        record.type = typeName;
        record.id = APIGuidToString(material.header.guid);
        record.name = FromUtf8(material.header.name);
        record.defaultValue = "m3";
        record.volume = part.volumes;
        record.pieces = 0;
        record.materialIndex = part.buildMatIndices.ToInt32_Deprecated();
        DBPrintf("composite: %s[%d] volume: %lf projected area: %lf\n", material.header.name,
                 static_cast<int>(part.buildMatIndices.ToInt32_Deprecated()), part.volumes, part.projectedArea);
        parts.push_back(std::move(measured));
    }
    return parts;
}

}  // namespace QRV
