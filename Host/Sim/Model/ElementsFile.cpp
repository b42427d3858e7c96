// The "elements" section of the project file, and elements in JSON for the user actions.
#include "Model/ElementJson.hpp"
#include "Model/ProjectFileSections.hpp"
#include "Model/Text.hpp"
#include "SimUtf8.hpp"

#include <cmath>
#include <limits>
#include <vector>

namespace Sim::Model {
namespace {

constexpr Int64 Int32Max = std::numeric_limits<Int32>::max();
constexpr double SameThickness = 1e-9;

struct KindWord {
    API_ElemTypeID type;
    const char* word;
};
const KindWord kindWords[] = {
    {API_WallID, "wall"},         {API_SlabID, "slab"},   {API_RoofID, "roof"},     {API_ColumnID, "column"},
    {API_BeamID, "beam"},         {API_WindowID, "window"}, {API_DoorID, "door"},   {API_ObjectID, "object"},
    {API_CurtainWallID, "curtainWall"}, {API_StairID, "stair"},
};

const KindWord ownerWords[] = {
    {API_CurtainWallFrameID, "curtainWallFrame"},
    {API_RiserID, "riser"},
    {API_TreadID, "tread"},
    {API_StairStructureID, "stairStructure"},
};

struct StructureWord {
    API_ModelElemStructureType structure;
    const char* word;
};
const StructureWord structureWords[] = {
    {API_BasicStructure, "basic"}, {API_CompositeStructure, "composite"}, {API_ProfileStructure, "profile"}};

struct GeometryWord {
    short geometry;
    const char* word;
};
const GeometryWord geometryWords[] = {{APIWtyp_Normal, "straight"}, {APIWtyp_Trapez, "trapezoid"}, {APIWtyp_Poly, "polygonal"}};

template <typename Table>
std::string WordList(const Table& table)
{
    std::string list;
    for (const auto& entry : table)
        list += std::string(list.empty() ? "" : ", ") + "\"" + entry.word + "\"";
    return list;
}

std::vector<std::string> MembersOf(API_ElemTypeID type)
{
    std::vector<std::string> members = {"guid", "type", "onVisibleLayer", "in3D", "ifc", "userData", "origin"};
    auto add = [&members](std::initializer_list<const char*> more) { members.insert(members.end(), more.begin(), more.end()); };
    switch (type) {
        case API_WallID:
            add({"structure", "buildingMaterial", "composite", "profile", "geometry", "length", "height", "thickness",
                 "endThickness", "planArea"});
            break;
        case API_SlabID:
        case API_RoofID:
            add({"structure", "buildingMaterial", "composite", "length", "width", "thickness", "holes"});
            break;
        case API_ColumnID: add({"buildingMaterial", "length", "width", "height", "veneer", "sectionParts"}); break;
        case API_BeamID: add({"buildingMaterial", "length", "width", "height", "sectionParts"}); break;
        case API_WindowID:
        case API_DoorID: add({"libraryPart", "width", "height", "thickness", "wall"}); break;
        case API_ObjectID: add({"libraryPart", "ownerType", "owner", "length", "width", "height"}); break;
        case API_CurtainWallID: add({"length", "height"}); break;
        case API_StairID: add({"length", "width", "height"}); break;
        default: break;
    }
    return members;
}

double ReadSize(const Json::ObjectReader& object, const char* key, double current)
{
    auto member = object.Optional(key);
    if (!member)
        return current;
    double value = member->Number();
    if (value < 0.0)
        member->Fail("a size cannot be negative");
    return value;
}

Int32 ReadIndex(const Json::ObjectReader& object, const char* key, Int32 current)
{
    auto member = object.Optional(key);
    return member ? static_cast<Int32>(member->Integer(0, Int32Max)) : current;
}

std::string ReadText(const Json::Reader& member)
{
    std::string text = member.String();
    if (text.find('\0') != std::string::npos)
        member.Fail("the text cannot hold a NUL character");
    return text;
}

std::vector<IfcAttribute> ReadIfc(const Json::Reader& member)
{
    std::vector<IfcAttribute> attributes;
    for (const auto& item : member.Array()) {
        auto object = item.Object({"name", "value"});
        IfcAttribute attribute;
        attribute.name = ReadText(object.Required("name"));
        if (attribute.name.empty())
            object.Required("name").Fail("an IFC attribute needs a name");
        attribute.value = ReadText(object.Required("value"));
        attributes.push_back(std::move(attribute));
    }
    return attributes;
}

API_ModelElemStructureType ReadStructure(const Json::Reader& member)
{
    const std::string word = member.String();
    for (const auto& entry : structureWords)
        if (word == entry.word)
            return entry.structure;
    member.Fail("\"" + word + "\" is none of " + WordList(structureWords));
}

short ReadGeometry(const Json::Reader& member)
{
    const std::string word = member.String();
    for (const auto& entry : geometryWords)
        if (word == entry.word)
            return entry.geometry;
    member.Fail("\"" + word + "\" is none of " + WordList(geometryWords));
}

API_ElemTypeID ReadOwnerType(const Json::Reader& member)
{
    const std::string word = member.String();
    for (const auto& entry : ownerWords)
        if (word == entry.word)
            return entry.type;
    member.Fail("\"" + word + "\" is none of " + WordList(ownerWords));
}

LibraryPartRef ReadLibraryPart(const Json::Reader& member)
{
    auto object = member.Object({"index", "unId"});
    LibraryPartRef part;
    part.index = static_cast<Int32>(object.Required("index").Integer(1, Int32Max));
    auto unId = object.Required("unId");
    part.unId = ReadText(unId);
    if (part.unId.empty() || part.unId.size() > 127)
        unId.Fail("a library part's unique id has 1 to 127 bytes");
    return part;
}

API_Guid ReadGuidText(const Json::Reader& member)
{
    const std::string text = member.String();
    GS::Guid guid(text.c_str());
    if (text.size() != 36 || guid.IsNull())
        member.Fail("\"" + text + "\" is not a GUID (36 characters: 8-4-4-4-12 hexadecimal digits, not all zero)");
    return GSGuid2APIGuid(guid);
}

std::vector<Hole> ReadHoles(const Json::Reader& member)
{
    std::vector<Hole> holes;
    for (const auto& item : member.Array()) {
        auto object = item.Object({"length", "width"});
        holes.push_back({ReadSize(object, "length", 0.0), ReadSize(object, "width", 0.0)});
    }
    return holes;
}

Veneer ReadVeneer(const Json::Reader& member)
{
    auto object = member.Object({"buildingMaterial", "thickness"});
    Veneer veneer;
    veneer.buildingMaterial = static_cast<Int32>(object.Required("buildingMaterial").Integer(1, Int32Max));
    veneer.thickness = ReadSize(object, "thickness", 0.0);
    return veneer;
}

std::vector<SectionPart> ReadSectionParts(const Json::Reader& member)
{
    std::vector<SectionPart> parts;
    for (const auto& item : member.Array()) {
        auto object = item.Object({"buildingMaterial", "area"});
        SectionPart part;
        part.buildingMaterial = static_cast<Int32>(object.Required("buildingMaterial").Integer(1, Int32Max));
        part.area = ReadSize(object, "area", 0.0);
        parts.push_back(part);
    }
    return parts;
}

// Reads every member `object` has into `element`; what it leaves out keeps the element's value.
void ReadMembers(const Json::ObjectReader& object, Element& element)
{
    element.onVisibleLayer = object.Bool("onVisibleLayer", element.onVisibleLayer);
    element.in3D = object.Bool("in3D", element.in3D);
    if (auto ifc = object.Optional("ifc"))
        element.ifcAttributes = ReadIfc(*ifc);
    if (auto userData = object.Optional("userData"))
        element.userData = ReadUserData(*userData);
    if (auto origin = object.Optional("origin")) {
        auto coordinates = origin->Array();
        if (coordinates.size() != 3)
            origin->Fail("an origin is [x, y, z]");
        element.origin = {coordinates[0].Number(), coordinates[1].Number(), coordinates[2].Number()};
    }
    if (auto structure = object.Optional("structure"))
        element.structure = ReadStructure(*structure);
    element.buildingMaterial = ReadIndex(object, "buildingMaterial", element.buildingMaterial);
    element.composite = ReadIndex(object, "composite", element.composite);
    element.profile = ReadIndex(object, "profile", element.profile);
    if (auto geometry = object.Optional("geometry"))
        element.wallGeometry = ReadGeometry(*geometry);
    element.length = ReadSize(object, "length", element.length);
    element.width = ReadSize(object, "width", element.width);
    element.height = ReadSize(object, "height", element.height);
    const bool thicknessGiven = object.Has("thickness");
    element.thickness = ReadSize(object, "thickness", element.thickness);
    // A wall given one thickness is as thick at both ends.
    element.endThickness = ReadSize(object, "endThickness", thicknessGiven ? element.thickness : element.endThickness);
    element.planArea = ReadSize(object, "planArea", element.planArea);
    if (auto holes = object.Optional("holes"))
        element.holes = ReadHoles(*holes);
    if (auto veneer = object.Optional("veneer"))
        element.veneer = ReadVeneer(*veneer);
    if (auto parts = object.Optional("sectionParts"))
        element.sectionParts = ReadSectionParts(*parts);
    if (auto wall = object.Optional("wall"))
        element.wall = ReadGuidText(*wall);
    if (auto part = object.Optional("libraryPart"))
        element.libraryPart = ReadLibraryPart(*part);
    if (auto ownerType = object.Optional("ownerType"))
        element.ownerType = ReadOwnerType(*ownerType);
    if (auto owner = object.Optional("owner"))
        element.owner = ReadGuidText(*owner);
}

// The host's rules that hold whatever set the element: the attributes it names exist, and a composite
// element is as thick as its composite.
void CheckElement(const Json::ObjectReader& object, const Project& project, Element& element)
{
    const Attributes& attributes = project.attributes;
    auto place = [&object](const char* key) { return object.Has(key) ? object.Required(key) : object.Self(); };
    if (element.buildingMaterial != 0 && attributes.buildingMaterials.FindByIndex(element.buildingMaterial) == nullptr)
        place("buildingMaterial").Fail("no building material has the index " + std::to_string(element.buildingMaterial));
    if (element.composite != 0 && attributes.composites.FindByIndex(element.composite) == nullptr)
        place("composite").Fail("no composite has the index " + std::to_string(element.composite));
    if (element.veneer.buildingMaterial != 0 &&
        attributes.buildingMaterials.FindByIndex(element.veneer.buildingMaterial) == nullptr)
        object.Required("veneer").Fail("no building material has the index " +
                                       std::to_string(element.veneer.buildingMaterial));
    for (const SectionPart& part : element.sectionParts)
        if (attributes.buildingMaterials.FindByIndex(part.buildingMaterial) == nullptr)
            object.Required("sectionParts").Fail("no building material has the index " +
                                                 std::to_string(part.buildingMaterial));
    if (element.planArea != 0.0 && element.wallGeometry != APIWtyp_Poly)
        object.Required("planArea").Fail("only a polygonal wall has a plan area of its own");
    if (element.HasStructure()) {
        if (element.structure == API_BasicStructure && element.buildingMaterial == 0)
            place("buildingMaterial").Fail("a basic structure needs a building material");
        if (element.structure == API_CompositeStructure) {
            if (element.composite == 0)
                place("composite").Fail("a composite structure needs a composite");
            const double total = attributes.composites.FindByIndex(element.composite)->totalThickness;
            if (object.Has("thickness") && std::fabs(element.thickness - total) > SameThickness)
                object.Required("thickness").Fail("a composite element is as thick as its composite (" +
                                                  Json::Value(total).dump() + ")");
            if (object.Has("endThickness") && std::fabs(element.endThickness - total) > SameThickness)
                object.Required("endThickness").Fail("a composite element is as thick as its composite (" +
                                                     Json::Value(total).dump() + ")");
            element.thickness = element.endThickness = total;
        }
        if (element.structure == API_ProfileStructure && element.type != API_WallID)
            place("structure").Fail("only walls take a complex profile");
    }
    if ((element.ownerType == API_ZombieElemID) != (element.owner == APINULLGuid))
        object.Self().Fail("an object that is part of another element has both \"ownerType\" and \"owner\"");
}

}  // namespace

const char* ElementKindWord(API_ElemTypeID type)
{
    for (const auto& entry : kindWords)
        if (entry.type == type)
            return entry.word;
    return nullptr;
}

std::optional<API_ElemTypeID> ElementKindFromWord(const std::string& word)
{
    for (const auto& entry : kindWords)
        if (word == entry.word)
            return entry.type;
    return std::nullopt;
}

Element ReadElement(const Json::Reader& reader, const Project& project, bool requireGuid, bool checkOwner)
{
    if (!reader.Raw().is_object())
        reader.Fail("an element is a JSON object");
    if (!reader.Raw().contains("type"))
        reader.Fail("member \"type\" is missing (one of " + WordList(kindWords) + ")");
    Json::Reader typeMember = reader.Child(reader.Raw()["type"], "type");
    auto type = ElementKindFromWord(typeMember.String());
    if (!type)
        typeMember.Fail("\"" + typeMember.String() + "\" is none of " + WordList(kindWords));
    auto object = reader.Object(MembersOf(*type));

    Element element;
    element.type = *type;
    if (requireGuid || object.Has("guid"))
        element.guid = ReadGuidText(object.Required("guid"));
    ReadMembers(object, element);
    CheckElement(object, project, element);
    if (checkOwner)
        CheckOwner(element, project, object.Self());
    return element;
}

void ApplyElementChanges(const Json::Reader& reader, const Project& project, Element& element)
{
    std::vector<std::string> members = MembersOf(element.type);
    members.erase(members.begin(), members.begin() + 2);  // "guid" and "type" stay as they are
    auto object = reader.Object(members);
    Element changed = element;
    ReadMembers(object, changed);
    CheckElement(object, project, changed);
    CheckOwner(changed, project, object.Self());
    element = std::move(changed);
}

void CheckOwner(const Element& element, const Project& project, const Json::Reader& place)
{
    // A window or door cuts the wall it names. Once that wall is gone the opening stands free and cuts
    // nothing, so a project saved after deleting a wall still opens.
    if (element.wall != APINULLGuid) {
        const Element* wall = project.elements.Find(element.wall);
        if (wall != nullptr && wall->type != API_WallID)
            place.Fail("the element " + Sim::Utf8(APIGuidToString(element.wall)) + " that the opening sits in is not a wall");
    }
    if (element.ownerType == API_ZombieElemID)
        return;
    const Element* owner = project.elements.Find(element.owner);
    const API_ElemTypeID expected = element.ownerType == API_CurtainWallFrameID ? API_CurtainWallID : API_StairID;
    if (owner == nullptr || owner->type != expected)
        place.Fail("the owner " + Sim::Utf8(APIGuidToString(element.owner)) + " is not a " +
                   ElementKindWord(expected) + " of the project");
}

Json::Value WriteElement(const Element& element)
{
    Json::Value object = Json::Value::object();
    const std::vector<std::string> members = MembersOf(element.type);
    auto has = [&members](const char* key) {
        for (const auto& member : members)
            if (member == key)
                return true;
        return false;
    };
    object["guid"] = Sim::Utf8(APIGuidToString(element.guid));
    object["type"] = ElementKindWord(element.type);
    object["onVisibleLayer"] = element.onVisibleLayer;
    object["in3D"] = element.in3D;
    Json::Value ifc = Json::Value::array();
    for (const auto& attribute : element.ifcAttributes)
        ifc.push_back({{"name", attribute.name}, {"value", attribute.value}});
    object["ifc"] = ifc;
    object["origin"] = {element.origin.x, element.origin.y, element.origin.z};
    if (has("structure"))
        for (const auto& entry : structureWords)
            if (entry.structure == element.structure)
                object["structure"] = entry.word;
    if (has("buildingMaterial"))
        object["buildingMaterial"] = element.buildingMaterial;
    if (has("composite"))
        object["composite"] = element.composite;
    if (has("profile"))
        object["profile"] = element.profile;
    if (has("geometry"))
        for (const auto& entry : geometryWords)
            if (entry.geometry == element.wallGeometry)
                object["geometry"] = entry.word;
    for (const char* key : {"length", "width", "height", "thickness", "endThickness"}) {
        if (!has(key))
            continue;
        const std::string k = key;
        object[key] = k == "length"      ? element.length
                      : k == "width"     ? element.width
                      : k == "height"    ? element.height
                      : k == "thickness" ? element.thickness
                                         : element.endThickness;
    }
    // Members that older files never had are written only when they hold something, so those files
    // save as they were.
    if (has("planArea") && element.planArea != 0.0)
        object["planArea"] = element.planArea;
    if (has("holes") && !element.holes.empty()) {
        Json::Value holes = Json::Value::array();
        for (const Hole& hole : element.holes)
            holes.push_back({{"length", hole.length}, {"width", hole.width}});
        object["holes"] = holes;
    }
    if (has("veneer") && element.veneer.buildingMaterial != 0)
        object["veneer"] = {{"buildingMaterial", element.veneer.buildingMaterial},
                            {"thickness", element.veneer.thickness}};
    if (has("sectionParts") && !element.sectionParts.empty()) {
        Json::Value parts = Json::Value::array();
        for (const SectionPart& part : element.sectionParts)
            parts.push_back({{"buildingMaterial", part.buildingMaterial}, {"area", part.area}});
        object["sectionParts"] = parts;
    }
    if (has("wall") && element.wall != APINULLGuid)
        object["wall"] = Sim::Utf8(APIGuidToString(element.wall));
    if (has("libraryPart") && element.HasLibraryPart())
        object["libraryPart"] = {{"index", element.libraryPart.index}, {"unId", element.libraryPart.unId}};
    if (has("ownerType") && element.ownerType != API_ZombieElemID) {
        for (const auto& entry : ownerWords)
            if (entry.type == element.ownerType)
                object["ownerType"] = entry.word;
        object["owner"] = Sim::Utf8(APIGuidToString(element.owner));
    }
    if (element.userData)
        object["userData"] = WriteUserData(*element.userData);
    if (!element.attached.IsEmpty())
        object["attached"] = WriteAttachedData(element.attached);
    return object;
}

void ReadElements(const Json::Reader& section, Project& project, FileReadContext& context)
{
    auto items = section.Array();
    for (const auto& item : items) {
        // Classification items and property values belong to the saved element only: a placed or changed
        // element gets them from the add-ons, never from the user's description of it.
        Json::Value described = item.Raw();
        Json::Value attached;
        const bool hasAttached = described.is_object() && described.contains("attached");
        if (hasAttached) {
            attached = described["attached"];
            described.erase("attached");
        }
        const Json::Reader reader(described, item.Where());
        Element element = ReadElement(reader, project, true, false);
        context.ClaimGuid(reader.Object(MembersOf(element.type)).Required("guid"));
        if (hasAttached)
            element.attached = ReadAttachedData(item.Child(attached, "attached"), context);
        project.elements.Add(std::move(element));
    }
    // Owners may be listed after their parts.
    for (size_t i = 0; i < items.size(); ++i)
        CheckOwner(project.elements.At(i), project, items[i]);
}

Json::Value WriteElements(const Project& project)
{
    Json::Value list = Json::Value::array();
    for (const auto& element : project.elements.All())
        list.push_back(WriteElement(element));
    return list;
}

}  // namespace Sim::Model
