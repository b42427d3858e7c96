// What the user's actions raise, to whom, in which series, and what they do to the model.
#include "ElementFixture.hpp"

namespace {

using namespace SimElementsTest;

class Notifications : public ElementFixture {
protected:
    void SetUp() override
    {
        ElementFixture::SetUp();
        InstallHandlers();
    }
    void Observe(const char* guid)
    {
        ASSERT_EQ(ACAPI_Element_AttachObserver(G(guid)), NoError);
    }
    std::string FloorPlan() { return Text(Sim::TheModelState(*host).FloorPlan().id); }
};

using KindList = std::vector<API_ElementDBEventID>;

TEST_F(Notifications, PlacingTellsTheNewElementHandlerInsideASeriesOnTheFloorPlan)
{
    std::string problem;
    API_Guid placed{};
    ASSERT_TRUE(Actions().Place(Sim::Json::Value::parse(R"({"type": "object", "length": 1, "width": 1, "height": 1,
        "libraryPart": {"index": 7, "unId": "{CHAIR-1}"}})"), &placed, &problem)) << problem;
    ASSERT_EQ(Kinds(), (KindList{APINotifyElement_BeginEvents, APINotifyElement_New, APINotifyElement_EndEvents}));
    const auto& d = Deliveries();
    EXPECT_EQ(d[0].database, FloorPlan());
    EXPECT_EQ(d[2].database, FloorPlan());
    EXPECT_EQ(d[1].guid, Text(placed));
    EXPECT_EQ(d[1].parent, "");
    EXPECT_EQ(d[1].type, API_ObjectID);
    EXPECT_EQ(d[1].handler, "newElement");
    for (const auto& delivery : d)
        EXPECT_TRUE(delivery.inScope);
    EXPECT_FALSE(Sim::NotificationScope::Active());
    EXPECT_EQ(Read(Text(placed).c_str()).object.libInd, 7);

    auto recorded = host->GetTranscript().EventsOfKind("notification");
    ASSERT_EQ(recorded.size(), 3u);
    EXPECT_EQ(recorded[1]["notifID"], 1);
    EXPECT_EQ(recorded[1]["guid"], Text(placed));
    EXPECT_EQ(recorded[0]["database"], "Floor Plan");
    EXPECT_EQ(recorded[1]["result"], 0);
}

TEST_F(Notifications, ObserversHearOnlyAboutTheirElements)
{
    std::string problem;
    ASSERT_TRUE(Actions().Change(G(WallGuid), Sim::Json::Value::parse(R"({"height": 2.5})"), &problem)) << problem;
    EXPECT_TRUE(Deliveries().empty()) << "nobody observes the wall";
    EXPECT_DOUBLE_EQ(Read(WallGuid).wall.height, 2.5) << "the change is made all the same";

    Observe(WallGuid);
    ASSERT_TRUE(Actions().Change(G(WallGuid), Sim::Json::Value::parse(R"({"structure": "composite", "composite": 1})"),
                                 &problem))
        << problem;
    ASSERT_EQ(Kinds(), (KindList{APINotifyElement_BeginEvents, APINotifyElement_Change, APINotifyElement_EndEvents}));
    EXPECT_EQ(Deliveries()[1].guid, WallGuid);
    EXPECT_EQ(Deliveries()[1].parent, "") << "a changed element keeps its GUID";
    EXPECT_NEAR(Read(WallGuid).wall.thickness, 0.36, 1e-12);

    Deliveries().clear();
    ASSERT_TRUE(Actions().Edit(G(WallGuid), {1, 0, 0}, &problem));
    ASSERT_TRUE(Actions().SetIfcName(G(WallGuid), "Wall B", &problem));
    ASSERT_TRUE(Actions().SetPropertyValue(G(WallGuid), G(StairGuid), "x", &problem));
    ASSERT_TRUE(Actions().SetClassification(G(WallGuid), G(StairGuid), G(ColumnGuid), &problem));
    KindList kinds;
    for (const auto& delivery : Deliveries())
        if (delivery.kind > 0)
            kinds.push_back(delivery.kind);
    EXPECT_EQ(kinds, (KindList{APINotifyElement_Edit, APINotifyElement_Change, APINotifyElement_PropertyValueChange,
                            APINotifyElement_ClassificationChange}));
    EXPECT_EQ(*host->GetProject().elements.Find(G(WallGuid))->IfcValue("Name"), "Wall B");
}

TEST_F(Notifications, ACopyIsNewAndItsOriginalsObserverHearsOfIt)
{
    Observe(ChairGuid);
    Sim::Model::Element* chair = host->GetProject().elements.Find(G(ChairGuid));
    chair->userData = Sim::Model::AttributeUserData{1, 0, "[]"};
    chair->attached.propertyValues[G(StairGuid)] = Sim::Model::PropertyValueRecord{"oak"};

    std::string problem;
    API_Guid copy{};
    ASSERT_TRUE(Actions().Copy(G(ChairGuid), &copy, &problem)) << problem;
    const auto& d = Deliveries();
    ASSERT_EQ(Kinds(), (KindList{APINotifyElement_BeginEvents, APINotifyElement_BeginEvents, APINotifyElement_New,
                              APINotifyElement_Copy, APINotifyElement_EndEvents, APINotifyElement_EndEvents}));
    EXPECT_EQ(d[2].handler, "newElement");
    EXPECT_EQ(d[2].guid, Text(copy));
    EXPECT_EQ(d[2].parent, ChairGuid);
    EXPECT_EQ(d[3].handler, "observer");
    EXPECT_EQ(d[3].guid, Text(copy));
    EXPECT_EQ(d[3].parent, ChairGuid);

    const Sim::Model::Element* duplicate = host->GetProject().elements.Find(copy);
    ASSERT_NE(duplicate, nullptr);
    EXPECT_EQ(duplicate->userData, host->GetProject().elements.Find(G(ChairGuid))->userData);
    EXPECT_EQ(duplicate->attached, host->GetProject().elements.Find(G(ChairGuid))->attached);
}

TEST_F(Notifications, OneHandlerInBothRolesGetsOneSeries)
{
    InstallHandlers(true);
    Observe(ChairGuid);
    std::string problem;
    ASSERT_TRUE(Actions().Copy(G(ChairGuid), nullptr, &problem)) << problem;
    EXPECT_EQ(Kinds(), (KindList{APINotifyElement_BeginEvents, APINotifyElement_New, APINotifyElement_Copy,
                              APINotifyElement_EndEvents}));
}

TEST_F(Notifications, DeleteUndoAndRedoRestoreTheElementAndTellItsObserver)
{
    Observe(DoorGuid);
    std::string problem;
    ASSERT_TRUE(Actions().Delete(G(DoorGuid), &problem)) << problem;
    ASSERT_EQ(Kinds(), (KindList{APINotifyElement_BeginEvents, APINotifyElement_Delete, APINotifyElement_EndEvents}));
    API_Element door{};
    door.header.guid = G(DoorGuid);
    EXPECT_EQ(ACAPI_Element_Get(&door), APIERR_DELETED);
    auto recorded = host->GetTranscript().EventsOfKind("notification");
    EXPECT_EQ(recorded[1]["result"], APIERR_GENERAL) << "the handler's answer is recorded";

    Deliveries().clear();
    ASSERT_TRUE(Actions().Undo(&problem)) << problem;
    EXPECT_EQ(Kinds(), (KindList{APINotifyElement_BeginEvents, APINotifyElement_Undo_Deleted, APINotifyElement_EndEvents}));
    EXPECT_EQ(host->GetProject().elements.PositionOf(G(DoorGuid)), 2u) << "back in its place in the listing order";
    EXPECT_EQ(ACAPI_Element_Get(&door), NoError);

    Deliveries().clear();
    ASSERT_TRUE(Actions().Redo(&problem)) << problem;
    EXPECT_EQ(Kinds(), (KindList{APINotifyElement_BeginEvents, APINotifyElement_Redo_Deleted, APINotifyElement_EndEvents}));
    EXPECT_EQ(host->GetProject().elements.Find(G(DoorGuid)), nullptr);
    EXPECT_FALSE(Actions().Redo(&problem));
    EXPECT_EQ(problem, "there is nothing to redo");
}

TEST_F(Notifications, UndoOfAPlacementRemovesItAndANewActionForgetsTheRedo)
{
    std::string problem;
    API_Guid placed{};
    ASSERT_TRUE(Actions().Place(Sim::Json::Value::parse(R"({"type": "beam", "buildingMaterial": 2, "length": 4,
        "width": 0.2, "height": 0.3})"), &placed, &problem)) << problem;
    Observe(Text(placed).c_str());
    Deliveries().clear();
    ASSERT_TRUE(Actions().Undo(&problem));
    EXPECT_EQ(Kinds(), (KindList{APINotifyElement_BeginEvents, APINotifyElement_Undo_Created, APINotifyElement_EndEvents}));
    EXPECT_EQ(host->GetProject().elements.Find(placed), nullptr);

    ASSERT_TRUE(Actions().Change(G(WallGuid), Sim::Json::Value::parse(R"({"height": 4})"), &problem));
    EXPECT_FALSE(Actions().Redo(&problem)) << "a new action forgets what was undone";
    ASSERT_TRUE(Actions().Undo(&problem));
    EXPECT_DOUBLE_EQ(Read(WallGuid).wall.height, 3.0);
}

TEST_F(Notifications, RefusedActionsChangeNothingAndRaiseNothing)
{
    const Sim::Project before = host->GetProject();
    std::string problem;
    EXPECT_FALSE(Actions().Place(Sim::Json::Value::parse(R"({"type": "wall", "structure": "composite", "composite": 5})"),
                                 nullptr, &problem));
    EXPECT_EQ(problem, "/composite: no composite has the index 5");
    EXPECT_FALSE(Actions().Place(Sim::Json::Value::parse(std::string(R"({"type": "stair", "guid": ")") + WallGuid + "\"}"),
                                 nullptr, &problem));
    EXPECT_EQ(problem, std::string("the GUID ") + WallGuid + " is already used in the project");
    EXPECT_FALSE(Actions().Change(G(WallGuid), Sim::Json::Value::parse(R"({"type": "slab"})"), &problem));
    EXPECT_FALSE(Actions().Change(G(DoorGuid), Sim::Json::Value::parse(R"({"width": "wide"})"), &problem));
    EXPECT_EQ(problem, "/width: expected a number, found a string");
    EXPECT_FALSE(Actions().Delete(G("00000000-0000-4000-8000-00000000FFFF"), &problem));
    EXPECT_FALSE(Actions().Undo(&problem));
    EXPECT_TRUE(host->GetProject() == before);
    EXPECT_TRUE(Deliveries().empty());
}

}  // namespace
