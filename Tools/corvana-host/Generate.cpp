#include "Generate.hpp"

#include "Model/ProjectFile.hpp"
#include "Options.hpp"
#include "FileAddress.hpp"
#include "PageCall.hpp"
#include "SimUtf8.hpp"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>
#include <sstream>

namespace CorvanaHost {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

struct GenerateSettings {
    Int64 elements = 200;
    Int64 materials = 10;
    Int64 systems = 12;
    Int64 products = 4;
    Int64 properties = 20;
    Int64 firstSystemWalls = 0;  // walls that use the first wall system, before the random mix
    UInt64 seed = 1;
    std::string payloads;        // folder for the generated catalogue items; empty: not written
};

// Small, fast and the same on every platform (std distributions are not).
class Random {
public:
    explicit Random(UInt64 seed) : state_(seed * 0x9E3779B97F4A7C15ULL + 0x2545F4914F6CDD1DULL) {}
    UInt64 Next()
    {
        UInt64 z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    size_t Below(size_t bound) { return bound == 0 ? 0 : static_cast<size_t>(Next() % bound); }
    // A length in centimetre steps between `low` and `high` metres, exact in decimal.
    double Metres(double low, double high)
    {
        const auto steps = static_cast<size_t>((high - low) * 100.0 + 0.5);
        return low + static_cast<double>(Below(steps + 1)) / 100.0;
    }

private:
    UInt64 state_;
};

std::string Numbered(const char* prefix, Int64 number)
{
    char digits[24];
    std::snprintf(digits, sizeof digits, "%04lld", static_cast<long long>(number));
    return std::string(prefix) + digits;
}

// Catalogue ids and stamps, apart per kind so that a status request can name any of them.
constexpr Int64 MaterialIds = 100000;
constexpr Int64 SystemIds = 200000;
constexpr Int64 SystemMaterialIds = 300000;
constexpr Int64 ProductIds = 400000;
constexpr Int64 NamedProductIds = 500000;
constexpr Int64 FirstStamp = 1700000000;

Json Attribute(const std::string& name, Json value) { return Json{{"name", name}, {"value", std::move(value)}}; }

Json MaterialItem(Int64 i)
{
    Json attributes = Json::array({Attribute("Manufacturer", "Maker " + std::to_string(i % 7)),
                                   Attribute("Density", 400 + (i * 37) % 2000),
                                   Attribute("Thermal conductivity", 0.04 + static_cast<double>(i % 50) / 100.0)});
    Json article = {{"id", MaterialIds + i},
                    {"name", Numbered("Material ", i) + " article"},
                    {"updated_at", FirstStamp + i},
                    {"tabs", Json::array({Json{{"name", "General"}, {"attributes", attributes}}})}};
    return Json{{"import_type", "Material"}, {"name", Numbered("Material ", i)}, {"articles", Json::array({article})}};
}

const char* const SystemKinds[] = {"External Wall", "Internal Wall", "Floor", "Roof"};

// 0, 1: walls; 2: slabs; 3: roofs.
int SystemKind(Int64 i) { return static_cast<int>(i % 4); }

std::string SystemName(Int64 i)
{
    static const char* const prefixes[] = {"Wall system ", "Partition system ", "Slab system ", "Roof system "};
    return Numbered(prefixes[SystemKind(i)], i);
}

Json SystemItem(Int64 i, Int64 properties, Int64 stampOffset)
{
    Json performance = Json::array();
    Json general = Json::array();
    for (Int64 p = 0; p < properties; ++p) {
        Json value = p % 3 == 0 ? Json(static_cast<double>((i + p) % 40) / 10.0 + 0.1)
                                : Json("Value " + std::to_string(p) + "-" + std::to_string(i % 9));
        (p % 2 == 0 ? performance : general).push_back(Attribute("Property " + std::to_string(p + 1), value));
    }
    Json materials = Json::array();
    static const char* const roles[] = {"Finish", "Core", "Other"};
    static const double thicknesses[] = {1.5, 16, 6};
    Json layers = Json::array();
    for (int layer = 0; layer < 3; ++layer) {
        const Int64 id = SystemMaterialIds + i * 3 + layer;
        Json article = {{"id", id},
                        {"name", SystemName(i) + " layer " + std::to_string(layer + 1)},
                        {"updated_at", FirstStamp + id % 1000},
                        {"tabs", Json::array({Json{{"name", "General"},
                                                   {"attributes", Json::array({Attribute("Density", 100 + layer * 900)})}}})}};
        materials.push_back(Json{{"name", SystemName(i) + " layer " + std::to_string(layer + 1)},
                                 {"articles", Json::array({article})}});
        layers.push_back(Json{{"layer_type", roles[layer]}, {"thickness", thicknesses[layer]}});
    }
    return Json{{"import_type", "system"},
                {"id", SystemIds + i},
                {"name", SystemName(i)},
                {"description", "Generated construction system"},
                {"system_type", SystemKinds[SystemKind(i)]},
                {"updated_at", FirstStamp + i + stampOffset},
                {"tabs", Json::array({Json{{"name", "Performance"}, {"attributes", performance}},
                                      Json{{"name", "General"}, {"attributes", general}}})},
                {"materials", materials},
                {"layers", layers}};
}

std::string ProductName(Int64 i)
{
    static const char* const names[] = {"Window ", "Door ", "Chair ", "Table "};
    return Numbered(names[i % 4], i);
}

Json ProductItem(Int64 i)
{
    const std::string file =
        "file://" + FileAddressPath(Sim::PathFromUtf8(CORVANA_SOURCE_DIR) / "Examples/library/LoungeChair.gsm");
    Json general = Json::array({Attribute("Manufacturer", "Maker " + std::to_string(i % 5)),
                                Attribute("Reference Unit", "pcs"), Attribute("Density", 600 + i)});
    return Json{{"import_type", "Product"},
                {"id", ProductIds + i},
                {"name", ProductName(i)},
                {"file_url", file},
                {"updated_at", FirstStamp + i},
                {"articles", Json::array()},
                {"product_tabs", Json::array({Json{{"name", "General"}, {"attributes", general}}})}};
}

std::string NamedProductName(bool stair, Int64 i) { return Numbered(stair ? "Stair " : "Curtain wall ", i); }

Json NamedProductItem(bool stair, Int64 i)
{
    Json attributes = Json::array({Attribute(stair ? "Riser height" : "Mullion width", 17.5 + static_cast<double>(i)),
                                   Attribute("Manufacturer", "Maker " + std::to_string(i % 3))});
    return Json{{"import_type", stair ? "stair" : "curtain wall"},
                {"id", NamedProductIds + (stair ? 0 : 1000) + i},
                {"name", NamedProductName(stair, i)},
                {"updated_at", FirstStamp + i},
                {"tabs", Json::array({Json{{"name", "General"}, {"attributes", attributes}}})}};
}

constexpr Int64 NamedProducts = 2;  // of each kind

void WriteFile(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out)
        throw std::runtime_error(Sim::PathUtf8(path) + " cannot be written");
}

// The catalogue items in the order they are imported.
std::vector<Json> CatalogueItems(const GenerateSettings& settings)
{
    std::vector<Json> items;
    for (Int64 i = 1; i <= settings.materials; ++i)
        items.push_back(MaterialItem(i));
    for (Int64 i = 1; i <= settings.systems; ++i)
        items.push_back(SystemItem(i, settings.properties, 0));
    for (Int64 i = 1; i <= settings.products; ++i)
        items.push_back(ProductItem(i));
    for (Int64 i = 1; i <= NamedProducts; ++i) {
        items.push_back(NamedProductItem(true, i));
        items.push_back(NamedProductItem(false, i));
    }
    return items;
}

// Beside the items: the systems again with newer stamps (one file each and one bulk list), and a status
// request in which every other item has a newer catalogue version.
void WritePayloads(const GenerateSettings& settings, const std::vector<Json>& items)
{
    const fs::path folder = Sim::PathFromUtf8(settings.payloads);
    fs::create_directories(folder);
    Json bulk = Json::array();
    for (Int64 i = 1; i <= settings.systems; ++i) {
        Json system = SystemItem(i, settings.properties, 1000000);
        WriteFile(folder / (Numbered("system-", i) + ".json"), Json{{"data", system}}.dump(2) + "\n");
        bulk.push_back(std::move(system));
    }
    WriteFile(folder / "bulk-systems.json", bulk.dump(2) + "\n");
    Json stamps = Json::array();
    size_t position = 0;
    for (const Json& item : items) {
        const Json& source = item.contains("articles") && !item["articles"].empty() ? item["articles"][0] : item;
        const Int64 stamp = source["updated_at"].get<Int64>() + (position++ % 2 == 0 ? 1 : 0);
        stamps.push_back(Json{{"id", std::to_string(source["id"].get<Int64>())}, {"update_at", stamp}});
    }
    WriteFile(folder / "status-request.json", Json{{"materials_and_products", stamps}}.dump(2) + "\n");
}

struct Catalogue {
    std::vector<std::pair<Int32, double>> wallComposites, slabComposites, roofComposites;  // index, thickness
    std::vector<Int32> buildingMaterials;
    std::vector<std::pair<Int32, std::string>> parts;  // index, unique id
    std::vector<std::string> partNames;
};

Catalogue ReadCatalogue(const Sim::Project& project)
{
    Catalogue catalogue;
    for (const auto& composite : project.attributes.composites.All()) {
        auto& list = composite.usage == 2 ? catalogue.slabComposites
                                          : composite.usage == 4 ? catalogue.roofComposites : catalogue.wallComposites;
        list.emplace_back(composite.index, composite.totalThickness);
    }
    for (const auto& material : project.attributes.buildingMaterials.All())
        catalogue.buildingMaterials.push_back(material.index);
    Int32 index = 0;
    for (const auto& part : project.libraries.parts) {
        ++index;
        catalogue.parts.emplace_back(index, part.uniqueId);
        catalogue.partNames.push_back(part.documentName);
    }
    return catalogue;
}

class ElementLayout {
public:
    ElementLayout(const GenerateSettings& settings, const Catalogue& catalogue)
        : settings_(settings), catalogue_(catalogue), random_(settings.seed)
    {
    }

