// The page's "updateStatus" through the loaded module: a request whose list holds a broken element is
// answered for its other elements.
#include "Support/UiSupport.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>

namespace {

using nlohmann::json;

class StatusReportThroughPage : public QRVTest::UiFixture {
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        ASSERT_EQ(Menu(32200, 1), NoError);
        // Two materials imported with the stamp 100.
        const json document = {{"data",
                                {{"import_type", "Material"},
                                 {"name", "Oak"},
                                 {"articles", json::array({{{"id", "m-1"}, {"name", "Oak"}, {"updated_at", 100}}})}}}};
        ASSERT_EQ(Call("import", document.dump()), R"({"IsError":false,"ShowError":true})");
        const json second = {{"data",
                              {{"import_type", "Material"},
                               {"name", "Ash"},
                               {"articles", json::array({{{"id", 7}, {"name", "Ash"}, {"updated_at", 100}}})}}}};
        ASSERT_EQ(Call("import", second.dump()), R"({"IsError":false,"ShowError":true})");
    }
    std::string Call(const std::string& function, const std::string& text)
    {
        Sim::JsCallResult result = CallPage(function, QRVTest::JsText(text));
        EXPECT_TRUE(result.called) << result.problem;
        return QRVTest::ReplyText(result);
    }
    json Outdated(const json& list)
    {
        return json::parse(Call("updateStatus", json{{"materials_and_products", list}}.dump()));
    }
};

TEST_F(StatusReportThroughPage, ABrokenElementIsSkippedWithALogLineAndTheOthersAreAnswered)
{
    const json broken = json::array({json::object({{"id", "m-1"}}),                            // no "update_at"
                                     json::object({{"id", true}, {"update_at", 500}}),        // an id of no kind
                                     json::object({{"id", "m-1"}, {"update_at", "500"}}),     // a stamp as text
                                     json(7)});
    for (const json& element : broken) {
        const size_t debug = host->DebugText().size();
        EXPECT_EQ(Outdated(json::array({element, {{"id", 7}, {"update_at", 200}}})), json::array({"7"})) << element;
        EXPECT_NE(host->DebugText().find("updateStatus: materials_and_products[0]", debug), std::string::npos)
            << element << host->DebugText().substr(debug);
    }
    // Elements before and after the broken one are answered alike.
    EXPECT_EQ(Outdated(json::array({{{"id", "m-1"}, {"update_at", 200}}, json::object({{"id", "x"}}),
                                    {{"id", 7}, {"update_at", 300}}})),
              json::array({"m-1", "7"})) << "the stored ids, as text";
}

TEST_F(StatusReportThroughPage, ALongBrokenListNamesItsFirstElementsAndCountsTheRest)
{
    json list = json::array();
    for (int i = 0; i < 500; ++i)
        list.push_back(i);
    list.push_back({{"id", "m-1"}, {"update_at", 200}});
    const size_t debug = host->DebugText().size();
    EXPECT_EQ(Outdated(list), json::array({"m-1"}));
    const std::string lines = host->DebugText().substr(debug);
    size_t skippedLines = 0;
    for (size_t at = lines.find("; skipped"); at != std::string::npos; at = lines.find("; skipped", at + 1))
        ++skippedLines;
    EXPECT_EQ(skippedLines, 10u);
    EXPECT_NE(lines.find("490 more elements of materials_and_products skipped"), std::string::npos) << lines;
}

TEST_F(StatusReportThroughPage, AnIdListedTwiceIsAnsweredOnce)
{
    EXPECT_EQ(Outdated(json::array({{{"id", "m-1"}, {"update_at", 150}}, {{"id", "m-1"}, {"update_at", 200}}})),
              json::array({"m-1"}));
    // The newest stamp of the id decides, wherever it stands.
    EXPECT_EQ(Outdated(json::array({{{"id", "m-1"}, {"update_at", 200}}, {{"id", "m-1"}, {"update_at", 50}}})),
              json::array({"m-1"}));
    EXPECT_EQ(Outdated(json::array({{{"id", "m-1"}, {"update_at", 100}}, {{"id", "m-1"}, {"update_at", 50}}})),
              json::array());
}

}  // namespace
