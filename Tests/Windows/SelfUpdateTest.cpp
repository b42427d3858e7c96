// The module's self-update as it runs on Windows: the installer comes from the web into the host's
// documents folder, and the updater in the program files folder is started with the installer's path as
// the system writes paths, one argument, backslashes only.
#include <windows.h>

#include "WindowsTestSupport.hpp"

#include "ACAPinc.h"
#include "AddOn/SelfUpdate.hpp"
#include "Support/Utf8.hpp"
#include "Host.hpp"
#include "Platform/Shell.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace WinTest;

std::string ProgramFiles()
{
    GS::UniString folder;
    EXPECT_TRUE(Platform::GetSpecialFolderPath(Platform::FolderProgramFiles, &folder, false));
    return QRV::ToUtf8(folder);
}

std::string OwnFolder()
{
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self, length);
    folder.erase(folder.find_last_of(L'\\'));
    return Utf8(folder);
}

// A host whose documents folder is in a scratch folder with a blank in its name, and the stand-in updater
// (ReportArguments.exe) installed where the module looks for the real one.
class WindowsSelfUpdate : public ::testing::Test {
protected:
    void SetUp() override
    {
        home = folder.Path() + "\\home of user";
        Sim::HostOptions options;
        options.home = home;
        host = std::make_unique<Sim::Host>(options);
        ACAPI::Imported() = ACAPI::ImportedTable{host->Table().Data(), Sim::FunctionTable::Size()};
        updaterFolder = ProgramFiles() + "\\Corvana\\AC27";
        CreateDirectoryW(Wide(ProgramFiles() + "\\Corvana").c_str(), nullptr);
        CreateDirectoryW(Wide(updaterFolder).c_str(), nullptr);
        ASSERT_TRUE(CopyFileW(Wide(OwnFolder() + "\\ReportArguments.exe").c_str(),
                              Wide(updaterFolder + "\\Hostwatch.exe").c_str(), FALSE));
        WriteFile(updaterFolder + "\\release", "");
    }
    void TearDown() override
    {
        for (const char* name : {"\\Hostwatch.exe", "\\release", "\\arguments.txt"})
            DeleteFileW(Wide(updaterFolder + name).c_str());
        RemoveDirectoryW(Wide(updaterFolder).c_str());
        RemoveDirectoryW(Wide(ProgramFiles() + "\\Corvana").c_str());
        ACAPI::Imported() = ACAPI::ImportedTable{};
        host.reset();
    }

    ScratchFolder folder;
    std::string home;
    std::string updaterFolder;
    std::unique_ptr<Sim::Host> host;
};

TEST_F(WindowsSelfUpdate, TheUpdaterGetsTheDownloadedInstallersPathWithBackslashesAsOneArgument)
{
    LocalServer server(LocalServer::Tls, Reply{200, {"MZ installer"}, 0, {}});
    ASSERT_TRUE(server.Started());
    const std::string address = "https://" + server.NameAndPort() + "/releases/3.2/CorvanaSetup.exe";
    const QRV::UpdaterJob job(QRV::FromUtf8(address));
    ASSERT_TRUE(job.Run());

    const std::string installer = home + "\\Documents\\Corvana Add-on Update\\CorvanaSetup.exe";
    EXPECT_EQ(ReadFile(installer), "MZ installer");
    EXPECT_EQ(WaitForFile(updaterFolder + "\\arguments.txt"), "[" + installer + "]\n");
    EXPECT_EQ(QRV::ToUtf8(QRV::UpdaterJob::UpdaterPath(QRV::FromUtf8(ProgramFiles()))),
              ProgramFiles() + "\\Corvana\\AC27\\Hostwatch.exe");
}

}  // namespace