    Json Elements()
    {
        Json elements = Json::array();
        for (Int64 i = 0; i < settings_.elements; ++i)
            elements.push_back(i < settings_.firstSystemWalls ? FirstSystemWall() : Next());
        return elements;
    }

private:
    std::string NewGuid()
    {
        for (;;) {
            const UInt64 high = random_.Next();
            const UInt64 low = random_.Next();
            char text[40];
            std::snprintf(text, sizeof text, "%08llX-%04llX-4%03llX-8%03llX-%012llX",
                          static_cast<unsigned long long>(high >> 32),
                          static_cast<unsigned long long>((high >> 16) & 0xFFFF),
                          static_cast<unsigned long long>(high & 0xFFF), static_cast<unsigned long long>(low >> 52),
                          static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFULL));
            if (guids_.insert(text).second)
                return text;
        }
    }

    Json Base(const char* type, const std::string& ifcName)
    {
        Json element = {{"guid", NewGuid()}, {"type", type}};
        // A few elements are hidden or not in 3D, as in any working model.
        if (random_.Below(50) == 0)
            element["onVisibleLayer"] = false;
        if (random_.Below(80) == 0)
            element["in3D"] = false;
        if (!ifcName.empty())
            element["ifc"] = Json::array({Json{{"name", "Name"}, {"value", ifcName}}});
        element["origin"] = Json::array({random_.Metres(0, 200), random_.Metres(0, 200), random_.Metres(0, 30)});
        return element;
    }

