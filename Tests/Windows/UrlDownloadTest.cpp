#include "WindowsTestSupport.hpp"

#include "Platform/Network.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using namespace WinTest;

// A file address as a user would write one: file:///C:/folder/name.
std::string FileUrl(const std::string& path)
{
    std::string url = "file:///" + path;
    for (char& c : url)
        if (c == '\\')
            c = '/';
    return url;
}

class UrlDownload : public ::testing::Test {
protected:
    std::string Target() const { return folder.Path() + "\\installer.bin"; }

    ScratchFolder folder;
};

TEST_F(UrlDownload, CopiesALocalFileByteForByte)
{
    ScratchFolder sources;
    const std::string source = sources.Path() + "\\source.bin";
    const std::string content("MZ\0\x01\xff text", 11);
    WriteFile(source, content);
    WriteFile(Target(), "older content that must be replaced");
    std::string error;
    ASSERT_TRUE(Platform::DownloadUrlToFile(FileUrl(source).c_str(), Target().c_str(), &error)) << error;
    EXPECT_EQ(ReadFile(Target()), content);
    EXPECT_EQ(folder.Content(), std::vector<std::string>{"installer.bin"});
    EXPECT_EQ(Platform::GetLastError(), 0u);
}

TEST_F(UrlDownload, FetchesOverHttpAndHttpsFromTheLocalServer)
{
    for (auto security : {LocalServer::Plain, LocalServer::Tls}) {
        LocalServer server(security, Reply{200, {"first part,", "second part"}, 0.05, {}});
        ASSERT_TRUE(server.Started());
        const std::string url = security == LocalServer::Plain ? "http://" + server.HostAndPort() + "/files/setup.exe"
                                                               : "https://" + server.NameAndPort() + "/files/setup.exe";
        std::string error;
        ASSERT_TRUE(Platform::DownloadUrlToFile(url.c_str(), Target().c_str(), &error)) << url << ": " << error;
        EXPECT_EQ(ReadFile(Target()), "first part,second part") << url;
        ASSERT_EQ(server.Requests().size(), 1u) << url;
        EXPECT_EQ(server.Requests()[0].rfind("GET /files/setup.exe HTTP/1.1\r\n", 0), 0u) << server.Requests()[0];
        EXPECT_EQ(folder.Content(), std::vector<std::string>{"installer.bin"}) << url;
    }
}

TEST_F(UrlDownload, TheDestinationKeepsEveryCharacterOfItsName)
{
    LocalServer server(LocalServer::Plain, Reply{200, {"library part"}, 0, {}});
    ASSERT_TRUE(server.Started());
    const std::string name = "T\xC3\xBC" "r \xE2\x9C\x93 \xF0\x9F\x9A\xAA.gsm";  // "Tür ✓ 🚪.gsm"
    const std::string target = folder.Path() + "/" + name;                           // as the module joins it
    std::string error;
    ASSERT_TRUE(Platform::DownloadUrlToFile(("http://" + server.HostAndPort() + "/door.gsm").c_str(),
                                            GS::UniString(target.c_str(), CC_UTF8), &error))
        << error;
    EXPECT_EQ(folder.Content(), std::vector<std::string>{name});
    EXPECT_EQ(ReadFile(folder.Path() + "\\" + name), "library part");
}

TEST_F(UrlDownload, FailsWithoutLeavingAFile)
{
    LocalServer missing(LocalServer::Plain, Reply{404, {"not here"}, 0, {}});
    LocalServer refusing(LocalServer::Plain, Reply{401, {"who are you"}, 0, {}});
    LocalServer redirectToDisk(LocalServer::Plain, Reply{302, {}, 0, {{"Location", "file:///C:/windows/win.ini"}}});
    ASSERT_TRUE(missing.Started() && refusing.Started() && redirectToDisk.Started());
    // Each address with what its error must name, where there is one thing to name.
    const std::vector<std::pair<std::string, std::string>> failing = {
        {"http://" + missing.HostAndPort() + "/setup.exe", "404"},  // an error status is no download
        {"http://" + refusing.HostAndPort() + "/setup.exe", "401"},
        {"http://" + redirectToDisk.HostAndPort() + "/setup.exe", "302"},  // a web server cannot send us to the disk
        {FileUrl(folder.Path() + "\\no-such-file"), ""},
        {"ftp://127.0.0.1/setup.exe", ""},
        {"", ""},
        {"http://127.0.0.1:" + std::to_string(UnusedPort()) + "/setup.exe", ""},
    };
    for (const auto& [url, named] : failing) {
        std::string error;
        EXPECT_FALSE(Platform::DownloadUrlToFile(url.c_str(), Target().c_str(), &error)) << url;
        EXPECT_FALSE(error.empty()) << url;
        EXPECT_NE(error.find(named), std::string::npos) << url << ": " << error;
        EXPECT_NE(Platform::GetLastError(), 0u) << url;
        EXPECT_TRUE(folder.Content().empty()) << url;
    }
    EXPECT_FALSE(Platform::DownloadUrlToFile("http://127.0.0.1/x", ""));
    EXPECT_TRUE(folder.Content().empty());
}

TEST_F(UrlDownload, AServerOutsideTheTrustedAuthoritiesGetsNoRequest)
{
    LocalServer stranger(LocalServer::TlsStranger, Reply{200, {"secret"}, 0, {}});
    ASSERT_TRUE(stranger.Started());
    std::string error;
    EXPECT_FALSE(Platform::DownloadUrlToFile(("https://" + stranger.NameAndPort() + "/a").c_str(), Target().c_str(), &error));
    EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInternetInvalidCa) << error;
    EXPECT_TRUE(folder.Content().empty());
    EXPECT_TRUE(stranger.Requests().empty());
}

}  // namespace
