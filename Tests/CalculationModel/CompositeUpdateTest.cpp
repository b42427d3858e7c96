// A catalogue update of a construction system reaches the elements built of it: their thickness, their
// quantities and the calculation follow the composite, and the project the host saves opens again.
#include "AddOn/PageCommands.hpp"
#include "Support/ChildProcess.hpp"
#include "Import/ImportManager.hpp"
#include "Model/ProjectFile.hpp"
#include "ProjectWriter/ElementLists.hpp"
#include "Support/ModuleState.hpp"
#include "Support/InProcessModule.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const char* const SystemName = "Timber frame wall TF-240";

json SystemDocument()
{
    std::ifstream file(std::string(CORVANA_TEST_DIR) + "/Parsing/fixtures/valid/system-two-materials.json");
    std::ostringstream text;
    text << file.rdbuf();
    return json::parse(text.str());
}

class CompositeUpdateTest : public QRVTest::InProcessModuleFixture {
protected:
    void SetUp() override
    {
        InProcessModuleFixture::SetUp();
        folder = QRVTest::MakeScratchFolder("corvana-composite-update-");
        ASSERT_FALSE(folder.empty());
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
        InProcessModuleFixture::TearDown();
    }
    void CleanUpModuleState() override
    {
        QRV::ClearElementLists();
        QRV::MaterialsCreatedInBulkRun().clear();
        QRV::SetBulkImportAborted(false);
        QRV::SetBulkImportScope(QRV::BulkImportScope::LibraryOnly);
    }

    bool ImportAnsweringContinue(const json& document)
    {
        for (int i = 0; i < 8; ++i)
            host->QueueAlertAnswer("Continue");
        return QRV::ImportManager::Import(GS::UniString(document.dump()));
    }

    // A straight wall built of the composite, as the user drew it: as thick as the composite then was.
    API_Guid PlaceWall(Int32 composite, double length, double height)
    {
        const auto* held = host->GetProject().attributes.composites.FindByIndex(composite);
        Sim::Model::Element wall;
        wall.guid = host->NewProjectGuid();
        wall.type = API_WallID;
        wall.structure = API_CompositeStructure;
        wall.composite = composite;
        wall.length = length;
        wall.height = height;
        wall.thickness = wall.endThickness = held->totalThickness;
        host->GetProject().elements.Add(wall);
        return wall.guid;
    }

    static API_Element Read(const API_Guid& guid)
    {
        API_Element element{};
        element.header.guid = guid;
        EXPECT_EQ(ACAPI_Element_Get(&element), NoError);
        return element;
    }

    static double WallVolume(const API_Guid& guid)
    {
        API_QuantitiesMask mask;
        ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, wall, volume);
        API_ElementQuantity quantity{};
        API_Quantities quantities;
        quantities.elements = &quantity;
        API_QuantityPar params{};
        EXPECT_EQ(ACAPI_Element_GetQuantities(guid, &params, &quantities, &mask), NoError);
        return quantity.wall.volume;
    }

    fs::path folder;
};

TEST_F(CompositeUpdateTest, ALayerGrowingInTheCatalogueThickensTheWallsAndTheSavedProjectOpens)
{
    ASSERT_TRUE(ImportAnsweringContinue(SystemDocument()));
    const auto* composite = host->GetProject().attributes.composites.FindByName(SystemName);
    ASSERT_NE(composite, nullptr);
    ASSERT_DOUBLE_EQ(composite->totalThickness, 0.25);
    const Int32 index = composite->index;
    const API_Guid first = PlaceWall(index, 5.0, 3.0);
    const API_Guid second = PlaceWall(index, 4.0, 2.5);

    // The catalogue's core grows from 16 cm to 20 cm: 1.5 + 1.5 + 20 + 6 cm.
    json update = SystemDocument();
    update["data"]["layers"][2]["thickness"] = 20;
    update["data"]["updated_at"] = 1800000000;
    ASSERT_TRUE(ImportAnsweringContinue(update));
    ASSERT_NEAR(host->GetProject().attributes.composites.FindByIndex(index)->totalThickness, 0.29, 1e-12);

    for (const API_Guid& guid : {first, second}) {
        const API_Element wall = Read(guid);
        EXPECT_NEAR(wall.wall.thickness, 0.29, 1e-12);
        EXPECT_NEAR(wall.wall.thickness1, 0.29, 1e-12);
    }
    EXPECT_NEAR(WallVolume(first), 5.0 * 3.0 * 0.29, 1e-9);

    const std::string path = (folder / "updated.json").string();
    std::string error;
    ASSERT_TRUE(Sim::SaveProjectFile(*host, path, &error)) << error;
    host->GetProject() = Sim::Model::Project();
    ASSERT_TRUE(Sim::OpenProjectFile(*host, path, &error)) << error;

    EXPECT_NEAR(Read(second).wall.thickness, 0.29, 1e-12);
    EXPECT_NEAR(WallVolume(second), 4.0 * 2.5 * 0.29, 1e-9);
    const json systems = json::parse(QRV::CalculationRequest())["SystemInfo"];
    ASSERT_EQ(systems.size(), 1u) << systems.dump(1);
    // The face area of both walls: their volumes over the new thickness.
    EXPECT_NEAR(systems[0]["area"].get<double>(), 5.0 * 3.0 + 4.0 * 2.5, 1e-9);
    ASSERT_EQ(systems[0]["layers"].size(), 4u);
    EXPECT_NEAR(systems[0]["layers"][2]["thickness"].get<double>(), 20.0, 1e-9);
}

}  // namespace
