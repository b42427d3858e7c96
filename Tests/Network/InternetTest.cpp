#include "Network/NetworkTestSupport.hpp"

#include "Platform/Network.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace NetTest;

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

class Internet : public ::testing::Test {
protected:
    CaBundleSetting trust{true};
};

TEST_F(Internet, ReadsTheReplyAsItArrivesInPiecesNoLargerThanAsked)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"abc", "defgh"}, 0.3, {}});
    ASSERT_TRUE(server.Started());
    Exchange exchange("127.0.0.1", server.Port());
    ASSERT_TRUE(exchange.Send("X-Test: 1\r\n\r\n")) << Platform::GetLastError();
    EXPECT_EQ(exchange.ReadAll(4), (std::vector<std::string>{"abc", "defg", "h"}));
    EXPECT_EQ(Platform::GetLastError(), 0u);
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_NE(server.Requests()[0].find("\r\nX-Test: 1\r\n"), std::string::npos);
    EXPECT_NE(server.Requests()[0].find("\r\nUser-Agent: Test Agent\r\n"), std::string::npos);
}

TEST_F(Internet, VerifiesTheServersCertificate)
{
    LocalServer wrongName(LocalServer::TlsLocalhostOnly, Reply{200, {"x"}, 0, {}});
    ASSERT_TRUE(wrongName.Started());
    {
        Exchange exchange("127.0.0.1", wrongName.Port());
        EXPECT_FALSE(exchange.Send(""));
        EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInternetSecCertCnInvalid);
    }
    {
        Exchange exchange("localhost", wrongName.Port());  // the name it was made for
        EXPECT_TRUE(exchange.Send("")) << Platform::GetLastError();
    }
    CaBundleSetting distrust(false);
    Exchange exchange("localhost", wrongName.Port());
    EXPECT_FALSE(exchange.Send(""));
    EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInternetInvalidCa);
    EXPECT_FALSE(Platform::FormatErrorMessage(Platform::GetLastError()).empty());
    EXPECT_EQ(wrongName.Requests().size(), 1u);  // only the trusted exchange got through
}

TEST_F(Internet, RefusedConnectionLeavesItsErrorAndText)
{
    Exchange exchange("127.0.0.1", UnusedPort());
    EXPECT_FALSE(exchange.Send(""));
    EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInternetCannotConnect);
    EXPECT_EQ(Platform::FormatErrorMessage(Platform::GetLastError()),
              "A connection with the server could not be established.");
}

TEST_F(Internet, HeaderTextWithALoneLineBreakIsRefusedUnsent)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"x"}, 0, {}});
    ASSERT_TRUE(server.Started());
    for (const char* headers : {"A: 1\nInjected: yes\r\n", "A: 1\rInjected: yes\r\n"}) {
        Exchange exchange("127.0.0.1", server.Port());
        EXPECT_FALSE(exchange.Send(headers));
        EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInvalidParameter);
    }
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(Internet, WrongOrStaleHandlesAreRefusedNotUsed)
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
    EXPECT_TRUE(Platform::InternetCloseHandle(session));
    EXPECT_FALSE(Platform::InternetCloseHandle(session));
    EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInvalidHandle);
    EXPECT_EQ(Platform::InternetConnect(session, "127.0.0.1", 443), nullptr);
}

}  // namespace
