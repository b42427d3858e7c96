// Bulk lists, article lists and property lists that cost without end or ended in a silent partial import:
// a list past its ceiling is refused before the first write or question, a long property list costs in
// proportion to its length, and a property the host does not take fails the import instead of going missing.
#include "Support/UiSupport.hpp"
#include "Support/Sanitized.hpp"

#include "ElementActions.hpp"
#include "Model/ModelVisits.hpp"
#include "Model/ProjectFile.hpp"
#include "Parsing/TextLimits.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Four times the list, about four times the entries the simulated model looked at: far from the sixteen
// of a listing per entry. Counted, not timed, so a busy machine cannot fail it; the time ceilings stay
// beside it as what the user would feel.
void ExpectLinear(const std::uint64_t (&visits)[2], const char* what)
{
    ASSERT_GT(visits[0], 0u) << what;
    EXPECT_LT(static_cast<double>(visits[1]) / static_cast<double>(visits[0]), 5.0)
        << what << ": " << visits[0] << " and " << visits[1] << " model visits";
}

class ListsAndProperties : public QRVTest::UiFixture {
protected:
    void SetUp() override
    {
        QRVTest::UiFixture::SetUp();
        host->GetProject() = Sim::ProjectFile::Load(std::string(CORVANA_SOURCE_DIR) + "/Examples/House.json");
        ASSERT_EQ(Menu(32200, 1), NoError);
        Keep();
        std::ofstream("log.txt", std::ios::trunc);
    }

    void Keep() { before = Sim::ProjectFile::ToText(host->GetProject()); }
    bool ProjectUnchanged() { return Sim::ProjectFile::ToText(host->GetProject()) == before; }
    static std::string Log()
    {
        std::ifstream in("log.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string Page(const std::string& function, const std::string& text)
    {
        const Sim::JsCallResult result = CallPage(function, QRVTest::JsText(text));
        EXPECT_TRUE(result.called) << result.problem;
        return QRVTest::ReplyText(result);
    }
    std::string Import(const nlohmann::json& data) { return Page("import", nlohmann::json{{"data", data}}.dump()); }
    long Calls(const char* function) { return host->GetFaults().CallCount(function); }
    long AllCalls()
    {
        long total = 0;
        for (const auto& entry : host->GetFaults().CallCounts())
            total += entry.second;
        return total;
    }

    // A material of one article whose tabs are `tabs` groups "<name> 0", "<name> 1", ... of one property
    // each.
    static nlohmann::json MaterialWithTabs(const std::string& name, int tabs)
    {
        nlohmann::json list = nlohmann::json::array();
        for (int i = 0; i < tabs; ++i)
            list.push_back({{"name", name + " " + std::to_string(i)},
                            {"attributes", {{{"name", "Value"}, {"value", std::to_string(i)}}}}});
        return {{"import_type", "Material"},
                {"name", name},
                {"articles", {{{"id", 1}, {"name", name}, {"updated_at", 1}, {"tabs", list}}}}};
    }

    std::string before;
};

const std::string Refused = R"({"IsError":true,"ShowError":true})";
const std::string Imported = R"({"IsError":false,"ShowError":true})";

// --- bulk lists -----------------------------------------------------------------------------------------

// A project whose one composite, used by walls placed later, holds `records` as its stored list.
Sim::Model::Project ProjectWithStoredList(const std::string& records)
{
    return Sim::ProjectFile::FromText(std::string(R"({"format": "corvana-sim-project", "version": 1,
  "attributes": {
    "buildingMaterials": [{"index": 1, "guid": "00000000-0000-4000-8000-000000000001", "name": "Spruce"}],
    "composites": [
      {"index": 1, "guid": "00000000-0000-4000-8000-000000000011", "name": "Timber frame", "usage": 1,
       "skins": [{"buildingMaterial": 1, "thickness": 0.3}], "lines": [{}, {}],
       "userData": {"dataVersion": 0, "platformSign": 22359, "text": "[)") + records + R"(]"}}]}})");
}

TEST_F(ListsAndProperties, ABulkListPastItsCeilingIsRefusedWholeAndAtOnce)
{
    if (QRVTest::Sanitized)
        GTEST_SKIP() << QRVTest::MeasuredInTheNormalBuild;
    // 8 million zeros inside the size limit: each once became a status of its own, 380 MB of reply.
    std::string text = "[0";
    while (text.size() + 3 < QRV::Payload::MaxTextBytes)
        text += ",0";
    text += "]";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Page("bulkImport", text), "[]");
    EXPECT_LT(SecondsSince(start), 20.0);
    EXPECT_NE(Log().find("Bulk import: refused, the list has " + std::to_string(text.size() / 2) +
                         " elements, more than the limit of 10000"),
              std::string::npos)
        << Log().substr(0, 2000);
    EXPECT_TRUE(ProjectUnchanged());
    // A list of systems is refused before its settings are asked for.
    std::string systems = "[";
    for (size_t i = 0; i <= QRV::Payload::MaxBulkListElements; ++i)
        systems += std::string(i == 0 ? "" : ",") + R"({"import_type":"system"})";
    systems += "]";
    EXPECT_EQ(Page("bulkImport", systems), "[]");
    EXPECT_TRUE(host->GetTranscript().EventsOfKind("dialog").empty());
    EXPECT_TRUE(ProjectUnchanged());
}

