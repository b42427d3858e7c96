// Texts past the size and nesting limits are refused by every entry that reads outside text as JSON, with
// a log line naming the limit and nothing changed, instead of exhausting memory or the stack.
#include "Support/CallInvariants.hpp"
#include "Support/UiSupport.hpp"

#include "Model/ProjectFile.hpp"
#include "Parsing/TextLimits.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using QRV::Payload::LimitBreach;
using QRV::Payload::MaxNestingDepth;
using QRV::Payload::MaxTextBytes;

std::string Nested(int levels, const std::string& inner = "1")
{
    return std::string(static_cast<size_t>(levels), '[') + inner + std::string(static_cast<size_t>(levels), ']');
}

// A catalogue material whose one property value is padded out to `bytes` in total.
std::string MaterialOfSize(size_t bytes)
{
    const std::string head = R"({"data": {"import_type": "material", "name": "Padded", "attributes": [{"name": "x", "value": ")";
    const std::string tail = R"("}]}})";
    return head + std::string(bytes - head.size() - tail.size(), 'a') + tail;
}

TEST(TextLimits, SizeIsCountedInBytesUpToTheLimit)
{
    EXPECT_FALSE(LimitBreach(std::string(MaxTextBytes, ' ')));
    const auto breach = LimitBreach(std::string(MaxTextBytes + 1, ' '));
    ASSERT_TRUE(breach);
    EXPECT_NE(breach->find("16777217 bytes, more than the limit of 16777216 bytes"), std::string::npos) << *breach;
}

TEST(TextLimits, NestingCountsBracketsAndBracesOutsideStrings)
{
    EXPECT_FALSE(LimitBreach(Nested(MaxNestingDepth)));
    EXPECT_FALSE(LimitBreach("{\"a\":" + Nested(MaxNestingDepth - 1) + "}"));
    const auto breach = LimitBreach(Nested(MaxNestingDepth + 1));
    ASSERT_TRUE(breach);
    EXPECT_NE(breach->find("nests deeper than the limit of 512 levels"), std::string::npos) << *breach;
    EXPECT_TRUE(LimitBreach("{\"a\":" + Nested(MaxNestingDepth) + "}"));

    // Inside strings, brackets are text, and an escaped quote does not end the string.
    const std::string brackets(10000, '[');
    EXPECT_FALSE(LimitBreach("\"" + brackets + "\""));
    EXPECT_FALSE(LimitBreach(R"(["\"[[[\\", ")" + brackets + "\"]"));
    EXPECT_TRUE(LimitBreach(R"(["\\")" + brackets));
    // Closing brackets without openers do not hide later nesting.
    EXPECT_TRUE(LimitBreach(std::string(1000, ']') + Nested(MaxNestingDepth + 1)));
    // Sequences of shallow containers are not deep.
    std::string many;
    for (int i = 0; i < 2000; ++i)
        many += "[[1]],";
    EXPECT_FALSE(LimitBreach("[" + many + "1]"));
}

class LimitsThroughThePage : public QRVTest::UiFixture {
protected:
    void SetUp() override
    {
        QRVTest::UiFixture::SetUp();
        host->GetProject() = Sim::ProjectFile::Load(std::string(CORVANA_SOURCE_DIR) + "/Examples/House.json");
        ASSERT_EQ(Menu(32200, 1), NoError);
    }

    // Calls `function` with `text`; expects `reply`, a log line holding `logged`, and the project unchanged.
    void ExpectRefused(const std::string& function, const std::string& text, const std::string& reply,
                       const std::string& logged)
    {
        const std::string before = Sim::ProjectFile::ToText(host->GetProject());
        const size_t debugBefore = host->DebugText().size();
        Sim::JsCallResult result = CallPage(function, QRVTest::JsText(text));
        ASSERT_TRUE(result.called) << function << ": " << result.problem;
        EXPECT_EQ(QRVTest::ReplyText(result), reply) << function;
        const std::string debug = host->DebugText().substr(debugBefore);
        EXPECT_NE(debug.find("[Error]"), std::string::npos) << function;
        EXPECT_NE(debug.find(logged), std::string::npos) << function << " logged:\n" << debug.substr(0, 2000);
        EXPECT_EQ(Sim::ProjectFile::ToText(host->GetProject()), before) << function;
    }
};

