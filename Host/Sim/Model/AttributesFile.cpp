// The "attributes" section of the project file.
#include "Model/ProjectFileSections.hpp"
#include "Model/Text.hpp"
#include "SimUtf8.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>
#include <vector>

namespace Sim::Model {
namespace {

constexpr Int64 Int16Min = std::numeric_limits<Int16>::min();
constexpr Int64 Int16Max = std::numeric_limits<Int16>::max();
constexpr Int64 Int32Min = std::numeric_limits<Int32>::min();
constexpr Int64 Int32Max = std::numeric_limits<Int32>::max();

// A name that fits the host's narrow record field: 1 to 255 bytes, no NUL.
std::string ReadName(const Json::Reader& member)
{
    std::string name = member.String();
    if (name.empty())
        member.Fail("an attribute name must not be empty");
    if (name.size() >= API_AttrNameLen)
        member.Fail("the name has " + std::to_string(name.size()) + " bytes; at most " +
                    std::to_string(API_AttrNameLen - 1) + " fit");
    if (name.find('\0') != std::string::npos)
        member.Fail("an attribute name cannot hold a NUL character");
    return name;
}

// The attributes of one type as the file lists them, with the indexes and names taken so far: a file may
// list thousands, and the table's own look-ups by name walk it. They join the table in index order once
// all are read, so that none is inserted before the others.
template <typename Attribute>
struct TableRead {
    std::vector<Attribute> read;
    std::unordered_set<Int32> indexes;
    std::unordered_set<std::string> names;

