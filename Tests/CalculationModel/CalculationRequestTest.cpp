// The calculation and status answers for whole models, through the module's page commands.
#include "AddOn/PageCommands.hpp"
#include "CalculationModel.hpp"
#include "Support/InProcessModule.hpp"
#include "Model/ProjectFile.hpp"

#include <gtest/gtest.h>

namespace {

using nlohmann::json;
using QRVTest::CalculationModel;

std::string Property(const char* name, const std::string& value, const char* group = "Corvana")
{
    return json({{"group", group}, {"name", name}, {"unit", ""}, {"type", "string"}, {"value", value}}).dump();
}

class CalculationRequestTest : public QRVTest::InProcessModuleFixture {
protected:
    json Calculate()
    {
        model.Open(*host);
        const std::string text = QRV::CalculationRequest();
        return json::parse(text);
    }
    static json RecordNamed(const json& records, const std::string& name)
    {
        for (const json& record : records)
            if (record.value("name", "") == name)
                return record;
        ADD_FAILURE() << "no record named \"" << name << "\" in " << records.dump(1);
        return json::object();
    }

    CalculationModel model;
};

TEST_F(CalculationRequestTest, EmptyModelAnswersTheFourSectionsInKeyOrderWithOneSpaceIndent)
{
    model.Open(*host);
    EXPECT_EQ(QRV::CalculationRequest(),
              "{\n \"CurtainWallInfo\": [],\n \"ProductInfo\": [],\n \"StairCalculationInfo\": [],\n"
              " \"SystemInfo\": []\n}");
}

TEST_F(CalculationRequestTest, TwoChairsOfOneLibraryPartMerge)
{
    model.AddLibraryPart("{CHAIR-UNID}", "Chair");
    model.AddModuleData("CV_Chair", "[" + Property("id", "cat-chair") + "," + Property("Density", "500") + "]");
    const std::string first = model.AddObject("{CHAIR-UNID}", "Chair", 0.5, 0.5, 1.0);
    model.AddObject("{CHAIR-UNID}", "Chair", 0.5, 0.5, 1.0);
    const json products = Calculate()["ProductInfo"];
    ASSERT_EQ(products.size(), 1u) << products.dump(1);
    const json& chair = products[0];
    EXPECT_EQ(chair["pieces"], 2);
    EXPECT_EQ(chair["id"], first);
    EXPECT_EQ(chair["type"], "Furniture");
    EXPECT_EQ(chair["default_value"], "pcs");
    EXPECT_EQ(chair["bim_uuid"], "cat-chair");
    EXPECT_DOUBLE_EQ(chair["volume"].get<double>(), 0.5);
    EXPECT_DOUBLE_EQ(chair["length"].get<double>(), 4.0);
    EXPECT_DOUBLE_EQ(chair["weight"].get<double>(), 250.0);
}

TEST_F(CalculationRequestTest, DensitiesWithADecimalCommaOrAUnitWeighAsWritten)
{
    const std::pair<const char*, const char*> products[] = {{"Comma", "7,5"}, {"Unit", "7.5 kg/m3"}, {"Word", "abc"}};
    for (const auto& [name, density] : products) {
        const std::string unId = std::string("{") + name + "-UNID}";
        model.AddLibraryPart(unId, name);
        model.AddModuleData(std::string("CV_") + name, "[" + Property("Density", density, "General") + "]");
        model.AddObject(unId, name, 0.5, 0.5, 1.0);
    }
    const json records = Calculate()["ProductInfo"];
    EXPECT_DOUBLE_EQ(RecordNamed(records, "Comma")["weight"].get<double>(), 0.25 * 7.5);
    EXPECT_DOUBLE_EQ(RecordNamed(records, "Unit")["weight"].get<double>(), 0.25 * 7.5);
    EXPECT_DOUBLE_EQ(RecordNamed(records, "Word")["weight"].get<double>(), 0.0);
}

TEST_F(CalculationRequestTest, EachProductsStoredPropertiesAreReadOnceAndKeptApart)
{
    model.AddLibraryPart("{CHAIR-UNID}", "Chair");
    model.AddLibraryPart("{LAMP-UNID}", "Lamp");
    model.AddModuleData("CV_Chair", "[" + Property("id", "cat-chair") + "]");
    model.AddModuleData("CV_Lamp", "[" + Property("id", "cat-lamp") + "]");
    for (int i = 0; i < 3; ++i) {
        model.AddObject("{CHAIR-UNID}", "Chair", 0.5, 0.5, 1.0);
        model.AddObject("{LAMP-UNID}", "Lamp", 0.2, 0.2, 0.5);
    }
    model.AddStair("Chair", 1.0, 1.0, 2.0);  // a stair named like a product shares its stored properties
    const json document = Calculate();
    EXPECT_EQ(RecordNamed(document["ProductInfo"], "Chair")["bim_uuid"], "cat-chair");
    EXPECT_EQ(RecordNamed(document["ProductInfo"], "Lamp")["bim_uuid"], "cat-lamp");
    ASSERT_EQ(document["StairCalculationInfo"].size(), 1u);
    EXPECT_EQ(document["StairCalculationInfo"][0]["bim_uuid"], "cat-chair");
    EXPECT_EQ(host->GetFaults().CallCount("ACAPI_ModulData_Get"), 2);
}

TEST_F(CalculationRequestTest, AnImportedPartFindsItsPropertiesUnderItsNameWithoutTheExtension)
{
    // The import registers "Lounge.gsm" and stores the catalogue properties as "CV_Lounge".
    model.AddLibraryPart("{LOUNGE-UNID}", "Lounge.gsm");
    model.AddModuleData("CV_Lounge", "[" + Property("id", "cat-lounge") + "]");
    model.AddObject("{LOUNGE-UNID}", "Lounge", 0.5, 0.5, 1.0);
    const json products = Calculate()["ProductInfo"];
    ASSERT_EQ(products.size(), 1u) << products.dump(1);
    EXPECT_EQ(products[0]["name"], "Lounge.gsm");
    EXPECT_EQ(products[0]["bim_uuid"], "cat-lounge");
    EXPECT_EQ(products[0]["attributes"].size(), 1u);
}

TEST_F(CalculationRequestTest, ObjectsWithoutIfcNameOrInsideStairsAreLeftOut)
{
    model.AddLibraryPart("{P}", "Part");
    model.AddObject("{P}", "", 1, 1, 1);
    const std::string stair = model.AddStair("Stair", 3.0, 1.0, 2.0);
    const std::string curtainWall = model.AddCurtainWall("Facade", 5.0, 3.0);
    model.AddObject("{P}", "Tread", 1, 1, 1, "tread", stair);
    model.AddObject("{P}", "Frame", 1, 1, 1, "curtainWallFrame", curtainWall);
    EXPECT_EQ(Calculate()["ProductInfo"], json::array());
}

TEST_F(CalculationRequestTest, OpeningLengthsAndOrderWindowsBeforeDoors)
{
    model.AddOpening(true, "Door", 0.9, 2.1);
    model.AddOpening(false, "Window", 0.9, 2.1);
    const json products = Calculate()["ProductInfo"];
    ASSERT_EQ(products.size(), 2u) << products.dump(1);
    EXPECT_EQ(products[0]["type"], "Windows");
    EXPECT_NEAR(products[0]["length"].get<double>(), 6.0, 1e-9);
    EXPECT_EQ(products[1]["type"], "Doors");
    EXPECT_NEAR(products[1]["length"].get<double>(), 5.1, 1e-9);
    EXPECT_EQ(products[1]["default_value"], "pcs");
}

TEST_F(CalculationRequestTest, ColumnWithoutNamesIsNamedByItsMaterials)
{
    const int concrete = model.AddBuildingMaterial("Concrete", "[" + Property("id", "cat-concrete") + "]");
    model.AddColumn(concrete, "", 0.4, 0.5, 2.0);  // 0.4 m3
    model.AddColumn(concrete, "", 0.4, 0.5, 3.0);  // 0.6 m3
    const json products = Calculate()["ProductInfo"];
    ASSERT_EQ(products.size(), 1u) << products.dump(1);
    EXPECT_EQ(products[0]["name"], "Column  Concrete");
    EXPECT_EQ(products[0]["pieces"], 1);
    EXPECT_EQ(products[0]["bim_uuid"], "cat-concrete");
    EXPECT_DOUBLE_EQ(products[0]["volume"].get<double>(), 1.0);
    EXPECT_DOUBLE_EQ(products[0]["weight"].get<double>(), 0.0);
}

TEST_F(CalculationRequestTest, BasicWallsGroupByThicknessAndStayOutOfProducts)
{
    const int brick = model.AddBuildingMaterial("Brick", "[" + Property("id", "cat-brick") + "]");
    model.AddBasicWall(brick, 0.20, 5.0, 2.0);   // 10 m2
    model.AddBasicWall(brick, 0.25, 5.0, 2.0);   // 10 m2
    model.AddBasicWall(brick, 0.20, 10.0, 2.0);  // 20 m2
    const json document = Calculate();
    EXPECT_EQ(document["ProductInfo"], json::array());
    const json& systems = document["SystemInfo"];
    ASSERT_EQ(systems.size(), 2u) << systems.dump(1);
    double thin = 0;
    double thick = 0;
    for (const json& record : systems) {
        EXPECT_EQ(record["subtype"], "Basic");
        EXPECT_EQ(record["system_type"], "Wall");
        EXPECT_EQ(record["type_id"], 1);
        EXPECT_EQ(record["bim_uuid"], "cat-brick");
        ASSERT_EQ(record["layers"].size(), 1u);
        EXPECT_EQ(record["layers"][0]["bim_uuid"], "cat-brick");
        (record["layers"][0]["thickness"].get<double>() < 22 ? thin : thick) = record["area"].get<double>();
    }
    EXPECT_NEAR(thin, 30.0, 1e-9);
    EXPECT_NEAR(thick, 10.0, 1e-9);
}

// A composite wall is always as thick as its composite, so the walls of one composite differ in size only.
TEST_F(CalculationRequestTest, CompositeWallsOfOneCompositeMakeOneRecordWithTheirLayers)
{
    const int brick = model.AddBuildingMaterial(
        "Brick", "[" + Property("id", "cat-brick") + "," + Property("lambda", "0.8", "Ostrel Attributes") + "]");
    const int wool = model.AddBuildingMaterial("Wool");
    const int outer = model.AddComposite("Outer wall", {{brick, 0.24, 2}, {wool, 0.12, 32}},
                                         "[" + Property("id", "cat-outer") + "]");
    model.AddCompositeWall(outer, 5.0, 2.0);  // 10 m2
    model.AddCompositeWall(outer, 4.0, 2.5);  // 10 m2
    const json systems = Calculate()["SystemInfo"];
    ASSERT_EQ(systems.size(), 1u) << systems.dump(1);
    const json& record = systems[0];
    EXPECT_EQ(record["subtype"], "Composite");
    EXPECT_EQ(record["bim_uuid"], "cat-outer");
    EXPECT_NEAR(record["area"].get<double>(), 20.0, 1e-9);
    ASSERT_EQ(record["layers"].size(), 2u);
    EXPECT_EQ(record["layers"][0]["type"], "Core");
    EXPECT_NEAR(record["layers"][0]["thickness"].get<double>(), 24.0, 1e-9);
    EXPECT_EQ(record["layers"][0]["attributes"].size(), 1u);
    EXPECT_EQ(record["layers"][1]["type"], "Finish");
    EXPECT_EQ(record["layers"][1]["bim_uuid"], "");
}

TEST_F(CalculationRequestTest, SystemsListWallsBeforeSlabsAndSortNamesIgnoringCase)
{
    const int upperB = model.AddBuildingMaterial("B");
    const int lowerA = model.AddBuildingMaterial("a");
    model.AddBasicSlab(lowerA, 0.2, 5.0, 1.0);
    model.AddBasicWall(upperB, 0.2, 5.0, 1.0);
    model.AddBasicWall(lowerA, 0.2, 5.0, 1.0);
    model.AddBasicSlab(upperB, 0.0, 5.0, 1.0);
    const json systems = Calculate()["SystemInfo"];
    ASSERT_EQ(systems.size(), 4u) << systems.dump(1);
    EXPECT_EQ(systems[0]["name"], "a");
    EXPECT_EQ(systems[1]["name"], "B");
    EXPECT_EQ(systems[2]["system_type"], "Slab");
    EXPECT_EQ(systems[2]["name"], "a");
    EXPECT_EQ(systems[3]["name"], "B");
    EXPECT_DOUBLE_EQ(systems[3]["area"].get<double>(), 0.0);  // a slab of no thickness has no area
}

TEST_F(CalculationRequestTest, CurtainWallsWithoutIfcNameFormOneRecord)
{
    for (int i = 0; i < 3; ++i)
        model.AddCurtainWall("", 5.0, 2.0);  // 10 m2
    const json walls = Calculate()["CurtainWallInfo"];
    ASSERT_EQ(walls.size(), 1u) << walls.dump(1);
    EXPECT_EQ(walls[0]["name"], "");
    EXPECT_EQ(walls[0]["type"], "Walls");
    EXPECT_DOUBLE_EQ(walls[0]["area"].get<double>(), 30.0);
}

TEST_F(CalculationRequestTest, StairsCarryTheEmptyNameKeysAndSortByTypeName)
{
    model.AddModuleData("CV_b", "[" + Property("id", "cat-stair") + "]");
    model.AddStair("b", 1.0, 1.0, 2.0);
    model.AddStair("A", 2.0, 1.0, 2.0);
    const json stairs = Calculate()["StairCalculationInfo"];
    ASSERT_EQ(stairs.size(), 2u) << stairs.dump(1);
    EXPECT_EQ(stairs[0]["type_name"], "A");
    EXPECT_EQ(stairs[1]["bim_uuid"], "cat-stair");
    for (const char* key : {"run_type_material_name", "landing_type_material_name", "right_support_type_name",
                            "left_support_type_name"})
        EXPECT_EQ(stairs[1][key], "") << key;
    EXPECT_EQ(stairs[1]["family_name"], "Assembled Stair");
}

TEST_F(CalculationRequestTest, StoredTextsThatAreNoJsonCountAsNoProperties)
{
    model.AddLibraryPart("{P}", "Lamp");
    model.AddModuleData("CV_Lamp", "{broken");
    const int brick = model.AddBuildingMaterial("Brick", "[not json");
    model.AddBasicWall(brick, 0.2, 5.0, 1.0);
    model.AddObject("{P}", "Lamp", 1, 1, 1);
    const json document = Calculate();
    ASSERT_EQ(document["ProductInfo"].size(), 1u);
    EXPECT_EQ(document["ProductInfo"][0]["attributes"], json::array());
    EXPECT_EQ(document["SystemInfo"][0]["bim_uuid"], "");
    // The broken list is left as it was: the refresh only rewrites lists it can read.
    EXPECT_NE(Sim::ProjectFile::ToText(host->GetProject()).find("[not json"), std::string::npos);
}

TEST_F(CalculationRequestTest, AMaterialPartTellsItsCatalogueIdWheneverItsMaterialHoldsAText)
{
    const int clay = model.AddBuildingMaterial("Clay", "[]");
    const int loam = model.AddBuildingMaterial("Loam");
    model.AddColumn(clay, "", 0.4, 0.5, 2.0);
    model.AddColumn(loam, "", 0.4, 0.5, 2.0);
    const size_t before = host->DebugText().size();
    Calculate();
    const std::string debug = host->DebugText().substr(before);
    size_t lines = 0;
    for (size_t at = debug.find("bim_uuid: "); at != std::string::npos; at = debug.find("bim_uuid: ", at + 1))
        ++lines;
    EXPECT_EQ(lines, 1u) << debug;  // Clay's empty list; Loam holds no text
    EXPECT_NE(debug.find("bim_uuid:  density: \n"), std::string::npos) << debug;
}

class StatusRequestTest : public CalculationRequestTest {
protected:
    std::string Status(const std::string& request)
    {
        model.Open(*host);
        return QRV::StatusReport(GS::UniString(request));
    }
};

TEST_F(StatusRequestTest, OlderImportsAreReported)
{
    model.AddBuildingMaterial("Brick", "[" + Property("id", "m-1") + "," + Property("updated_at", "100") + "]");
    EXPECT_EQ(Status(R"({"materials_and_products":[{"id":"m-1","update_at":200}]})"), "[\n \"m-1\"\n]");
    EXPECT_EQ(QRV::StatusReport(R"({"materials_and_products":[{"id":"m-1","update_at":100}]})"), "[]");
}

TEST_F(StatusRequestTest, NumericRequestIdMatchesStoredText)
{
    model.AddModuleData("CV_Chair", "[" + Property("id", "7") + R"(,{"group":"Corvana","name":"updated_at","value":100}])");
    EXPECT_EQ(Status(R"({"materials_and_products":[{"id":7,"update_at":200}]})"), "[\n \"7\"\n]");
}

TEST_F(StatusRequestTest, MaterialsComeBeforeCompositesBeforeProducts)
{
    const std::string old = "," + Property("updated_at", "1");
    model.AddModuleData("CV_P", "[" + Property("id", "p") + old + "]");
    const int brick = model.AddBuildingMaterial("Brick", "[" + Property("id", "m") + old + "]");
    model.AddComposite("Wall", {{brick, 0.2, 2}}, "[" + Property("id", "c") + old + "]");
    const std::string reply = Status(
        R"({"materials_and_products":[{"id":"p","update_at":5},{"id":"c","update_at":5},{"id":"m","update_at":5}]})");
    EXPECT_EQ(json::parse(reply), json::parse(R"(["m","c","p"])"));
}

TEST_F(StatusRequestTest, MalformedRequestAnswersEmpty)
{
    model.AddBuildingMaterial("Brick", "[" + Property("id", "m-1") + "," + Property("updated_at", "100") + "]");
    EXPECT_EQ(Status(R"({"materials_and_products":[{"id":"m-1"}]})"), "[]");
    EXPECT_EQ(QRV::StatusReport("{}"), "[]");
    EXPECT_EQ(QRV::StatusReport("[broken"), "[]");
}

TEST_F(StatusRequestTest, UncountableAttributeKindGivesNothingForThatKind)
{
    model.AddBuildingMaterial("Brick", "[" + Property("id", "m") + "," + Property("updated_at", "1") + "]");
    model.AddModuleData("CV_P", "[" + Property("id", "p") + "," + Property("updated_at", "1") + "]");
    model.Open(*host);
    host->GetFaults().FailNext("ACAPI_Attribute_GetAttributesByType", APIERR_GENERAL);
    EXPECT_EQ(json::parse(QRV::StatusReport(
                  R"({"materials_and_products":[{"id":"m","update_at":5},{"id":"p","update_at":5}]})")),
              json::parse(R"(["p"])"));
}

}  // namespace

namespace {

class DatabaseScopeTest : public QRVTest::InProcessModuleFixture {};

TEST_F(DatabaseScopeTest, CurrentDatabaseIsSetBackEvenWhenItWasTheFloorPlan)
{
    QRV::CalculationRequest();
    EXPECT_EQ(host->GetFaults().CallCount("ACAPI_Database_GetCurrentDatabase"), 1);
    EXPECT_EQ(host->GetFaults().CallCount("ACAPI_Database_ChangeCurrentDatabase"), 1);
}

}  // namespace
