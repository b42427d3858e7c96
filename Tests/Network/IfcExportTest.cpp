// The page's "export" through the loaded module: the project saved as IFC into the user's "Corvana IFC"
// folder and uploaded, the two alerts that stop it, host failures that end it before anything is sent,
// and the whole road through corvana-host to a local HTTPS server.
#include "Network/NetworkTestSupport.hpp"
#include "Network/OwnHome.hpp"
#include "Support/UiSupport.hpp"

#include "Model/ProjectFile.hpp"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>

namespace {

using namespace NetTest;
namespace fs = std::filesystem;

constexpr const char* Parameters = R"({"token":"T","context":"C","type":"multipart/form-data"})";
constexpr const char* Success = R"({"IsError":false,"ShowError":true})";
constexpr const char* Failure = R"({"IsError":true,"ShowError":true})";

std::string House() { return std::string(CORVANA_SOURCE_DIR) + "/Examples/House.json"; }

// The body of a request whose head ends at the first empty line.
std::string BodyOf(const std::string& request) { return request.substr(request.find("\r\n\r\n") + 4); }

class IfcExport : public OwnHome<QRVTest::UiFixture> {
protected:
    IfcExport() : OwnHome("home") {}
    void SetUp() override
    {
        UiFixture::SetUp();
        host->GetProject() = Sim::ProjectFile::Load(House());
        ASSERT_EQ(Menu(32200, 1), NoError);
    }

    std::string ExportFolder() const { return home + "/Documents/Corvana IFC"; }
    std::string Url(const LocalServer& server) const { return "https://" + server.HostAndPort() + "/api/upload"; }
    std::string Export(const std::string& url, const std::string& parameters = Parameters)
    {
        return QRVTest::ReplyText(CallPage("export", QRVTest::JsTexts({url, parameters})));
    }
    std::vector<nlohmann::ordered_json> Alerts() const { return host->GetTranscript().EventsOfKind("alert"); }
    std::vector<nlohmann::ordered_json> Saves() const { return host->GetTranscript().EventsOfKind("projectSave"); }
    bool ExportFolderIsEmpty() const { return !fs::exists(ExportFolder()) || fs::is_empty(ExportFolder()); }

    CaBundleSetting trust{true};
};

TEST_F(IfcExport, SavesIntoTheCorvanaIfcFolderUploadsAndKeepsTheFile)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    ASSERT_FALSE(fs::exists(ExportFolder()));  // made by the export
    EXPECT_EQ(Export(Url(server)), Success);

    const std::string file = ExportFolder() + "/Sample House.ifc";
    ASSERT_TRUE(fs::is_regular_file(file));
    const std::string content = ReadFile(file);
    EXPECT_NE(content.find("FILE_SCHEMA(('IFC4'));"), std::string::npos);
    const auto saves = Saves();
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0]["fileType"], 35);
    EXPECT_EQ(saves[0]["translator"], "IFC4 Design Transfer View");

    ASSERT_EQ(server.Requests().size(), 1u);
    const std::string body = BodyOf(server.Requests()[0]);
    EXPECT_NE(body.find("filename=\"Sample House.ifc\"\r\nContent-Type: application/octet-stream\r\n\r\n" + content +
                        "\r\n--"),
              std::string::npos);
    EXPECT_EQ(HeaderValue(server.Requests()[0], "Authorization"), "Bearer T");
    EXPECT_EQ(ReadFile(file), content);  // still there after the upload

    // A second export replaces the file in place.
    EXPECT_EQ(Export(Url(server)), Success);
    EXPECT_EQ(std::distance(fs::directory_iterator(ExportFolder()), fs::directory_iterator()), 1);
}

TEST_F(IfcExport, WithoutTheTranslatorTheAlertNamesItAndNothingIsSent)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    for (const auto& translators : {std::vector<std::string>{"General Translator", "IFC4 Reference View"},
                                    std::vector<std::string>{"IFC4 design transfer view"}, std::vector<std::string>{}}) {
        host->GetTranscript().Clear();
        host->GetProject().info.ifcTranslators = translators;
        EXPECT_EQ(Export(Url(server)), Failure);
        const auto alerts = Alerts();
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_EQ(alerts[0]["type"], "information");
        EXPECT_EQ(alerts[0]["largeText"], "IFC4 Design Transfer View\ntranslator not found!");
        EXPECT_EQ(alerts[0]["smallText"], "IFC4 Design Transfer View");
        EXPECT_EQ(alerts[0]["buttons"], nlohmann::ordered_json::array({"OK"}));
        EXPECT_TRUE(Saves().empty());
    }
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_TRUE(ExportFolderIsEmpty());
}

TEST_F(IfcExport, AProjectWithoutANameIsNotExported)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    host->GetProject().info.name.clear();
    EXPECT_EQ(Export(Url(server)), Failure);
    const auto alerts = Alerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]["type"], "information");
    EXPECT_EQ(alerts[0]["largeText"], "The project has no name");
    EXPECT_EQ(alerts[0]["smallText"], "Export aborted");
    EXPECT_EQ(alerts[0]["buttons"], nlohmann::ordered_json::array({"OK"}));
    EXPECT_TRUE(Saves().empty());
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_TRUE(ExportFolderIsEmpty());
}

