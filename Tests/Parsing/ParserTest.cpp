#include "ParsingFixtures.hpp"

#include "Parsing/Items/CorvanaComplexMaterial.hpp"
#include "Parsing/Items/CorvanaLibrary.hpp"
#include "Parsing/Items/CorvanaLibraryPart.hpp"
#include "Parsing/Items/CorvanaMaterial.hpp"
#include "Parsing/ParserManager.hpp"
#include "Support/ModuleFixture.hpp"
#include "SimUtf8.hpp"

#include <string>
#include <vector>

namespace {

using namespace QRV;
using QRVTest::As;
using QRVTest::ReadFixtureData;

struct PropertyRow {
    std::string group, name, value;
    bool operator==(const PropertyRow& other) const
    {
        return group == other.group && name == other.name && value == other.value;
    }
};

std::ostream& operator<<(std::ostream& out, const PropertyRow& row)
{
    return out << "{" << row.group << ", " << row.name << ", " << row.value << "}";
}

std::vector<PropertyRow> Rows(const CorvanaProperties& properties)
{
    std::vector<PropertyRow> rows;
    for (const CorvanaProperty& property : properties.All()) {
        EXPECT_EQ(Sim::Utf8(property.GetUnit()), "");
        EXPECT_EQ(Sim::Utf8(property.GetType()), "");
        rows.push_back({Sim::Utf8(property.GetGroup()), Sim::Utf8(property.GetName()),
                        Sim::Utf8(property.GetValue())});
    }
    return rows;
}

// The parser writes detail lines to the host's debug output; tests see them through a simulated host.
class CorvanaParsing : public QRVTest::HostFixture {
protected:
    std::unique_ptr<CorvanaMaterial> Material(const Json& article) { return As<CorvanaMaterial>(parser.ParseMaterial(article)); }
    std::unique_ptr<CorvanaComplexMaterial> System(const Json& system)
    {
        return As<CorvanaComplexMaterial>(parser.ParseComplexMaterial(system));
    }
    std::unique_ptr<CorvanaLibrary> Library(const Json& product) { return As<CorvanaLibrary>(parser.ParseLibrary(product)); }
    std::unique_ptr<CorvanaLibraryPart> Part(const Json& product)
    {
        return As<CorvanaLibraryPart>(parser.ParseLibraryPart(product));
    }

