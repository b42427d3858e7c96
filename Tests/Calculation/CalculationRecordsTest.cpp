// The calculation's records: how elements fold into groups, the orders the page relies on, and the text
// form of the document.
#include "Calculation/CalculationJson.hpp"
#include "Calculation/CompositeInfo.hpp"
#include "Calculation/ElemInfo.hpp"
#include "Calculation/GroupedRecords.hpp"
#include "Calculation/SystemRecord.hpp"
#include "SimUtf8.hpp"

#include <gtest/gtest.h>

namespace {

using nlohmann::json;
using QRV::CompositeInfo;
using QRV::ElemInfo;
using QRV::GroupedRecords;
using QRV::SystemRecord;
namespace CalculationJson = QRV::CalculationJson;

CompositeInfo Chair(const char* id, double area, double volume)
{
    CompositeInfo chair;
    chair.type = "Furniture";
    chair.id = id;
    chair.name = "Chair";
    chair.defaultValue = "pcs";
    chair.bimUuid = "cat-1";
    chair.area = area;
    chair.volume = volume;
    chair.length = 2.0;
    chair.weight = volume * 100.0;
    chair.pieces = 1;
    return chair;
}

void Absorb(CompositeInfo& held, const CompositeInfo& next) { held.Absorb(next); }

std::vector<std::string> Names(const json& records, const char* key = "name")
{
    std::vector<std::string> names;
    for (const json& record : records)
        names.push_back(record.at(key).get<std::string>());
    return names;
}

TEST(ProductGroups, ElementsOfOneProductSumUpAndKeepTheFirstElementsData)
{
    GroupedRecords<CompositeInfo> groups;
    groups.Merge("Chair", Chair("FIRST", 0.25, 0.1), Absorb);
    CompositeInfo second = Chair("SECOND", 0.5, 0.2);
    second.bimUuid = "cat-2";
    groups.Merge("Chair", second, Absorb);

    ASSERT_EQ(groups.Count(), 1u);
    const json record = groups.Records()[0].ToJson();
    EXPECT_EQ(record["pieces"], 2);
    EXPECT_EQ(record["id"], "FIRST");
    EXPECT_EQ(record["bim_uuid"], "cat-1");
    EXPECT_DOUBLE_EQ(record["area"].get<double>(), 0.75);
    EXPECT_NEAR(record["volume"].get<double>(), 0.3, 1e-12);
    EXPECT_DOUBLE_EQ(record["length"].get<double>(), 4.0);
    EXPECT_NEAR(record["weight"].get<double>(), 30.0, 1e-9);
}

TEST(ProductGroups, BuildingMaterialPartsStartAtNoPieces)
{
    // Parts of walls, columns and beams start at 0, so n elements of a material report n - 1.
    GroupedRecords<CompositeInfo> groups;
    CompositeInfo part;
    part.name = "Column  Concrete";
    part.volume = 0.5;
    for (int element = 0; element < 3; ++element)
        groups.Merge(part.name, part, Absorb);
    const json record = groups.Records()[0].ToJson();
    EXPECT_EQ(record["pieces"], 2);
    EXPECT_DOUBLE_EQ(record["volume"].get<double>(), 1.5);
}

TEST(ProductGroups, NamesAreExactAndOrderedByteWise)
{
    GroupedRecords<CompositeInfo> groups;
    for (const char* name : {"chair", "Table", "Chair", "chair"}) {
        CompositeInfo record;
        record.name = name;
        groups.Merge(name, record, Absorb);
    }
    std::vector<std::string> sorted;
    for (const CompositeInfo* record : groups.ByName())
        sorted.push_back(Sim::Utf8(record->name));
    EXPECT_EQ(sorted, (std::vector<std::string>{"Chair", "Table", "chair"}));
}

TEST(ProductGroups, LongNamesAreHeldWhole)
{
    // Names that agree in their first 127 bytes are still different products.
    const std::string common(127, 'x');
    GroupedRecords<CompositeInfo> groups;
    for (const std::string& name : {common + "A", common + "B"}) {
        CompositeInfo record;
        record.name = name;
        groups.Merge(Sim::Uni(name), record, Absorb);
    }
    ASSERT_EQ(groups.Count(), 2u);
    EXPECT_EQ(groups.Records()[1].ToJson()["name"], common + "B");
}

TEST(ProductRecord, HasExactlyThePagesMembers)
{
    CompositeInfo record = Chair("ID", 1, 1);
    record.materialIndex = 12;
    record.attributes.Append(QRV::CorvanaProperty("Corvana", "id", "", "string", "cat-1"));
    const json document = record.ToJson();
    std::vector<std::string> keys;
    for (const auto& member : document.items())
        keys.push_back(member.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"area", "attributes", "bim_uuid", "default_value", "id", "length",
                                              "name", "pieces", "type", "volume", "weight"}));
    EXPECT_EQ(document["attributes"],
              json::parse(R"([{"group":"Corvana","name":"id","type":"string","unit":"","value":"cat-1"}])"));
}

