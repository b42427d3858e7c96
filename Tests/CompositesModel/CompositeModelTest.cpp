#include "ModelScene.hpp"

#include "Support/ModuleState.hpp"
#include "Import/ImportManager.hpp"
#include "Support/InProcessModule.hpp"
#include "Parsing/Items/CorvanaComplexMaterial.hpp"
#include "ProjectWriter/ACLink.hpp"
#include "ProjectWriter/ElementLists.hpp"
#include "SimUtf8.hpp"

#include <algorithm>

namespace {

using QRV::Json;
using QRVTest::CompositeOf;
using QRVTest::ElementIn;
using QRVTest::PlaceElement;
using QRVTest::UndoStepNames;

QRV::CorvanaComplexMaterial CatalogueSystem(const std::string& name, const std::string& systemType)
{
    QRV::CorvanaComplexMaterial system;
    system.SetName(GS::UniString(name));
    system.SetSystemType(GS::UniString(systemType));
    QRV::CorvanaMaterial skin;
    skin.SetName(GS::UniString(name + " skin"));
    skin.SetLayerType("Core");
    skin.SetThickness(0.2);
    system.AddMaterial(skin);
    Json records = Json::array();
    records.push_back({{"group", "Corvana"}, {"name", "id"}, {"unit", ""}, {"type", ""}, {"value", "77"}});
    records.push_back({{"group", "Performance"}, {"name", "U-value"}, {"unit", ""}, {"type", ""}, {"value", "0.2"}});
    system.SetProperties(QRV::CorvanaProperties::FromJson(records));
    return system;
}

class CompositeModelTest : public QRVTest::InProcessModuleFixture {
protected:
    void CleanUpModuleState() override
    {
        // Whatever the run wrote, it wrote where the host accepts it.
        QRVTest::ExpectNoRefusedHostCall(host->GetTranscript());
        QRV::ClearElementLists();
        QRV::MaterialsCreatedInBulkRun().clear();
        QRV::SetBulkImportAborted(false);
        QRV::SetBulkImportScope(QRV::BulkImportScope::LibraryOnly);
    }

    // The composite written once without touching the model, as a library-only bulk run writes it.
    Int32 WriteQuietly(QRV::CorvanaComplexMaterial system)
    {
        system.SetReplaceWithoutAsking(true);
        EXPECT_TRUE(QRV::ACLink().CreateComplexMaterial(system));
        const auto* composite = host->GetProject().attributes.composites.FindByName(Sim::Utf8(system.GetName()));
        return composite != nullptr ? composite->index : 0;
    }

    // The names of the undo steps made after the first `count`.
    std::vector<std::string> StepsSince(size_t count) const
    {
        const std::vector<std::string> steps = UndoStepNames(*host);
        return std::vector<std::string>(steps.begin() + static_cast<long>(std::min(count, steps.size())), steps.end());
    }

    bool Stamped(const API_Guid& guid)
    {
        const Sim::Model::Element* element = ElementIn(*host, guid);
        return element != nullptr && element->userData.has_value() && element->attached.propertyValues.size() == 2;
    }
    bool Untouched(const API_Guid& guid)
    {
        const Sim::Model::Element* element = ElementIn(*host, guid);
        return element != nullptr && !element->userData.has_value() && element->attached.propertyValues.empty();
    }
};

struct UsageCase {
    const char* systemType;
    API_ElemTypeID stamped;
};

class CompositeUsageTest : public CompositeModelTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(CompositeUsageTest, ASingleImportStampsTheElementsOfItsUsageBuiltOfIt)
{
    const UsageCase usage = GetParam();
    const QRV::CorvanaComplexMaterial system = CatalogueSystem("System U", usage.systemType);
    const Int32 index = WriteQuietly(system);
    const Int32 other = WriteQuietly(CatalogueSystem("System V", usage.systemType));
    ASSERT_NE(index, 0);
    std::vector<std::pair<API_ElemTypeID, API_Guid>> users;
    for (API_ElemTypeID type : {API_WallID, API_SlabID, API_RoofID})
        users.emplace_back(type, PlaceElement(*host, type, index));
    const API_Guid bystander = PlaceElement(*host, usage.stamped, other);

    QRV::CorvanaComplexMaterial again = system;
    host->QueueAlertAnswer("Continue");  // the composite
    host->QueueAlertAnswer("Continue");  // its skin material
    const size_t stepsBefore = UndoStepNames(*host).size();
    EXPECT_TRUE(QRV::ACLink().CreateComplexMaterial(again));