    void MoveInto(AttributeTable<Attribute>& table)
    {
        std::sort(read.begin(), read.end(), [](const Attribute& a, const Attribute& b) { return a.index < b.index; });
        for (Attribute& attribute : read)
            table.Insert(std::move(attribute));
        read.clear();
    }
};

template <typename Attribute>
void ReadCommon(const Json::ObjectReader& object, TableRead<Attribute>& table, FileReadContext& context,
                Attribute& attribute)
{
    auto index = object.Required("index");
    attribute.index = static_cast<Int32>(index.Integer(1, Int32Max));
    if (!table.indexes.insert(attribute.index).second)
        index.Fail("index " + std::to_string(attribute.index) + " is used twice");
    attribute.guid = context.ClaimGuid(object.Required("guid"));
    auto name = object.Required("name");
    attribute.name = ReadName(name);
    if (!table.names.insert(attribute.name).second)
        name.Fail("the name \"" + attribute.name + "\" is used twice");
    if (auto userData = object.Optional("userData"))
        attribute.userData = ReadUserData(*userData);
    if (auto attached = object.Optional("attached"))
        attribute.attached = ReadAttachedData(*attached, context);
}

void WriteCommon(const AttributeCommon& attribute, Json::Value& object)
{
    object["index"] = attribute.index;
    object["guid"] = Sim::Utf8(APIGuidToString(attribute.guid));
    object["name"] = attribute.name;
}

void WriteUserDataMember(const AttributeCommon& attribute, Json::Value& object)
{
    if (attribute.userData)
        object["userData"] = WriteUserData(*attribute.userData);
    if (!attribute.attached.IsEmpty())
        object["attached"] = WriteAttachedData(attribute.attached);
}

void ReadBuildingMaterial(const Json::Reader& item, TableRead<BuildingMaterial>& table, FileReadContext& context)
{
    auto object = item.Object({"index", "guid", "name", "id", "manufacturer", "description", "connPriority", "cutFill",
                               "cutFillPen", "cutFillBackgroundPen", "cutMaterial", "cutFillOrientation",
                               "thermalConductivity", "density", "heatCapacity", "embodiedEnergy", "embodiedCarbon",
                               "showUncutLines", "userData", "attached"});
    BuildingMaterial material;
    ReadCommon(object, table, context, material);
    material.id = object.String("id", "");
    material.manufacturer = object.String("manufacturer", "");
    material.description = object.String("description", "");
    material.connPriority = static_cast<Int32>(object.Integer("connPriority", Int32Min, Int32Max, 0));
    material.cutFill = static_cast<Int32>(object.Integer("cutFill", 0, Int32Max, 0));
    material.cutFillPen = static_cast<Int16>(object.Integer("cutFillPen", Int16Min, Int16Max, 0));
    material.cutFillBackgroundPen = static_cast<Int16>(object.Integer("cutFillBackgroundPen", Int16Min, Int16Max, 0));
    material.cutMaterial = static_cast<Int32>(object.Integer("cutMaterial", 0, Int32Max, 0));
    material.cutFillOrientation = static_cast<Int32>(object.Integer("cutFillOrientation", Int32Min, Int32Max, 0));
    material.thermalConductivity = object.Number("thermalConductivity", 0.0);
    material.density = object.Number("density", 0.0);
    material.heatCapacity = object.Number("heatCapacity", 0.0);
    material.embodiedEnergy = object.Number("embodiedEnergy", 0.0);
    material.embodiedCarbon = object.Number("embodiedCarbon", 0.0);
    material.showUncutLines = object.Bool("showUncutLines", false);
    table.read.push_back(std::move(material));
}

Json::Value WriteBuildingMaterial(const BuildingMaterial& material)
{
    Json::Value object = Json::Value::object();
    WriteCommon(material, object);
    object["id"] = material.id;
    object["manufacturer"] = material.manufacturer;
    object["description"] = material.description;
    object["connPriority"] = material.connPriority;
    object["cutFill"] = material.cutFill;
    object["cutFillPen"] = material.cutFillPen;
    object["cutFillBackgroundPen"] = material.cutFillBackgroundPen;
    object["cutMaterial"] = material.cutMaterial;
    object["cutFillOrientation"] = material.cutFillOrientation;
    object["thermalConductivity"] = material.thermalConductivity;
    object["density"] = material.density;
    object["heatCapacity"] = material.heatCapacity;
    object["embodiedEnergy"] = material.embodiedEnergy;
    object["embodiedCarbon"] = material.embodiedCarbon;
    object["showUncutLines"] = material.showUncutLines;
    WriteUserDataMember(material, object);
    return object;
}

void ReadComposite(const Json::Reader& item, TableRead<Composite>& table,
                   const AttributeTable<BuildingMaterial>& materials, FileReadContext& context)
{
    auto object = item.Object({"index", "guid", "name", "usage", "totalThickness", "skins", "lines", "userData", "attached"});
    Composite composite;
    ReadCommon(object, table, context, composite);
    composite.usage = static_cast<GSFlags>(object.Integer("usage", Int32Min, Int32Max, 0));

    auto skins = object.Required("skins");
    for (const auto& skinItem : skins.Array()) {
        auto skinObject = skinItem.Object({"buildingMaterial", "framePen", "flags", "thickness"});
        CompositeSkin skin;
        auto material = skinObject.Required("buildingMaterial");
        skin.buildingMaterial = static_cast<Int32>(material.Integer(1, Int32Max));
        if (materials.FindByIndex(skin.buildingMaterial) == nullptr)
            material.Fail("no building material has the index " + std::to_string(skin.buildingMaterial));
        skin.framePen = static_cast<Int16>(skinObject.Integer("framePen", Int16Min, Int16Max, 0));
        skin.flags = static_cast<Int16>(skinObject.Integer("flags", Int16Min, Int16Max, 0));
        auto thickness = skinObject.Required("thickness");
        skin.thickness = thickness.Number();
        if (skin.thickness < 0.0)
            thickness.Fail("a skin cannot be thinner than 0");
        composite.skins.push_back(skin);
    }
    if (composite.skins.empty())
        skins.Fail("a composite has at least one skin");
    if (composite.skins.size() > static_cast<size_t>(Int16Max - 1))
        skins.Fail("too many skins");

    auto lines = object.Required("lines");
    for (const auto& lineItem : lines.Array()) {
        auto lineObject = lineItem.Object({"lineType", "pen", "flags"});
        CompositeLine line;
        line.lineType = static_cast<Int32>(lineObject.Integer("lineType", 0, Int32Max, 0));
        line.pen = static_cast<Int16>(lineObject.Integer("pen", Int16Min, Int16Max, 0));
        line.flags = static_cast<Int16>(lineObject.Integer("flags", Int16Min, Int16Max, 0));
        composite.lines.push_back(line);
    }
    if (composite.lines.size() != composite.skins.size() + 1)
        lines.Fail("a composite of " + std::to_string(composite.skins.size()) + " skins has " +
                   std::to_string(composite.skins.size() + 1) + " lines, not " + std::to_string(composite.lines.size()));

    // The total is the host's own sum; a file may leave it out, and when it gives it, it must agree.
    composite.totalThickness = Composite::SumOfSkins(composite.skins);
    if (auto total = object.Optional("totalThickness")) {
        double given = total->Number();
        if (std::fabs(given - composite.totalThickness) > 1e-9 * std::max(1.0, std::fabs(composite.totalThickness)))
            total->Fail("the skins add up to " + Json::Value(composite.totalThickness).dump() + ", not " +
                        Json::Value(given).dump());
    }
    table.read.push_back(std::move(composite));
}

Json::Value WriteComposite(const Composite& composite)
{
    Json::Value object = Json::Value::object();
    WriteCommon(composite, object);
    object["usage"] = composite.usage;
    object["totalThickness"] = composite.totalThickness;
    Json::Value skins = Json::Value::array();
    for (const auto& skin : composite.skins)
        skins.push_back(Json::Value{{"buildingMaterial", skin.buildingMaterial},
                                    {"framePen", skin.framePen},
                                    {"flags", skin.flags},
                                    {"thickness", skin.thickness}});
    object["skins"] = std::move(skins);
    Json::Value lines = Json::Value::array();
    for (const auto& line : composite.lines)
        lines.push_back(Json::Value{{"lineType", line.lineType}, {"pen", line.pen}, {"flags", line.flags}});
    object["lines"] = std::move(lines);
    WriteUserDataMember(composite, object);
    return object;
}

}  // namespace

AttributeUserData ReadUserData(const Json::Reader& member)
{
    auto object = member.Object({"dataVersion", "platformSign", "text", "base64"});
    AttributeUserData data;
    data.dataVersion = static_cast<Int32>(object.Required("dataVersion").Integer(Int32Min, Int32Max));
    data.platformSign = static_cast<UInt16>(object.Required("platformSign").Integer(0, 0xFFFF));
    auto text = object.Optional("text");
    auto base64 = object.Optional("base64");
    if (text.has_value() == base64.has_value())
        member.Fail("user data holds exactly one of \"text\" and \"base64\"");
    if (text) {
        data.bytes = text->String();
    } else {
        auto bytes = Text::FromBase64(base64->String());
        if (!bytes)
            base64->Fail("not canonical base64");
        data.bytes = *bytes;
    }
    return data;
}

Json::Value WriteUserData(const AttributeUserData& data)
{
    Json::Value object = Json::Value::object();
    object["dataVersion"] = data.dataVersion;
    object["platformSign"] = data.platformSign;
    // Text when it is text (readable in the file), base64 for anything else.
    if (Text::IsValidUtf8(data.bytes))
        object["text"] = data.bytes;
    else
        object["base64"] = Text::ToBase64(data.bytes);
    return object;
}

void ReadAttributes(const Json::Reader& section, Project& project, FileReadContext& context)
{
    auto object = section.Object({"buildingMaterials", "composites"});
    Attributes& attributes = project.attributes;
    // Building materials first: composites refer to them by index.
    if (auto materials = object.Optional("buildingMaterials")) {
        TableRead<BuildingMaterial> read;
        for (const auto& item : materials->Array())
            ReadBuildingMaterial(item, read, context);
        read.MoveInto(attributes.buildingMaterials);
    }
    if (auto composites = object.Optional("composites")) {
        TableRead<Composite> read;
        for (const auto& item : composites->Array())
            ReadComposite(item, read, attributes.buildingMaterials, context);
        read.MoveInto(attributes.composites);
    }
}

Json::Value WriteAttributes(const Project& project)
{
    Json::Value section = Json::Value::object();
    Json::Value materials = Json::Value::array();
    for (const auto& material : project.attributes.buildingMaterials.All())
        materials.push_back(WriteBuildingMaterial(material));
    section["buildingMaterials"] = std::move(materials);
    Json::Value composites = Json::Value::array();
    for (const auto& composite : project.attributes.composites.All())
        composites.push_back(WriteComposite(composite));
    section["composites"] = std::move(composites);
    return section;
}

}  // namespace Sim::Model