TEST_F(IfcExport, AFailedHostCallEndsTheExportWithoutUploadAndIsReported)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    const struct {
        const char* function;
        const char* label;
    } failures[] = {
        {"ACAPI_IFC_GetIFCExportTranslatorsList", "(HostIfcExport::Export ACAPI_IFC_GetIFCExportTranslatorsList)"},
        {"ACAPI_ProjectOperation_Project", "(HostIfcExport ACAPI_ProjectOperation_Project)"},
        {"ACAPI_ProjectSettings_GetSpecFolder", "(HostIfcExport::Export ACAPI_ProjectSettings_GetSpecFolder)"},
        {"ACAPI_ProjectOperation_Save", "(HostIfcExport::Export ACAPI_ProjectOperation_Save)"},
    };
    for (const auto& failure : failures) {
        host->GetTranscript().Clear();
        const size_t debugBefore = host->DebugText().size();
        host->GetFaults().FailNext(failure.function, APIERR_GENERAL);
        EXPECT_EQ(Export(Url(server)), Failure) << failure.function;
        EXPECT_NE(host->DebugText().find(failure.label, debugBefore), std::string::npos) << failure.function;
        EXPECT_TRUE(Alerts().empty()) << failure.function;
    }
    // A save the host refuses (here: the export folder cannot be written) leaves no file to send.
    host->GetTranscript().Clear();
    fs::remove_all(ExportFolder());
    WriteFile(ExportFolder(), "a file where the folder should be");
    EXPECT_EQ(Export(Url(server)), Failure);
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_TRUE(Saves().empty());
}

TEST_F(IfcExport, AProjectNameCannotPlaceTheFileOutsideTheFolder)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    host->GetProject().info.name = "../../Plans/House: v2";
    EXPECT_EQ(Export(Url(server)), Success);
    EXPECT_TRUE(fs::is_regular_file(ExportFolder() + "/.._.._Plans_House_ v2.ifc"));
    EXPECT_FALSE(fs::exists(home + "/Plans"));
    ASSERT_EQ(server.Requests().size(), 1u);
}

TEST_F(IfcExport, WithoutAListTheUploadIsRefusedAfterTheExport)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    EXPECT_EQ(QRVTest::ReplyText(CallPage("export", QRVTest::JsNumber(7))), Failure);
    EXPECT_EQ(QRVTest::ReplyText(CallPage("export")), Failure);
    const auto alerts = Alerts();
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_EQ(alerts[0]["largeText"], "The upload was refused.");
    EXPECT_TRUE(server.Requests().empty());
}

// corvana-host trusts the test authority through CORVANA_CA_BUNDLE, as the module's upload does here.
class IfcExportThroughCorvanaHost : public ::testing::Test {
protected:
    struct Result {
        int status = -1;
        std::string out;
    };
    Result Run(const std::string& url)
    {
        const std::string home = folder.Path() + "/home";
        const std::string command = "'" + std::string(CORVANA_HOST_PATH) + "' --home '" + home + "' --project '" +
                                    House() + "' call export --array '" + url + "' '" + Parameters + "' >'" +
                                    folder.Path() + "/out.txt' 2>'" + folder.Path() + "/err.txt' </dev/null";
        const int raw = std::system(command.c_str());
        return Result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(folder.Path() + "/out.txt")};
    }
    std::string SavedFile() const { return folder.Path() + "/home/Documents/Corvana IFC/Sample House.ifc"; }

    ScratchFolder folder;
};

TEST_F(IfcExportThroughCorvanaHost, PostsTheSavedFileUnderTheMultipartHeaders)
{
    CaBundleSetting trust(true);
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    const Result result = Run("https://" + server.HostAndPort() + "/api/upload");
    EXPECT_EQ(result.status, 0) << ReadFile(folder.Path() + "/err.txt");
    EXPECT_EQ(result.out, std::string(Success) + "\n");

    ASSERT_EQ(server.Requests().size(), 1u);
    const std::string request = server.Requests()[0];
    const std::string content = ReadFile(SavedFile());
    ASSERT_NE(content.find("IFCPROJECT("), std::string::npos);
    EXPECT_EQ(request.substr(0, request.find("\r\n")), "POST /api/upload HTTP/1.1");
    EXPECT_EQ(HeaderValue(request, "User-Agent"), "Corvana Archicad Plugin");
    EXPECT_EQ(HeaderValue(request, "Authorization"), "Bearer T");
    EXPECT_EQ(HeaderValue(request, "Context"), "C");
    const std::string contentType = HeaderValue(request, "Content-Type");
    ASSERT_EQ(contentType.rfind("multipart/form-data; boundary=------", 0), 0u) << contentType;
    const std::string boundary = contentType.substr(std::string("multipart/form-data; boundary=").size());
    EXPECT_EQ(BodyOf(request), "--" + boundary +
                                   "\r\nContent-Disposition: form-data; name=\"file\"; filename=\"Sample House.ifc\"\r\n"
                                   "Content-Type: application/octet-stream\r\n\r\n" +
                                   content + "\r\n--" + boundary + "--\r\n");
}

TEST_F(IfcExportThroughCorvanaHost, AServerOutsideTheTrustedAuthoritiesGetsNothing)
{
    CaBundleSetting trust(false);
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    const Result result = Run("https://" + server.HostAndPort() + "/api/upload");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, std::string(Failure) + "\n");
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_TRUE(fs::is_regular_file(SavedFile()));  // the export itself was done
}

}  // namespace
