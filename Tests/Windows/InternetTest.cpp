#include "WindowsTestSupport.hpp"

#include "Platform/Network.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace WinTest;

// One request's handles, closed at the end of the test.
struct Exchange {
    Exchange(const std::string& host, UInt16 port, UInt32 flags = Platform::InternetFlagSecure)
    {
        session = Platform::InternetOpen("Test Agent");
        connection = Platform::InternetConnect(session, host.c_str(), port);
        request = Platform::HttpOpenRequest(connection, "POST", "/upload", flags);
    }
    ~Exchange()
    {
        for (auto handle : {request, connection, session})
            if (handle != nullptr)
                Platform::InternetCloseHandle(handle);
    }
    bool Send(const std::string& headers, const std::string& body = "body")
    {
        return Platform::HttpSendRequest(request, headers.c_str(), body.data(), static_cast<UInt32>(body.size()));
    }
    // Reads until the end, each read asking for `size` bytes; the reads' results in order.
    std::vector<std::string> ReadAll(UInt32 size)
    {
        std::vector<std::string> reads;
        std::string buffer(size, '\0');
        UInt32 read = 0;
        while (Platform::InternetReadFile(request, buffer.data(), size, &read) && read > 0)
            reads.push_back(buffer.substr(0, read));
        return reads;
    }

    Platform::InternetHandle session = nullptr;
    Platform::InternetHandle connection = nullptr;
    Platform::InternetHandle request = nullptr;
};

TEST(Internet, ReadsTheReplyAsItArrivesInPiecesNoLargerThanAsked)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"abc", "defgh"}, 0.3, {}});
    ASSERT_TRUE(server.Started());
    Exchange exchange("localhost", server.Port());
    ASSERT_TRUE(exchange.Send("X-Test: 1\r\n\r\n")) << Platform::GetLastError();
    EXPECT_EQ(exchange.ReadAll(4), (std::vector<std::string>{"abc", "defg", "h"}));
    EXPECT_EQ(Platform::GetLastError(), 0u);
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_NE(server.Requests()[0].find("\r\nX-Test: 1\r\n"), std::string::npos);
    EXPECT_NE(server.Requests()[0].find("\r\nUser-Agent: Test Agent\r\n"), std::string::npos);
}

TEST(Internet, WithoutTheSecureFlagTheRequestGoesInPlainText)
{
    LocalServer server(LocalServer::Plain, Reply{200, {"plain"}, 0, {}});
    ASSERT_TRUE(server.Started());
    Exchange exchange("127.0.0.1", server.Port(), 0);
    ASSERT_TRUE(exchange.Send("")) << Platform::GetLastError();
    EXPECT_EQ(exchange.ReadAll(100), std::vector<std::string>{"plain"});
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].rfind("POST /upload HTTP/1.1\r\n", 0), 0u);
}

TEST(Internet, VerifiesTheServersCertificate)
{
    LocalServer wrongName(LocalServer::TlsLocalhostOnly, Reply{200, {"x"}, 0, {}});
    LocalServer stranger(LocalServer::TlsStranger, Reply{200, {"x"}, 0, {}});
    ASSERT_TRUE(wrongName.Started() && stranger.Started());
    {
        Exchange exchange("127.0.0.1", wrongName.Port());
        EXPECT_FALSE(exchange.Send(""));
        EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInternetSecCertCnInvalid);
    }
    {
        Exchange exchange("localhost", wrongName.Port());  // the name it was made for
        EXPECT_TRUE(exchange.Send("")) << Platform::GetLastError();
    }
    {
        Exchange exchange("localhost", stranger.Port());
        EXPECT_FALSE(exchange.Send(""));
        EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInternetInvalidCa);
        EXPECT_FALSE(Platform::FormatErrorMessage(Platform::GetLastError()).empty());
    }
    EXPECT_EQ(wrongName.Requests().size(), 1u);  // only the trusted exchange got through
    EXPECT_TRUE(stranger.Requests().empty());
}

TEST(Internet, NoFlagOfTheCallerSwitchesCertificateChecksOff)
{
    LocalServer wrongName(LocalServer::TlsLocalhostOnly, Reply{200, {"x"}, 0, {}});
    LocalServer stranger(LocalServer::TlsStranger, Reply{200, {"x"}, 0, {}});
    ASSERT_TRUE(wrongName.Started() && stranger.Started());
    // WinINet's own flags that would ignore a wrong name, a wrong date or a redirect to plain HTTP.
    const UInt32 ignoring = Platform::InternetFlagSecure | 0x00001000u | 0x00002000u | 0x00008000u;
    {
        Exchange exchange("127.0.0.1", wrongName.Port(), ignoring);
        EXPECT_FALSE(exchange.Send(""));
        EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInternetSecCertCnInvalid);
    }
    Exchange exchange("localhost", stranger.Port(), ignoring);
    EXPECT_FALSE(exchange.Send(""));
    EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInternetInvalidCa);
    EXPECT_TRUE(wrongName.Requests().empty());
    EXPECT_TRUE(stranger.Requests().empty());
}