    Json FirstSystemWall()
    {
        Json wall = Base("wall", "External wall");
        wall["structure"] = "composite";
        wall["composite"] = catalogue_.wallComposites.front().first;
        wall["length"] = random_.Metres(1, 12);
        wall["height"] = random_.Metres(2.4, 3.6);
        return wall;
    }

    Json Wall()
    {
        const size_t pick = random_.Below(10);
        if (pick < 6 && !catalogue_.wallComposites.empty())
            return CompositeWall();
        Json wall = Base("wall", pick < 9 ? "Partition" : "Profiled wall");
        wall["structure"] = pick < 9 ? "basic" : "profile";
        wall["buildingMaterial"] = AnyMaterial();
        if (pick == 9)
            wall["profile"] = static_cast<Int32>(1 + random_.Below(3));
        wall["geometry"] = random_.Below(10) == 0 ? "trapezoid" : "straight";
        wall["length"] = random_.Metres(1, 12);
        wall["height"] = random_.Metres(2.4, 3.6);
        wall["thickness"] = random_.Metres(0.1, 0.4);
        if (wall["geometry"] == "trapezoid")
            wall["endThickness"] = random_.Metres(0.1, 0.4);
        return wall;
    }

    Json CompositeWall()
    {
        Json wall = Base("wall", "External wall");
        wall["structure"] = "composite";
        wall["composite"] = catalogue_.wallComposites[random_.Below(catalogue_.wallComposites.size())].first;
        wall["geometry"] = random_.Below(20) == 0 ? "polygonal" : "straight";
        wall["length"] = random_.Metres(1, 12);
        wall["height"] = random_.Metres(2.4, 3.6);
        return wall;
    }