SystemRecord Basic(const char* guid, double thicknessCm, double area)
{
    SystemRecord record;
    record.typeId = 1;
    record.systemType = "Wall";
    record.attributeGuid = guid;
    record.thickness = thicknessCm;
    record.area = area;
    record.basic = true;
    record.info = {{"name", "Brick"}, {"subtype", "Basic"}, {"layers", json::array()}};
    return record;
}

SystemRecord Composite(const char* guid, double thicknessCm)
{
    SystemRecord record = Basic(guid, thicknessCm, 1.0);
    record.basic = false;
    record.info["subtype"] = "Composite";
    return record;
}

TEST(SystemGroups, BasicStructuresGroupByMaterialAndThickness)
{
    EXPECT_FALSE(Basic("M1", 20, 1).SameGroupAs(Basic("M1", 25, 1)));
    EXPECT_TRUE(Basic("M1", 20, 1).SameGroupAs(Basic("M1", 20.000001, 1)));
    EXPECT_FALSE(Basic("M1", 20, 1).SameGroupAs(Basic("M2", 20, 1)));
}

TEST(SystemGroups, CompositeStructuresGroupWhateverTheirThickness)
{
    EXPECT_TRUE(Composite("C1", 30).SameGroupAs(Composite("C1", 36)));
    EXPECT_FALSE(Composite("C1", 30).SameGroupAs(Composite("C2", 30)));
    EXPECT_FALSE(Composite("X", 30).SameGroupAs(Basic("X", 30, 1)));
}

TEST(SystemGroups, RecordIsTheStructureWithTypeAndArea)
{
    const json record = Basic("M1", 20, 12.5).ToJson();
    EXPECT_EQ(record["system_type"], "Wall");
    EXPECT_EQ(record["type_id"], 1);
    EXPECT_DOUBLE_EQ(record["area"].get<double>(), 12.5);
    EXPECT_EQ(record["name"], "Brick");
    EXPECT_FALSE(record.contains("thickness"));
}

TEST(SystemOrder, ByNameIgnoringCaseThenSubtypeBytes)
{
    json records = json::array({{{"name", "B"}, {"subtype", "Basic"}},
                                {{"name", "a"}, {"subtype", "Composite"}},
                                {{"name", "A"}, {"subtype", "Basic"}},
                                {{"name", "b"}, {"subtype", "Basic"}}});
    CalculationJson::SortSystemRecords(records);
    EXPECT_EQ(Names(records), (std::vector<std::string>{"A", "a", "B", "b"}));
}

TEST(NamedGroupOrder, IgnoresCaseAndKeepsTheModelsOrderOfEqualNames)
{
    json records = json::array({{{"type_name", "b"}, {"id", "1"}},
                                {{"type_name", "A"}, {"id", "2"}},
                                {{"type_name", "B"}, {"id", "3"}},
                                {{"type_name", ""}, {"id", "4"}}});
    CalculationJson::SortByTextIgnoringCase(records, "type_name");
    EXPECT_EQ(Names(records, "id"), (std::vector<std::string>{"4", "2", "1", "3"}));
}

TEST(ElementGroups, StairsAddVolumeCurtainWallsArea)
{
    ElemInfo stair = ElemInfo::Stair("");
    stair.volume = 1.5;
    stair.area = 9;
    ElemInfo other = ElemInfo::Stair("");
    other.volume = 2.0;
    other.area = 9;
    stair.Absorb(other);
    EXPECT_DOUBLE_EQ(stair.volume, 3.5);
    EXPECT_DOUBLE_EQ(stair.area, 9);

    ElemInfo wall = ElemInfo::CurtainWall("Glass");
    wall.area = 10;
    ElemInfo next = ElemInfo::CurtainWall("Glass");
    next.area = 5;
    next.volume = 7;
    wall.Absorb(next);
    EXPECT_DOUBLE_EQ(wall.area, 15);
    EXPECT_DOUBLE_EQ(wall.volume, 0);
}

