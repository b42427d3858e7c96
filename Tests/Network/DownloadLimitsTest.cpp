// What a download may do: where it may start and go, how large it may grow and how long it may take.
// Each failure ends quickly, says which rule it met, and leaves nothing in the target folder.
#include "Network/NetworkTestSupport.hpp"

#include "Platform/Network.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

namespace {

using namespace NetTest;
namespace fs = std::filesystem;

class DownloadLimits : public ::testing::Test {
protected:
    std::string Target() const { return folder.Path() + "/part.gsm"; }
    bool FolderIsEmpty() const { return fs::is_empty(folder.Path()); }
    // Downloads with `rules`; the failure's text, or "" on success. The time it took goes to `seconds`.
    std::string Failure(const std::string& url, const Platform::DownloadRules& rules, double* seconds = nullptr)
    {
        const auto start = std::chrono::steady_clock::now();
        std::string error;
        const bool ok = Platform::DownloadUrlToFile(url.c_str(), Target().c_str(), rules, &error);
        if (seconds != nullptr)
            *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return ok ? std::string() : (error.empty() ? "failed without a reason" : error);
    }

    ScratchFolder folder;
    ScratchFolder sources{"corvana-net-sources"};
    CaBundleSetting trust{true};
};

TEST_F(DownloadLimits, ABodyPastTheSizeCeilingIsStoppedAndRemoved)
{
    Platform::DownloadRules rules;
    rules.maxBytes = 1000;
    // Announced by the server: refused before a byte is written.
    LocalServer announced(LocalServer::Plain, Reply{200, {std::string(5000, 'x')}, 0, {}});
    ASSERT_TRUE(announced.Started());
    EXPECT_EQ(Failure("http://" + announced.HostAndPort() + "/big.gsm", rules),
              "the download is larger than the limit of 1000 bytes");
    EXPECT_TRUE(FolderIsEmpty());

    // Sent in chunks of no announced length: stopped once the bytes pass the ceiling.
    const std::string chunk = "258\r\n" + std::string(600, 'c') + "\r\n";  // 0x258 = 600 bytes
    LocalServer chunked(LocalServer::Plain,
                        Reply{200, {chunk, chunk, chunk, "0\r\n\r\n"}, 0.05, {{"Transfer-Encoding", "chunked"}}});
    ASSERT_TRUE(chunked.Started());
    EXPECT_EQ(Failure("http://" + chunked.HostAndPort() + "/big.gsm", rules),
              "the download is larger than the limit of 1000 bytes");
    EXPECT_TRUE(FolderIsEmpty());
    // The same chunks within the ceiling are a download, so the framing above is what the server sent.
    Platform::DownloadRules roomy;
    roomy.maxBytes = 1800;
    EXPECT_EQ(Failure("http://" + chunked.HostAndPort() + "/big.gsm", roomy), "");
    EXPECT_EQ(ReadFile(Target()), std::string(1800, 'c'));
    fs::remove(Target());

    const std::string local = sources.Path() + "/big.gsm";
    WriteFile(local, std::string(5000, 'y'));
    EXPECT_EQ(Failure("file://" + local, rules), "the download is larger than the limit of 1000 bytes");
    EXPECT_TRUE(FolderIsEmpty());

    // At the ceiling exactly it is still a download.
    WriteFile(local, std::string(1000, 'z'));
    EXPECT_EQ(Failure("file://" + local, rules), "");
    EXPECT_EQ(ReadFile(Target()), std::string(1000, 'z'));
}

TEST_F(DownloadLimits, ADeviceOrAFifoIsNoFileToDownload)
{
    // /dev/zero never ends; a FIFO would wait for a writer before any time limit could act.
    const std::string fifo = sources.Path() + "/pipe.gsm";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& url : {std::string("file:///dev/zero"), "file://" + fifo, "file://" + sources.Path()}) {
        double seconds = 0;
        EXPECT_EQ(Failure(url, Platform::DownloadRules(), &seconds), "the file address names no regular file") << url;
        EXPECT_LT(seconds, 2.0) << url;
        EXPECT_TRUE(FolderIsEmpty()) << url;
    }
}

