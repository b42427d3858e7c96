// The module's property writer against the simulated host's rules: the group, classification system and
// item it creates once, definitions widened rather than repeated, refused values reported by label, the
// stored texts, and the report line of every host failure on the way.
#include "ClassLibs/LiveHandles.hpp"
#include "Sim/SimFixture.hpp"

#include <functional>

#include "Support/HostErrorReport.hpp"
#include "Support/LogStream.hpp"
#include "Parsing/Items/CorvanaProperties.hpp"
#include "ProjectWriter/CorvanaClassification.hpp"
#include "ProjectWriter/ElementNames.hpp"
#include "ProjectWriter/PropertyRuns.hpp"
#include "ProjectWriter/PropertyWriter.hpp"
#include "ProjectWriter/StoredTexts.hpp"
#include "SimUtf8.hpp"

#include <gmock/gmock.h>

#include <ctime>
#include <fstream>
#include <sstream>

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::string ReadLog()
{
    std::ifstream in(QRV::LogStream::FileName());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class PropertyWriter : public SimTest::ApiFixture {
protected:
    API_Attribute Material(const std::string& name)
    {
        API_Attribute attribute = SimTest::Record(API_BuildingMaterialID, name);
        EXPECT_EQ(ACAPI_Attribute_Create(&attribute, nullptr), NoError);
        return attribute;
    }

    API_Guid Element()
    {
        Sim::Model::Element element;
        element.guid = host->NewProjectGuid();
        element.type = API_StairID;
        return host->GetProject().elements.Add(element).guid;
    }

    // A change made as the add-on makes one: inside an undoable command.
    static GSErrCode InStep(const std::function<GSErrCode()>& change)
    {
        return ACAPI_CallUndoableCommand(GS::UniString("Test step"), change);
    }

    // One property written as the add-on writes it: in an undo step of its own.
    GSErrCode Write(const API_Attr_Head& header, const API_Guid& element, const std::string& name,
                    const std::string& value, const std::string& group = "Corvana")
    {
        const QRV::PropertyTexts texts{GS::UniString(group), GS::UniString(name), GS::UniString(""),
                                       GS::UniString(value)};
        return ACAPI_CallUndoableCommand(GS::UniString("Create material property"),
                                         [&] { return QRV::DefineNewProperty(texts, header, element); });
    }

    std::string ValueOn(const API_Attr_Head& header, const std::string& name)
    {
        GS::Array<API_PropertyDefinition> definitions;
        EXPECT_EQ(ACAPI_Attribute_GetPropertyDefinitions(header, API_PropertyDefinitionFilter_UserDefined,
                                                         definitions),
                  NoError);
        for (const auto& definition : definitions) {
            if (definition.name != GS::UniString(name))
                continue;
            API_Property property;
            EXPECT_EQ(ACAPI_Attribute_GetPropertyValue(header, definition.guid, property), NoError);
            return Sim::Utf8(property.value.singleVariant.variant.uniStringValue);
        }
        return "(not available)";
    }

    long Calls(const char* function) { return host->GetFaults().CallCount(function); }

    // The report line of the host error: in the debug output and in the log file.
    void ExpectReported(GSErrCode err, const char* label)
    {
        const std::string line = QRV::HostErrorMessage(err, label);
        EXPECT_THAT(host->DebugText(), HasSubstr(line + " \n"));
        EXPECT_THAT(ReadLog(), HasSubstr("[Error]     " + line + "\n"));
    }
    void ExpectNoErrorReported() { EXPECT_THAT(host->DebugText(), Not(HasSubstr("[Error]"))); }
};

TEST_F(PropertyWriter, FirstPropertyCreatesGroupSystemAndItemAndLaterOnesFindThem)
{
    const API_Attribute brick = Material("Brick");
    ASSERT_EQ(InStep([&] { return QRV::ClassifyAttribute(brick.header); }), NoError);
    ASSERT_EQ(Write(brick.header, APINULLGuid, "name", "Brick 240"), NoError);

    GS::Array<API_PropertyGroup> groups;
    ASSERT_EQ(ACAPI_Property_GetPropertyGroups(groups), NoError);
    ASSERT_EQ(groups.GetSize(), 2u);  // the host's built-in group and "Corvana"
    EXPECT_EQ(groups[1].name, GS::UniString("Corvana"));
    GS::Array<API_ClassificationSystem> systems;
    ASSERT_EQ(ACAPI_Classification_GetClassificationSystems(systems), NoError);
    ASSERT_EQ(systems.GetSize(), 1u);
    EXPECT_EQ(systems[0].name, GS::UniString("Corvana"));
    EXPECT_EQ(systems[0].source, GS::UniString("Corvana"));
    EXPECT_EQ(systems[0].editionVersion, GS::UniString("v 1.0"));
    const std::time_t now = std::time(nullptr);
    const std::tm local = *std::localtime(&now);
    EXPECT_EQ(systems[0].editionDate.year, local.tm_year + 1900);
    EXPECT_EQ(systems[0].editionDate.month, local.tm_mon + 1);
    EXPECT_EQ(systems[0].editionDate.day, local.tm_mday);
    GS::Array<API_ClassificationItem> roots;
    ASSERT_EQ(ACAPI_Classification_GetClassificationSystemRootItems(systems[0].guid, roots), NoError);
    ASSERT_EQ(roots.GetSize(), 1u);
    EXPECT_EQ(roots[0].id, GS::UniString("Corvana"));
    EXPECT_EQ(ValueOn(brick.header, "name"), "Brick 240");

    const API_Attribute stone = Material("Stone");
    ASSERT_EQ(InStep([&] { return QRV::ClassifyAttribute(stone.header); }), NoError);
    ASSERT_EQ(Write(stone.header, APINULLGuid, "id", "42"), NoError);
    EXPECT_EQ(Calls("ACAPI_Property_CreatePropertyGroup"), 1);
    EXPECT_EQ(Calls("ACAPI_Classification_CreateClassificationSystem"), 1);
    EXPECT_EQ(Calls("ACAPI_Classification_CreateClassificationItem"), 1);
    long propertySteps = 0;
    for (const auto& step : host->GetTranscript().EventsOfKind("undo"))
        propertySteps += step["name"] == "Create material property" ? 1 : 0;
    EXPECT_EQ(propertySteps, 2);
    ExpectNoErrorReported();
}

TEST_F(PropertyWriter, ASecondTargetWidensTheDefinitionOfTheSameName)
{
    const API_Attribute brick = Material("Brick");
    ASSERT_EQ(InStep([&] { return QRV::ClassifyAttribute(brick.header); }), NoError);
    ASSERT_EQ(Write(brick.header, APINULLGuid, "name", "Brick"), NoError);

    // A stair classified with the add-on's item and with an item of another system.
    const API_Guid stair = Element();
    API_ClassificationSystem other;
    other.name = "Uniclass";
    ASSERT_EQ(InStep([&] { return ACAPI_Classification_CreateClassificationSystem(other); }), NoError);
    API_ClassificationItem stairs;
    stairs.id = "Stairs";
    const API_Guid none{};
    ASSERT_EQ(InStep([&] { return ACAPI_Classification_CreateClassificationItem(stairs, other.guid, none, none); }),
              NoError);
    ASSERT_EQ(InStep([&] { return ACAPI_Element_AddClassificationItem(stair, stairs.guid); }), NoError);
    ASSERT_EQ(InStep([&] { return QRV::ClassifyElement(stair); }), NoError);
    ASSERT_EQ(Write(API_Attr_Head{}, stair, "name", "Stair A"), NoError);

    const API_Guid group = host->GetProject().properties.Groups()[0].guid;
    GS::Array<API_PropertyDefinition> definitions;
    ASSERT_EQ(ACAPI_Property_GetPropertyDefinitions(group, definitions), NoError);
    ASSERT_EQ(definitions.GetSize(), 1u);
    EXPECT_EQ(definitions[0].availability.GetSize(), 2u);
    EXPECT_TRUE(definitions[0].availability.Contains(stairs.guid));
    EXPECT_EQ(ValueOn(brick.header, "name"), "Brick");
    GS::UniString stairName;
    ASSERT_TRUE(QRV::ReadCorvanaNameProperty(stair, stairName));
    EXPECT_EQ(stairName, GS::UniString("Stair A"));
    ExpectNoErrorReported();

    // Written again: nothing to widen, no change asked for.
    ASSERT_EQ(Write(API_Attr_Head{}, stair, "name", "Stair B"), NoError);
    EXPECT_EQ(Calls("ACAPI_Property_ChangePropertyDefinition"), 1);
}

TEST_F(PropertyWriter, AValueOnAnUnavailableDefinitionIsRefusedAndReported)
{
    // Neither target is classified, so the definitions are available nowhere.
    const API_Attribute brick = Material("Brick");
    EXPECT_EQ(Write(brick.header, APINULLGuid, "name", "Brick"), APIERR_BADPARS);
    ExpectReported(APIERR_BADPARS, "DefineNewProperty::ACAPI_Attribute_SetProperty");
    const API_Guid stair = Element();
    EXPECT_EQ(Write(API_Attr_Head{}, stair, "name", "Stair"), APIERR_BADPARS);
    ExpectReported(APIERR_BADPARS, "DefineNewProperty::ACAPI_Element_SetProperty");
    auto undo = host->GetTranscript().EventsOfKind("undo");
    ASSERT_EQ(undo.size(), 2u);
    EXPECT_EQ(undo[1]["result"], APIERR_BADPARS);
}

TEST_F(PropertyWriter, WritesOutsideAnUndoStepAreRefused)
{
    const API_Attribute brick = Material("Brick");
    ASSERT_EQ(InStep([&] { return QRV::ClassifyAttribute(brick.header); }), NoError);
    const QRV::PropertyTexts texts{"Corvana", "name", "", "Brick"};
    EXPECT_EQ(QRV::DefineNewProperty(texts, brick.header, APINULLGuid), APIERR_NEEDSUNDOSCOPE);
    // The group is the first thing the write creates, and creating it already needs the step.
    ExpectReported(APIERR_NEEDSUNDOSCOPE, "GetCorvanaPropertyGroup::ACAPI_Property_CreatePropertyGroup");
}

TEST_F(PropertyWriter, StoredTextsRoundTrip)
{
    const std::string text = R"([{"group":"Corvana","name":"id","unit":"","type":"","value":"Ä 42"}])";
    const Int32 handles = Sim::LiveHandleCount();
    const API_Attribute brick = Material("Brick");
    std::string read = "unchanged";
    EXPECT_EQ(QRV::GetUserData(brick, read), APIERR_NOUSERDATA);
    EXPECT_EQ(read, "unchanged");
    ASSERT_EQ(QRV::AddUserData(brick, text), NoError);
    ASSERT_EQ(QRV::GetUserData(brick, read), NoError);
    EXPECT_EQ(read, text);
    const auto& stored = *host->GetProject().attributes.buildingMaterials.FindByName("Brick")->userData;
    EXPECT_EQ(stored.bytes, text + std::string(1, '\0'));
    EXPECT_EQ(stored.dataVersion, 0);
    EXPECT_EQ(stored.platformSign, GS::Win_Platform_Sign);

    const API_Guid stair = Element();
    ASSERT_EQ(InStep([&] { return QRV::SetElementUserData(stair, text); }), NoError);
    EXPECT_EQ(host->GetProject().elements.Find(stair)->userData->dataVersion, 1);

    EXPECT_FALSE(QRV::NamedPropertiesExist("Stair A"));
    ASSERT_EQ(QRV::StoreNamedProperties("Stair A", text), NoError);
    EXPECT_TRUE(QRV::NamedPropertiesExist("Stair A"));
    ASSERT_TRUE(QRV::ReadNamedProperties("Stair A", read));
    EXPECT_EQ(read, text);
    EXPECT_EQ(host->GetProject().moduleData.count("CV_Stair A"), 1u);
    // An entry of another data version is not used.
    host->GetProject().moduleData["CV_Stair A"].dataVersion = 2;
    EXPECT_FALSE(QRV::ReadNamedProperties("Stair A", read));
    EXPECT_EQ(Sim::LiveHandleCount(), handles);
    ExpectNoErrorReported();
}

TEST_F(PropertyWriter, StoredTextsThatAreNotJsonListsHoldNoProperties)
{
    const API_Attribute brick = Material("Brick");
    ASSERT_EQ(QRV::AddUserData(brick, "{not json"), NoError);
    std::string text;
    ASSERT_EQ(QRV::GetUserData(brick, text), NoError);
    QRV::CorvanaProperties properties;
    EXPECT_FALSE(QRV::ParseStoredProperties(text, properties, "Building material \"Brick\""));
    EXPECT_TRUE(properties.IsEmpty());
    EXPECT_THAT(host->DebugText(),
                HasSubstr("[Warning]   Building material \"Brick\": the stored properties are not a JSON list; ignored"));
    EXPECT_FALSE(QRV::ParseStoredProperties(R"({"group":"Corvana"})", properties, "Module data \"CV_x\""));
    EXPECT_THAT(ReadLog(), HasSubstr("Module data \"CV_x\": the stored properties are not a JSON list; ignored"));
}

struct Failure {
    const char* function;
    const char* label;
};

class PropertyWriterFailure : public PropertyWriter, public ::testing::WithParamInterface<Failure> {};

// Each failing host call, reached by writing a property onto a material, the same property onto a stair
// that carries one more classification item (so the definition is widened), and storing the texts.
TEST_P(PropertyWriterFailure, IsReportedWithItsLabel)
{
    const Failure failure = GetParam();
    const API_Attribute brick = Material("Brick");
    const API_Guid stair = Element();
    API_ClassificationSystem other;
    other.name = "Uniclass";
    ASSERT_EQ(InStep([&] { return ACAPI_Classification_CreateClassificationSystem(other); }), NoError);
    API_ClassificationItem stairs;
    stairs.id = "Stairs";
    const API_Guid none{};
    ASSERT_EQ(InStep([&] { return ACAPI_Classification_CreateClassificationItem(stairs, other.guid, none, none); }),
              NoError);
    ASSERT_EQ(InStep([&] { return ACAPI_Element_AddClassificationItem(stair, stairs.guid); }), NoError);

    const Int32 handles = Sim::LiveHandleCount();
    host->GetFaults().FailFrom(failure.function, APIERR_GENERAL, 1);
    InStep([&] { return QRV::ClassifyAttribute(brick.header); });
    Write(brick.header, APINULLGuid, "name", "Brick");
    InStep([&] { return QRV::ClassifyElement(stair); });
    Write(API_Attr_Head{}, stair, "name", "Stair");
    QRV::AddUserData(brick, "[]");
    std::string text;
    QRV::GetUserData(brick, text);
    InStep([&] { return QRV::SetElementUserData(stair, "[]"); });
    QRV::StoreNamedProperties("Stair", "[]");
    ExpectReported(APIERR_GENERAL, failure.label);
    EXPECT_EQ(Sim::LiveHandleCount(), handles);
}

INSTANTIATE_TEST_SUITE_P(
    EveryHostCall, PropertyWriterFailure,
    ::testing::Values(
        Failure{"ACAPI_Property_GetPropertyGroups", "GetCorvanaPropertyGroup::ACAPI_Property_GetPropertyGroups"},
        Failure{"ACAPI_Property_CreatePropertyGroup", "GetCorvanaPropertyGroup::ACAPI_Property_CreatePropertyGroup"},
        Failure{"ACAPI_Attribute_GetClassificationItems", "DefineNewProperty::ACAPI_Attribute_GetClassificationItems"},
        Failure{"ACAPI_Element_GetClassificationItems", "DefineNewProperty::ACAPI_Element_GetClassificationItems"},
        Failure{"ACAPI_Property_CreatePropertyDefinition", "DefineNewProperty::ACAPI_Property_CreatePropertyDefinition"},
        Failure{"ACAPI_Property_GetPropertyDefinitions", "DefineNewProperty::ACAPI_Property_GetPropertyDefinitions"},
        Failure{"ACAPI_Property_ChangePropertyDefinition", "DefineNewProperty::ACAPI_Property_ChangePropertyDefinition"},
        Failure{"ACAPI_Attribute_SetProperty", "DefineNewProperty::ACAPI_Attribute_SetProperty"},
        Failure{"ACAPI_Element_SetProperty", "DefineNewProperty::ACAPI_Element_SetProperty"},
        Failure{"ACAPI_Classification_CreateClassificationSystem",
                "GetCorvanaClassificationSystem::ACAPI_Classification_CreateClassificationSystem"},
        Failure{"ACAPI_Classification_CreateClassificationItem",
                "GetCorvanaClassificationItem::ACAPI_Classification_CreateClassificationItem"},
        Failure{"ACAPI_UserData_SetUserData",
                "QRV::AddUserData(API_Attribute attr, std::string data) - ACAPI_UserData_SetUserData"},
        Failure{"ACAPI_UserData_GetUserData", "QRV::GetUserData ACAPI_UserData_GetUserData"},
        Failure{"ACAPI_Element_SetUserData", "QRV::SetElementUserData ACAPI_Element_SetUserData"},
        Failure{"ACAPI_ModulData_Store", "QRV::StoreNamedProperties ACAPI_ModulData_Store"}));

}  // namespace
