// Downloads that would hold the host: stopped by the caller's check, by the user's cancel in the process
// window, by the shared ceilings of a bulk run, and kernel files that wait for data. Each ends within
// seconds and leaves no file behind.
#include "Network/NetworkTestSupport.hpp"
#include "Library/LibraryFixture.hpp"

#include "Import/ImportManager.hpp"
#include "Parsing/Items/CorvanaLibraryPart.hpp"
#include "Parsing/PayloadReading.hpp"
#include "Platform/Network.hpp"
#include "ProjectWriter/ACLink.hpp"
#include "ProjectWriter/DownloadBudget.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace NetTest;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Sends one byte, then nothing for a long while: no ceiling of a single download would end it soon.
Reply Stalling()
{
    return Reply{200, {"s", "rest of the file"}, 30.0, {}};
}

// Two bytes a second, for 20 seconds.
Reply Trickling()
{
    Reply trickle{200, {}, 0.5, {}};
    for (int i = 0; i < 40; ++i)
        trickle.pieces.push_back("t");
    return trickle;
}

TEST(DownloadStop, TheStopCheckEndsADownloadInProgressWithinASecond)
{
    ScratchFolder folder;
    const std::string target = folder.Path() + "/part.gsm";
    for (const Reply& reply : {Stalling(), Trickling()}) {
        LocalServer server(LocalServer::Plain, reply);
        ASSERT_TRUE(server.Started());
        Platform::DownloadRules rules;
        const Clock::time_point start = Clock::now();
        rules.stopRequested = [start] { return SecondsSince(start) > 0.5; };
        std::string error;
        EXPECT_FALSE(Platform::DownloadUrlToFile(("http://" + server.HostAndPort() + "/part.gsm").c_str(),
                                                 target.c_str(), rules, &error));
        EXPECT_EQ(error, Platform::DownloadStoppedText);
        EXPECT_LT(SecondsSince(start), 2.0);
        EXPECT_TRUE(fs::is_empty(folder.Path()));
    }

    // A local file is read under the same check.
    ScratchFolder sources{"corvana-net-sources"};
    WriteFile(sources.Path() + "/big.gsm", std::string(256 * 1024, 'b'));
    Platform::DownloadRules stopped;
    stopped.stopRequested = [] { return true; };
    std::string error;
    EXPECT_FALSE(Platform::DownloadUrlToFile(("file://" + sources.Path() + "/big.gsm").c_str(), target.c_str(), stopped,
                                             &error));
    EXPECT_EQ(error, Platform::DownloadStoppedText);
    EXPECT_TRUE(fs::is_empty(folder.Path()));
}

// /proc/kmsg passes for a regular file, and a read of it waits for the next kernel message. Only root may
// open it; elsewhere there is nothing of it to test.
TEST(DownloadStop, AKernelFileThatWaitsForDataIsRefusedAtOnce)
{
    const int probe = ::open("/proc/kmsg", O_RDONLY | O_NONBLOCK);
    if (probe < 0)
        GTEST_SKIP() << "/proc/kmsg cannot be opened here";
    ::close(probe);
    ScratchFolder folder;
    Platform::DownloadRules rules;
    rules.maxSeconds = 2;
    const Clock::time_point start = Clock::now();
    std::string error;
    EXPECT_FALSE(Platform::DownloadUrlToFile("file:///proc/kmsg", (folder.Path() + "/kmsg.gsm").c_str(), rules, &error));
    EXPECT_EQ(error, "the file address names a file that is not read without waiting");
    EXPECT_LT(SecondsSince(start), 3.0);
    EXPECT_TRUE(fs::is_empty(folder.Path()));
}

