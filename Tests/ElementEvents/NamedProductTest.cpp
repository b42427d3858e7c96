// A stair product matched to placed stairs by their IFC Name: now, and when a stair gets that name later.
#include "ElementActions.hpp"
#include "Support/UiSupport.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using Json = Sim::Json::Value;

std::string StairPayload()
{
    std::ifstream in(std::string(CORVANA_SOURCE_DIR) + "/Examples/payloads/05-stair.json");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class NamedProduct : public QRVTest::UiFixture {
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        ASSERT_EQ(Menu(32200, 1), NoError);
    }
    API_Guid PlaceStair(const std::string& ifcName)
    {
        API_Guid placed{};
        std::string problem;
        Json stair = Json::parse(R"({"type": "stair", "length": 3, "width": 1, "height": 3})");
        stair["ifc"] = Json::array({{{"name", "Name"}, {"value", ifcName}}});
        EXPECT_TRUE(Sim::ElementActions(*host).Place(stair, &placed, &problem)) << problem;
        return placed;
    }
    size_t ValuesOn(const API_Guid& guid) { return host->GetProject().elements.Find(guid)->attached.propertyValues.size(); }
    std::string LastAlert()
    {
        auto alerts = host->GetTranscript().EventsOfKind("alert");
        return alerts.empty() ? "" : alerts.back()["smallText"].get<std::string>();
    }
    std::string Import() { return QRVTest::ReplyText(CallPage("import", QRVTest::JsText(StairPayload()))); }
};

TEST_F(NamedProduct, StairsOfThatNameAreStampedAndTheUserIsToldSo)
{
    const API_Guid first = PlaceStair("Precast stair PS-17");
    const API_Guid second = PlaceStair("Precast stair PS-17");
    const API_Guid other = PlaceStair("Spiral");
    EXPECT_EQ(Import(), R"({"IsError":false,"ShowError":true})");
    EXPECT_GT(ValuesOn(first), 0u);
    EXPECT_EQ(ValuesOn(second), ValuesOn(first));
    EXPECT_EQ(ValuesOn(other), 0u);
    EXPECT_EQ(LastAlert(), "You have imported \"Precast stair PS-17\".\nAll corresponding objects that have Name "
                           "(Attribute)\nwith the same name will receive the attributes from Corvana.");
}

TEST_F(NamedProduct, WithoutSuchStairsTheUserIsToldAndALaterRenamedStairReceivesTheProperties)
{
    const API_Guid stair = PlaceStair("Spiral");
    EXPECT_EQ(Import(), R"({"IsError":false,"ShowError":true})");
    EXPECT_EQ(LastAlert(), "You have imported \"Precast stair PS-17\". Currently there are no objects in your project "
                           "with the same name.\nWhen you change an object's Name (Attribute) to \"Precast stair "
                           "PS-17\", it will receive the attributes from Corvana.");
    EXPECT_EQ(ValuesOn(stair), 0u);
    // The module observes the stairs it was told about when they were placed.
    std::string problem;
    ASSERT_TRUE(Sim::ElementActions(*host).SetIfcName(stair, "Precast stair PS-17", &problem)) << problem;
    EXPECT_GT(ValuesOn(stair), 0u);
}

TEST_F(NamedProduct, ImportingTheSameProductAgainAsksAndRejectLeavesEverythingAsItWas)
{
    PlaceStair("Precast stair PS-17");
    ASSERT_EQ(Import(), R"({"IsError":false,"ShowError":true})");
    const Sim::Project before = host->GetProject();
    host->QueueAlertAnswer("Reject");
    EXPECT_EQ(Import(), R"({"IsError":true,"ShowError":true})");
    EXPECT_TRUE(host->GetProject() == before);
}

}  // namespace
