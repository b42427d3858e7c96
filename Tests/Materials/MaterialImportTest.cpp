// Building materials written through the import path, against the simulated host's attribute, property
// and user data rules.
#include "Support/InProcessModule.hpp"

#include "Import/ImportManager.hpp"
#include "Parsing/PayloadReading.hpp"

#include "Host.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::string MaterialPayload(const std::string& name, const std::string& articles)
{
    return R"({"data":{"import_type":"Material","name":")" + name + R"(","articles":[)" + articles + "]}}";
}

const std::string Article = R"({"id":7,"name":"x","updated_at":100,"tabs":[{"name":"General","attributes":[{"name":"Colour","value":"brown"}]}]})";

class MaterialImport : public QRVTest::InProcessModuleFixture {
protected:
    const Sim::Model::BuildingMaterial* Material(const std::string& name)
    {
        return host->GetProject().attributes.buildingMaterials.FindByName(name);
    }
    size_t AlertCount() { return host->GetTranscript().EventsOfKind("alert").size(); }
};

TEST_F(MaterialImport, NewNameIsCreatedWithTheDefaultPriorityAndItsPropertiesStored)
{
    ASSERT_TRUE(QRV::ImportManager::Import(GS::UniString(MaterialPayload("Oak", Article))));
    const auto* oak = Material("Oak");
    ASSERT_NE(oak, nullptr);
    EXPECT_EQ(oak->connPriority, 16);  // the host's stored form of interface priority 8
    ASSERT_TRUE(oak->userData.has_value());
    EXPECT_EQ(oak->userData->dataVersion, 0);
    EXPECT_EQ(oak->userData->platformSign, 0x5757);
    EXPECT_THAT(oak->userData->bytes, HasSubstr(R"({"group":"Corvana","name":"id","unit":"","type":"","value":"7"})"));
    EXPECT_THAT(oak->userData->bytes, HasSubstr(R"({"group":"General","name":"Colour","unit":"","type":"","value":"brown"})"));
    EXPECT_EQ(oak->attached.classification.size(), 1u);
    EXPECT_EQ(oak->attached.propertyValues.size(), 4u);  // name, id, updated_at, Colour
    EXPECT_EQ(AlertCount(), 0u);
}

TEST_F(MaterialImport, ContinueOverwritesButKeepsTheUsersGraphicSettings)
{
    ASSERT_TRUE(QRV::ImportManager::Import(GS::UniString(MaterialPayload("Oak", Article))));
    auto* oak = host->GetProject().attributes.buildingMaterials.FindByName("Oak");
    ASSERT_NE(oak, nullptr);
    oak->cutFill = 21;
    oak->cutFillPen = 5;
    oak->cutFillBackgroundPen = 6;
    oak->cutMaterial = 33;
    oak->connPriority = 4;
    oak->description = "User's description";
    oak->manufacturer = "User's maker";
    const API_Guid guid = oak->guid;

    host->QueueAlertAnswer("Continue");
    ASSERT_TRUE(QRV::ImportManager::Import(GS::UniString(MaterialPayload("Oak", Article))));
    const auto* again = Material("Oak");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->guid, guid);
    EXPECT_EQ(again->cutFill, 21);
    EXPECT_EQ(again->cutFillPen, 5);
    EXPECT_EQ(again->cutFillBackgroundPen, 6);
    EXPECT_EQ(again->cutMaterial, 33);
    EXPECT_EQ(again->connPriority, 4);
    EXPECT_EQ(again->description, "User's description");
    EXPECT_EQ(again->manufacturer, "User's maker");
    ASSERT_EQ(AlertCount(), 1u);
    EXPECT_THAT(host->GetTranscript().EventsOfKind("alert")[0]["smallText"].get<std::string>(),
                HasSubstr("'Oak' is already in this project.\nIf you continue, you will replace the existing material."));
}

TEST_F(MaterialImport, RejectWritesNothing)
{
    ASSERT_TRUE(QRV::ImportManager::Import(GS::UniString(MaterialPayload("Oak", Article))));
    const Sim::Project before = host->GetProject();
    host->QueueAlertAnswer("Reject");
    const std::string changed = R"({"id":9,"name":"x","updated_at":200,"tabs":[{"name":"General","attributes":[{"name":"Colour","value":"red"}]}]})";
    EXPECT_FALSE(QRV::ImportManager::Import(GS::UniString(MaterialPayload("Oak", changed))));
    EXPECT_TRUE(host->GetProject() == before);
}

