// The classification, property and module data sections of the project file and the attached data of
// attributes: exact round trips, and refusal of what breaks the host's rules, by place.
#include "PropertyFixture.hpp"

#include "Model/ProjectFile.hpp"
#include "SimUtf8.hpp"

#include <fstream>

namespace {

using SimPropertiesTest::PropertyFixture;

class PropertiesFile : public PropertyFixture {
protected:
    // A project with every kind of value these sections hold, made through the host's functions.
    void BuildRichProject()
    {
        API_ClassificationSystem system;
        system.name = "Corvana";
        system.source = "Corvana";
        system.editionVersion = "v 1.0";
        system.description = "Käse / ~";
        system.editionDate = GSDateRecord(2024, 2, 29);
        ASSERT_EQ(ACAPI_Classification_CreateClassificationSystem(system), NoError);
        const API_Guid root = CreateItem(system.guid, "Corvana");
        const API_Guid child = CreateItem(system.guid, "Child", root);
        CreateItem(system.guid, "First", root, child);
        const API_Guid undated = CreateSystem("Undated");
        const API_Guid other = CreateItem(undated, "Other");

        const API_Guid group = CreateGroup("Corvana");
        CreateGroup("Empty");
        API_PropertyDefinition length = Definition(group, "width", {child, root}, "0");
        length.measureType = API_PropertyAngleMeasureType;
        length.canValueBeEditable = false;
        ASSERT_EQ(ACAPI_Property_CreatePropertyDefinition(length), NoError);
        const API_Guid name = CreateDefinition(group, "name", {root});

        API_Attr_Head brick = CreateMaterial("Brick", "Solid", "Maker");
        CreateMaterial("Plain");
        ASSERT_EQ(ACAPI_Attribute_AddClassificationItem(brick, root), NoError);
        ASSERT_EQ(ACAPI_Attribute_AddClassificationItem(brick, other), NoError);
        API_Property value = Value(name, "Brick \"240\"\n");
        ASSERT_EQ(Undoable([&] { return ACAPI_Attribute_SetProperty(brick, value); }), NoError);
        API_Attr_Head wall = CreateComposite("Wall", brick.index.ToInt32_Deprecated());
        ASSERT_EQ(ACAPI_Attribute_AddClassificationItem(wall, root), NoError);

        for (const auto& [entry, text] : {std::make_pair("CV_b", std::string("[]\0", 3)),
                                          std::make_pair("CV_a/~x", std::string("\xff\xfe", 2)),
                                          std::make_pair("", std::string())}) {
            API_ModulData data{};
            data.dataVersion = 1;
            data.platformSign = GS::Win_Platform_Sign;
            data.dataHdl = BMAllocateHandle(static_cast<Int32>(text.size()), 0, 0);
            std::memcpy(*data.dataHdl, text.data(), text.size());
            const GS::UniString entryName(entry);
            ASSERT_EQ(ACAPI_ModulData_Store(&data, entryName), NoError);
            BMKillHandle(&data.dataHdl);
        }
    }

