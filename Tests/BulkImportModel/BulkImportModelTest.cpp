// Bulk import of construction systems against a model with placed walls: what the elements add to the
// estimate, and an abort from the process window while the second of three systems updates its walls.
// The project is opened from a project file holding composites and elements.
#include "../BulkImport/BulkImportFixture.hpp"

#include "AddOn/PageCommands.hpp"
#include "Model/ProjectFile.hpp"
#include "ProcessWindow.hpp"

namespace {

using namespace QRVTest;
using Json = nlohmann::json;

class BulkImportModel : public BulkImportFixture {
protected:
    void CleanUpModuleState() override
    {
        // Whatever the run wrote, it wrote where the host accepts it.
        ExpectNoRefusedHostCall(host->GetTranscript());
        BulkImportFixture::CleanUpModuleState();
    }

    static std::string Guid(int number)
    {
        char text[40];
        std::snprintf(text, sizeof text, "6A1B2C3D-0000-4000-8000-%012d", number);
        return text;
    }

    // A project with the building material "Brick" (index 1), a composite of that name when `composite`
    // is not empty (index 1), `compositeWalls` walls built of it and `otherWalls` brick walls.
    void OpenModel(const std::string& composite, int compositeWalls, int otherWalls)
    {
        Json attributes = {{"buildingMaterials", Json::array({{{"index", 1}, {"guid", Guid(1)}, {"name", "Brick"}}})}};
        attributes["composites"] = Json::array();
        if (!composite.empty())
            attributes["composites"].push_back({{"index", 1},
                                                {"guid", Guid(2)},
                                                {"name", composite},
                                                {"usage", 1},
                                                {"skins", Json::array({{{"buildingMaterial", 1}, {"thickness", 0.3}}})},
                                                {"lines", Json::array({Json::object(), Json::object()})}});
        Json elements = Json::array();
        int number = 100;
        for (int i = 0; i < compositeWalls; ++i)
            elements.push_back({{"guid", Guid(++number)}, {"type", "wall"}, {"structure", "composite"}, {"composite", 1}});
        for (int i = 0; i < otherWalls; ++i)
            elements.push_back(
                {{"guid", Guid(++number)}, {"type", "wall"}, {"structure", "basic"}, {"buildingMaterial", 1}});
        const Json project = {{"format", "corvana-sim-project"},
                              {"version", 1},
                              {"projectInfo", {{"name", "Model"}}},
                              {"attributes", attributes},
                              {"elements", elements}};
        host->GetProject() = Sim::ProjectFile::FromText(project.dump());
    }

    // A construction system as the catalogue sends it, with `materials` materials and as many layers.
    static Json FullSystem(int id, const std::string& name, const std::string& systemType, int materials)
    {
        Json system = {{"import_type", "system"},
                       {"id", id},
                       {"name", name},
                       {"system_type", systemType},
                       {"updated_at", 1700000000},
                       {"tabs", Json::array({{{"name", "Performance"},
                                              {"attributes", Json::array({{{"name", "U-value"}, {"value", 0.17}},
                                                                          {{"name", "Fire resistance"},
                                                                           {"value", "REI 60"}}})}}})}};
        system["materials"] = Json::array();
        system["layers"] = Json::array();
        for (int i = 1; i <= materials; ++i) {
            const std::string material = name + " layer " + std::to_string(i);
            system["materials"].push_back(
                {{"name", material},
                 {"articles", Json::array({{{"id", id * 100 + i}, {"name", material}, {"updated_at", 1}, {"tabs", Json::array()}}})}});
            system["layers"].push_back({{"layer_type", i == 1 ? "Core" : "Other"}, {"thickness", 10}});
        }
        return system;
    }

    std::vector<std::string> EstimateTexts()
    {
        const auto dialogs = Dialogs();
        if (dialogs.empty())
            return {};
        return {dialogs.back()["items"][8].get<std::string>(), dialogs.back()["items"][10].get<std::string>()};
    }