class LibraryDownloadStop : public LibraryTest::LibraryFixture {
protected:
    void SetUp() override
    {
        LibraryFixture::SetUp();
        saved = QRV::DownloadBudget::GetCeilings();
        QRV::DownloadBudget::Ceilings quick = saved;
        quick.windowAfterMilliseconds = 200;
        QRV::DownloadBudget::SetCeilings(quick);
        std::ofstream("log.txt", std::ios::trunc);
    }
    void TearDown() override
    {
        QRV::DownloadBudget::SetCeilings(saved);
        LibraryFixture::TearDown();
    }
    static std::string Log()
    {
        std::ifstream in("log.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // The files the downloads left in the host's temporary folder.
    size_t FilesInTemp() const
    {
        std::error_code ec;
        size_t count = 0;
        for (fs::directory_iterator it(Temp(), ec), end; !ec && it != end; it.increment(ec))
            ++count;
        return count;
    }

    QRV::DownloadBudget::Ceilings saved;
};

TEST_F(LibraryDownloadStop, TheProcessWindowsCancelEndsADownloadInProgress)
{
    LocalServer server(LocalServer::Plain, Stalling());
    ASSERT_TRUE(server.Started());
    host->SetCancelProcessAt(1);
    QRV::CorvanaLibraryPart part;
    part.SetFileName("Chair.gsm");
    part.SetFileUrl(GS::UniString(("http://" + server.HostAndPort() + "/Chair.gsm").c_str()));
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(QRV::ACLink().ImportLibraryPart(part));
    EXPECT_LT(SecondsSince(start), 2.5);
    EXPECT_EQ(host->GetTranscript().EventsOfKind("process").front()["event"], "open");
    bool canceled = false;
    for (const auto& event : host->GetTranscript().EventsOfKind("process"))
        canceled = canceled || event["event"] == "canceled";
    EXPECT_TRUE(canceled);
    EXPECT_EQ(host->GetTranscript().EventsOfKind("process").back()["event"], "close");
    EXPECT_NE(Log().find("failed: the download was stopped"), std::string::npos) << Log();
    EXPECT_EQ(FilesInTemp(), 0u);
    EXPECT_TRUE(Libraries().parts.empty());
}

TEST_F(LibraryDownloadStop, ABulkRunsDownloadsShareOneDeadline)
{
    QRV::DownloadBudget::Ceilings brief = QRV::DownloadBudget::GetCeilings();
    brief.maxSeconds = 2;
    QRV::DownloadBudget::SetCeilings(brief);
    LocalServer stalling(LocalServer::Plain, Stalling());
    LocalServer trickling(LocalServer::Plain, Trickling());
    ASSERT_TRUE(stalling.Started() && trickling.Started());
    nlohmann::json list = nlohmann::json::array();
    for (int i = 0; i < 4; ++i) {
        const std::string server = (i % 2 == 0 ? stalling : trickling).HostAndPort();
        nlohmann::json product =
            nlohmann::json::parse(ProductPayload("Part" + std::to_string(i), "http://" + server + "/part.gsm"))["data"];
        product["id"] = i;
        list.push_back(product);
    }
    const Clock::time_point start = Clock::now();
    const QRV::Json statuses = QRV::ImportManager::BulkImportNonSystem(QRV::Payload::Parse(GS::UniString(list.dump().c_str())));
    EXPECT_LT(SecondsSince(start), 5.0);
    ASSERT_EQ(statuses.size(), 4u);
    for (const auto& status : statuses)
        EXPECT_EQ(status["status"], "undefined") << status.dump();  // a library part's status in a bulk run
    EXPECT_NE(Log().find("failed: the downloads of this bulk import passed their shared limit of 2 seconds"),
              std::string::npos)
        << Log();
    EXPECT_EQ(FilesInTemp(), 0u);
    EXPECT_TRUE(Libraries().parts.empty());

    // The next run has its own budget again.
    const std::string address = Serve("Stool.gsm");
    nlohmann::json one = nlohmann::json::array({nlohmann::json::parse(ProductPayload("Stool", address))["data"]});
    const QRV::Json again = QRV::ImportManager::BulkImportNonSystem(QRV::Payload::Parse(GS::UniString(one.dump().c_str())));
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(Libraries().parts.size(), 1u) << Log();
}

TEST_F(LibraryDownloadStop, ABulkRunsDownloadsShareOneByteCeiling)
{
    QRV::DownloadBudget::Ceilings small = QRV::DownloadBudget::GetCeilings();
    small.maxBytes = 3000;
    QRV::DownloadBudget::SetCeilings(small);
    nlohmann::json list = nlohmann::json::array();
    for (int i = 0; i < 3; ++i)
        list.push_back(nlohmann::json::parse(
            ProductPayload("Part" + std::to_string(i), Serve("Part" + std::to_string(i) + ".gsm", std::string(1400, 'p'))))["data"]);
    const QRV::Json statuses = QRV::ImportManager::BulkImportNonSystem(QRV::Payload::Parse(GS::UniString(list.dump().c_str())));
    ASSERT_EQ(statuses.size(), 3u);
    // The first two fit (2,800 bytes), the third finds 200 bytes left.
    EXPECT_EQ(Libraries().parts.size(), 2u) << Log();
    EXPECT_NE(Log().find("the download is larger than the limit of 200 bytes"), std::string::npos) << Log();
    EXPECT_EQ(FilesInTemp(), 0u);
}

}  // namespace