TEST_F(DownloadLimits, ASlowServerIsCutOffAtTheDeadline)
{
    // Two bytes a second would pass any minimum-speed guard for a long time.
    Reply trickle{200, {}, 0.5, {}};
    for (int i = 0; i < 40; ++i)
        trickle.pieces.push_back("x");
    LocalServer slow(LocalServer::Plain, trickle);
    ASSERT_TRUE(slow.Started());
    Platform::DownloadRules rules;
    rules.maxSeconds = 2;
    double seconds = 0;
    EXPECT_EQ(Failure("http://" + slow.HostAndPort() + "/slow.gsm", rules, &seconds),
              "the download took longer than the limit of 2 seconds");
    EXPECT_GE(seconds, 1.9);
    EXPECT_LT(seconds, 5.0);
    EXPECT_TRUE(FolderIsEmpty());
}

TEST_F(DownloadLimits, TheDefaultCeilingsAreStated)
{
    const Platform::DownloadRules rules;
    EXPECT_EQ(rules.maxBytes, 512ull * 1024 * 1024);
    EXPECT_EQ(rules.maxSeconds, 600u);
    EXPECT_TRUE(rules.plainHttp && rules.localFiles);
    const Platform::DownloadRules secure = Platform::SecureWebOnly();
    EXPECT_FALSE(secure.plainHttp || secure.localFiles);
    EXPECT_EQ(secure.maxBytes, rules.maxBytes);
    EXPECT_EQ(secure.maxSeconds, rules.maxSeconds);
}

TEST_F(DownloadLimits, TheSecureRulesTakeOnlyHttpsAndAskNoOneElse)
{
    LocalServer plain(LocalServer::Plain, Reply{200, {"installer"}, 0, {}});
    ASSERT_TRUE(plain.Started());
    const std::string local = sources.Path() + "/setup.exe";
    WriteFile(local, "installer");
    EXPECT_EQ(Failure("http://" + plain.HostAndPort() + "/setup.exe", Platform::SecureWebOnly()),
              "only https addresses are downloaded");
    EXPECT_EQ(Failure("file://" + local, Platform::SecureWebOnly()), "only https addresses are downloaded");
    EXPECT_EQ(Failure("FILE://" + local, Platform::SecureWebOnly()), "only https addresses are downloaded");
    EXPECT_TRUE(plain.Requests().empty());
    EXPECT_TRUE(FolderIsEmpty());

    LocalServer tls(LocalServer::Tls, Reply{200, {"installer"}, 0, {}});
    ASSERT_TRUE(tls.Started());
    EXPECT_EQ(Failure("https://" + tls.HostAndPort() + "/setup.exe", Platform::SecureWebOnly()), "");
    EXPECT_EQ(ReadFile(Target()), "installer");
}

TEST_F(DownloadLimits, ADownloadBegunOverTlsIsNotRedirectedToPlainHttp)
{
    LocalServer plain(LocalServer::Plain, Reply{200, {"tampered"}, 0, {}});
    ASSERT_TRUE(plain.Started());
    LocalServer downgrade(LocalServer::Tls,
                          Reply{302, {}, 0, {{"Location", "http://" + plain.HostAndPort() + "/part.gsm"}}});
    ASSERT_TRUE(downgrade.Started());
    for (const Platform::DownloadRules& rules : {Platform::DownloadRules(), Platform::SecureWebOnly()}) {
        EXPECT_EQ(Failure("https://" + downgrade.HostAndPort() + "/part.gsm", rules),
                  "the server redirected the download to an address it may not go to (only https)");
        EXPECT_TRUE(FolderIsEmpty());
    }
    EXPECT_TRUE(plain.Requests().empty());

    // From http, a redirect to https is still followed.
    LocalServer tls(LocalServer::Tls, Reply{200, {"part"}, 0, {}});
    ASSERT_TRUE(tls.Started());
    LocalServer upgrade(LocalServer::Plain,
                        Reply{302, {}, 0, {{"Location", "https://" + tls.HostAndPort() + "/part.gsm"}}});
    ASSERT_TRUE(upgrade.Started());
    EXPECT_EQ(Failure("http://" + upgrade.HostAndPort() + "/part.gsm", Platform::DownloadRules()), "");
    EXPECT_EQ(ReadFile(Target()), "part");
}

}  // namespace