TEST_F(ListsAndProperties, ABulkListAtItsCeilingAnswersAtMostFortyTimesItsSize)
{
    // The shapes whose statuses cost the most next to their own text: bare values, empty objects, and
    // numbers that print longer than they were written, in every field a status echoes.
    const std::string numbers = R"({"id":1E16,"name":1E16,"image":1E16,"thumbnail":1E16})";
    for (const std::string& element : {std::string("0"), std::string("{}"), numbers}) {
        std::string text = "[" + element;
        for (size_t i = 1; i < QRV::Payload::MaxBulkListElements; ++i)
            text += "," + element;
        text += "]";
        const std::string reply = Page("bulkImport", text);
        const nlohmann::json statuses = nlohmann::json::parse(reply, nullptr, false);
        ASSERT_TRUE(statuses.is_array()) << reply.substr(0, 200);
        EXPECT_EQ(statuses.size(), QRV::Payload::MaxBulkListElements) << element;
        EXPECT_LE(reply.size(), 40 * text.size()) << element;
    }
    EXPECT_TRUE(ProjectUnchanged());
}

// --- articles -------------------------------------------------------------------------------------------

TEST_F(ListsAndProperties, AMaterialPastTheArticleCeilingIsRefusedBeforeAnyQuestion)
{
    nlohmann::json articles = nlohmann::json::array();
    for (size_t i = 0; i <= QRV::Payload::MaxArticlesPerDocument; ++i)
        articles.push_back({{"id", static_cast<int>(i)}, {"name", "Clay"}, {"updated_at", 1}});
    const nlohmann::json material = {{"import_type", "Material"}, {"name", "Clay"}, {"articles", articles}};
    EXPECT_EQ(Import(material), Refused);
    EXPECT_NE(Log().find("the document has 1001 articles, more than the limit of 1000"), std::string::npos) << Log();
    EXPECT_TRUE(host->GetTranscript().EventsOfKind("alert").empty());
    EXPECT_TRUE(ProjectUnchanged());

    // Below the ceiling the articles are imported, one question for each article after the first.
    articles.erase(articles.size() - 1);
    articles.erase(articles.begin() + 3, articles.end());
    EXPECT_EQ(Import({{"import_type", "Material"}, {"name", "Clay"}, {"articles", articles}}), Imported) << Log();
    size_t questions = 0;
    for (const auto& alert : host->GetTranscript().EventsOfKind("alert"))
        questions += (alert["largeText"].get<std::string>() + alert["smallText"].get<std::string>())
                         .find("is already in this project") != std::string::npos;
    EXPECT_EQ(questions, 2u);
}

// --- long property lists --------------------------------------------------------------------------------

TEST_F(ListsAndProperties, AMaterialWithManyTabsCostsInProportionToThem)
{
    if (QRVTest::Sanitized)
        GTEST_SKIP() << QRVTest::MeasuredInTheNormalBuild;
    // Every tab a group of its own: the host's groups were listed once for each.
    double seconds[2] = {};
    long calls[2] = {};
    std::uint64_t visits[2] = {};
    const int tabs[2] = {2000, 8000};
    for (int run = 0; run < 2; ++run) {
        host->GetFaults().ResetCounts();
        const std::uint64_t visitsBefore = Sim::Model::ModelVisits();
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Import(MaterialWithTabs("Tabs " + std::to_string(run), tabs[run])), Imported);
        seconds[run] = SecondsSince(start);
        visits[run] = Sim::Model::ModelVisits() - visitsBefore;
        calls[run] = AllCalls();
        EXPECT_LE(Calls("ACAPI_Property_GetPropertyGroups"), 2) << tabs[run];
        // A group, a definition and a value for each tab, and a few calls for the material.
        EXPECT_LE(calls[run], 3 * tabs[run] + 100) << tabs[run];
    }
    EXPECT_GE(host->GetProject().properties.Groups().size(), 10000u);
    EXPECT_LT(seconds[1], 20.0);
    ExpectLinear(visits, "tabs");
}

