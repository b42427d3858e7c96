// The catalogue page's script object as the page sees it: the functions, their argument decoding and
// their replies.
#include "Support/UiSupport.hpp"

#include "AddOn/JsBridge.hpp"
#include "Support/LogStream.hpp"
#include "AddOn/WebAddress.hpp"
#include "ResourceIds.hpp"
#include "SimUtf8.hpp"

#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

namespace {

using namespace QRVTest;

const char* const FailedShown = R"({"IsError":true,"ShowError":true})";
const char* const FailedQuiet = R"({"IsError":true,"ShowError":false})";

class JsBridge : public UiFixture {
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        ASSERT_EQ(Menu(ID_MENU_PLUGIN, 1), NoError);
    }
    std::string Call(const std::string& function, const GS::Ref<JS::Base>& argument = GS::Ref<JS::Base>())
    {
        Sim::JsCallResult result = CallPage(function, argument);
        EXPECT_TRUE(result.called) << function << ": " << result.problem;
        return ReplyText(result);
    }
};

TEST_F(JsBridge, OffersElevenFunctionsInTheirOrder)
{
    const auto& objects = PaletteItem(CataloguePaletteGuid(), 1)->scriptObjects;
    ASSERT_EQ(objects.size(), 1u);
    std::vector<std::string> names;
    for (const auto& item : objects[0]->GetItemTable().Values()) {
        GS::Ref<JS::Function> function = GS::DynamicCast<JS::Function>(item);
        ASSERT_NE(function, nullptr);
        names.push_back(Sim::Utf8(function->GetName()));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"import", "platform", "updateStatus", "update", "getCalculationData",
                                               "replaceMaterialUsedInConstructionSystem", "replaceSystem",
                                               "openExternalLink", "bulkImport", "export", "selfUpdate"}));
}

TEST_F(JsBridge, PlatformAnswersTheSameWhateverItsArgument)
{
    const std::string expected = R"({"installer_version":"3.1.0","os":"windows","platform_type":0,"version":27})";
    EXPECT_EQ(Call("platform"), expected);
    EXPECT_EQ(Call("platform", JsText("windows")), expected);
    EXPECT_EQ(Call("platform", JsNumber(3)), expected);
    EXPECT_EQ(Call("platform", JsTexts({"a"})), expected);
}

TEST_F(JsBridge, ImportAndUpdateAnswerZeroWithoutAnArgument)
{
    for (const char* function : {"import", "update"}) {
        Sim::JsCallResult result = CallPage(function);
        ASSERT_TRUE(result.called) << result.problem;
        GS::Ref<JS::Value> value = GS::DynamicCast<JS::Value>(result.reply);
        ASSERT_NE(value, nullptr) << function;
        EXPECT_EQ(value->GetType(), JS::Value::INTEGER) << function << ": a number, not an error object";
        EXPECT_EQ(value->GetInteger(), 0);

        EXPECT_EQ(Call(function, JsText("")), FailedShown) << function;
        EXPECT_EQ(Call(function, JsNumber(5)), FailedShown) << function;
        EXPECT_EQ(Call(function, JsText("{not json")), FailedShown) << function;
    }
}

TEST_F(JsBridge, ReplaceFunctionsNeverAskToShowTheirFailure)
{
    for (const char* function : {"replaceSystem", "replaceMaterialUsedInConstructionSystem"}) {
        EXPECT_EQ(Call(function), FailedQuiet) << function;
        EXPECT_EQ(Call(function, JsText(R"({"data":[{"import_type":"system"}]})")), FailedQuiet) << function;
    }
}

TEST_F(JsBridge, DocumentRepliesKeepTheirShape)
{
    EXPECT_EQ(Call("bulkImport"), "[]");
    EXPECT_EQ(Call("bulkImport", JsText("[]")), "[]");
    EXPECT_EQ(Call("updateStatus", JsText("[]")), "[]");
    EXPECT_EQ(Call("getCalculationData"), "{\n \"CurtainWallInfo\": [],\n \"ProductInfo\": [],\n"
                                          " \"StairCalculationInfo\": [],\n \"SystemInfo\": []\n}");
    EXPECT_EQ(Call("export", JsNumber(1)), FailedShown);
    EXPECT_EQ(Call("selfUpdate", JsText("3.2.0")), FailedShown);
}

TEST_F(JsBridge, OpenExternalLinkRefusesWhatIsNoWebAddress)
{
    for (const std::string url : {"file:///etc/passwd", "javascript:alert(document.cookie)", "", "https://",
                                  "mailto:info@example.com", "https://exa mple.com/a b", "ftp://example.com/a b",
                                  "https://example.com/a\nb", "\xff\xfe"}) {
        EXPECT_EQ(Call("openExternalLink", JsText(url)), FailedQuiet) << url;
    }
    EXPECT_EQ(Call("openExternalLink"), FailedQuiet);
    EXPECT_EQ(Call("openExternalLink", JsNumber(80)), FailedQuiet);
    EXPECT_TRUE(ui().ExternalBrowserUrls().empty());
    EXPECT_TRUE(host->GetTranscript().EventsOfKind("externalBrowser").empty());
    EXPECT_EQ(host->DebugText().find("failed"), std::string::npos) << host->DebugText();
}

TEST_F(JsBridge, OpenExternalLinkWritesEveryRefusalToTheLog)
{
    EXPECT_EQ(Call("openExternalLink", JsText("file:///etc/passwd")), FailedQuiet);
    EXPECT_EQ(Call("openExternalLink", JsText("javascript:alert(\"x\")")), FailedQuiet);
    std::ifstream in(QRV::LogStream::FileName());
    std::stringstream log;
    log << in.rdbuf();
    EXPECT_NE(log.str().find("openExternalLink: refused \"file:///etc/passwd\""), std::string::npos) << log.str();
    EXPECT_NE(log.str().find("openExternalLink: refused \"javascript:alert(\\\"x\\\")\""), std::string::npos)
        << "quoted and escaped: " << log.str();
}

