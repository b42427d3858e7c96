#include "Calculation/ExportManager.hpp"

#include "ACAPinc.h"
#include "Calculation/CalculationJson.hpp"
#include "Calculation/CatalogueProperties.hpp"
#include "Calculation/ElemInfo.hpp"
#include "Calculation/GroupedRecords.hpp"
#include "Calculation/SystemRecord.hpp"
#include "GSDebug.hpp"
#include "ProjectWriter/ElementNames.hpp"
#include "ProjectWriter/NamedProducts.hpp"
#include "Support/GetAttribute.hpp"
#include "Support/Utf8.hpp"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

namespace QRV {
namespace {

constexpr API_ElemFilterFlags VisibleIn3D = APIFilt_OnVisLayer | APIFilt_In3D;
constexpr double MinimumOpeningSize = 0.00001;
constexpr double UnsetLayerThickness = 0.00001;
constexpr double ThinnestMeasured = 0.00001;
constexpr const char* LayerAttributeGroup = "Ostrel Attributes";

GS::Array<API_Guid> ElementsOfType(API_ElemTypeID typeID, API_ElemFilterFlags filter)
{
    GS::Array<API_Guid> guids;
    if (ACAPI_Element_GetElemList(API_ElemType(typeID), &guids, filter) != NoError)
        guids.Clear();
    return guids;
}

bool ReadElement(const API_Guid& guid, API_Element& element)
{
    std::memset(&element, 0, sizeof element);
    element.header.guid = guid;
    return ACAPI_Element_Get(&element) == NoError;
}

// Asks the host for the marked quantities of one element.
bool ReadQuantities(const API_Guid& guid, const API_QuantitiesMask& mask, API_ElementQuantity& quantity)
{
    API_QuantityPar params;
    std::memset(&params, 0, sizeof params);
    std::memset(&quantity, 0, sizeof quantity);
    API_Quantities quantities;
    quantities.elements = &quantity;
    return ACAPI_Element_GetQuantities(guid, &params, &quantities, &mask) == NoError;
}

// Index 0 would make the host look the attribute up by name instead.
bool ReadAttribute(API_AttrTypeID typeID, API_AttributeIndex index, API_Attribute& attribute)
{
    if (!index.IsPositive())
        return false;
    attribute = BlankAttribute(typeID);
    attribute.header.index = index;
    return ACAPI_Attribute_Get(&attribute) == NoError;
}

// Objects that are parts of curtain walls and stairs are counted with those.
bool BelongsToCompoundElement(API_ElemTypeID ownerType)
{
    return ownerType == API_CurtainWallFrameID || ownerType == API_RiserID || ownerType == API_TreadID ||
           ownerType == API_StairStructureID;
}

GS::UniString DecimalText(Int32 number) { return FromUtf8(std::to_string(number)); }

GS::UniString IfcNameOf(const API_Guid& guid)
{
    GS::UniString name;
    ReadIfcName(guid, name);
    DBPrintf("IFC name: %s\n", ToUtf8(name).c_str());
    return name;
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
    if (!ReadQuantities(element.header.guid, mask, quantity))
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

// The calculation reads the model as the floor plan shows it; whatever view was current is current again
// afterwards, also when the calculation ends early.
class FloorPlanScope {
public:
    FloorPlanScope()
    {
        known_ = ACAPI_Database_GetCurrentDatabase(&original_) == NoError;
        if (known_ && original_.typeID != APIWind_FloorPlanID) {
            API_DatabaseInfo floorPlan{};
            floorPlan.typeID = APIWind_FloorPlanID;
            ACAPI_Database_ChangeCurrentDatabase(&floorPlan);
        }
    }
    ~FloorPlanScope()
    {
        if (known_)
            ACAPI_Database_ChangeCurrentDatabase(&original_);
    }
    FloorPlanScope(const FloorPlanScope&) = delete;
    FloorPlanScope& operator=(const FloorPlanScope&) = delete;

private:
    API_DatabaseInfo original_{};
    bool known_ = false;
};

}  // namespace

bool ExportManager::ReadAttributeOnce(API_AttrTypeID typeID, API_AttributeIndex index, API_Attribute& attribute) const
{
    const AttributeKey key{static_cast<int>(typeID), index.ToInt32_Deprecated()};
    auto found = attributes_.find(key);
    if (found == attributes_.end()) {
        std::optional<API_Attribute> read;
        API_Attribute record;
        if (ReadAttribute(typeID, index, record))
            read = record;
        found = attributes_.emplace(key, read).first;
    }
    if (!found->second)
        return false;
    attribute = *found->second;
    return true;
}

const CorvanaProperties& ExportManager::PropertiesOf(const API_Attribute& attribute) const
{
    const AttributeKey key{static_cast<int>(attribute.header.typeID), attribute.header.index.ToInt32_Deprecated()};
    auto found = properties_.find(key);
    if (found == properties_.end()) {
        bool textStored = false;
        found = properties_.emplace(key, CatalogueProperties::OfAttribute(attribute, &textStored)).first;
        if (textStored)
            storedTexts_.insert(key);
    }
    return found->second;
}

bool ExportManager::HoldsStoredText(const API_Attribute& attribute) const
{
    PropertiesOf(attribute);
    return storedTexts_.count({static_cast<int>(attribute.header.typeID), attribute.header.index.ToInt32_Deprecated()}) != 0;
}

const nlohmann::json& ExportManager::SystemInfoOf(const API_Attribute& attribute) const
{
    const AttributeKey key{static_cast<int>(attribute.header.typeID), attribute.header.index.ToInt32_Deprecated()};
    auto found = systemInfos_.find(key);
    if (found == systemInfos_.end())
        found = systemInfos_.emplace(key, BuildSystemInfo(attribute)).first;
    return found->second;
}

const CorvanaProperties* ExportManager::ProductPropertiesOf(const GS::UniString& name) const
{
    auto found = products_.find(ToUtf8(name));
    if (found == products_.end()) {
        std::optional<CorvanaProperties> stored;
        CorvanaProperties properties;
        if (CatalogueProperties::OfProduct(name, properties))
            stored = std::move(properties);
        found = products_.emplace(ToUtf8(name), std::move(stored)).first;
    }
    return found->second ? &*found->second : nullptr;
}

std::string ExportManager::CalculationText() const { return CalculationJson::DocumentText(CalculationDocument()); }

nlohmann::json ExportManager::CalculationDocument() const
{
    FloorPlanScope floorPlan;
    nlohmann::json document = nlohmann::json::object();
    document["SystemInfo"] = CalculateSystems();
    document["ProductInfo"] = CalculateProducts();
    document["CurtainWallInfo"] = CalculateCurtainWalls();
    document["StairCalculationInfo"] = CalculateStairs();
    return document;
}

nlohmann::json ExportManager::CalculateProducts() const
{
    const std::pair<API_ElemTypeID, const char*> kinds[] = {{API_WindowID, "pcs"}, {API_DoorID, "pcs"},
                                                            {API_ObjectID, "pcs"}, {API_ColumnID, "m3"},
                                                            {API_BeamID, "m3"},   {API_WallID, "m3"}};
    nlohmann::json products = nlohmann::json::array();
    for (const auto& [type, unit] : kinds)
        for (auto& record : CalculateProductsOfType(type, unit))
            products.push_back(std::move(record));
    return products;
}

nlohmann::json ExportManager::CalculateProductsOfType(API_ElemTypeID type, const GS::UniString& defaultUnit) const
{
    GroupedRecords<CompositeInfo> groups;
    const auto absorb = [](CompositeInfo& held, const CompositeInfo& next) { held.Absorb(next); };
    for (const API_Guid& guid : ElementsOfType(type, VisibleIn3D)) {
        DBPrintf("Element guid: %s\n", CalculationJson::GuidText(guid).c_str());
        API_Element element;
        if (!ReadElement(guid, element))
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

        GS::UniString ifcName = IfcNameOf(guid);
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
            for (CompositeInfo& part : CollectMaterialParts(element.header)) {
                part.name = productName + " " + part.name;
                groups.Merge(part.name, part, absorb);
            }
        } else {
            CompositeInfo record;
            if (BuildProductRecord(element, productName, storedName, defaultUnit, record))
                groups.Merge(record.name, record, absorb);
        }
    }

