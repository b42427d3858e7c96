// Fields of a catalogue item that the page sends wrong end the import before anything is fetched or
// written: a file address too short to name a file, an item's name, id or change stamp that is a boolean
// or an object, an "export" list holding something other than texts.
#include "Support/UiSupport.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>

namespace {

using nlohmann::json;

const char* const FailedShown = R"({"IsError":true,"ShowError":true})";

class CatalogueFieldsThroughPage : public QRVTest::UiFixture {
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        ASSERT_EQ(Menu(32200, 1), NoError);  // the catalogue palette, whose page holds the script object
    }
    std::string Call(const std::string& function, const GS::Ref<JS::Base>& argument)
    {
        Sim::JsCallResult result = CallPage(function, argument);
        EXPECT_TRUE(result.called) << function << ": " << result.problem;
        return QRVTest::ReplyText(result);
    }
    std::string DebugSince(size_t position) const { return host->DebugText().substr(position); }

    static json Product(const std::string& fileUrl)
    {
        return {{"import_type", "Product"}, {"id", 5500},           {"name", "Door"},
                {"file_url", fileUrl},      {"updated_at", 1710000200}, {"articles", json::array()},
                {"product_tabs", json::array()}};
    }
    static json System(const json& updatedAt)
    {
        return {{"import_type", "system"},
                {"id", "s-1"},
                {"name", "Timber frame"},
                {"updated_at", updatedAt},
                {"materials", json::array({{{"articles", json::array({{{"id", 1}, {"name", "Spruce"}, {"updated_at", 1}}})}}})},
                {"layers", json::array({{{"layer_type", "Core"}, {"thickness", 20}}})}};
    }
    static std::string Envelope(const json& data) { return json{{"data", data}}.dump(); }
};

TEST_F(CatalogueFieldsThroughPage, AFileAddressOfOneOrTwoCharactersFailsWithoutADownload)
{
    const Sim::Project before = host->GetProject();
    for (const char* address : {"ab", "x"}) {
        const size_t debug = host->DebugText().size();
        EXPECT_EQ(Call("import", QRVTest::JsText(Envelope(Product(address)))), FailedShown) << address;
        const std::string lines = DebugSince(debug);
        EXPECT_NE(lines.find("[Error]"), std::string::npos) << address;
        EXPECT_NE(lines.find("is too short to name a file"), std::string::npos) << lines;
        EXPECT_EQ(lines.find("Library download"), std::string::npos) << "nothing is fetched: " << lines;
    }

    // The bulk run reads the address the same way: the element fails, and nothing is fetched either.
    const size_t debug = host->DebugText().size();
    json element = Product("lc");
    element["image"] = "door.png";
    const json statuses = json::parse(Call("bulkImport", QRVTest::JsText(json::array({element}).dump())));
    ASSERT_EQ(statuses.size(), 1u);
    EXPECT_EQ(statuses[0]["status"], "failed");
    EXPECT_EQ(DebugSince(debug).find("Library download"), std::string::npos) << DebugSince(debug);
    EXPECT_TRUE(host->GetProject() == before);
}

TEST_F(CatalogueFieldsThroughPage, AnItemsStampOrIdThatIsABooleanOrAnObjectFailsTheImport)
{
    const Sim::Project before = host->GetProject();
    for (const json& stamp : {json::object({{"seconds", 1710000200}}), json(true)}) {
        const size_t debug = host->DebugText().size();
        EXPECT_EQ(Call("import", QRVTest::JsText(Envelope(System(stamp)))), FailedShown) << stamp;
        EXPECT_NE(DebugSince(debug).find("type must be string, but is"), std::string::npos) << DebugSince(debug);
    }
    json product = Product("https://cdn.example/door.gsm");
    product["updated_at"] = json::object();
    EXPECT_EQ(Call("import", QRVTest::JsText(Envelope(product))), FailedShown);
    product = Product("https://cdn.example/doors.lcf");
    product["id"] = false;
    EXPECT_EQ(Call("import", QRVTest::JsText(Envelope(product))), FailedShown);
    const json stair = {{"import_type", "stair"}, {"name", "Spiral"}, {"id", json::object()}, {"updated_at", 1},
                        {"tabs", json::array()}};
    EXPECT_EQ(Call("import", QRVTest::JsText(Envelope(stair))), FailedShown);
    EXPECT_TRUE(host->GetProject() == before) << "nothing was written";

    // A tab attribute may still carry a yes/no value: only the item's own records are strict.
    json system = System(1710000200);
    system["tabs"] = json::array({{{"name", "Fire"}, {"attributes", json::array({{{"name", "Tested"}, {"value", true}}})}}});
    EXPECT_EQ(Call("import", QRVTest::JsText(Envelope(system))), R"({"IsError":false,"ShowError":true})");
}

TEST_F(CatalogueFieldsThroughPage, AnExportListHoldingSomethingOtherThanTextsIsRefusedUnexported)
{
    GS::Ref<JS::Array> list = new JS::Array();
    list->AddItem(new JS::Value("https://app.example.com/api/upload"));
    list->AddItem(new JS::Value(7));
    const size_t debug = host->DebugText().size();
    EXPECT_EQ(Call("export", list), FailedShown);
    EXPECT_NE(DebugSince(debug).find("export refused"), std::string::npos) << DebugSince(debug);

    GS::Ref<JS::Array> numberFirst = new JS::Array();
    numberFirst->AddItem(new JS::Value(7));
    numberFirst->AddItem(new JS::Value(R"({"token":"T","context":"C","type":"multipart/form-data"})"));
    EXPECT_EQ(Call("export", numberFirst), FailedShown);

    EXPECT_TRUE(host->GetTranscript().EventsOfKind("alert").empty()) << "no export ran, so nothing was told";
    EXPECT_EQ(host->GetFaults().CallCount("ACAPI_ProjectOperation_Save"), 0);
    EXPECT_EQ(host->GetFaults().CallCount("ACAPI_IFC_GetIFCExportTranslatorsList"), 0);
}

TEST_F(CatalogueFieldsThroughPage, AnExportListIsReadByItsAddressAndParametersOnly)
{
    // Whatever follows the two texts the upload uses is not looked at: the export runs.
    GS::Ref<JS::Array> list = new JS::Array();
    list->AddItem(new JS::Value("https://app.example.com/api/upload"));
    list->AddItem(new JS::Value(R"({"token":"T","context":"C","type":"multipart/form-data"})"));
    list->AddItem(new JS::Value(7));
    list->AddItem(new JS::Array());
    const size_t debug = host->DebugText().size();
    Call("export", list);
    EXPECT_EQ(DebugSince(debug).find("export refused"), std::string::npos) << DebugSince(debug);
    EXPECT_EQ(host->GetFaults().CallCount("ACAPI_IFC_GetIFCExportTranslatorsList"), 1);
}

}  // namespace
