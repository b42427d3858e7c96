#include "Calculation/SystemQuantities.hpp"

#include "ACAPinc.h"
#include "Calculation/CalculationJson.hpp"
#include "Calculation/SystemRecord.hpp"
#include "Support/Utf8.hpp"

#include <algorithm>
#include <deque>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace QRV {
namespace {

constexpr double UnsetLayerThickness = 0.00001;
constexpr double ThinnestMeasured = 0.00001;
constexpr const char* LayerAttributeGroup = "Ostrel Attributes";

GS::UniString DecimalText(Int32 number) { return FromUtf8(std::to_string(number)); }

struct Structure {
    API_ModelElemStructureType kind = API_BasicStructure;
    API_AttributeIndex buildingMaterial = APIInvalidAttributeIndex;
    API_AttributeIndex composite = APIInvalidAttributeIndex;
    double thickness = 0.0;
};

Structure StructureOf(const API_Element& element)
{
    switch (element.header.type.typeID) {
    case API_WallID:
        return {element.wall.modelElemStructureType, element.wall.buildingMaterial, element.wall.composite,
                element.wall.thickness};
    case API_SlabID:
        return {element.slab.modelElemStructureType, element.slab.buildingMaterial, element.slab.composite,
                element.slab.thickness};
    default:
        return {element.roof.shellBase.modelElemStructureType, element.roof.shellBase.buildingMaterial,
                element.roof.shellBase.composite, element.roof.shellBase.thickness};
    }
}

// The element's face area: its volume over its thickness, or for a polygonal wall the host's own surface.
double SystemArea(const API_Element& element)
{
    API_QuantitiesMask mask;
    ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, wall, volume);
    ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, wall, surface1);
    ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, slab, volume);
    ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, roof, volume);
    API_ElementQuantity quantity;
    if (!CalculationReads::ReadQuantities(element.header.guid, mask, quantity))
        return 0.0;
    double volume = 0.0;
    double thickness = 0.0;
    switch (element.header.type.typeID) {
    case API_WallID:
        if (element.wall.type == APIWtyp_Poly)
            return quantity.wall.surface1;
        volume = quantity.wall.volume;
        thickness = (element.wall.thickness + element.wall.thickness1) / 2.0;
        break;
    case API_SlabID:
        volume = quantity.slab.volume;
        thickness = element.slab.thickness;
        break;
    default:
        volume = quantity.roof.volume;
        thickness = element.roof.shellBase.thickness;
        break;
    }
    return thickness > ThinnestMeasured ? volume / thickness : 0.0;
}

GS::UniString SkinRole(short flags)
{
    if (flags & APICWallComp_Core)
        return "Core";
    if (flags & APICWallComp_Finish)
        return "Finish";
    return "Other";
}

}  // namespace

const nlohmann::json& SystemQuantities::SystemInfoOf(const API_Attribute& attribute) const
{
    const CalculationReads::AttributeKey key = CalculationReads::KeyOf(attribute);
    auto found = systemInfos_.find(key);
    if (found == systemInfos_.end())
        found = systemInfos_.emplace(key, BuildSystemInfo(attribute)).first;
    return found->second;
}

nlohmann::json SystemQuantities::Calculate() const
{
    nlohmann::json systems = nlohmann::json::array();
    AddSystemsOfType(API_WallID, 1, "Wall", systems);
    AddSystemsOfType(API_SlabID, 3, "Slab", systems);
    AddSystemsOfType(API_RoofID, 2, "Roof", systems);
    return systems;
}

