#include "Network/NetworkTestSupport.hpp"
#include "Support/ModuleFixture.hpp"

#include "Ifc/IfcTransfer.hpp"
#include "Ifc/IfcUploader.hpp"
#include "Ifc/UploadArguments.hpp"

#include "Platform/Network.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>

namespace {

using namespace NetTest;

constexpr const char* Parameters = "{\"token\":\"tok-123\",\"context\":\"project-9\",\"contentType\":\"multipart/form-data\"}";

std::tm TimeAt(int second)
{
    std::tm time{};
    time.tm_year = 2024 - 1900;
    time.tm_mon = 2;  // March
    time.tm_mday = 5;
    time.tm_hour = 7;
    time.tm_min = 8;
    time.tm_sec = second;
    return time;
}

// The boundary the server must see for 2024-03-05 07:08:SS: the host's hash of the time text as a
// signed 32-bit number.
std::string ExpectedBoundary(const char* timeText)
{
    return "------" + std::to_string(static_cast<Int32>(GS::UniString(timeText).GenerateHashValue()));
}

class IfcUpload : public QRVTest::HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        ifcFile = folder.Path() + "/Tower.ifc";
        WriteFile(ifcFile, ifcContent);
    }

    bool Upload(const std::string& url, const std::string& parameters = Parameters, int second = 9)
    {
        const QRV::IfcUploader uploader([second] { return TimeAt(second); });
        return uploader.Upload({url.c_str(), parameters.c_str()}, ifcFile.c_str(), "Tower");
    }
    std::vector<nlohmann::ordered_json> Alerts() const { return host->GetTranscript().EventsOfKind("alert"); }
    std::string Url(const LocalServer& server) const { return "https://" + server.HostAndPort() + "/api/upload"; }

    ScratchFolder folder;
    CaBundleSetting trust{true};
    std::string ifcFile;
    const std::string ifcContent = std::string("ISO-10303-21;\nHEADER;\0after a zero byte\nEND-ISO-10303-21;\n", 58);
};

TEST_F(IfcUpload, SendsTheWholeMultipartRequest)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    ASSERT_TRUE(Upload(Url(server)));

    ASSERT_EQ(server.Requests().size(), 1u);
    const std::string request = server.Requests()[0];
    const size_t headEnd = request.find("\r\n\r\n");
    ASSERT_NE(headEnd, std::string::npos);
    const std::string head = request.substr(0, headEnd + 2);
    const std::string body = request.substr(headEnd + 4);
    const std::string boundary = ExpectedBoundary("2024-03-05 07:08:09");

    EXPECT_EQ(head.substr(0, head.find("\r\n")), "POST /api/upload HTTP/1.1");
    EXPECT_EQ(HeaderValue(head, "Host"), server.HostAndPort());
    EXPECT_EQ(HeaderValue(head, "User-Agent"), "Corvana Archicad Plugin");
    EXPECT_EQ(HeaderValue(head, "Authorization"), "Bearer tok-123");
    EXPECT_EQ(HeaderValue(head, "Context"), "project-9");
    EXPECT_EQ(HeaderValue(head, "Content-Type"), "multipart/form-data; boundary=" + boundary);
    EXPECT_EQ(HeaderValue(head, "Content-Length"), std::to_string(body.size()));
    EXPECT_EQ(std::count(head.begin(), head.end(), '\n'), 7) << head;  // request line and six headers

    // The file goes whole, the zero byte and what follows it included.
    const std::string expectedBody = "--" + boundary +
                                     "\r\nContent-Disposition: form-data; name=\"file\"; filename=\"Tower.ifc\"\r\n"
                                     "Content-Type: application/octet-stream\r\n\r\n" +
                                     ifcContent + "\r\n--" + boundary + "--\r\n";
    EXPECT_EQ(body, expectedBody);
}

TEST_F(IfcUpload, SucceedsOnlyOnTheExactSuccessReplyInOnePiece)
{
    struct Case {
        Reply reply;
        bool expected;
    } cases[] = {
        {Reply{200, {"{\"data\":\"Success\"}"}, 0, {}}, true},
        {Reply{200, {"{\"data\":\"Success\"}\n"}, 0, {}}, false},
        {Reply{200, {"{\"data\":", "\"Success\"}"}, 0.3, {}}, false},
        {Reply{401, {"{\"data\":\"Unauthorized\"}"}, 0, {}}, false},
    };
    for (const auto& each : cases) {
        host->GetTranscript().Clear();
        LocalServer server(LocalServer::Tls, each.reply);
        ASSERT_TRUE(server.Started());
        EXPECT_EQ(Upload(Url(server)), each.expected) << each.reply.pieces[0];
        // Every piece of the reply goes to the debug output; the user is told when it is over.
        std::string debug;
        for (const auto& line : host->GetTranscript().EventsOfKind("debug"))
            debug += line["text"].get<std::string>() + "\n";
        for (const auto& piece : each.reply.pieces)
            EXPECT_NE(debug.find(piece + "\n"), std::string::npos) << piece;
        const auto alerts = Alerts();
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_EQ(alerts[0]["type"], "information");
        EXPECT_EQ(alerts[0]["largeText"], "");
        EXPECT_EQ(alerts[0]["smallText"], "");
        EXPECT_EQ(alerts[0]["buttons"], nlohmann::ordered_json::array({"OK"}));
    }
}