    CorvanaJsonParser parser;
};

TEST(ParserManagerChoice, OnlyTheCorvanaJsonPairHasAParser)
{
    ParserManager manager;
    std::unique_ptr<Parser> parser = manager.GetParser(0, 0);
    ASSERT_TRUE(parser);
    EXPECT_NE(dynamic_cast<CorvanaJsonParser*>(parser.get()), nullptr);
    EXPECT_FALSE(manager.GetParser(0, 1));
    EXPECT_FALSE(manager.GetParser(1, 0));
    EXPECT_FALSE(manager.GetParser(1, 1));
    EXPECT_FALSE(manager.GetParser(-1, 0));
}

TEST_F(CorvanaParsing, FreeTextOnlyGoesToTheDebugOutput)
{
    EXPECT_FALSE(parser.ParseText("hello catalogue"));
    EXPECT_EQ(host->DebugText(), "hello catalogue\n");
}

TEST_F(CorvanaParsing, MaterialDocumentArticlesImportUnderTheDocumentName)
{
    Json data = ReadFixtureData("material-two-articles.json");
    std::vector<std::unique_ptr<CorvanaMaterial>> materials;
    for (Json article : data.at("articles")) {
        article["name"] = data.at("name");
        materials.push_back(Material(article));
        ASSERT_TRUE(materials.back());
    }
    ASSERT_EQ(materials.size(), 2u);
    EXPECT_EQ(Sim::Utf8(materials[0]->GetName()), "Oak");
    EXPECT_EQ(Sim::Utf8(materials[1]->GetName()), "Oak");
    EXPECT_EQ(Sim::Utf8(materials[0]->GetId()), "7");
    EXPECT_EQ(Sim::Utf8(materials[1]->GetId()), "8");
    EXPECT_EQ(materials[0]->GetUpdatedAt(), 1);
    EXPECT_EQ(materials[1]->GetUpdatedAt(), 0);
    EXPECT_FALSE(materials[0]->IsReplacement());
    EXPECT_EQ(materials[0]->GetReplaceSystemIndex(), 0);

    EXPECT_EQ(Rows(materials[0]->GetProperties()),
              (std::vector<PropertyRow>{{"Corvana", "name", "Oak"},
                                        {"Corvana", "id", "7"},
                                        {"Corvana", "updated_at", "1"},
                                        {"General", "Manufacturer", "Holzwerk Nord"},
                                        {"General", "Thermal conductivity", "0.13"},
                                        {"General", "FSC certified", "true"},
                                        {"IFC", "IsExternal", "false"}}));
    EXPECT_EQ(Rows(materials[1]->GetProperties()),
              (std::vector<PropertyRow>{{"Corvana", "name", "Oak"}, {"Corvana", "id", "8"}, {"Corvana", "updated_at", ""}}));
}

TEST_F(CorvanaParsing, MaterialTextFieldsFollowTheTextConversion)
{
    auto material = Material(Json::parse(R"({"id": 3.14159, "name": ["Oak", "Beech"], "updated_at": 1.7e12})"));
    EXPECT_EQ(Sim::Utf8(material->GetId()), "3.14");
    EXPECT_EQ(Sim::Utf8(material->GetName()), R"(["Oak","Beech"])");
    EXPECT_EQ(material->GetUpdatedAt(), 1700000000000);

    // Attribute values may be yes/no or structured; identifiers may not.
    auto withValues = Material(Json::parse(R"({"id": 1, "name": "Oak", "updated_at": 1, "tabs": [
        {"name": "General", "attributes": [{"name": "Oiled", "value": false},
                                           {"name": "Size", "value": {"w": 20, "h": 2}}]}]})"));
    EXPECT_EQ(Sim::Utf8(withValues->GetProperties().ValueOf("Oiled")), "false");
    EXPECT_EQ(Sim::Utf8(withValues->GetProperties().ValueOf("Size")), R"({"h":2,"w":20})");
    EXPECT_THROW(parser.ParseMaterial(Json::parse(R"({"id": true, "name": "Oak", "updated_at": 1})")), Json::type_error);
    EXPECT_THROW(parser.ParseMaterial(Json::parse(R"({"id": 1, "name": "Oak", "updated_at": 1,
        "tabs": [{"name": "General", "attributes": [{"name": false, "value": 1}]}]})")), Json::type_error);
}

TEST_F(CorvanaParsing, MaterialNullEmptyAndMissingParts)
{
    auto untouched = Material(Json());
    EXPECT_EQ(Sim::Utf8(untouched->GetName()), "Undefined");
    EXPECT_TRUE(untouched->GetProperties().IsEmpty());

    testing::internal::CaptureStdout();
    EXPECT_THROW(parser.ParseMaterial(Json::object()), Json::out_of_range);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Object is empty\n");

    EXPECT_THROW(parser.ParseMaterial(Json::parse(R"({"id": 1, "name": "Oak"})")), Json::out_of_range);
    EXPECT_THROW(parser.ParseMaterial(Json::parse(R"({"name": "Oak", "updated_at": 1})")), Json::out_of_range);

    // Tabs without attributes, and null tabs, add nothing.
    auto sparse = Material(Json::parse(R"({"id": 1, "name": "Oak", "updated_at": 1,
        "tabs": [null, {"name": "Empty"}, {"name": "Null", "attributes": null}]})"));
    EXPECT_EQ(sparse->GetProperties().Count(), 3u);
}

TEST_F(CorvanaParsing, MaterialReplacementKeys)
{
    auto material = Material(Json::parse(R"({"id": 1, "name": "Oak", "updated_at": 1,
        "system_internal_id": "12", "layer_index": "3", "internal_layer_index": 4})"));
    EXPECT_TRUE(material->IsReplacement());
    EXPECT_EQ(material->GetReplaceSystemIndex(), 12);
    EXPECT_EQ(material->GetReplaceLayerIndex(), 3);
    EXPECT_EQ(material->GetReplaceInternalLayerIndex(), 4);
    // The replacement keys never count as properties.
    EXPECT_EQ(material->GetProperties().Count(), 3u);
}

TEST_F(CorvanaParsing, SystemPairsLayersWithTheFlattenedArticles)
{
    auto system = System(ReadFixtureData("system-two-materials.json"));
    ASSERT_TRUE(system);
    EXPECT_EQ(Sim::Utf8(system->GetId()), "1402");
    EXPECT_EQ(Sim::Utf8(system->GetName()), "Timber frame wall TF-240");
    EXPECT_EQ(Sim::Utf8(system->GetStatus()), "published");
    EXPECT_EQ(Sim::Utf8(system->GetLike()), "12");
    EXPECT_EQ(system->GetUsage(), 1);
    ASSERT_EQ(system->MaterialCount(), 4u);

    const auto& skins = system->Materials();
    EXPECT_EQ(Sim::Utf8(skins[3].GetName()), "Wood fibre board 60");  // layer 3: article 2 of material 2
    EXPECT_EQ(Sim::Utf8(skins[3].GetLayerType()), "Finish");
    EXPECT_DOUBLE_EQ(skins[3].GetThickness(), 0.06);
    EXPECT_EQ(skins[0].GetSkinFlags(), 32);
    EXPECT_DOUBLE_EQ(skins[0].GetThickness(), 0.015);
    EXPECT_EQ(skins[1].GetSkinFlags(), 0);
    EXPECT_EQ(skins[2].GetSkinFlags(), 2);
    EXPECT_DOUBLE_EQ(skins[2].GetThickness(), 0.16);
    // The parser sets roles only; the appearance is the composite writer's choice.
    EXPECT_EQ(skins[2].GetAppearance(), SkinAppearance());
    EXPECT_EQ(Sim::Utf8(skins[2].GetProperties().ValueOf("Density")), "110");

    EXPECT_EQ(Rows(system->GetProperties()),
              (std::vector<PropertyRow>{{"Corvana", "name", "Timber frame wall TF-240"},
                                        {"Corvana", "id", "1402"},
                                        {"Corvana", "updated_at", "1700000000"},
                                        {"Performance", "U-value", "0.17"},
                                        {"Performance", "Fire resistance", "REI 60"},
                                        {"IFC - Corvana", "LoadBearing", "true"}}));
    EXPECT_FALSE(system->IsReplacement());
    EXPECT_EQ(host->DebugText().rfind("==CorvanaComplexMaterial==\nid: 1402\n", 0), 0u);
    EXPECT_NE(host->DebugText().find("==KMP==group: IFC - Corvana name: LoadBearing value: true\n"), std::string::npos);
}

TEST_F(CorvanaParsing, SystemTypeUsageAndDefaults)
{
    const char* base = R"({"id": 1, "name": "S", "updated_at": 1)";
    auto withType = [&](const std::string& extra) { return System(Json::parse(base + extra + "}")); };
    EXPECT_EQ(withType(R"(, "system_type": "Foundation Slab")")->GetUsage(), 2);
    EXPECT_EQ(withType(R"(, "system_type": "Roof")")->GetUsage(), 4);
    EXPECT_EQ(withType(R"(, "system_type": "Partition")")->GetUsage(), 1);
    auto untyped = withType("");
    EXPECT_EQ(Sim::Utf8(untyped->GetSystemType()), "Undefined");
    EXPECT_EQ(Sim::Utf8(untyped->GetDescription()), "Undefined");
    EXPECT_EQ(untyped->MaterialCount(), 0u);

    // Null materials are skipped; fewer layers than skins leave the rest as they are.
    auto sparse = withType(R"(, "materials": [null, {"articles": [{"id": 2, "name": "A", "updated_at": 1},
                                                                {"id": 3, "name": "B", "updated_at": 1}]}],
                              "layers": [{"layer_type": "Core", "thickness": 10}])");
    ASSERT_EQ(sparse->MaterialCount(), 2u);
    EXPECT_EQ(Sim::Utf8(sparse->Materials()[1].GetLayerType()), "Undefined");

    auto replacing = withType(R"(, "replace_id": "27")");
    EXPECT_TRUE(replacing->IsReplacement());
    EXPECT_EQ(replacing->GetReplaceIndex(), 27);

    // A null system still gives a composite, and its dump.
    auto empty = System(Json());
    EXPECT_EQ(Sim::Utf8(empty->GetName()), "Undefined");
    EXPECT_TRUE(empty->GetProperties().IsEmpty());
}