TEST_F(JsBridge, OpenExternalLinkEncodesBlanksAndBracesOfCatalogueLinks)
{
    for (const auto& [link, opened] : std::vector<std::pair<std::string, std::string>>{
             {"https://cdn.example.com/sheets/Data sheet.pdf", "https://cdn.example.com/sheets/Data%20sheet.pdf"},
             {"https://app.example.com/find?q={\"id\":7}#top", "https://app.example.com/find?q=%7B%22id%22:7%7D#top"},
             {"http://example.com/a|b^c<d>`e\\f", "http://example.com/a%7Cb%5Ec%3Cd%3E%60e%5Cf"},
             {"https://example.com/50%25 off", "https://example.com/50%25%20off"}}) {
        EXPECT_EQ(Call("openExternalLink", JsText(link)), R"({"IsError":false,"ShowError":false})") << link;
        ASSERT_FALSE(ui().ExternalBrowserUrls().empty()) << link;
        EXPECT_EQ(ui().ExternalBrowserUrls().back(), opened);
    }
    EXPECT_EQ(ui().ExternalBrowserUrls().size(), 4u);
}

TEST_F(JsBridge, OpenExternalLinkOpensWebAddressesInTheSystemBrowser)
{
    EXPECT_EQ(Call("openExternalLink", JsText("https://example.com/x")), R"({"IsError":false,"ShowError":false})");
    EXPECT_EQ(ui().ExternalBrowserUrls(), (std::vector<std::string>{"https://example.com/x"}));

    ui().SetExternalBrowserFails(true);
    EXPECT_EQ(Call("openExternalLink", JsText("http://example.com")), FailedQuiet);
}

TEST_F(JsBridge, NothingEscapesWhateverThePageSends)
{
    const std::vector<GS::Ref<JS::Base>> arguments = {GS::Ref<JS::Base>(), JsText(""), JsText("\xff\xfe{"),
                                                      JsText(std::string("a\0b", 3)), JsNumber(-1),
                                                      JsTexts({"x", "y"}), new JS::Value()};
    for (const char* function : {"import", "platform", "updateStatus", "update", "getCalculationData",
                                 "replaceMaterialUsedInConstructionSystem", "replaceSystem", "openExternalLink",
                                 "bulkImport", "export", "selfUpdate"})
        for (const auto& argument : arguments)
            EXPECT_NE(Call(function, argument), "<nothing>") << function;
    EXPECT_TRUE(host->GetTranscript().EventsOfKind("error").empty()) << host->GetTranscript().ToJsonLines();
}

TEST(JsArguments, TextsComeOnlyFromStrings)
{
    EXPECT_EQ(Sim::Utf8(QRV::JsTextArgument(new JS::Value("payload"))), "payload");
    EXPECT_TRUE(QRV::JsTextArgument(GS::Ref<JS::Base>()).IsEmpty());
    EXPECT_TRUE(QRV::JsTextArgument(new JS::Value(12)).IsEmpty());
    EXPECT_TRUE(QRV::JsTextArgument(new JS::Value(true)).IsEmpty());
    EXPECT_TRUE(QRV::JsTextArgument(JsTexts({"a"})).IsEmpty());
}

TEST(JsArguments, ListsComeOnlyFromArrays)
{
    EXPECT_FALSE(QRV::JsListArgument(new JS::Value(1)).has_value()) << "a number passes no list";
    EXPECT_FALSE(QRV::JsListArgument(new JS::Value("a")).has_value());
    EXPECT_FALSE(QRV::JsListArgument(GS::Ref<JS::Base>()).has_value());

    GS::Ref<JS::Array> array = new JS::Array();
    array->AddItem(new JS::Value("token"));
    array->AddItem(new JS::Value(7));
    array->AddItem(new JS::Value("project"));
    auto list = QRV::JsListArgument(array);
    ASSERT_TRUE(list.has_value());
    ASSERT_EQ(list->GetSize(), 3u);
    EXPECT_EQ(Sim::Utf8((*list)[0]), "token");
    EXPECT_EQ(Sim::Utf8((*list)[1]), "") << "an item that is no string reads as an empty text";
    EXPECT_EQ(Sim::Utf8((*list)[2]), "project");

    auto empty = QRV::JsListArgument(new JS::Array());
    ASSERT_TRUE(empty.has_value()) << "an empty array is an empty list, not no list";
    EXPECT_EQ(empty->GetSize(), 0u);
}

TEST(WebAddresses, OnlyAbsoluteHttpAndHttpsWithAHost)
{
    for (const char* accepted : {"https://example.com/x", "http://example.com", "HTTPS://Example.COM/a?b=c#d",
                                 "https://example.com:8443/path", "https://user@example.com/", "http://[::1]:8080/",
                                 "https://bücher.example/ä"})
        EXPECT_TRUE(QRV::IsAbsoluteWebAddress(accepted)) << accepted;
    for (const char* refused :
         {"", "file:///etc/passwd", "javascript:alert(1)", "https://", "http:///path", "https:example.com",
          "ftp://example.com", "//example.com", "example.com", " https://example.com", "https://example.com\n",
          "https://exa mple.com", "https://example.com:port/", "https://example.com:/", "https://:80/",
          "https://example.com/<script>", "data:text/html,hi", "https://user@/x", "\\\\server\\share"})
        EXPECT_FALSE(QRV::IsAbsoluteWebAddress(refused)) << refused;
}

}  // namespace