TEST_F(IfcUpload, ReadsALongReplyInChunksOf1023Bytes)
{
    LocalServer server(LocalServer::Tls, Reply{200, {std::string(2500, 'r')}, 0, {}});
    ASSERT_TRUE(server.Started());
    EXPECT_FALSE(Upload(Url(server)));
    std::vector<size_t> lengths;
    for (const auto& line : host->GetTranscript().EventsOfKind("debug")) {
        const std::string text = line["text"];
        if (!text.empty() && text.find_first_not_of('r') == std::string::npos)
            lengths.push_back(text.size());
    }
    EXPECT_EQ(lengths, (std::vector<size_t>{1023, 1023, 454}));
}

// A server that keeps answering is cut off by the reply's own ceilings, whichever it reaches first, and
// the debug output holds only the reply's beginning.
TEST_F(IfcUpload, AnEndlessOrTricklingReplyIsCutOffAtItsCeilings)
{
    const QRV::IfcUploader::ReplyLimits saved = QRV::IfcUploader::GetReplyLimits();
    auto debugBytes = [this] {
        size_t bytes = 0;
        for (const auto& line : host->GetTranscript().EventsOfKind("debug"))
            bytes += line["text"].get<std::string>().size();
        return bytes;
    };
    auto secondsOf = [](auto call) {
        const auto start = std::chrono::steady_clock::now();
        call();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };

    // 8 MiB in pieces, far past the 64 KiB the reply may have.
    Reply flood{200, {}, 0, {}};
    for (int i = 0; i < 128; ++i)
        flood.pieces.push_back(std::string(64 * 1024, 'f'));
    LocalServer endless(LocalServer::Tls, flood);
    ASSERT_TRUE(endless.Started());
    host->GetTranscript().Clear();
    EXPECT_FALSE(Upload(Url(endless)));
    EXPECT_LT(debugBytes(), 6u * 1024u);
    auto alerts = Alerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]["smallText"], "The server's reply passed the limit of 65536 bytes.");

    // Two bytes a second pass the stalled-transfer guard; the reply's deadline ends them.
    QRV::IfcUploader::ReplyLimits brief = saved;
    brief.maxSeconds = 1;
    QRV::IfcUploader::SetReplyLimits(brief);
    Reply trickle{200, {}, 0.5, {}};
    for (int i = 0; i < 60; ++i)
        trickle.pieces.push_back("t");
    LocalServer slow(LocalServer::Tls, trickle);
    ASSERT_TRUE(slow.Started());
    host->GetTranscript().Clear();
    bool uploaded = true;
    const double seconds = secondsOf([&] { uploaded = Upload(Url(slow)); });
    QRV::IfcUploader::SetReplyLimits(saved);
    EXPECT_FALSE(uploaded);
    EXPECT_LT(seconds, 4.0);
    alerts = Alerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]["smallText"], "The server's reply passed the limit of 1 seconds.");
}

TEST_F(IfcUpload, ARefusedConnectionIsToldWithTheSystemsText)
{
    EXPECT_FALSE(Upload("https://127.0.0.1:" + std::to_string(UnusedPort()) + "/api/upload"));
    const auto alerts = Alerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]["largeText"], "");
    EXPECT_EQ(alerts[0]["smallText"], Platform::FormatErrorMessage(Platform::ErrorInternetCannotConnect));
    EXPECT_NE(alerts[0]["smallText"], "");
}

TEST(UploadFailureText, ATimeoutIsToldInTheAddOnsOwnWordsOtherErrorsInTheSystems)
{
    // The system has a text of its own for the time-out too; the user reads the one that names the error.
    ASSERT_NE(Platform::FormatErrorMessage(Platform::ErrorInternetTimeout), "");
    EXPECT_EQ(QRV::SendFailureText(Platform::ErrorInternetTimeout), "Server timeout!\nError 12002");
    EXPECT_EQ(QRV::SendFailureText(Platform::ErrorInternetCannotConnect),
              Platform::FormatErrorMessage(Platform::ErrorInternetCannotConnect));
    EXPECT_EQ(QRV::SendFailureText(Platform::ErrorSuccess), "");
}

