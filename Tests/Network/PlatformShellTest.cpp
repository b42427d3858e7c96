#include "Network/NetworkTestSupport.hpp"
#include "Support/ModuleFixture.hpp"

#include "Platform/Shell.hpp"
#include "SimUtf8.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include <unistd.h>

namespace {

using namespace NetTest;
namespace fs = std::filesystem;

class PlatformShell : public QRVTest::HostFixture {
protected:
    Sim::HostOptions Options() const override
    {
        Sim::HostOptions options;
        options.home = folder.Path();
        return options;
    }
    std::string WaitFor(const std::string& path) const
    {
        for (int attempt = 0; attempt < 200 && !fs::exists(path); ++attempt)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        return ReadFile(path);
    }

    ScratchFolder folder;
};

TEST_F(PlatformShell, SpecialFoldersLiveUnderTheHostsHome)
{
    GS::UniString path;
    EXPECT_FALSE(Platform::GetSpecialFolderPath(Platform::FolderProgramFiles, &path, false));
    ASSERT_TRUE(Platform::GetSpecialFolderPath(Platform::FolderProgramFiles, &path, true));
    EXPECT_EQ(Sim::Utf8(path), folder.Path() + "/Programs");
    ASSERT_TRUE(Platform::GetSpecialFolderPath(Platform::FolderDocuments, &path, true));
    EXPECT_EQ(Sim::Utf8(path), folder.Path() + "/Documents");
    EXPECT_TRUE(fs::is_directory(Sim::Utf8(path)));
    EXPECT_FALSE(Platform::GetSpecialFolderPath(99, &path, true));
}

TEST_F(PlatformShell, FileAttributesTellFilesFromFolders)
{
    WriteFile(folder.Path() + "/file", "x");
    EXPECT_EQ(Platform::GetFileAttributes((folder.Path() + "/missing").c_str()), Platform::InvalidFileAttributes);
    EXPECT_EQ(Platform::GetFileAttributes(folder.Path().c_str()) & Platform::FileAttributeDirectory,
              Platform::FileAttributeDirectory);
    const UInt32 file = Platform::GetFileAttributes((folder.Path() + "/file").c_str());
    EXPECT_NE(file, Platform::InvalidFileAttributes);
    EXPECT_EQ(file & Platform::FileAttributeDirectory, 0u);
}

TEST_F(PlatformShell, OpenStartsADetachedProcessWithTheQuotedArguments)
{
    const std::string program = folder.Path() + "/report.sh";
    const std::string output = folder.Path() + "/report.txt";
    // Writes its arguments, then its parent and session, so the test sees that it runs on its own.
    WriteFile(program, "#!/bin/sh\n{ for a in \"$@\"; do printf '[%s]' \"$a\"; done; echo;"
                       " read -r _ _ _ ppid _ sid _ < /proc/$$/stat; echo \"$ppid $sid\"; } > '" + output +
                           ".tmp'\nmv '" + output + ".tmp' '" + output + "'\n");
    fs::permissions(program, fs::perms::owner_all);
    const Int32 result = Platform::ShellExecute("open", program.c_str(), "\"a b\"  c \"\" \"d\"e", "", Platform::ShowHidden);
    EXPECT_GT(result, Platform::ShellExecuteFailureLimit);
    std::istringstream report(WaitFor(output));
    std::string arguments;
    long parent = 0;
    long session = 0;
    std::getline(report, arguments);
    report >> parent >> session;
    EXPECT_EQ(arguments, "[a b][c][][de]");
    EXPECT_NE(parent, static_cast<long>(getpid()));
    EXPECT_NE(session, static_cast<long>(getsid(0)));
}

TEST_F(PlatformShell, ShellExecuteFailuresAreCodesAtOrBelow32)
{
    const std::string script = folder.Path() + "/plain.sh";
    WriteFile(script, "#!/bin/sh\n");
    EXPECT_EQ(Platform::ShellExecute("open", script.c_str(), "", "", 0), Platform::ShellErrorAccessDenied);
    fs::permissions(script, fs::perms::owner_all);
    EXPECT_EQ(Platform::ShellExecute("print", script.c_str(), "", "", 0), Platform::ShellErrorNoAssociation);
    EXPECT_EQ(Platform::ShellExecute("open", (folder.Path() + "/none").c_str(), "", "", 0),
              Platform::ShellErrorFileNotFound);
    EXPECT_EQ(Platform::ShellExecute("open", folder.Path().c_str(), "", "", 0), Platform::ShellErrorNoAssociation);
    // A file that is executable but no program: exec fails in the new process and is still reported.
    const std::string garbage = folder.Path() + "/garbage";
    WriteFile(garbage, std::string("\x7f" "ELF broken", 11));
    fs::permissions(garbage, fs::perms::owner_all);
    EXPECT_LE(Platform::ShellExecute("open", garbage.c_str(), "", "", 0), Platform::ShellExecuteFailureLimit);
}

}  // namespace
