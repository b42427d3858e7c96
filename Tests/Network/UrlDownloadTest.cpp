#include "Network/NetworkTestSupport.hpp"

#include "Platform/Network.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace NetTest;
namespace fs = std::filesystem;

class UrlDownload : public ::testing::Test {
protected:
    std::string Target() const { return folder.Path() + "/installer.bin"; }
    // Nothing but the target may be left in the folder, and only after a success.
    std::vector<std::string> FolderContent() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.Path()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    ScratchFolder folder;
    CaBundleSetting trust{true};
};

TEST_F(UrlDownload, CopiesALocalFileByteForByte)
{
    const std::string source = folder.Path() + "/source.bin";
    const std::string content("MZ\0\x01\xff text", 11);
    WriteFile(source, content);
    WriteFile(Target(), "older content that must be replaced");
    ASSERT_TRUE(Platform::DownloadUrlToFile(("file://" + source).c_str(), Target().c_str()));
    EXPECT_EQ(ReadFile(Target()), content);
}

TEST_F(UrlDownload, FetchesOverHttpAndHttpsFromTheLocalServer)
{
    for (auto security : {LocalServer::Plain, LocalServer::Tls}) {
        LocalServer server(security, Reply{200, {"first part,", "second part"}, 0.05, {}});
        ASSERT_TRUE(server.Started());
        const std::string scheme = security == LocalServer::Plain ? "http://" : "https://";
        const std::string url = scheme + server.HostAndPort() + "/files/setup.exe";
        std::string error;
        ASSERT_TRUE(Platform::DownloadUrlToFile(url.c_str(), Target().c_str(), &error)) << error;
        EXPECT_EQ(ReadFile(Target()), "first part,second part");
        ASSERT_EQ(server.Requests().size(), 1u);
        EXPECT_EQ(server.Requests()[0].rfind("GET /files/setup.exe HTTP/1.1\r\n", 0), 0u);
    }
}

TEST_F(UrlDownload, FailsWithoutLeavingAFile)
{
    LocalServer missing(LocalServer::Plain, Reply{404, {"not here"}, 0, {}});
    LocalServer redirectToDisk(LocalServer::Plain, Reply{302, {}, 0, {{"Location", "file:///etc/hostname"}}});
    LocalServer tls(LocalServer::Tls, Reply{200, {"secret"}, 0, {}});
    ASSERT_TRUE(missing.Started() && redirectToDisk.Started() && tls.Started());
    const std::vector<std::string> failing = {
        "http://" + missing.HostAndPort() + "/setup.exe",        // an error status is no download
        "http://" + redirectToDisk.HostAndPort() + "/setup.exe", // a web server cannot send us to the disk
        "file://" + folder.Path() + "/no-such-file",
        "ftp://127.0.0.1/setup.exe",
        "",
        "http://127.0.0.1:" + std::to_string(UnusedPort()) + "/setup.exe",
    };
    for (const auto& url : failing) {
        std::string error;
        EXPECT_FALSE(Platform::DownloadUrlToFile(url.c_str(), Target().c_str(), &error)) << url;
        EXPECT_FALSE(error.empty()) << url;
        EXPECT_TRUE(FolderContent().empty()) << url;
    }
    // Certificates are verified: without the test authority the local server is a stranger.
    CaBundleSetting distrust(false);
    EXPECT_FALSE(Platform::DownloadUrlToFile(("https://" + tls.HostAndPort() + "/a").c_str(), Target().c_str()));
    EXPECT_EQ(Platform::GetLastError(), Platform::ErrorInternetInvalidCa);
    EXPECT_TRUE(FolderContent().empty());
}

}  // namespace