    EXPECT_EQ(again.GetImportStatus(), "overwritten");
    for (const auto& [type, guid] : users) {
        if (type == usage.stamped)
            EXPECT_TRUE(Stamped(guid)) << "element type " << type;
        else
            EXPECT_TRUE(Untouched(guid)) << "element type " << type;
    }
    EXPECT_TRUE(Untouched(bystander));
    // The skin, the composite and the stamped element are one step.
    EXPECT_EQ(StepsSince(stepsBefore), std::vector<std::string>{"Create property definition"});
    EXPECT_TRUE(QRV::TheElementLists().all.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(SystemTypes, CompositeUsageTest,
                         ::testing::Values(UsageCase{"Roof", API_RoofID}, UsageCase{"Floor", API_SlabID},
                                           UsageCase{"Ceiling", API_SlabID}, UsageCase{"External Wall", API_WallID}));

TEST_F(CompositeModelTest, ABulkRunStampsTheModelOnlyWhenTheUserAskedForIt)
{
    QRV::CorvanaComplexMaterial system = CatalogueSystem("System B", "Wall");
    const Int32 index = WriteQuietly(system);
    const API_Guid wall = PlaceElement(*host, API_WallID, index);
    system.SetReplaceWithoutAsking(true);

    ASSERT_EQ(QRV::GatherElementLists(), NoError);
    EXPECT_TRUE(QRV::ACLink().CreateComplexMaterial(system));
    EXPECT_TRUE(Untouched(wall));

    QRV::SetBulkImportScope(QRV::BulkImportScope::LibraryAndModel);
    EXPECT_TRUE(QRV::ACLink().CreateComplexMaterial(system));
    EXPECT_TRUE(Stamped(wall));
    // The run's lists stay for its next system.
    EXPECT_EQ(QRV::TheElementLists().walls.GetSize(), 1u);
    EXPECT_TRUE(host->GetTranscript().EventsOfKind("alert").empty());
}

class CancelledStampingTest : public CompositeModelTest {
protected:
    Sim::HostOptions Options() const override
    {
        Sim::HostOptions options;
        options.cancelProcessAt = 1;
        return options;
    }
};

TEST_F(CancelledStampingTest, AbortKeepsWhatWasWrittenAndRaisesTheAbortFlag)
{
    QRV::CorvanaComplexMaterial system = CatalogueSystem("System A", "Wall");
    const Int32 index = WriteQuietly(system);
    const API_Guid first = PlaceElement(*host, API_WallID, index);
    const API_Guid second = PlaceElement(*host, API_WallID, index);
    host->QueueAlertAnswer("Continue");
    host->QueueAlertAnswer("Continue");
    host->QueueAlertAnswer("Abort");
    const size_t stepsBefore = UndoStepNames(*host).size();

    EXPECT_TRUE(QRV::ACLink().CreateComplexMaterial(system));

    EXPECT_TRUE(QRV::IsBulkImportAborted());
    EXPECT_EQ(system.GetImportStatus(), "overwritten");
    const auto alerts = host->GetTranscript().EventsOfKind("alert");
    ASSERT_EQ(alerts.size(), 3u);
    EXPECT_EQ(alerts[2].at("smallText"), "Are you sure you want to abort the import process?\nAny changes made to the "
                                         "Library and the Model so far will be saved.");
    EXPECT_EQ(alerts[2].at("buttons").dump(), R"(["Cancel","Abort"])");
    // The cancel is seen after the first wall, which keeps all its properties; nothing after it. The
    // import's one step ends with the abort and holds the first wall whole.
    EXPECT_TRUE(Stamped(first));
    EXPECT_TRUE(Untouched(second));
    EXPECT_EQ(CompositeOf(first), index);
    EXPECT_EQ(StepsSince(stepsBefore), std::vector<std::string>{"Create property definition"});
}

TEST_F(CancelledStampingTest, CancellingTheQuestionGoesOnWithoutAskingAgain)
{
    QRV::CorvanaComplexMaterial system = CatalogueSystem("System C", "Wall");
    const Int32 index = WriteQuietly(system);
    const API_Guid first = PlaceElement(*host, API_WallID, index);
    const API_Guid second = PlaceElement(*host, API_WallID, index);
    host->QueueAlertAnswer("Continue");
    host->QueueAlertAnswer("Continue");
    host->QueueAlertAnswer("Cancel");

    EXPECT_TRUE(QRV::ACLink().CreateComplexMaterial(system));

    EXPECT_FALSE(QRV::IsBulkImportAborted());
    EXPECT_EQ(host->GetTranscript().EventsOfKind("alert").size(), 3u);
    EXPECT_TRUE(Stamped(first));
    EXPECT_TRUE(Stamped(second));
}

TEST_F(CompositeModelTest, ReplaceSystemRebuildsEveryUserOfTheOldCompositeInOneUndoStep)
{
    const Int32 old = WriteQuietly(CatalogueSystem("Old system", "Wall"));
    const Int32 other = WriteQuietly(CatalogueSystem("Other system", "Wall"));
    const std::vector<API_Guid> users = {PlaceElement(*host, API_WallID, old), PlaceElement(*host, API_SlabID, old),
                                         PlaceElement(*host, API_RoofID, old)};
    const API_Guid bystander = PlaceElement(*host, API_WallID, other);
    const size_t stepsBefore = UndoStepNames(*host).size();

    const std::string payload =
        R"({"data":{"import_type":"system","id":9,"name":"New system","system_type":"Wall","updated_at":5,)"
        R"("tabs":[],"materials":[{"articles":[{"id":3,"name":"New skin","updated_at":1,"tabs":[]}]}],)"
        R"("layers":[{"layer_type":"Core","thickness":20}],"replace_id":")" +
        std::to_string(old) + R"("}})";
    EXPECT_TRUE(QRV::ImportManager::Import(GS::UniString(payload)));

    const auto* created = host->GetProject().attributes.composites.FindByName("New system");
    ASSERT_NE(created, nullptr);
    for (const API_Guid& guid : users) {
        EXPECT_EQ(CompositeOf(guid), created->index);
        const Sim::Model::Element* element = ElementIn(*host, guid);
        ASSERT_NE(element, nullptr);
        EXPECT_TRUE(element->userData.has_value());
        EXPECT_EQ(element->attached.propertyValues.size(), 3u);  // id, name, updated_at
    }
    EXPECT_EQ(CompositeOf(bystander), other);
    // The new composite with its skin, the three elements rebuilt and stamped: the one step the user
    // undoes.
    EXPECT_EQ(StepsSince(stepsBefore), std::vector<std::string>{"Replace construction system"});
}

}  // namespace
