// Which stored items the status report calls outdated, and which requests it refuses.
#include "ProjectWriter/ProjectStatusReport.hpp"
#include "ProjectWriter/StoredMaterialRefresh.hpp"

#include <gtest/gtest.h>

namespace {

using nlohmann::json;
using QRV::ProjectStatusReport;

ProjectStatusReport Request(const char* text)
{
    std::optional<ProjectStatusReport> report = ProjectStatusReport::FromRequest(GS::UniString(text));
    EXPECT_TRUE(report.has_value()) << text;
    return report.value_or(*ProjectStatusReport::FromRequest(GS::UniString(R"({"materials_and_products":[]})")));
}

json Outdated(const ProjectStatusReport& report, const std::string& stored, bool product = false)
{
    json ids = json::array();
    report.AddIfOutdated(stored, product, ids);
    return ids;
}

std::string StoredList(const std::string& id, const std::string& stamp, const char* group = "Corvana")
{
    return json::array({{{"group", group}, {"name", "id"}, {"unit", ""}, {"type", "string"}, {"value", id}},
                        {{"group", group}, {"name", "updated_at"}, {"unit", ""}, {"type", "string"},
                         {"value", json::parse(stamp)}}})
        .dump();
}

TEST(StatusReportLogic, OlderStoredStampIsOutdated)
{
    const std::string stored = StoredList("m-1", "\"100\"");
    EXPECT_EQ(Outdated(Request(R"({"materials_and_products":[{"id":"m-1","update_at":200}]})"), stored),
              json::array({"m-1"}));
    EXPECT_EQ(Outdated(Request(R"({"materials_and_products":[{"id":"m-1","update_at":100}]})"), stored),
              json::array());
    EXPECT_EQ(Outdated(Request(R"({"materials_and_products":[{"id":"m-2","update_at":900}]})"), stored),
              json::array());
}

TEST(StatusReportLogic, IdsCompareByTheirText)
{
    const ProjectStatusReport report = Request(R"({"materials_and_products":[{"id":7,"update_at":200}]})");
    EXPECT_EQ(Outdated(report, StoredList("7", "\"100\"")), json::array({"7"}));
    EXPECT_EQ(Outdated(report, StoredList("07", "\"100\"")), json::array());
}

TEST(StatusReportLogic, ProductStampsMayBeNumbersAndOnlyTheCatalogueGroupCounts)
{
    const ProjectStatusReport report = Request(R"({"materials_and_products":[{"id":"p","update_at":200}]})");
    EXPECT_EQ(Outdated(report, StoredList("p", "100"), true), json::array({"p"}));
    EXPECT_EQ(Outdated(report, StoredList("p", "1700000000000"), true), json::array());
    // Materials look at every group, products only at "Corvana".
    EXPECT_EQ(Outdated(report, StoredList("p", "\"100\"", "Other")), json::array({"p"}));
    EXPECT_EQ(Outdated(report, StoredList("p", "\"100\"", "Other"), true), json::array());
}

TEST(StatusReportLogic, UnreadableStoredTextsAreNoItems)
{
    const ProjectStatusReport report = Request(R"({"materials_and_products":[{"id":"p","update_at":200}]})");
    for (const char* stored : {"", "not json", "{\"id\":\"p\"}", "[1, null, {\"name\":\"id\"}]"})
        EXPECT_EQ(Outdated(report, stored), json::array()) << stored;
}

TEST(StatusReportLogic, MalformedRequestsAreRefused)
{
    for (const char* text : {"", "[]", "not json", R"({"materials":[]})", R"({"materials_and_products":{}})"})
        EXPECT_FALSE(ProjectStatusReport::FromRequest(GS::UniString(text)).has_value()) << text;
    EXPECT_TRUE(ProjectStatusReport::FromRequest(GS::UniString(R"({"materials_and_products":[]})")).has_value());
}

TEST(StatusReportLogic, MalformedElementsAreLeftOutAndTheOthersAnswered)
{
    const std::string stored = StoredList("m", "\"100\"");
    const std::string other = StoredList("n", "\"100\"");
    for (const char* element : {R"({"id":"m"})", R"({"update_at":1})", R"({"id":"m","update_at":"200"})",
                                R"({"id":true,"update_at":200})", R"({"id":"m","update_at":1e300})", "7"}) {
        const std::string text =
            std::string(R"({"materials_and_products":[)") + element + R"(,{"id":"n","update_at":200}]})";
        const ProjectStatusReport report = Request(text.c_str());
        EXPECT_EQ(Outdated(report, stored), json::array()) << element << " is answered for nothing";
        EXPECT_EQ(Outdated(report, other), json::array({"n"})) << element;
    }
}

TEST(StoredMaterialRefreshLogic, OnlyListsOutOfTheirStoredFormAreRewritten)
{
    const std::string stored = R"([{"group":"Corvana","name":"id","unit":"","type":"string","value":"42"}])";
    EXPECT_FALSE(QRV::StoredMaterialRefresh::RewrittenText(stored).has_value());
    EXPECT_EQ(QRV::StoredMaterialRefresh::RewrittenText(R"([{"name":"id","type":"string","value":42}])"), stored);
    for (const char* unreadable : {"", "nonsense", "{}", "[1]"})
        EXPECT_FALSE(QRV::StoredMaterialRefresh::RewrittenText(unreadable).has_value()) << unreadable;
}

}  // namespace