    bool HasComposite(const std::string& name)
    {
        return host->GetProject().attributes.composites.FindByName(name) != nullptr;
    }
};

TEST_F(BulkImportModel, OneUnrelatedWallSlowsEveryMaterial)
{
    OpenModel("", 0, 1);
    ui().ScriptNextDialog({Sim::DialogChoice::Cancel, 0});
    QRV::BulkImportEntry(GS::UniString(Json::array({System(1, "Wall A", 3), System(2, "Wall B", 3)}).dump()));
    EXPECT_EQ(EstimateTexts(), (std::vector<std::string>{"Estimated time: 38s", "Estimated time: 38s"}));
}

TEST_F(BulkImportModel, ElementsUsingASystemAddToTheModelEstimateOnly)
{
    OpenModel("Wall A", 10, 0);
    ui().ScriptNextDialog({Sim::DialogChoice::Cancel, 0});
    QRV::BulkImportEntry(GS::UniString(Json::array({System(1, "Wall A", 3), System(2, "Wall B", 3)}).dump()));
    // 2 systems + 6 materials x 6 s; 10 walls x 18 s more with the model.
    EXPECT_EQ(EstimateTexts(), (std::vector<std::string>{"Estimated time: 38s", "Estimated time:  3m 38s"}));
}

TEST_F(BulkImportModel, TheEstimateReadsTheModelOnceForAllSystems)
{
    OpenModel("Wall A", 10, 5);
    ui().ScriptNextDialog({Sim::DialogChoice::Cancel, 0});
    QRV::BulkImportEntry(GS::UniString(
        Json::array({System(1, "Wall A", 3), System(2, "Wall A", 3), System(3, "Wall B", 3)}).dump()));
    // 3 systems + 9 materials x 6 s; each of the two systems of the composite adds its 10 walls x 18 s.
    EXPECT_EQ(EstimateTexts(), (std::vector<std::string>{"Estimated time: 57s", "Estimated time:  6m 57s"}));
    EXPECT_EQ(host->GetFaults().CallCount("ACAPI_Element_Get"), 15);
}

TEST_F(BulkImportModel, TheLibraryOnlyChoiceNeverOpensTheProcessWindow)
{
    OpenModel("Wall A", 2, 0);
    const Json list = Json::array({FullSystem(1, "Wall A", "External Wall", 2)});

    const Json libraryOnly = QRV::BulkImportEntry(GS::UniString(list.dump()));
    ASSERT_EQ(libraryOnly.size(), 1u);
    EXPECT_EQ(libraryOnly[0]["status"], "overwritten");
    EXPECT_EQ(ProcessWindowsOpened(), 0);

    ui().ScriptNextDialog({Sim::DialogChoice::Accept, 10});
    const Json withModel = QRV::BulkImportEntry(GS::UniString(list.dump()));
    ASSERT_EQ(withModel.size(), 1u);
    EXPECT_EQ(ProcessWindowsOpened(), 1);
    for (const auto& element : host->GetProject().elements.All())
        EXPECT_TRUE(element.userData.has_value()) << "every wall of the system gets its properties";
}

TEST_F(BulkImportModel, AnAbortDuringTheSecondSystemKeepsWhatWasWritten)
{
    // The first system is a floor: the model has no slabs, so the first cancel check belongs to the second
    // system's first wall, and the user aborts there.
    OpenModel("Wall B", 2, 0);
    host->FamilyState<Sim::ProcessWindowState>().cancelAt = 1;
    host->QueueAlertAnswer("Abort");
    ui().ScriptNextDialog({Sim::DialogChoice::Accept, 10});
    const Json list = Json::array({FullSystem(1, "Floor A", "Floor", 2), FullSystem(2, "Wall B", "External Wall", 2),
                                   FullSystem(3, "Roof C", "Roof", 2)});

    const Json result = QRV::BulkImportEntry(GS::UniString(list.dump()));

    ASSERT_EQ(result.size(), 2u);
    EXPECT_EQ(result[0]["name"], "Floor A");
    EXPECT_EQ(result[0]["status"], "imported");
    EXPECT_EQ(result[1]["name"], "Wall B");
    EXPECT_EQ(result[1]["status"], "overwritten");
    const auto alerts = host->GetTranscript().EventsOfKind("alert");
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_TRUE(HasComposite("Floor A"));
    EXPECT_FALSE(HasComposite("Roof C"));
    const auto& walls = host->GetProject().elements.All();
    ASSERT_EQ(walls.size(), 2u);
    EXPECT_TRUE(walls[0].userData.has_value()) << "the wall updated before the abort keeps its properties";
    EXPECT_FALSE(walls[1].userData.has_value());
    EXPECT_TRUE(QRV::TheElementLists().all.IsEmpty());
}

}  // namespace