TEST(ElementGroups, StairRecordCarriesEveryNameKey)
{
    const json stair = ElemInfo::Stair("Spiral").ToJson();
    EXPECT_EQ(stair, json::parse(R"({"family_name":"Assembled Stair","type_name":"Spiral","type":"Stairs",
        "id":"","volume":0.0,"run_type_material_name":"","landing_type_material_name":"",
        "right_support_type_name":"","left_support_type_name":"","bim_uuid":"","attributes":[]})"));
    const json wall = ElemInfo::CurtainWall("").ToJson();
    EXPECT_EQ(wall, json::parse(R"({"type":"","name":"","area":0.0,"id":"","bim_uuid":"","attributes":[]})"));
}

TEST(CatalogueNumbers, LeadingNumberOfAText)
{
    EXPECT_DOUBLE_EQ(CalculationJson::CatalogueNumber("1800"), 1800.0);
    EXPECT_DOUBLE_EQ(CalculationJson::CatalogueNumber(" 2.5 kg/m3"), 2.5);
    EXPECT_DOUBLE_EQ(CalculationJson::CatalogueNumber("heavy"), 0.0);
    EXPECT_DOUBLE_EQ(CalculationJson::CatalogueNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(CalculationJson::CatalogueNumber("inf"), 0.0);
    EXPECT_DOUBLE_EQ(CalculationJson::CatalogueNumber("nan"), 0.0);
}

TEST(CatalogueNumbers, EitherDecimalMarkAndAnOptionalUnitAnythingElseIsZero)
{
    EXPECT_DOUBLE_EQ(CalculationJson::CatalogueNumber("7,5"), 7.5);
    EXPECT_DOUBLE_EQ(CalculationJson::CatalogueNumber("7.5 kg/m3"), 7.5);
    EXPECT_DOUBLE_EQ(CalculationJson::CatalogueNumber("12 kg/m3"), 12.0);
    EXPECT_DOUBLE_EQ(CalculationJson::CatalogueNumber("\t-0,25\tkg/m\xC2\xB3 "), -0.25);
    EXPECT_DOUBLE_EQ(CalculationJson::CatalogueNumber("7,5kg"), 7.5);
    EXPECT_DOUBLE_EQ(CalculationJson::CatalogueNumber(",5"), 0.5);
    EXPECT_DOUBLE_EQ(CalculationJson::CatalogueNumber("1e3 kg/m3"), 1000.0);
    EXPECT_DOUBLE_EQ(CalculationJson::CatalogueNumber("5 each"), 5.0);
    for (const char* text : {"abc", "kg 7,5", "1.000,5", "7,5,3", "1 800", "7,5 8", ",", "-", "1e999", "7..5"})
        EXPECT_DOUBLE_EQ(CalculationJson::CatalogueNumber(text), 0.0) << text;
}

TEST(CatalogueProperties, LayersKeepOnlyTheirAttributeGroup)
{
    QRV::CorvanaProperties properties;
    properties.Append(QRV::CorvanaProperty("Corvana", "id", "", "string", "7"));
    properties.Append(QRV::CorvanaProperty("Ostrel Attributes", "lambda", "W/mK", "number", "0.8"));
    const json layer = CalculationJson::Properties(properties, "Ostrel Attributes");
    ASSERT_EQ(layer.size(), 1u);
    EXPECT_EQ(layer[0]["name"], "lambda");
    EXPECT_EQ(CalculationJson::Properties(properties).size(), 2u);
}

TEST(DocumentText, OneSpaceIndentSortedKeysAndUtf8AsItIs)
{
    json document = json::object();
    document["SystemInfo"] = json::array();
    document["ProductInfo"] = json::array({{{"name", "Ziegel \xC3\xA4"}, {"area", 1}}});
    document["CurtainWallInfo"] = json::array();
    document["StairCalculationInfo"] = json::array();
    EXPECT_EQ(CalculationJson::DocumentText(document),
              "{\n \"CurtainWallInfo\": [],\n \"ProductInfo\": [\n  {\n   \"area\": 1,\n"
              "   \"name\": \"Ziegel \xC3\xA4\"\n  }\n ],\n \"StairCalculationInfo\": [],\n \"SystemInfo\": []\n}");
}

TEST(DocumentText, DamagedNameDoesNotFailTheAnswer)
{
    const json document = {{"name", std::string("Brick \xFF")}};
    std::string text;
    ASSERT_NO_THROW(text = CalculationJson::DocumentText(document));
    EXPECT_NE(text.find("Brick \xEF\xBF\xBD"), std::string::npos);
}

}  // namespace