TEST_F(IfcUpload, BoundaryDependsOnlyOnTheSecond)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    ASSERT_TRUE(Upload(Url(server), Parameters, 9));
    ASSERT_TRUE(Upload(Url(server), Parameters, 9));
    ASSERT_TRUE(Upload(Url(server), Parameters, 10));
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(HeaderValue(requests[0], "Content-Type"), HeaderValue(requests[1], "Content-Type"));
    EXPECT_EQ(HeaderValue(requests[2], "Content-Type"),
              "multipart/form-data; boundary=" + ExpectedBoundary("2024-03-05 07:08:10"));

    // With the real clock: two uploads within one second share the boundary.
    const QRV::IfcUploader uploader;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::time_t before = std::time(nullptr);
        ASSERT_TRUE(uploader.Upload({Url(server).c_str(), Parameters}, ifcFile.c_str(), "Tower"));
        ASSERT_TRUE(uploader.Upload({Url(server).c_str(), Parameters}, ifcFile.c_str(), "Tower"));
        if (std::time(nullptr) != before)
            continue;
        const auto all = server.Requests();
        EXPECT_EQ(HeaderValue(all[all.size() - 1], "Content-Type"), HeaderValue(all[all.size() - 2], "Content-Type"));
        return;
    }
    FAIL() << "no two uploads fell into one second";
}

TEST_F(IfcUpload, LineBreaksInHeaderValuesAreRefusedAndNothingIsSent)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    const std::string injected[] = {
        "{\"token\":\"tok\r\nX-Admin: 1\",\"context\":\"c\",\"contentType\":\"multipart/form-data\"}",
        "{\"token\":\"tok\",\"context\":\"c\nX-Admin: 1\",\"contentType\":\"multipart/form-data\"}",
        "{\"token\":\"tok\",\"context\":\"c\",\"contentType\":\"multipart/form-data\rX\"}",
    };
    for (const auto& parameters : injected) {
        host->GetTranscript().Clear();
        EXPECT_FALSE(Upload(Url(server), parameters));
        const auto alerts = Alerts();
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_EQ(alerts[0]["largeText"], "The upload was refused.");
        EXPECT_NE(alerts[0]["smallText"].get<std::string>().find("line break"), std::string::npos);
    }
    EXPECT_FALSE(Upload(Url(server) + "\r\nX-Admin: 1"));
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(IfcUpload, MalformedRequestsAreRefusedUnsent)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    const QRV::IfcUploader uploader([] { return TimeAt(0); });
    EXPECT_FALSE(uploader.Upload({Url(server).c_str()}, ifcFile.c_str(), "Tower"));
    EXPECT_FALSE(Upload(Url(server), "{\"token\":\"t\",\"context\":\"c\"}"));
    EXPECT_FALSE(Upload(Url(server), ""));
    EXPECT_FALSE(Upload("https://127.0.0.1:99999/api/upload"));
    EXPECT_FALSE(Upload("https:///api/upload"));
    const std::string longToken(2000, 't');
    EXPECT_FALSE(Upload(Url(server), "{\"token\":\"" + longToken + "\",\"context\":\"c\",\"contentType\":\"m\"}"));
    EXPECT_EQ(Alerts().size(), 6u);
    for (const auto& alert : Alerts())
        EXPECT_EQ(alert["largeText"], "The upload was refused.");

    // A file that cannot be read ends the upload before anything is sent.
    host->GetTranscript().Clear();
    EXPECT_FALSE(uploader.Upload({Url(server).c_str(), Parameters}, (folder.Path() + "/missing.ifc").c_str(), "Tower"));
    EXPECT_FALSE(uploader.Upload({Url(server).c_str(), Parameters}, folder.Path().c_str(), "Tower"));
    EXPECT_TRUE(Alerts().empty());
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(IfcUpload, EachRefusalSaysWhyAndAnHttpAddressIsRefusedForItsPort)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    const struct {
        std::string url;
        std::string parameters;
        const char* reason;
    } cases[] = {
        {"https:///api/upload", Parameters, "The upload address names no server."},
        {Url(server), "{\"token\":\"t\",\"context\":\"c\"}", "The upload parameters are incomplete."},
        // Only "https://" is taken off: "http:" is left as the host, and its ":" starts a port of no digits.
        {"http://" + server.HostAndPort() + "/api/upload", Parameters, "The upload address has an invalid port."},
        {"http://app.example.com/api/upload", Parameters, "The upload address has an invalid port."},
    };
    for (const auto& each : cases) {
        host->GetTranscript().Clear();
        EXPECT_FALSE(Upload(each.url, each.parameters)) << each.url;
        const auto alerts = Alerts();
        ASSERT_EQ(alerts.size(), 1u) << each.url;
        EXPECT_EQ(alerts[0]["largeText"], "The upload was refused.");
        EXPECT_EQ(alerts[0]["smallText"], each.reason) << each.url;
    }
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(IfcUpload, AnAddressWithoutSchemeIsUsedAsItIs)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    EXPECT_TRUE(Upload(server.HostAndPort() + "/api/v2/models?draft=1"));
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].rfind("POST /api/v2/models?draft=1 HTTP/1.1\r\n", 0), 0u);
}

