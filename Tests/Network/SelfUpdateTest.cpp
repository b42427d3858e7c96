#include "Network/NetworkTestSupport.hpp"
#include "Network/OwnHome.hpp"
#include "Support/InProcessModule.hpp"
#include "Support/ModuleFixture.hpp"
#include "Support/UiSupport.hpp"

#include "AddOn/SelfUpdate.hpp"
#include "SimUtf8.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

using namespace NetTest;
namespace fs = std::filesystem;

// The host's home has a blank in its name, so the updater's argument must stay one argument.
template <typename Fixture>
class UpdateFixture : public OwnHome<Fixture> {
protected:
    UpdateFixture() : OwnHome<Fixture>("home of user"), installer(this->folder.Path() + "/Corvana Setup 3.2.exe")
    {
        WriteFile(installer, "installer bytes");
    }
    std::string UpdaterPath() const { return this->home + "/Programs/Corvana/AC27/Hostwatch.exe"; }
    std::vector<nlohmann::ordered_json> MessageBoxes() const
    {
        return this->host->GetTranscript().EventsOfKind("messageBox");
    }
    // The installer is fetched over TLS only; its name keeps its blanks.
    std::string InstallerAddress() const
    {
        return "https://" + installerServer.HostAndPort() + "/files/Corvana Setup 3.2.exe";
    }

    const std::string installer;
    CaBundleSetting trust{true};
    LocalServer installerServer{LocalServer::Tls, Reply{200, {"installer bytes"}, 0, {}}};
};

// The job asks the host for its folder, so the module's code runs in this process with the host's table.
class SelfUpdate : public UpdateFixture<QRVTest::InProcessModuleFixture> {
protected:
    std::string DownloadFolder() const { return home + "/Documents/Corvana Add-on Update"; }
    // The updater writes its arguments, one per line, to a file beside it.
    std::string ArgumentsFile() const { return home + "/updater-arguments.txt"; }
    void InstallUpdater(bool executable = true) const
    {
        fs::create_directories(fs::path(UpdaterPath()).parent_path());
        WriteFile(UpdaterPath(), "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + ArgumentsFile() +
                                     ".tmp'\nmv '" + ArgumentsFile() + ".tmp' '" + ArgumentsFile() + "'\n");
        fs::permissions(UpdaterPath(), executable ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write);
    }
    std::string WaitForUpdaterArguments() const
    {
        for (int attempt = 0; attempt < 200 && !fs::exists(ArgumentsFile()); ++attempt)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        return ReadFile(ArgumentsFile());
    }
    bool Run(const std::string& address) const { return QRV::UpdaterJob(address.c_str()).Run(); }
};

TEST_F(SelfUpdate, StartsTheUpdaterWithTheQuotedInstallerPath)
{
    InstallUpdater();
    EXPECT_TRUE(Run(InstallerAddress()));
    const std::string downloaded = DownloadFolder() + "/Corvana Setup 3.2.exe";
    EXPECT_EQ(ReadFile(downloaded), "installer bytes");
    EXPECT_EQ(WaitForUpdaterArguments(), downloaded + "\n");
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(SelfUpdate, MissingUpdaterFailsSilentlyAndKeepsTheDownload)
{
    EXPECT_FALSE(Run(InstallerAddress()));
    fs::create_directories(UpdaterPath());  // a folder of that name is no updater either
    EXPECT_FALSE(Run(InstallerAddress()));
    EXPECT_TRUE(MessageBoxes().empty());
    EXPECT_TRUE(fs::exists(DownloadFolder() + "/Corvana Setup 3.2.exe"));
}

TEST_F(SelfUpdate, FailuresToDownloadOrStartAreShown)
{
    InstallUpdater(false);
    EXPECT_FALSE(Run("https://127.0.0.1:" + std::to_string(UnusedPort()) + "/gone.exe"));
    EXPECT_FALSE(Run(InstallerAddress()));
    const auto boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0]["text"], "Download failed!");
    EXPECT_EQ(boxes[0]["caption"], "Error");
    EXPECT_EQ(boxes[0]["buttons"], nlohmann::ordered_json::array({"OK"}));
    EXPECT_EQ(boxes[1]["text"], "ShellExecute failed!");
    EXPECT_EQ(boxes[1]["caption"], "Error");
}

TEST_F(SelfUpdate, FileNamesThatLeaveTheDownloadFolderAreRefusedUnfetched)
{
    InstallUpdater();
    LocalServer server(LocalServer::Plain, Reply{200, {"payload"}, 0, {}});
    ASSERT_TRUE(server.Started());
    const std::string base = "http://" + server.HostAndPort() + "/files/";
    const std::string hostile[] = {
        base + "..", base + ".", base, base + "..\\..\\Hostwatch.exe", base + "C:Hostwatch.exe",
        base + "setup\".exe", base + "set\nup.exe", base + "setup.exe?sig=1", "",
    };
    for (const auto& address : hostile)
        EXPECT_FALSE(Run(address)) << address;
    EXPECT_EQ(MessageBoxes().size(), std::size(hostile));
    for (const auto& box : MessageBoxes())
        EXPECT_EQ(box["text"], "Download failed!");
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_TRUE(fs::is_empty(DownloadFolder()));
    EXPECT_FALSE(fs::exists(ArgumentsFile()));
}

// The page's "selfUpdate" through the loaded module: the answer the page gets and what the user sees.
class SelfUpdateFromThePage : public UpdateFixture<QRVTest::UiFixture> {
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        ASSERT_EQ(Menu(32200, 1), NoError);
    }
    std::string Call(const std::string& address) { return QRVTest::ReplyText(CallPage("selfUpdate", QRVTest::JsText(address))); }
};