    Json Plate(const char* type, const std::vector<std::pair<Int32, double>>& composites)
    {
        Json plate = Base(type, "");
        if (!composites.empty() && random_.Below(4) != 0) {
            plate["structure"] = "composite";
            plate["composite"] = composites[random_.Below(composites.size())].first;
        } else {
            plate["structure"] = "basic";
            plate["buildingMaterial"] = AnyMaterial();
            plate["thickness"] = random_.Metres(0.1, 0.4);
        }
        plate["length"] = random_.Metres(2, 20);
        plate["width"] = random_.Metres(2, 15);
        return plate;
    }

    Json Member(const char* type)
    {
        Json member = Base(type, std::string(type) == "column" ? "Column" : "Beam");
        member["buildingMaterial"] = AnyMaterial();
        member["length"] = random_.Metres(0.2, 0.6);
        member["width"] = random_.Metres(0.2, 0.6);
        member["height"] = random_.Metres(2.4, 6);
        return member;
    }

    Json Opening(const char* type)
    {
        Json opening = Base(type, std::string(type) == "window" ? "Window" : "Door");
        SetLibraryPart(opening);
        opening["width"] = random_.Metres(0.6, 2.4);
        opening["height"] = random_.Metres(0.6, 2.4);
        opening["thickness"] = random_.Metres(0.1, 0.4);
        return opening;
    }

    Json Object()
    {
        Json object = Base("object", "");
        SetLibraryPart(object);
        const size_t pick = random_.Below(10);
        // Parts of curtain walls and stairs, which the calculation counts with their owners.
        if (pick == 0 && !curtainWalls_.empty()) {
            object["ownerType"] = "curtainWallFrame";
            object["owner"] = curtainWalls_[random_.Below(curtainWalls_.size())];
        } else if (pick == 1 && !stairs_.empty()) {
            static const char* const parts[] = {"riser", "tread", "stairStructure"};
            object["ownerType"] = parts[random_.Below(3)];
            object["owner"] = stairs_[random_.Below(stairs_.size())];
        } else if (pick < 9 && object.contains("libraryPart")) {
            object["ifc"] = Json::array({Json{{"name", "Name"}, {"value", "Furniture"}}});
        }
        object["length"] = random_.Metres(0.3, 2);
        object["width"] = random_.Metres(0.3, 2);
        object["height"] = random_.Metres(0.3, 2);
        return object;
    }

    Json Named(bool stair)
    {
        const std::string name = random_.Below(5) == 0 ? std::string(stair ? "Site stair" : "Site facade")
                                                       : NamedProductName(stair, 1 + static_cast<Int64>(random_.Below(
                                                                                          NamedProducts)));
        Json element = Base(stair ? "stair" : "curtainWall", name);
        (stair ? stairs_ : curtainWalls_).push_back(element["guid"].get<std::string>());
        element["length"] = random_.Metres(2, 8);
        element["height"] = random_.Metres(2.4, 3.6);
        if (stair)
            element["width"] = random_.Metres(0.9, 1.5);
        return element;
    }

    Json Next()
    {
        // Out of 100: walls 35, slabs 8, roofs 4, columns 8, beams 8, windows 12, doors 8, objects 12,
        // curtain walls 2, stairs 3.
        const size_t pick = random_.Below(100);
        if (pick < 35)
            return Wall();
        if (pick < 43)
            return Plate("slab", catalogue_.slabComposites);
        if (pick < 47)
            return Plate("roof", catalogue_.roofComposites);
        if (pick < 55)
            return Member("column");
        if (pick < 63)
            return Member("beam");
        if (pick < 75)
            return Opening("window");
        if (pick < 83)
            return Opening("door");
        if (pick < 95)
            return Object();
        if (pick < 97)
            return Named(false);
        return Named(true);
    }

    Int32 AnyMaterial() { return catalogue_.buildingMaterials[random_.Below(catalogue_.buildingMaterials.size())]; }

    void SetLibraryPart(Json& element)
    {
        if (catalogue_.parts.empty())
            return;
        const auto& part = catalogue_.parts[random_.Below(catalogue_.parts.size())];
        element["libraryPart"] = Json{{"index", part.first}, {"unId", part.second}};
    }

    const GenerateSettings& settings_;
    const Catalogue& catalogue_;
    Random random_;
    std::set<std::string> guids_;
    std::vector<std::string> curtainWalls_;
    std::vector<std::string> stairs_;
};