TEST_F(MaterialImport, BulkRunReplacesWithoutAskingAndReportsEachStatus)
{
    ASSERT_TRUE(QRV::ImportManager::Import(GS::UniString(MaterialPayload("Oak", Article))));
    const std::string list = R"([{"import_type":"Material","id":1,"name":"Oak","articles":[)" + Article + "," + Article +
                             R"(]},{"import_type":"Material","id":2,"name":"Ash","image":"a.png","articles":[)" + Article +
                             R"(]},{"import_type":"Unknown","id":3,"name":"?"}])";
    const QRV::Json statuses = QRV::ImportManager::BulkImportNonSystem(QRV::Payload::Parse(list));
    EXPECT_EQ(statuses.dump(), R"([{"id":1,"image":"","name":"Oak","status":"overwritten","thumbnail":""},)"
                               R"({"id":2,"image":"a.png","name":"Ash","status":"imported","thumbnail":""},)"
                               R"({"id":3,"image":"","name":"?","status":"failed","thumbnail":""}])");
    EXPECT_EQ(AlertCount(), 0u);
}

TEST_F(MaterialImport, ANameTooLongForTheHostIsRefusedNotCut)
{
    const std::string longName(300, 'a');
    EXPECT_FALSE(QRV::ImportManager::Import(GS::UniString(MaterialPayload(longName, Article))));
    EXPECT_TRUE(host->GetProject().attributes.buildingMaterials.Empty());
}

TEST_F(MaterialImport, ThreeArticlesMakeThreeWritesAndOneFailureDoesNotStopTheOthers)
{
    host->GetFaults().FailFrom("ACAPI_Attribute_Create", APIERR_REFUSEDPAR, 2);
    // One name for all three articles: the first creates; the host refuses the later creates, and each
    // importer still runs.
    EXPECT_FALSE(QRV::ImportManager::Import(GS::UniString(MaterialPayload("Oak", Article + "," + Article + "," + Article))));
    EXPECT_GE(host->GetFaults().CallCount("ACAPI_Attribute_Create"), 3);
    EXPECT_NE(Material("Oak"), nullptr);
}

TEST_F(MaterialImport, UnreadablePayloadsFailWithALogLineAndWriteNothing)
{
    for (const char* text : {"", "not json", "[]", R"({"data":{"import_type":"Material","name":"Oak"}})",
                             R"({"data":{"import_type":"Material","name":"Oak","articles":[{"id":true,"name":"x","updated_at":1}]}})"}) {
        EXPECT_FALSE(QRV::ImportManager::Import(GS::UniString(text))) << text;
    }
    EXPECT_TRUE(host->GetProject().attributes.buildingMaterials.Empty());
    EXPECT_THAT(host->DebugText(), HasSubstr("[Error]     ImportManager.GetImporter could not return importer."));
    EXPECT_THAT(host->DebugText(), HasSubstr("[Error]     Import failed: the catalogue item cannot be read:"));
}

TEST_F(MaterialImport, ANameWithAZeroCharacterIsRefusedAndLeavesTheMaterialOfItsFirstPartAlone)
{
    ASSERT_TRUE(QRV::ImportManager::Import(GS::UniString(MaterialPayload("Oak", Article))));
    const Sim::Model::BuildingMaterial before = *Material("Oak");
    const std::string other = R"({"id":8,"name":"y","updated_at":200,"tabs":[]})";
    EXPECT_FALSE(QRV::ImportManager::Import(GS::UniString(MaterialPayload("Oak\\u0000 red", other))));
    EXPECT_TRUE(*Material("Oak") == before);
    EXPECT_EQ(host->GetProject().attributes.buildingMaterials.Size(), 1u);
    EXPECT_EQ(AlertCount(), 0u);  // nothing asked to replace the other material
    EXPECT_THAT(host->DebugText(), HasSubstr("holds a zero character"));
    EXPECT_THAT(host->DebugText(), Not(HasSubstr("255-byte")));
}

size_t Occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

TEST_F(MaterialImport, EachRefusalIsLoggedOnceAndSaysWhatIsWrong)
{
    // A property name the host does not take.
    const std::string unnamed = R"({"id":7,"name":"x","updated_at":100,"tabs":[{"name":"General","attributes":[{"name":"","value":1}]}]})";
    EXPECT_FALSE(QRV::ImportManager::Import(GS::UniString(MaterialPayload("Loam", unnamed))));
    EXPECT_EQ(Occurrences(host->DebugText(), "Import of \"Loam\" refused: the property"), 1u) << host->DebugText();

    // A document without articles and without a name makes no importer: it is not an unreadable name.
    const size_t before = host->DebugText().size();
    EXPECT_FALSE(QRV::ImportManager::Import(GS::UniString(R"({"data":{"import_type":"Material","articles":[]}})")));
    const std::string logged = host->DebugText().substr(before);
    EXPECT_THAT(logged, HasSubstr("[Error]     ImportManager.GetImporter could not return importer."));
    EXPECT_THAT(logged, Not(HasSubstr("Import failed")));

    // A name too long for the host, in bytes.
    EXPECT_FALSE(QRV::ImportManager::Import(GS::UniString(MaterialPayload(std::string(256, 'a'), Article))));
    EXPECT_THAT(host->DebugText(), HasSubstr("is longer than the host's 255-byte name field"));
    EXPECT_TRUE(host->GetProject().attributes.buildingMaterials.Empty());
}

}  // namespace