TEST_F(IfcUpload, QuotesInTheProjectNameCannotBreakThePartHeader)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    const QRV::IfcUploader uploader([] { return TimeAt(0); });
    ASSERT_TRUE(uploader.Upload({Url(server).c_str(), Parameters}, ifcFile.c_str(), "The \"Tower\"\r\nX"));
    EXPECT_NE(server.Requests()[0].find("filename=\"The %22Tower%22%0D%0AX.ifc\"\r\n"), std::string::npos);
}

TEST(UploadArguments, AddressSplitsIntoHostPortAndPath)
{
    struct Case {
        const char* url;
        const char* host;
        UInt16 port;
        const char* path;
        bool valid;
    } cases[] = {
        {"https://app.example.com/api/upload", "app.example.com", 443, "/api/upload", true},
        {"app.example.com/api/upload", "app.example.com", 443, "/api/upload", true},
        {"https://127.0.0.1:8443/api/upload", "127.0.0.1", 8443, "/api/upload", true},
        {"https://app.example.com", "app.example.com", 443, "", true},
        {"https://a.example.com/https://b", "a.example.com", 443, "/b", true},  // every "https://" goes
        {"https://host:0/x", "host", 443, "/x", false},
        {"https://host:65536/x", "host", 443, "/x", false},
        {"https://host:44a/x", "host", 443, "/x", false},
    };
    for (const auto& each : cases) {
        const auto address = QRV::UploadAddress::FromUrl(each.url);
        EXPECT_EQ(address.host, each.host) << each.url;
        EXPECT_EQ(address.port, each.port) << each.url;
        EXPECT_EQ(address.path, each.path) << each.url;
        EXPECT_EQ(address.portValid, each.valid) << each.url;
    }
}

TEST(UploadArguments, ParametersAreReadByPosition)
{
    using Pieces = std::vector<std::string>;
    EXPECT_EQ(QRV::UploadParameters::DecodePieces(Parameters), (Pieces{"tok-123", "project-9", "multipart/form-data"}));
    // Names do not matter, order does; only the first ":" of a piece separates.
    EXPECT_EQ(QRV::UploadParameters::DecodePieces("{\"context\":\"c\",\"token\":\"t:1:2\",\"x\":\"y\"}"),
              (Pieces{"c", "t:1:2", "y"}));
    // A piece without ":" is kept whole; blanks are kept as they are.
    EXPECT_EQ(QRV::UploadParameters::DecodePieces("{abc,\"b\": \"v\"}"), (Pieces{"abc", " v"}));
    EXPECT_EQ(QRV::UploadParameters::DecodePieces(""), Pieces{""});
    EXPECT_EQ(QRV::UploadParameters::DecodePieces("{"), Pieces{""});

    const auto decoded = QRV::UploadParameters::Decode("[\"token\":\"t\",\"context\":\"c\",\"contentType\":\"m\",\"extra\":\"e\"]");
    EXPECT_TRUE(decoded.complete);
    EXPECT_EQ(decoded.token + "|" + decoded.context + "|" + decoded.contentType, "t|c|m");
    EXPECT_FALSE(QRV::UploadParameters::Decode("{\"token\":\"t\",\"context\":\"c\"}").complete);
}

class FakeExport : public QRV::IfcExportStep {
public:
    FakeExport(GSErrCode result, std::string location) : result_(result), location_(std::move(location)) {}
    GSErrCode Export(GS::UniString& fileLocation) override
    {
        fileLocation = location_.c_str();
        return result_;
    }
    GS::UniString ProjectName() override { return "Tower"; }

private:
    GSErrCode result_;
    std::string location_;
};

TEST_F(IfcUpload, UploadsOnlyAfterASuccessfulExport)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    const GS::Array<GS::UniString> arguments{Url(server).c_str(), Parameters};
    FakeExport stopped(QRV::IfcExportStep::StoppedByAlert, ifcFile);
    EXPECT_FALSE(QRV::ExportAndUploadIfc(arguments, stopped));
    EXPECT_TRUE(server.Requests().empty());
    FakeExport saved(NoError, ifcFile);
    EXPECT_TRUE(QRV::ExportAndUploadIfc(arguments, saved));
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_NE(server.Requests()[0].find(ifcContent), std::string::npos);
}

}  // namespace