    // The rich project's document with `change` applied at `pointer`, read back: the refusal's text.
    std::string Refusal(const std::string& pointer, const Sim::Json::Value& replacement)
    {
        Sim::Json::Value document = Sim::ProjectFile::ToJson(host->GetProject());
        document[Sim::Json::Value::json_pointer(pointer)] = replacement;
        try {
            Sim::ProjectFile::FromJson(document);
        } catch (const Sim::Json::Error& e) {
            return e.Place() + ": " + e.Problem();
        }
        return "taken";
    }
};

TEST_F(PropertiesFile, RoundTripsExactly)
{
    BuildRichProject();
    const std::string text = Sim::ProjectFile::ToText(host->GetProject());
    const Sim::Project loaded = Sim::ProjectFile::FromText(text);
    EXPECT_TRUE(loaded == host->GetProject());
    EXPECT_EQ(Sim::ProjectFile::ToText(loaded), text);
    // The parts the host's functions made are all there.
    EXPECT_EQ(loaded.classifications.Systems().size(), 2u);
    EXPECT_EQ(loaded.properties.Definitions().size(), 2u);
    EXPECT_EQ(loaded.moduleData.size(), 3u);
    EXPECT_EQ(loaded.attributes.buildingMaterials.All()[0].attached.propertyValues.size(), 1u);
    EXPECT_NE(text.find("\"editionDate\": \"2024-02-29\""), std::string::npos);
    EXPECT_NE(text.find("\"measureType\": \"angle\""), std::string::npos);
}

TEST_F(PropertiesFile, ProjectsDifferingInTheNewSectionsAreNotEqual)
{
    BuildRichProject();
    const Sim::Project saved = host->GetProject();
    const API_Guid group = host->GetProject().properties.Groups()[0].guid;
    CreateDefinition(group, "extra");
    EXPECT_FALSE(saved == host->GetProject());
    host->GetProject() = saved;
    host->GetProject().moduleData["CV_b"].dataVersion = 2;
    EXPECT_FALSE(saved == host->GetProject());
    host->GetProject() = saved;
    host->GetProject().attributes.buildingMaterials.FindByName("Plain")->attached.classification.clear();
    EXPECT_TRUE(saved == host->GetProject());
    host->GetProject().attributes.composites.FindByName("Wall")->attached.classification.clear();
    EXPECT_FALSE(saved == host->GetProject());
}

TEST_F(PropertiesFile, NewGuidsAvoidTheLoadedOnesAndTheBuiltIns)
{
    BuildRichProject();
    EXPECT_TRUE(host->GetProject().ContainsGuid(host->GetProject().classifications.Systems()[0].guid));
    EXPECT_TRUE(host->GetProject().ContainsGuid(host->GetProject().properties.Definitions()[0].guid));
    EXPECT_TRUE(host->GetProject().ContainsGuid(Sim::Model::BuiltIn::BuildingMaterialManufacturer));
    API_PropertyGroup taken;
    taken.name = "Taken";
    taken.guid = Sim::Model::BuiltIn::BuildingMaterialGroup;
    EXPECT_EQ(ACAPI_Property_CreatePropertyGroup(taken), APIERR_BADID);
}

TEST_F(PropertiesFile, RefusesWhatBreaksTheRulesByPlace)
{
    BuildRichProject();
    const Sim::Project& project = host->GetProject();
    const std::string rootItem = Sim::Utf8(APIGuidToString(project.classifications.Children(
        project.classifications.Systems()[0].guid, APINULLGuid)[0].guid));
    const std::string otherItem = Sim::Utf8(APIGuidToString(project.classifications.Children(
        project.classifications.Systems()[1].guid, APINULLGuid)[0].guid));
    const std::string nameDefinition = Sim::Utf8(APIGuidToString(project.properties.Definitions()[1].guid));
    const std::string builtIn = Sim::Utf8(APIGuidToString(Sim::Model::BuiltIn::BuildingMaterialDescription));
    const std::string firstSystem = Sim::Utf8(APIGuidToString(project.classifications.Systems()[0].guid));
    const std::string nowhere = "11111111-2222-4333-8444-555555555555";

    struct Case {
        std::string pointer;
        Sim::Json::Value value;
        std::string expected;  // the start of "place: problem"
    };
    const std::vector<Case> cases = {
        {"/classificationSystems/1",
         Sim::Json::Value{{"guid", nowhere}, {"name", "Corvana"}, {"editionVersion", "v 1.0"}},
         "/classificationSystems/1/name: the system \"Corvana\" of edition \"v 1.0\" is listed twice"},
        {"/classificationSystems/0/editionDate", "2023-02-29", "/classificationSystems/0/editionDate: \"2023-02-29\" is not a date"},
        {"/classificationSystems/0/editionDate", "+202-01-01", "/classificationSystems/0/editionDate: \"+202-01-01\" is not a date"},
        {"/classificationSystems/0/items/0/children/1/id", "First", "/classificationSystems/0/items/0/children/1/id: the ID \"First\" is used twice"},
        {"/classificationSystems/0/items/0/id", "", "/classificationSystems/0/items/0/id: an item's ID must not be empty"},
        {"/classificationSystems/1/items/0/guid", rootItem, "/classificationSystems/1/items/0/guid: GUID " + rootItem + " is already used"},
        {"/classificationSystems/0/items/0/colour", "red", "/classificationSystems/0/items/0/colour: unknown member \"colour\""},
        {"/properties/groups/1/name", "Corvana", "/properties/groups/1/name: a property group named \"Corvana\" exists already"},
        {"/properties/groups/1/name", "Building Material", "/properties/groups/1/name: a property group named"},
        {"/properties/groups/1/guid", builtIn, "/properties/groups/1/guid: the GUID belongs to one of the host's built-in"},
        {"/properties/definitions/1/name", "width", "/properties/definitions/1/name: the group \"Corvana\" has a definition named \"width\""},
        {"/properties/definitions/1/group", nowhere, "/properties/definitions/1/group: no custom property group"},
        {"/properties/definitions/1/valueType", "integer", "/properties/definitions/1/valueType: only \"string\" definitions"},
        {"/properties/definitions/1/measureType", "Length", "/properties/definitions/1/measureType: \"Length\" is not a measure type"},
        {"/properties/definitions/1/availability/0", nowhere, "/properties/definitions/1/availability/0: no classification item"},
        {"/properties/definitions/0/availability/1", rootItem.substr(1), "/properties/definitions/0/availability/1: \""},
        {"/properties/definitions/0/availability/1", Sim::Utf8(APIGuidToString(project.properties.Definitions()[0].availability[0])),
         "/properties/definitions/0/availability/1: the item is listed twice"},
        {"/attributes/buildingMaterials/0/attached/classification",
         Sim::Json::Value::array({Sim::Json::Value{{"system", firstSystem}, {"item", otherItem}}}),
         "/attributes/buildingMaterials/0/attached/classification/0/item: no item of that classification system"},
        {"/attributes/buildingMaterials/0/attached/classification",
         Sim::Json::Value::array({Sim::Json::Value{{"system", firstSystem}, {"item", rootItem}},
                                  Sim::Json::Value{{"system", firstSystem}, {"item", rootItem}}}),
         "/attributes/buildingMaterials/0/attached/classification/1/system: one item per classification system"},
        {"/attributes/buildingMaterials/0/attached/propertyValues/0/definition", builtIn,
         "/attributes/buildingMaterials/0/attached/propertyValues/0/definition: no custom property definition"},
        {"/attributes/buildingMaterials/0/attached/propertyValues/1",
         Sim::Json::Value{{"definition", nameDefinition}, {"value", "again"}},
         "/attributes/buildingMaterials/0/attached/propertyValues/1/definition: the definition has a value already"},
        {"/attributes/buildingMaterials/0/attached/propertyValues/0/value", 5,
         "/attributes/buildingMaterials/0/attached/propertyValues/0/value: "},
        {"/moduleData/CV_b/dataVersion", "1", "/moduleData/CV_b/dataVersion: "},
        {"/moduleData/CV_a~1~0x/base64", "not base64", "/moduleData/CV_a~1~0x/base64: not canonical base64"},
        {"/moduleData", Sim::Json::Value::array(), "/moduleData: module data is an object"},
    };
    for (const auto& c : cases) {
        const std::string refusal = Refusal(c.pointer, c.value);
        EXPECT_EQ(refusal.rfind(c.expected, 0), 0u) << c.pointer << "\n  got: " << refusal;
    }
}

TEST_F(PropertiesFile, AFileIsRefusedWholeAndTheOpenProjectStays)
{
    BuildRichProject();
    SimTest::TempFolder folder;
    Sim::Json::Value document = Sim::ProjectFile::ToJson(host->GetProject());
    document["properties"]["definitions"][0]["group"] = "11111111-2222-4333-8444-555555555555";
    {
        std::ofstream out(folder / "bad.json");
        out << document.dump(2);
    }
    const Sim::Project before = host->GetProject();
    std::string error;
    EXPECT_FALSE(Sim::OpenProjectFile(*host, folder / "bad.json", &error));
    EXPECT_NE(error.find("bad.json: /properties/definitions/0/group: no custom property group"), std::string::npos)
        << error;
    EXPECT_TRUE(before == host->GetProject());
}

}  // namespace