TEST_F(CorvanaParsing, SystemTabsNeedNoNameOrAttributesButMoreLayersThanSkinsAreRefused)
{
    auto system = System(Json::parse(R"({"id": 1, "name": "S", "updated_at": 1,
        "tabs": [{"attributes": [{"name": "a", "value": 1}]}, {"name": "Empty"}]})"));
    EXPECT_EQ(Rows(system->GetProperties()).back(), (PropertyRow{"", "a", "1"}));

    EXPECT_THROW(parser.ParseComplexMaterial(Json::parse(R"({"id": 1, "name": "S", "updated_at": 1,
        "materials": [{"articles": [{"id": 2, "name": "A", "updated_at": 1}]}],
        "layers": [{"layer_type": "Core", "thickness": 10}, {"layer_type": "Finish", "thickness": 1}]})")),
                 std::out_of_range);
}

TEST_F(CorvanaParsing, IfcTabGroupDependsOnTheItemKind)
{
    const Json tabs = Json::parse(R"([{"name": "IFC", "attributes": [{"name": "IsExternal", "value": true}]}])");
    const Json item = {{"id", 1}, {"name", "Door"}, {"updated_at", 1}};
    auto lastGroup = [](const CorvanaProperties& properties) { return Sim::Utf8(properties.All().back().GetGroup()); };

    Json withTabs = item;
    withTabs["tabs"] = tabs;
    EXPECT_EQ(lastGroup(System(withTabs)->GetProperties()), "IFC - Corvana");
    EXPECT_EQ(lastGroup(Material(withTabs)->GetProperties()), "IFC");

    Json product = item;
    product["articles"] = Json::array();
    product["product_tabs"] = tabs;
    EXPECT_EQ(lastGroup(Part(product)->GetProperties()), "IFC");
    product["articles"] = Json::array({{{"tabs", tabs}}});
    EXPECT_EQ(lastGroup(Library(product)->GetProperties()), "IFC");
}