void SystemQuantities::AddSystemsOfType(API_ElemTypeID type, Int32 typeId, const char* systemType,
                                     nlohmann::json& result) const
{
    // A deque: a record holds its structure description, which a growing vector would copy each time it
    // moves its records (the host's strings promise no exception-free move).
    std::deque<SystemRecord> groups;
    // Only records of the same attribute can share a group. Each attribute's GUID text is made once.
    struct AttributeGroups {
        GS::UniString guidText;
        std::vector<size_t> groups;
    };
    std::unordered_map<std::string, AttributeGroups> groupsOfAttribute;
    std::map<CalculationReads::AttributeKey, AttributeGroups*> groupsOfAttributeKey;
    for (const API_Guid& guid : CalculationReads::ElementsOfType(type, APIFilt_In3D)) {
        API_Element element;
        if (!CalculationReads::ReadElement(guid, element))
            continue;  // an element the host cannot give is left out, as every unreadable element here
        const Structure structure = StructureOf(element);
        API_Attribute attribute;
        if (structure.kind == API_BasicStructure) {
            if (!reads_.ReadAttributeOnce(API_BuildingMaterialID, structure.buildingMaterial, attribute))
                continue;
        } else if (structure.kind == API_CompositeStructure) {
            if (!reads_.ReadAttributeOnce(API_CompWallID, structure.composite, attribute))
                continue;
        } else {
            continue;  // complex profiles are products
        }

        AttributeGroups*& ofKey = groupsOfAttributeKey[CalculationReads::KeyOf(attribute)];
        if (ofKey == nullptr) {
            const GS::UniString guidText = APIGuidToString(attribute.header.guid);
            ofKey = &groupsOfAttribute[ToUtf8(guidText)];
            ofKey->guidText = guidText;
        }
        SystemRecord record;
        record.typeId = typeId;
        record.area = SystemArea(element);
        record.thickness = structure.thickness * 100.0;
        record.attributeGuid = ofKey->guidText;
        record.systemType = systemType;
        record.basic = structure.kind == API_BasicStructure;

        std::vector<size_t>& candidates = ofKey->groups;
        const auto held = std::find_if(candidates.begin(), candidates.end(),
                                       [&](size_t group) { return groups[group].SameGroupAs(record); });
        if (held != candidates.end()) {
            groups[*held].area += record.area;
            continue;
        }
        // The structure description is copied once per group: most elements join a group already held.
        record.info = SystemInfoOf(attribute);
        if (record.basic)
            record.info["layers"][0]["thickness"] = record.thickness;
        candidates.push_back(groups.size());
        groups.push_back(std::move(record));
    }

    nlohmann::json records = nlohmann::json::array();
    for (SystemRecord& group : groups)
        records.push_back(std::move(group).ToJson());
    CalculationJson::SortSystemRecords(records);
    for (auto& record : records)
        result.push_back(std::move(record));
}

nlohmann::json SystemQuantities::BuildSystemInfo(const API_Attribute& attribute) const
{
    const CorvanaProperties& properties = reads_.PropertiesOf(attribute);
    nlohmann::json info = {{"name", std::string(attribute.header.name)},
                           {"id", ToUtf8(DecimalText(attribute.header.index.ToInt32_Deprecated()))},
                           {"bim_uuid", ToUtf8(properties.ValueOf("id"))},
                           {"layers", nlohmann::json::array()}};
    if (attribute.header.typeID == API_BuildingMaterialID) {
        info["subtype"] = "Basic";
        info["layers"].push_back(BuildLayerInfo(attribute));
        return info;
    }

    info["subtype"] = "Composite";
    API_AttributeDef defs{};
    if (ACAPI_Attribute_GetDef(API_CompWallID, attribute.header.index, &defs) != NoError)
        return info;
    if (defs.cwall_compItems != nullptr && *defs.cwall_compItems != nullptr) {
        const Int32 bytes = BMGetHandleSize(reinterpret_cast<GSHandle>(defs.cwall_compItems));
        Int32 skins = bytes / static_cast<Int32>(sizeof(API_CWallComponent));
        if (attribute.compWall.nComps < skins)
            skins = attribute.compWall.nComps;
        for (Int32 i = 0; i < skins; ++i) {
            const API_CWallComponent& skin = (*defs.cwall_compItems)[i];
            API_Attribute material;
            if (!reads_.ReadAttributeOnce(API_BuildingMaterialID, skin.buildingMaterial, material))
                continue;
            nlohmann::json layer = BuildLayerInfo(material);
            layer["thickness"] = skin.fillThick * 100.0;
            layer["type"] = ToUtf8(SkinRole(skin.flagBits));
            info["layers"].push_back(std::move(layer));
        }
    }
    ACAPI_DisposeAttrDefsHdls(&defs);
    return info;
}

nlohmann::json SystemQuantities::BuildLayerInfo(const API_Attribute& buildingMaterial) const
{
    const CorvanaProperties& properties = reads_.PropertiesOf(buildingMaterial);
    return {{"name", std::string(buildingMaterial.header.name)},
            {"index", ToUtf8(DecimalText(buildingMaterial.header.index.ToInt32_Deprecated()))},
            {"bim_uuid", ToUtf8(properties.ValueOf("id"))},
            {"internal_material_id", ""},
            {"type", ""},
            {"thickness", UnsetLayerThickness},
            {"attributes", CalculationJson::Properties(properties, LayerAttributeGroup)}};
}

}  // namespace QRV