int Generate(const GenerateSettings& settings, CommandContext& context)
{
    Sim::Host& host = context.session.GetHost();
    const std::vector<Json> items = CatalogueItems(settings);
    if (!settings.payloads.empty())
        WritePayloads(settings, items);

    ConsoleToStderr console(context.out);
    size_t failed = 0;
    for (const Json& item : items) {
        PageArgument argument;
        argument.kind = PageArgument::Text;
        argument.text = Json{{"data", item}}.dump();
        const Sim::JsCallResult result = CallPage(host, "import", argument);
        if (!result.called || ReplyText(result.reply).find("\"IsError\":false") == std::string::npos) {
            context.err << "corvana-host: generate: the import of " << item["name"].get<std::string>()
                        << " failed: " << (result.called ? ReplyText(result.reply) : result.problem) << "\n";
            ++failed;
        }
    }
    if (failed != 0)
        return 1;

    const Catalogue catalogue = ReadCatalogue(host.GetProject());
    if (catalogue.buildingMaterials.empty() || (settings.firstSystemWalls > 0 && catalogue.wallComposites.empty())) {
        context.err << "corvana-host: generate: the imports left no building material or wall composite\n";
        return 1;
    }
    Json document = Json::parse(Sim::ProjectFile::ToText(host.GetProject()));
    document["projectInfo"]["name"] = "Generated " + std::to_string(settings.elements);
    document["elements"] = ElementLayout(settings, catalogue).Elements();
    host.GetProject() = Sim::ProjectFile::FromText(document.dump(2));
    console.Out() << "generated: " << settings.elements << " elements, "
                  << host.GetProject().attributes.buildingMaterials.Size() << " building materials, "
                  << host.GetProject().attributes.composites.Size() << " composites, "
                  << host.GetProject().libraries.parts.size() << " library parts\n";
    return 0;
}

const char* const GenerateSynopsis = "generate [--elements N] [OPTION...]";

CommandAction PrepareGenerate(const std::vector<std::string>& arguments)
{
    GenerateSettings settings;
    for (size_t i = 0; i < arguments.size(); i += 2) {
        const std::string& name = arguments[i];
        if (i + 1 >= arguments.size())
            throw UsageError(name + " needs a value (" + GenerateSynopsis + ")");
        const std::string& value = arguments[i + 1];
        if (name == "--elements")
            settings.elements = ParseInteger(value, 0, 10000000, name);
        else if (name == "--materials")
            settings.materials = ParseInteger(value, 1, 1000000, name);
        else if (name == "--systems")
            settings.systems = ParseInteger(value, 0, 100000, name);
        else if (name == "--products")
            settings.products = ParseInteger(value, 0, 10000, name);
        else if (name == "--properties")
            settings.properties = ParseInteger(value, 0, 1000, name);
        else if (name == "--first-system-walls")
            settings.firstSystemWalls = ParseInteger(value, 0, 10000000, name);
        else if (name == "--seed")
            settings.seed = ParseUnsigned(value, name);
        else if (name == "--payloads")
            settings.payloads = value;
        else
            throw UsageError("unknown argument \"" + name + "\" (" + GenerateSynopsis + ")");
    }
    if (settings.firstSystemWalls > settings.elements)
        throw UsageError("--first-system-walls cannot exceed --elements");
    return [settings](CommandContext& context) {
        try {
            return Generate(settings, context);
        } catch (const std::exception& e) {
            context.err << "corvana-host: generate: " << e.what() << "\n";
            return 1;
        }
    };
}

}  // namespace

Command GenerateCommand()
{
    return {"generate", GenerateSynopsis, "write a project of a chosen size for measurements",
            "Options: --elements N (200), --materials N (10), --systems N (12), --products N (4),\n"
            "--properties N (20, per system), --first-system-walls N (0), --seed S (1), --payloads DIR.\n"
            "Imports generated catalogue items through the page's \"import\" (building materials, wall, slab\n"
            "and roof systems with N properties each, library part products, stair and curtain-wall products),\n"
            "then lays out N elements around them: walls (composite, basic, profiled), slabs, roofs, columns,\n"
            "beams, windows, doors, objects (some of them parts of curtain walls and stairs), curtain walls and\n"
            "stairs, the same for the same --seed. Save the result with --save FILE. --payloads DIR also writes\n"
            "the systems again with newer stamps (system-NNNN.json, bulk-systems.json) and a status request\n"
            "(status-request.json) for measuring imports and the status report on the project.\n",
            &PrepareGenerate};
}

}  // namespace CorvanaHost
