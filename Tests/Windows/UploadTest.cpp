// The upload as the module makes it (its own request texts, from Sources/Ifc), sent through the
// Windows layer: the request the server receives, byte by byte, and the reply rule, which depends on
// how the layer hands out the reply.
#include "WindowsTestSupport.hpp"

#include "Ifc/IfcUploader.hpp"
#include "Ifc/MultipartUpload.hpp"
#include "Platform/Network.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

namespace {

using namespace WinTest;

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
    return "------" + std::to_string(static_cast<Int32>(GS::UniString(timeText, CC_UTF8).GenerateHashValue()));
}

struct Outcome {
    bool sent = false;
    bool success = false;
    std::vector<std::string> chunks;
    UInt32 error = 0;  // the last error once the reply was read (or the send failed), as the module takes it
};

// The module's exchange: session, connection, secure POST, then the reply read in chunks of its size,
// success only when one chunk is the success reply.
Outcome Upload(const std::string& host, UInt16 port, const std::string& headers, const std::string& body)
{
    Outcome outcome;
    Platform::InternetHandle session = Platform::InternetOpen(QRV::IfcUploader::UserAgent);
    Platform::InternetHandle connection = Platform::InternetConnect(session, host.c_str(), port);
    Platform::InternetHandle request =
        Platform::HttpOpenRequest(connection, "POST", "/api/upload", Platform::InternetFlagSecure);
    outcome.sent = request != nullptr && Platform::HttpSendRequest(request, headers.c_str(), body.data(),
                                                                   static_cast<UInt32>(body.size()));
    if (outcome.sent) {
        char buffer[QRV::IfcUploader::ReadChunkSize + 1];
        UInt32 read = 0;
        while (Platform::InternetReadFile(request, buffer, QRV::IfcUploader::ReadChunkSize, &read) && read > 0) {
            outcome.chunks.emplace_back(buffer, read);
            if (outcome.chunks.back() == QRV::IfcUploader::SuccessReply)
                outcome.success = true;
        }
    }
    outcome.error = Platform::GetLastError();
    for (auto handle : {request, connection, session})
        if (handle != nullptr)
            Platform::InternetCloseHandle(handle);
    return outcome;
}

std::string Headers(const std::string& boundary)
{
    return *QRV::UploadRequestHeaders("tok-123", "project-9", "multipart/form-data", boundary);
}

TEST(Upload, SendsTheWholeMultipartRequest)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"{\"data\":\"Success\"}"}, 0, {}});
    ASSERT_TRUE(server.Started());
    const std::string content("ISO-10303-21;\nHEADER;\0after a zero byte\nEND-ISO-10303-21;\n", 58);
    const std::string boundary = QRV::UploadBoundary(TimeAt(9));
    ASSERT_EQ(boundary, ExpectedBoundary("2024-03-05 07:08:09"));
    const Outcome outcome =
        Upload("localhost", server.Port(), Headers(boundary), QRV::UploadBody(boundary, "Tower.ifc", content));
    ASSERT_TRUE(outcome.sent) << Platform::GetLastError();
    EXPECT_TRUE(outcome.success);

    ASSERT_EQ(server.Requests().size(), 1u);
    const std::string request = server.Requests()[0];
    const size_t headEnd = request.find("\r\n\r\n");
    ASSERT_NE(headEnd, std::string::npos);
    const std::string head = request.substr(0, headEnd + 2);
    const std::string body = request.substr(headEnd + 4);

    EXPECT_EQ(head.substr(0, head.find("\r\n")), "POST /api/upload HTTP/1.1");
    EXPECT_EQ(HeaderValue(head, "Host"), server.NameAndPort());
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
                                     content + "\r\n--" + boundary + "--\r\n";
    EXPECT_EQ(body, expectedBody);
}

TEST(Upload, SucceedsOnlyOnTheExactSuccessReplyInOnePiece)
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
    const std::string boundary = QRV::UploadBoundary(TimeAt(9));
    for (const auto& each : cases) {
        LocalServer server(LocalServer::Tls, each.reply);
        ASSERT_TRUE(server.Started());
        const Outcome outcome =
            Upload("localhost", server.Port(), Headers(boundary), QRV::UploadBody(boundary, "Tower.ifc", "IFC"));
        ASSERT_TRUE(outcome.sent) << each.reply.pieces[0];
        EXPECT_EQ(outcome.success, each.expected) << each.reply.pieces[0];
        // Every piece arrives, each on its own.
        EXPECT_EQ(outcome.chunks, each.reply.pieces);
        EXPECT_EQ(outcome.error, 0u);  // the alert after the reply shows no error text
    }
}

TEST(Upload, ReadsALongReplyInChunksOf1023Bytes)
{
    LocalServer server(LocalServer::Tls, Reply{200, {std::string(2500, 'r')}, 0, {}});
    ASSERT_TRUE(server.Started());
    const std::string boundary = QRV::UploadBoundary(TimeAt(9));
    const Outcome outcome =
        Upload("localhost", server.Port(), Headers(boundary), QRV::UploadBody(boundary, "Tower.ifc", "IFC"));
    ASSERT_TRUE(outcome.sent);
    EXPECT_FALSE(outcome.success);
    std::vector<size_t> lengths;
    for (const auto& chunk : outcome.chunks)
        lengths.push_back(chunk.size());
    EXPECT_EQ(lengths, (std::vector<size_t>{1023, 1023, 454}));
}

TEST(Upload, ARefusedConnectionIsToldWithTheSystemsText)
{
    const std::string boundary = QRV::UploadBoundary(TimeAt(9));
    const Outcome outcome = Upload("127.0.0.1", UnusedPort(), Headers(boundary), QRV::UploadBody(boundary, "T.ifc", ""));
    EXPECT_FALSE(outcome.sent);
    EXPECT_EQ(outcome.error, Platform::ErrorInternetCannotConnect);
    EXPECT_NE(Platform::FormatErrorMessage(outcome.error), "");
}

}  // namespace