    nlohmann::json records = nlohmann::json::array();
    for (const CompositeInfo* record : groups.ByName())
        records.push_back(record->ToJson());
    return records;
}

bool ExportManager::BuildProductRecord(const API_Element& element, const GS::UniString& productName,
                                       const GS::UniString& storedName, const GS::UniString& defaultUnit,
                                       CompositeInfo& record) const
{
    record = CompositeInfo();
    record.pieces = 1;
    record.name = productName;
    record.id = APIGuidToString(element.header.guid);

    GS::UniString referenceUnit;
    GS::UniString density;
    if (const CorvanaProperties* stored = ProductPropertiesOf(storedName)) {
        record.attributes = *stored;
        referenceUnit = record.attributes.ValueOf("Reference Unit").ToLowerCase();
        record.bimUuid = record.attributes.ValueOf("id");
        density = record.attributes.ValueOf("Density");
        DBPrintf("Ref unit: %s bim_uuid: %s density: %s\n", ToUtf8(referenceUnit).c_str(), ToUtf8(record.bimUuid).c_str(), ToUtf8(density).c_str());
    }
    record.defaultValue = record.attributes.IsEmpty() || referenceUnit.IsEmpty() ? defaultUnit : referenceUnit;
    const double densityValue = CalculationJson::CatalogueNumber(density);

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
        return true;
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
    if (!ReadQuantities(element.header.guid, mask, quantity))
        return true;
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
    return true;
}

std::vector<CompositeInfo> ExportManager::CollectMaterialParts(const API_Elem_Head& header) const
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
    std::vector<CompositeInfo> parts;
    if (ACAPI_Element_GetMoreQuantities(&guids, &params, &quantities, &mask) != NoError)
        return parts;