TEST_F(SelfUpdateFromThePage, AMissingUpdaterIsAnErrorWithoutAMessageBox)
{
    EXPECT_EQ(Call(InstallerAddress()), R"({"IsError":true,"ShowError":true})");
    EXPECT_TRUE(MessageBoxes().empty());
    EXPECT_TRUE(host->GetTranscript().EventsOfKind("alert").empty());
    EXPECT_EQ(ReadFile(home + "/Documents/Corvana Add-on Update/Corvana Setup 3.2.exe"), "installer bytes");
}

TEST_F(SelfUpdateFromThePage, APresentUpdaterGetsTheQuotedInstallerPath)
{
    const std::string argumentsFile = home + "/updater-arguments.txt";
    fs::create_directories(fs::path(UpdaterPath()).parent_path());
    WriteFile(UpdaterPath(), "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + argumentsFile +
                                 ".tmp'\nmv '" + argumentsFile + ".tmp' '" + argumentsFile + "'\n");
    fs::permissions(UpdaterPath(), fs::perms::owner_all);
    EXPECT_EQ(Call(InstallerAddress()), R"({"IsError":false,"ShowError":true})");
    for (int attempt = 0; attempt < 200 && !fs::exists(argumentsFile); ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    // One argument, blanks and all: the path reached the updater quoted.
    EXPECT_EQ(ReadFile(argumentsFile), home + "/Documents/Corvana Add-on Update/Corvana Setup 3.2.exe\n");
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(SelfUpdateFromThePage, TheDownloadFolderIsTheHostsSpecialFolderSix)
{
    host->GetFaults().ResetCounts();
    EXPECT_EQ(Call("file://" + installer), R"({"IsError":true,"ShowError":true})");
    EXPECT_GE(host->GetFaults().CallCount("ACAPI_ProjectSettings_GetSpecFolder"), 1);

    // Without that folder there is nowhere to download to: the platform's documents folder is not taken
    // instead.
    fs::remove_all(home + "/Documents/Corvana Add-on Update");
    host->GetTranscript().Clear();
    host->GetFaults().FailNext("ACAPI_ProjectSettings_GetSpecFolder", APIERR_GENERAL);
    EXPECT_EQ(Call("file://" + installer), R"({"IsError":true,"ShowError":true})");
    const auto boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]["text"], "Download failed!");
    EXPECT_FALSE(fs::exists(home + "/Documents/Corvana Add-on Update/Corvana Setup 3.2.exe"));
}

TEST_F(SelfUpdateFromThePage, AnInstallerNameLeavingTheDownloadFolderIsRefused)
{
    for (const std::string& address : {"file://" + folder.Path() + "/..", std::string("https://cdn.example/a/..%2F..\\x.exe")}) {
        host->GetTranscript().Clear();
        EXPECT_EQ(Call(address), R"({"IsError":true,"ShowError":true})") << address;
        const auto boxes = MessageBoxes();
        ASSERT_EQ(boxes.size(), 1u) << address;
        EXPECT_EQ(boxes[0]["text"], "Download failed!");
    }
    EXPECT_TRUE(fs::is_empty(home + "/Documents/Corvana Add-on Update"));
}

TEST_F(SelfUpdateFromThePage, AnInstallerOverPlainHttpOrFromALocalFileIsRefusedUnfetched)
{
    LocalServer plain(LocalServer::Plain, Reply{200, {"installer bytes"}, 0, {}});
    ASSERT_TRUE(plain.Started());
    const std::string addresses[] = {"http://" + plain.HostAndPort() + "/files/setup.exe", "file://" + installer,
                                     "HTTP://" + plain.HostAndPort() + "/files/setup.exe"};
    for (const std::string& address : addresses) {
        host->GetTranscript().Clear();
        EXPECT_EQ(Call(address), R"({"IsError":true,"ShowError":true})") << address;
        const auto boxes = MessageBoxes();
        ASSERT_EQ(boxes.size(), 1u) << address;
        EXPECT_EQ(boxes[0]["text"], "Download failed!");
    }
    EXPECT_TRUE(plain.Requests().empty());
    EXPECT_TRUE(fs::is_empty(home + "/Documents/Corvana Add-on Update"));
}

TEST(UpdaterJob, NameAndPathRules)
{
    EXPECT_EQ(QRV::UpdaterJob::InstallerFileName("https://cdn.example.com/a/b/Setup.exe"), "Setup.exe");
    EXPECT_EQ(QRV::UpdaterJob::InstallerFileName("Setup.exe"), "Setup.exe");
    EXPECT_EQ(Sim::Utf8(QRV::UpdaterJob::UpdaterPath("/home/u/Programs")),
              "/home/u/Programs/Corvana/AC27/Hostwatch.exe");
    EXPECT_TRUE(QRV::UpdaterJob::IsPlainFileName("Corvana Setup 3.2 (x64).exe"));
    EXPECT_TRUE(QRV::UpdaterJob::IsPlainFileName("..setup.exe"));
    EXPECT_FALSE(QRV::UpdaterJob::IsPlainFileName(std::string("a\0b", 3)));
    EXPECT_FALSE(QRV::UpdaterJob::IsPlainFileName("tab\there"));
    // Counted in bytes, with room for the suffix the download is written under first.
    EXPECT_TRUE(QRV::UpdaterJob::IsPlainFileName(std::string(246, 'a')));
    EXPECT_FALSE(QRV::UpdaterJob::IsPlainFileName(std::string(247, 'a')));
    std::string wide;
    for (int i = 0; i < 82; ++i)
        wide += "\xe2\x82\xac";  // 82 euro signs: 82 characters, 246 bytes
    EXPECT_TRUE(QRV::UpdaterJob::IsPlainFileName(wide));
    EXPECT_FALSE(QRV::UpdaterJob::IsPlainFileName(wide + "a"));
}

}  // namespace