TEST_F(LimitsThroughThePage, FiftyMegabytesAreRefusedByEveryFunctionThatTakesAText)
{
    const std::string huge = MaterialOfSize(50u * 1024u * 1024u);
    for (const char* function : {"import", "update"})
        ExpectRefused(function, huge, R"({"IsError":true,"ShowError":true})", "import: refused, the text is 52428800 bytes");
    for (const char* function : {"replaceSystem", "replaceMaterialUsedInConstructionSystem"})
        ExpectRefused(function, huge, R"({"IsError":true,"ShowError":false})", "more than the limit");
    ExpectRefused("bulkImport", "[" + huge + "]", "[]", "Bulk import: refused, the text is 52428802 bytes");
    ExpectRefused("updateStatus", huge, "[]", "updateStatus: refused, the text is 52428800 bytes");
}

TEST_F(LimitsThroughThePage, TenThousandLevelsOfNestingAreRefusedByEveryFunctionThatTakesAText)
{
    const std::string deep = R"({"data": {"import_type": "material", "name": "Deep", "attributes": )" + Nested(10000) + "}}";
    const std::string limit = "nests deeper than the limit of 512 levels";
    for (const char* function : {"import", "update"})
        ExpectRefused(function, deep, R"({"IsError":true,"ShowError":true})", "import: refused, the text " + limit);
    for (const char* function : {"replaceSystem", "replaceMaterialUsedInConstructionSystem"})
        ExpectRefused(function, deep, R"({"IsError":true,"ShowError":false})", limit);
    ExpectRefused("bulkImport", "[" + deep + "]", "[]", "Bulk import: refused, the text " + limit);
    ExpectRefused("updateStatus", R"({"materials_and_products": )" + Nested(10000) + "}", "[]", "updateStatus: refused, the text " + limit);
}

TEST_F(LimitsThroughThePage, ADocumentJustInsideTheLimitsIsStillRead)
{
    // Valid and 512 deep: it passes the limits and fails later only because it is no catalogue item.
    const size_t debugBefore = host->DebugText().size();
    Sim::JsCallResult result = CallPage("import", QRVTest::JsText(Nested(MaxNestingDepth)));
    EXPECT_EQ(QRVTest::ReplyText(result), R"({"IsError":true,"ShowError":true})");
    EXPECT_EQ(host->DebugText().find("refused", debugBefore), std::string::npos);
}

TEST_F(LimitsThroughThePage, JsonFilesOpenedInTheHostAreHeldToTheSameLimits)
{
    const std::filesystem::path folder = std::filesystem::path(host->GetSpecialFolders().Home()) / "opened";
    std::filesystem::create_directories(folder);
    const std::string before = Sim::ProjectFile::ToText(host->GetProject());
    const struct {
        const char* name;
        std::string text;
        const char* logged;
    } files[] = {{"huge.json", MaterialOfSize(MaxTextBytes + 1), "JSON file: refused, the file is 16777217 bytes"},
                 {"deep.json", Nested(10000), "import: refused, the text nests deeper than the limit of 512 levels"}};
    for (const auto& file : files) {
        const std::string path = (folder / file.name).string();
        std::ofstream(path, std::ios::binary) << file.text;
        const size_t debugBefore = host->DebugText().size();
        EXPECT_EQ(ui().OpenFile(path, IO_MERGE), NoError);
        EXPECT_NE(host->DebugText().find(file.logged, debugBefore), std::string::npos) << file.name;
        EXPECT_EQ(Sim::ProjectFile::ToText(host->GetProject()), before) << file.name;
    }
}

TEST_F(LimitsThroughThePage, StoredTextsPastTheLimitsReadAsNone)
{
    // A project whose stored texts were made huge or deep outside the add-on: the calculation and the
    // status report skip them with a log line and still answer.
    Sim::Project& project = host->GetProject();
    const std::string deep = Nested(10000, R"({"group":"Corvana","name":"id","value":"1"})");
    for (const auto& material : project.attributes.buildingMaterials.All())
        project.attributes.buildingMaterials.FindByIndex(material.index)->userData =
            Sim::Model::AttributeUserData{1, 0, deep};
    project.moduleData["CV_Precast stair PS-17"] = Sim::Model::ModuleDataEntry{1, 0, std::string(MaxTextBytes + 1, '[')};

    const size_t debugBefore = host->DebugText().size();
    Sim::JsCallResult calculation = CallPage("getCalculationData");
    ASSERT_TRUE(calculation.called) << calculation.problem;
    EXPECT_EQ(QRVTest::ReplyText(calculation).front(), '{');
    Sim::JsCallResult status = CallPage("updateStatus", QRVTest::JsText(R"({"materials_and_products": [{"id": "4101", "update_at": 1}]})"));
    ASSERT_TRUE(status.called) << status.problem;
    const std::string debug = host->DebugText().substr(debugBefore);
    EXPECT_NE(debug.find("Stored attribute data: refused, the text nests deeper"), std::string::npos);
    EXPECT_NE(debug.find("Stored module data: refused, the text is 16777217 bytes"), std::string::npos);
}

}  // namespace