TEST_F(ListsAndProperties, PlacingAWallWithALongStoredListCostsInProportionToIt)
{
    if (QRVTest::Sanitized)
        GTEST_SKIP() << QRVTest::MeasuredInTheNormalBuild;
    double seconds[2] = {};
    std::uint64_t visits[2] = {};
    const int groups[2] = {1000, 4000};
    for (int run = 0; run < 2; ++run) {
        std::string records;
        for (int i = 0; i < groups[run]; ++i)
            records += std::string(i == 0 ? "" : ",") + R"({\"group\":\"Stored )" + std::to_string(i) +
                       R"(\",\"name\":\"Value\",\"unit\":\"\",\"type\":\"\",\"value\":\"x\"})";
        host->GetProject() = ProjectWithStoredList(records);
        host->GetFaults().ResetCounts();
        const std::uint64_t visitsBefore = Sim::Model::ModelVisits();
        const auto start = std::chrono::steady_clock::now();
        API_Guid wall{};
        std::string problem;
        ASSERT_TRUE(Sim::ElementActions(*host).Place(
            Sim::Json::Value::parse(R"({"type": "wall", "structure": "composite", "composite": 1, "length": 4, "height": 3})"),
            &wall, &problem))
            << problem;
        seconds[run] = SecondsSince(start);
        visits[run] = Sim::Model::ModelVisits() - visitsBefore;
        EXPECT_LE(Calls("ACAPI_Property_GetPropertyGroups"), 1) << groups[run];
        EXPECT_EQ(host->GetProject().elements.Find(wall)->attached.propertyValues.size(),
                  static_cast<size_t>(groups[run]));
    }
    EXPECT_LT(seconds[1], 10.0);
    ExpectLinear(visits, "stored groups");
}

// --- names the host does not take -----------------------------------------------------------------------

TEST_F(ListsAndProperties, ATabNamedAfterOneOfTheHostsOwnGroupsFailsTheImportBeforeAnyWrite)
{
    nlohmann::json material = MaterialWithTabs("Loam", 2);
    material["articles"][0]["tabs"][1]["name"] = "Building Material";
    EXPECT_EQ(Import(material), Refused);
    EXPECT_NE(Log().find("Import of \"Loam\" refused: the property \"Value\" of the group \"Building Material\" has a "
                         "group name the host does not take (the host keeps it for a group of its own)"),
              std::string::npos)
        << Log();
    EXPECT_EQ(Log().find("APIERR_"), std::string::npos) << Log();
    EXPECT_TRUE(ProjectUnchanged());
    // In a bulk list the same item fails on its own, and nothing of it is written either.
    const std::string reply = Page("bulkImport", nlohmann::json::array({material}).dump());
    EXPECT_NE(reply.find(R"("status":"failed")"), std::string::npos) << reply;
    EXPECT_TRUE(ProjectUnchanged());
}

TEST_F(ListsAndProperties, APropertyTheHostRefusesWhileWritingFailsTheImport)
{
    // Only the host can tell: the value is refused as it is written. The page hears of it.
    host->GetFaults().FailFrom("ACAPI_Attribute_SetProperty", APIERR_BADPARS, 1);
    EXPECT_EQ(Import(MaterialWithTabs("Loam", 3)), Refused);
    EXPECT_NE(Log().find("the properties of \"Loam\" could not all be written"), std::string::npos) << Log();
}

TEST_F(ListsAndProperties, AStoredListWithOneOfTheHostsOwnGroupsIsNotWrittenAtAll)
{
    const std::string records =
        R"({\"group\":\"Thermal\",\"name\":\"U-value\",\"unit\":\"\",\"type\":\"\",\"value\":\"0.2\"},)"
        R"({\"group\":\"Building Material\",\"name\":\"Note\",\"unit\":\"\",\"type\":\"\",\"value\":\"x\"})";
    host->GetProject() = ProjectWithStoredList(records);
    API_Guid wall{};
    std::string problem;
    ASSERT_TRUE(Sim::ElementActions(*host).Place(
        Sim::Json::Value::parse(R"({"type": "wall", "structure": "composite", "composite": 1, "length": 4, "height": 3})"),
        &wall, &problem))
        << problem;
    EXPECT_TRUE(host->GetProject().elements.Find(wall)->attached.propertyValues.empty());
    EXPECT_TRUE(host->GetProject().properties.Groups().empty());
    EXPECT_NE(Log().find("refused the property \"Note\" of the group \"Building Material\": the host keeps the "
                         "group's name for a group of its own"),
              std::string::npos)
        << Log();
}

}  // namespace