TEST_F(CorvanaParsing, LibraryContainerProduct)
{
    Json data = ReadFixtureData("product-lcf.json");
    EXPECT_EQ(Payload::ProductFileKindOf(data), Payload::ProductFileKind::Library);
    auto library = Library(data);
    ASSERT_TRUE(library);
    EXPECT_EQ(Sim::Utf8(library->GetFileName()), "Door.lcf");
    EXPECT_EQ(Sim::Utf8(library->GetFileUrl()), "https://catalogue.example/files/products/3301/Door.lcf");
    EXPECT_EQ(Sim::Utf8(library->GetId()), "3301");
    EXPECT_EQ(Rows(library->GetProperties()),
              (std::vector<PropertyRow>{{"Corvana", "name", "Door"},
                                        {"Corvana", "id", "3301"},
                                        {"Corvana", "updated_at", "1710000000"},
                                        {"General", "Width", "90"},
                                        {"General", "Width", "100"}}));
    EXPECT_EQ(Sim::Utf8(library->GetProperties().ValueOf("Width")), "90");
    EXPECT_EQ(Sim::Utf8(Library(Json())->GetFileName()), "");
}

TEST_F(CorvanaParsing, LibraryPartReadsItsFirstArticle)
{
    Json data = ReadFixtureData("product-gsm-articles.json");
    EXPECT_EQ(Payload::ProductFileKindOf(data), Payload::ProductFileKind::LibraryPart);
    auto part = Part(data);
    ASSERT_TRUE(part);
    EXPECT_EQ(Sim::Utf8(part->GetFileName()), "Window.gsm");
    EXPECT_EQ(Sim::Utf8(part->GetId()), "4401");
    EXPECT_EQ(Rows(part->GetProperties()),
              (std::vector<PropertyRow>{{"Corvana", "name", "Window"},
                                        {"Corvana", "id", "4401"},
                                        {"Corvana", "updated_at", "1710000101"},
                                        {"Dimensions", "Width", "120"},
                                        {"Dimensions", "Height", "140"},
                                        {"IFC", "IsExternal", "true"}}));
}

TEST_F(CorvanaParsing, LibraryPartWithoutArticlesReadsTheProductItself)
{
    Json data = ReadFixtureData("product-gsm-no-articles.json");
    auto part = Part(data);
    ASSERT_TRUE(part);
    EXPECT_EQ(Sim::Utf8(part->GetFileName()), "Bench.gsm");
    EXPECT_EQ(Sim::Utf8(part->GetFileUrl()), "https://catalogue.example/files/products/5500/Bench.gsm");
    EXPECT_EQ(Rows(part->GetProperties()),
              (std::vector<PropertyRow>{{"Corvana", "name", "Bench"},
                                        {"Corvana", "id", "5500"},
                                        {"Corvana", "updated_at", "1710000200"},
                                        {"General", "Material", "Larch"},
                                        {"General", "Seats", "3"},
                                        {"Maintenance", "Interval", R"({"months":12,"note":"oil the surface"})"}}));

    data["articles"] = nullptr;
    EXPECT_EQ(Part(data)->GetProperties().Count(), 6u);
    data["articles"] = Json::object();
    EXPECT_EQ(Sim::Utf8(Part(data)->GetFileName()), "Bench.gsm");
}

TEST(ElementTypeDocuments, CarryTheirImportType)
{
    auto importType = [](const char* sample) {
        return Sim::Utf8(Payload::ImportType(Payload::Parse(QRVTest::ReadFixtureText(std::string("valid/") + sample))));
    };
    EXPECT_EQ(importType("curtain-wall.json"), "curtain wall");
    EXPECT_EQ(importType("stair.json"), "stair");
    EXPECT_EQ(importType("system-two-materials.json"), "system");
}

}  // namespace
