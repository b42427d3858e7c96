// Names beyond the system's code page, from the page through the add-on into the project and back into
// the page's replies and the user's alerts, unchanged.
#include "Support/UiSupport.hpp"

#include "ResourceIds.hpp"

#include <gmock/gmock.h>

#include <string>

namespace {

using namespace QRVTest;
using ::testing::HasSubstr;

// "Ziegel Süd – Łódź Ωμέγα 東京": umlaut and dash, then characters Windows-1252 cannot hold.
const std::string Name = "Ziegel S\xC3\xBC" "d \xE2\x80\x93 \xC5\x81\xC3\xB3" "d\xC5\xBA \xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 "
                         "\xE6\x9D\xB1\xE4\xBA\xAC";
const std::string Colour = "r\xC3\xB6tlich \xE2\x80\x9E\xD0\xBA\xD1\x80\xD0\xB0\xD1\x81\xD0\xBD\xD1\x8B\xD0\xB9\xE2\x80\x9C";

class UnicodeThroughPage : public UiFixture {
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        ASSERT_EQ(Menu(ID_MENU_PLUGIN, 1), NoError);
    }

    static std::string MaterialPayload(const std::string& name)
    {
        return R"({"data":{"import_type":"Material","name":")" + name +
               R"(","articles":[{"id":7,"name":"x","updated_at":100,"tabs":[{"name":"General","attributes":[{"name":"Colour","value":")" +
               Colour + R"("}]}]}]}})";
    }

    const Sim::Model::BuildingMaterial* Material(const std::string& name)
    {
        return host->GetProject().attributes.buildingMaterials.FindByName(name);
    }
};

TEST_F(UnicodeThroughPage, AnImportedNameReachesTheProjectUnchanged)
{
    Sim::JsCallResult result = CallPage("import", JsText(MaterialPayload(Name)));
    ASSERT_TRUE(result.called) << result.problem;
    EXPECT_EQ(ReplyText(result), R"({"IsError":false,"ShowError":true})");

    const Sim::Model::BuildingMaterial* material = Material(Name);
    ASSERT_NE(material, nullptr) << "the attribute carries the name as UTF-8";
    ASSERT_TRUE(material->userData.has_value());
    EXPECT_THAT(material->userData->bytes, HasSubstr(R"("name":"name","unit":"","type":"","value":")" + Name + "\""));
    EXPECT_THAT(material->userData->bytes, HasSubstr(R"("name":"Colour","unit":"","type":"","value":")" + Colour + "\""));
    bool colourValue = false;
    for (const auto& [definition, value] : material->attached.propertyValues)
        colourValue = colourValue || value.value == Colour;
    EXPECT_TRUE(colourValue) << "the property value keeps its characters";
}

TEST_F(UnicodeThroughPage, TheReplaceQuestionNamesTheItemUnchanged)
{
    ASSERT_TRUE(CallPage("import", JsText(MaterialPayload(Name))).called);
    host->QueueAlertAnswer("Reject");
    ASSERT_TRUE(CallPage("import", JsText(MaterialPayload(Name))).called);
    const auto alerts = host->GetTranscript().EventsOfKind("alert");
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_THAT(alerts[0]["smallText"].get<std::string>(), HasSubstr("'" + Name + "' is already in this project."));
    EXPECT_FALSE(alerts[0].contains("title")) << "the question has no title";
}

TEST_F(UnicodeThroughPage, TheBulkReplyEchoesTheNamesUnchanged)
{
    const nlohmann::json list = nlohmann::json::array(
        {{{"import_type", "Material"},
          {"id", 1},
          {"name", Name},
          {"articles", nlohmann::json::array({{{"id", 1}, {"name", Name}, {"updated_at", 1}}})}}});
    Sim::JsCallResult result = CallPage("bulkImport", JsText(list.dump()));
    ASSERT_TRUE(result.called) << result.problem;
    const nlohmann::json reply = nlohmann::json::parse(ReplyText(result));
    ASSERT_EQ(reply.size(), 1u) << reply;
    EXPECT_EQ(reply[0]["name"], Name);
    EXPECT_EQ(reply[0]["status"], "imported");
    EXPECT_NE(Material(Name), nullptr);
}

}  // namespace