    for (const API_CompositeQuantity& part : composites) {
        API_Attribute material;
        if (!ReadAttributeOnce(API_BuildingMaterialID, part.buildMatIndices, material))
            continue;
        CompositeInfo record;
        record.attributes = PropertiesOf(material);
        // Told for every material that holds a text, also one whose text is no property list.
        if (HoldsStoredText(material)) {
            record.bimUuid = record.attributes.ValueOf("id");
            DBPrintf("bim_uuid: %s density: %s\n", ToUtf8(record.bimUuid).c_str(), ToUtf8(record.attributes.ValueOf("Density")).c_str());
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
        parts.push_back(std::move(record));
    }
    return parts;
}

nlohmann::json ExportManager::CalculateSystems() const
{
    nlohmann::json systems = nlohmann::json::array();
    AddSystemsOfType(API_WallID, 1, "Wall", systems);
    AddSystemsOfType(API_SlabID, 3, "Slab", systems);
    AddSystemsOfType(API_RoofID, 2, "Roof", systems);
    return systems;
}

void ExportManager::AddSystemsOfType(API_ElemTypeID type, Int32 typeId, const char* systemType,
                                     nlohmann::json& result) const
{
    std::vector<SystemRecord> groups;
    // Only records of the same attribute can share a group.
    std::unordered_map<std::string, std::vector<size_t>> groupsOfAttribute;
    for (const API_Guid& guid : ElementsOfType(type, APIFilt_In3D)) {
        API_Element element;
        if (!ReadElement(guid, element))
            continue;  // an element the host cannot give is left out, as every unreadable element here
        const Structure structure = StructureOf(element);
        API_Attribute attribute;
        if (structure.kind == API_BasicStructure) {
            if (!ReadAttributeOnce(API_BuildingMaterialID, structure.buildingMaterial, attribute))
                continue;
        } else if (structure.kind == API_CompositeStructure) {
            if (!ReadAttributeOnce(API_CompWallID, structure.composite, attribute))
                continue;
        } else {
            continue;  // complex profiles are products
        }

        SystemRecord record;
        record.typeId = typeId;
        record.area = SystemArea(element);
        record.thickness = structure.thickness * 100.0;
        record.attributeGuid = APIGuidToString(attribute.header.guid);
        record.systemType = systemType;
        record.basic = structure.kind == API_BasicStructure;

        std::vector<size_t>& candidates = groupsOfAttribute[ToUtf8(record.attributeGuid)];
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
    for (const SystemRecord& group : groups)
        records.push_back(group.ToJson());
    CalculationJson::SortSystemRecords(records);
    for (auto& record : records)
        result.push_back(std::move(record));
}

nlohmann::json ExportManager::BuildSystemInfo(const API_Attribute& attribute) const
{
    const CorvanaProperties& properties = PropertiesOf(attribute);
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
            if (!ReadAttributeOnce(API_BuildingMaterialID, skin.buildingMaterial, material))
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

nlohmann::json ExportManager::BuildLayerInfo(const API_Attribute& buildingMaterial) const
{
    const CorvanaProperties& properties = PropertiesOf(buildingMaterial);
    return {{"name", std::string(buildingMaterial.header.name)},
            {"index", ToUtf8(DecimalText(buildingMaterial.header.index.ToInt32_Deprecated()))},
            {"bim_uuid", ToUtf8(properties.ValueOf("id"))},
            {"internal_material_id", ""},
            {"type", ""},
            {"thickness", UnsetLayerThickness},
            {"attributes", CalculationJson::Properties(properties, LayerAttributeGroup)}};
}

nlohmann::json ExportManager::CalculateCurtainWalls() const { return CalculateNamedGroups(API_CurtainWallID); }

nlohmann::json ExportManager::CalculateStairs() const { return CalculateNamedGroups(API_StairID); }

nlohmann::json ExportManager::CalculateNamedGroups(API_ElemTypeID type) const
{
    const bool stairs = type == API_StairID;
    GroupedRecords<ElemInfo> groups;
    for (const API_Guid& guid : ElementsOfType(type, VisibleIn3D)) {
        DBPrintf("Element guid: %s\n", CalculationJson::GuidText(guid).c_str());
        API_Element element;
        if (!ReadElement(guid, element))
            continue;
        const GS::UniString ifcName = IfcNameOf(guid);
        ElemInfo record = stairs ? ElemInfo::Stair(ifcName) : ElemInfo::CurtainWall(ifcName);
        record.id = APIGuidToString(guid);
        if (const CorvanaProperties* stored = ProductPropertiesOf(ifcName)) {
            record.attributes = *stored;
            record.bimUuid = record.attributes.ValueOf("id");
            DBPrintf("bim_uuid: %s\n", ToUtf8(record.bimUuid).c_str());
        }
        API_QuantitiesMask mask;
        ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, stair, volume);
        ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, cw, contourSurface);
        API_ElementQuantity quantity;
        if (ReadQuantities(guid, mask, quantity)) {
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
