#include "CompositeFixture.hpp"

#include "Import/ImportManager.hpp"
#include "Parsing/PayloadReading.hpp"

#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

namespace {

std::string SystemPayload()
{
    std::ifstream file(std::string(CORVANA_TEST_DIR) + "/Parsing/fixtures/valid/system-two-materials.json");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

const char* const SystemName = "Timber frame wall TF-240";

class SystemImportTest : public QRVTest::CompositeFixture {};

TEST_F(SystemImportTest, ASystemDocumentBecomesTheCompositeAndItsSkinMaterials)
{
    const std::string payload = SystemPayload();
    ASSERT_FALSE(payload.empty());

    EXPECT_TRUE(QRV::ImportManager::Import(GS::UniString(payload)));

    const auto* composite = Composite(SystemName);
    ASSERT_NE(composite, nullptr);
    EXPECT_EQ(composite->usage, 1u);
    ASSERT_EQ(composite->skins.size(), 4u);
    const std::vector<std::string> materials = {"Gypsum fibre board 12.5", "Gypsum fibre board 15",
                                                "Wood fibre insulation 160", "Wood fibre board 60"};
    const std::vector<Int16> flags = {APICWallComp_Finish, 0, APICWallComp_Core, APICWallComp_Finish};
    const std::vector<double> thicknesses = {0.015, 0.015, 0.16, 0.06};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(composite->skins[i].buildingMaterial, MaterialIndex(materials[i])) << i;
        EXPECT_NE(composite->skins[i].buildingMaterial, 0) << i;
        EXPECT_EQ(composite->skins[i].flags, flags[i]) << i;
        EXPECT_DOUBLE_EQ(composite->skins[i].thickness, thicknesses[i]) << i;
    }
    EXPECT_DOUBLE_EQ(composite->totalThickness, 0.25);
    EXPECT_TRUE(AlertTexts().empty());
    EXPECT_TRUE(QRV::TheElementLists().all.IsEmpty());
}

TEST_F(SystemImportTest, TheImporterReportsTheWritersStatusAndHonoursReplaceWithoutAsking)
{
    const GS::UniString payload(SystemPayload());
    {
        QRV::Importers importers = QRV::ImportManager::GetImporter(QRV::Payload::Parse(payload));
        ASSERT_EQ(importers.size(), 1u);
        EXPECT_EQ(importers[0]->GetStatus(), "undefined");
        EXPECT_TRUE(importers[0]->Import());
        EXPECT_EQ(importers[0]->GetStatus(), "imported");
    }
    {
        QRV::Importers importers = QRV::ImportManager::GetImporter(QRV::Payload::Parse(payload));
        importers[0]->SetReplaceWithoutAsking(true);
        EXPECT_TRUE(importers[0]->Import());
        EXPECT_EQ(importers[0]->GetStatus(), "overwritten");
    }
    EXPECT_TRUE(AlertTexts().empty());
    EXPECT_EQ(CompositeCount(), 1u);
}

TEST_F(SystemImportTest, ASingleImportOfAnExistingSystemAsksAndRejectIsAFailedImport)
{
    const GS::UniString payload(SystemPayload());
    ASSERT_TRUE(QRV::ImportManager::Import(payload));
    const Sim::Model::Composite before = *Composite(SystemName);
    host->QueueAlertAnswer("Reject");

    EXPECT_FALSE(QRV::ImportManager::Import(payload));

    ASSERT_EQ(AlertTexts().size(), 1u);
    EXPECT_NE(AlertTexts()[0].find(SystemName), std::string::npos);
    EXPECT_EQ(*Composite(SystemName), before);
}

TEST_F(SystemImportTest, AnUnreadableSystemDocumentIsAFailedImportWithNothingWritten)
{
    // More layers than skin materials: the document contradicts itself.
    const std::string payload =
        R"({"data":{"import_type":"system","id":1,"name":"Broken","updated_at":0,"tabs":[],)"
        R"("materials":[{"articles":[{"id":2,"name":"P","updated_at":0,"tabs":[]}]}],)"
        R"("layers":[{"layer_type":"Core","thickness":1},{"layer_type":"Core","thickness":2}]}})";
    EXPECT_FALSE(QRV::ImportManager::Import(GS::UniString(payload)));
    EXPECT_EQ(CompositeCount(), 0u);
    EXPECT_EQ(MaterialCount(), 0u);
}

}  // namespace

namespace {

// Every building material and composite of `after` equals the one of the same index in `before`.
void ExpectSameAttributes(const Sim::Project& before, const Sim::Project& after)
{
    const auto& oldMaterials = before.attributes.buildingMaterials.All();
    const auto& newMaterials = after.attributes.buildingMaterials.All();
    ASSERT_EQ(newMaterials.size(), oldMaterials.size());
    for (size_t i = 0; i < oldMaterials.size(); ++i)
        EXPECT_TRUE(newMaterials[i] == oldMaterials[i]) << "building material " << oldMaterials[i].name;
    const auto& oldComposites = before.attributes.composites.All();
    const auto& newComposites = after.attributes.composites.All();
    ASSERT_EQ(newComposites.size(), oldComposites.size());
    for (size_t i = 0; i < oldComposites.size(); ++i)
        EXPECT_TRUE(newComposites[i] == oldComposites[i]) << "composite " << oldComposites[i].name;
    EXPECT_TRUE(after == before) << "something else of the project changed";
}

TEST_F(SystemImportTest, AThicknessTheHostWouldRefuseLeavesTheProjectAsItWas)
{
    nlohmann::json refused = nlohmann::json::parse(SystemPayload());
    refused["data"]["materials"][0]["articles"][0]["name"] = "Clay board 20";  // a skin material still to make
    refused["data"]["layers"][2]["thickness"] = -5;

    // Into an empty project, then over the same system already there (whose skins it would overwrite).
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "new system" : "existing system");
        const Sim::Project before = host->GetProject();
        EXPECT_FALSE(QRV::ImportManager::Import(GS::UniString(refused.dump())));
        ExpectSameAttributes(before, host->GetProject());
        EXPECT_NE(host->DebugText().find("skin 3 (\"Wood fibre insulation 160\") has the thickness -0.050000 m"),
                  std::string::npos)
            << host->DebugText();
        EXPECT_TRUE(AlertTexts().empty()) << "a refused system asks nothing";
        if (round == 0) {
            ASSERT_TRUE(QRV::ImportManager::Import(GS::UniString(SystemPayload())));
        }
    }
}

}  // namespace