TEST(Internet, RefusedConnectionLeavesItsErrorAndTheSystemsText)
{
    Exchange exchange("127.0.0.1", UnusedPort());
    EXPECT_FALSE(exchange.Send(""));
    EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInternetCannotConnect);
    const std::string text = Platform::FormatErrorMessage(Platform::GetLastError());
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;  // one line, as an alert shows it
    EXPECT_EQ(Platform::FormatErrorMessage(0), "");
}

TEST(Internet, HeaderTextWithALoneLineBreakIsRefusedUnsent)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"x"}, 0, {}});
    ASSERT_TRUE(server.Started());
    for (const char* headers : {"A: 1\nInjected: yes\r\n", "A: 1\rInjected: yes\r\n"}) {
        Exchange exchange("localhost", server.Port());
        EXPECT_FALSE(exchange.Send(headers));
        EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInvalidParameter);
    }
    EXPECT_TRUE(server.Requests().empty());
}

TEST(Internet, APathWithBlanksAndLineBreaksGoesEscaped)
{
    LocalServer server(LocalServer::Plain, Reply{200, {"x"}, 0, {}});
    ASSERT_TRUE(server.Started());
    Platform::InternetHandle session = Platform::InternetOpen("Agent");
    Platform::InternetHandle connection = Platform::InternetConnect(session, "127.0.0.1", server.Port());
    Platform::InternetHandle request =
        Platform::HttpOpenRequest(connection, "POST", GS::UniString("/a b\r\nX-Admin: 1/\xC3\xBC", CC_UTF8), 0);
    ASSERT_NE(request, nullptr);
    EXPECT_TRUE(Platform::HttpSendRequest(request, "", nullptr, 0)) << Platform::GetLastError();
    for (auto handle : {request, connection, session})
        EXPECT_TRUE(Platform::InternetCloseHandle(handle));
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].rfind("POST /a%20b%0D%0AX-Admin:%201/%C3%BC HTTP/1.1\r\n", 0), 0u)
        << server.Requests()[0];
    EXPECT_EQ(Platform::HttpOpenRequest(nullptr, "POST", "/", 0), nullptr);
}

TEST(Internet, WrongOrStaleHandlesAreRefusedNotUsed)
{
    Platform::InternetHandle session = Platform::InternetOpen("Agent");
    ASSERT_NE(session, nullptr);
    UInt32 read = 7;
    char buffer[8];
    EXPECT_FALSE(Platform::InternetReadFile(session, buffer, sizeof buffer, &read));
    EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInternetIncorrectHandleType);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(Platform::InternetConnect(session, "", 443), nullptr);
    EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInternetInvalidUrl);
    EXPECT_EQ(Platform::InternetConnect(session, "host/path", 443), nullptr);
    EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInternetInvalidUrl);
    EXPECT_TRUE(Platform::InternetCloseHandle(session));
    EXPECT_FALSE(Platform::InternetCloseHandle(session));
    EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInvalidHandle);
    EXPECT_EQ(Platform::InternetConnect(session, "127.0.0.1", 443), nullptr);
    EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInvalidHandle);
}

TEST(Internet, ARequestIsSentOnceAndReadOnlyAfterItWasSent)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"once"}, 0, {}});
    ASSERT_TRUE(server.Started());
    Exchange exchange("localhost", server.Port());
    UInt32 read = 0;
    char buffer[8];
    EXPECT_FALSE(Platform::InternetReadFile(exchange.request, buffer, sizeof buffer, &read));
    EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInternetIncorrectHandleState);
    EXPECT_FALSE(Platform::HttpSendRequest(exchange.request, "", nullptr, 5));
    EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInvalidParameter);
    ASSERT_TRUE(exchange.Send(""));
    EXPECT_FALSE(exchange.Send(""));
    EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInternetIncorrectHandleState);
    EXPECT_EQ(exchange.ReadAll(8), std::vector<std::string>{"once"});
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(Internet, ASessionClosedFirstStaysUsableUnderItsRequest)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"still there"}, 0, {}});
    ASSERT_TRUE(server.Started());
    Exchange exchange("localhost", server.Port());
    ASSERT_NE(exchange.request, nullptr);
    EXPECT_TRUE(Platform::InternetCloseHandle(exchange.session));
    EXPECT_TRUE(Platform::InternetCloseHandle(exchange.connection));
    exchange.session = exchange.connection = nullptr;
    ASSERT_TRUE(exchange.Send("")) << Platform::GetLastError();
    EXPECT_EQ(exchange.ReadAll(64), std::vector<std::string>{"still there"});
}

}  // namespace
