// <windows.h> before the interface's header, which takes back the names it turns into macros.
#include <windows.h>
#include <shlobj.h>

#include "WindowsTestSupport.hpp"

#include "Support/Utf8.hpp"
#include "Platform/Shell.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace WinTest;

std::string Utf8Of(const GS::UniString& text)
{
    return QRV::ToUtf8(text);
}

// The folder as the shell's known-folder service, a different road to the same place, names it.
std::string KnownFolder(const KNOWNFOLDERID& id)
{
    wchar_t* path = nullptr;
    std::string result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)))
        result = Utf8(path);
    CoTaskMemFree(path);
    return result;
}

std::string HelperProgram()
{
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self, length);
    folder.erase(folder.find_last_of(L'\\'));
    return Utf8(folder) + "\\ReportArguments.exe";
}

TEST(Shell, SpecialFoldersAreTheSystemsOwn)
{
    GS::UniString path;
    ASSERT_TRUE(Platform::GetSpecialFolderPath(Platform::FolderDocuments, &path, true));
    EXPECT_EQ(Utf8Of(path), KnownFolder(FOLDERID_Documents));
    EXPECT_NE(GetFileAttributesW(Wide(Utf8Of(path)).c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    ASSERT_TRUE(Platform::GetSpecialFolderPath(Platform::FolderProgramFiles, &path, false));
    EXPECT_EQ(Utf8Of(path), KnownFolder(FOLDERID_ProgramFiles));
    // Numbers the interface does not name are no folder, whatever the shell's numbering would give.
    for (Int32 unknown : {0, 5, 7, 26, 99, -1})
        EXPECT_FALSE(Platform::GetSpecialFolderPath(unknown, &path, true)) << unknown;
    EXPECT_FALSE(Platform::GetSpecialFolderPath(Platform::FolderDocuments, nullptr, true));
}

TEST(Shell, FileAttributesTellFilesFromFolders)
{
    ScratchFolder folder;
    WriteFile(folder.Path() + "\\file", "x");
    const std::string readOnly = folder.Path() + "\\read-only";
    WriteFile(readOnly, "x");
    SetFileAttributesW(Wide(readOnly).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Platform::GetFileAttributes((folder.Path() + "\\missing").c_str()), Platform::InvalidFileAttributes);
    EXPECT_EQ(Platform::GetFileAttributes(""), Platform::InvalidFileAttributes);
    EXPECT_EQ(Platform::GetFileAttributes(folder.Path().c_str()) & Platform::FileAttributeDirectory,
              Platform::FileAttributeDirectory);
    const UInt32 file = Platform::GetFileAttributes((folder.Path() + "/file").c_str());  // either separator
    EXPECT_NE(file, Platform::InvalidFileAttributes);
    EXPECT_EQ(file & Platform::FileAttributeDirectory, 0u);
    EXPECT_EQ(Platform::GetFileAttributes(readOnly.c_str()) & Platform::FileAttributeReadOnly,
              Platform::FileAttributeReadOnly);
}

// The updater's place as the module builds it: the program files folder, then its own parts joined by
// "/"; the home of the test has a blank in its name, so the quoted argument must stay one argument.
class ProcessStart : public ::testing::Test {
protected:
    ProcessStart() : updaterFolder(folder.Path() + "\\home of user\\Corvana\\AC27")
    {
        CreateDirectoryW(Wide(folder.Path() + "\\home of user").c_str(), nullptr);
        CreateDirectoryW(Wide(folder.Path() + "\\home of user\\Corvana").c_str(), nullptr);
        CreateDirectoryW(Wide(updaterFolder).c_str(), nullptr);
    }
    std::string InstallUpdater() const
    {
        const std::string updater = updaterFolder + "\\Hostwatch.exe";
        CopyFileW(Wide(HelperProgram()).c_str(), Wide(updater).c_str(), FALSE);
        return folder.Path() + "\\home of user/Corvana/AC27/Hostwatch.exe";
    }
    void Release() const { WriteFile(updaterFolder + "\\release", ""); }
    std::string Arguments() const { return WaitForFile(updaterFolder + "\\arguments.txt"); }

    ScratchFolder folder;
    const std::string updaterFolder;
};

TEST_F(ProcessStart, OpenStartsTheProgramWithTheQuotedArgumentsAndDoesNotWaitForIt)
{
    const std::string updater = InstallUpdater();
    const Int32 result = Platform::ShellExecute("open", updater.c_str(), "\"a b\"  c \"\" \"d\"e", "", Platform::ShowHidden);
    EXPECT_GT(result, Platform::ShellExecuteFailureLimit);
    // The program is still waiting for its release: the start returned without waiting for its end.
    EXPECT_FALSE(FileExists(updaterFolder + "\\arguments.txt"));
    Release();
    EXPECT_EQ(Arguments(), "[a b][c][][de]\n");
}

TEST_F(ProcessStart, TheInstallerPathReachesTheUpdaterAsOneArgument)
{
    const std::string updater = InstallUpdater();
    const std::string installer = folder.Path() + "\\home of user\\Documents\\Corvana Add-on Update/Corvana Setup 3.2.exe";
    Release();
    const Int32 result = Platform::ShellExecute("open", updater.c_str(), ("\"" + installer + "\"").c_str(), "",
                                                Platform::ShowHidden);
    EXPECT_GT(result, Platform::ShellExecuteFailureLimit);
    EXPECT_EQ(Arguments(), "[" + installer + "]\n");
}

TEST_F(ProcessStart, ShellExecuteFailuresAreCodesAtOrBelow32)
{
    const std::string updater = InstallUpdater();
    EXPECT_EQ(Platform::ShellExecute("print", updater.c_str(), "", "", 0), Platform::ShellErrorNoAssociation);
    EXPECT_EQ(Platform::ShellExecute("runas", updater.c_str(), "", "", 0), Platform::ShellErrorNoAssociation);
    EXPECT_EQ(Platform::ShellExecute("open", (folder.Path() + "\\none.exe").c_str(), "", "", 0),
              Platform::ShellErrorFileNotFound);
    EXPECT_EQ(Platform::ShellExecute("open", "", "", "", 0), Platform::ShellErrorFileNotFound);
    EXPECT_EQ(Platform::ShellExecute("open", updaterFolder.c_str(), "", "", 0), Platform::ShellErrorNoAssociation);
    // A file named as a program that is none: the start fails and is reported.
    const std::string garbage = folder.Path() + "\\garbage.exe";
    WriteFile(garbage, std::string("MZ broken\0\x01", 11));
    EXPECT_LE(Platform::ShellExecute("open", garbage.c_str(), "", "", 0), Platform::ShellExecuteFailureLimit);
    EXPECT_FALSE(FileExists(updaterFolder + "\\arguments.txt"));  // nothing of these started the updater
}

}  // namespace

namespace {

// Plays the user: finds the box by its caption, reads its text, and presses OK.
struct BoxUser {
    std::wstring caption;
    std::wstring seenText;
    volatile LONG pressed = 0;

    static DWORD WINAPI Run(void* self)
    {
        auto* user = static_cast<BoxUser*>(self);
        for (int attempt = 0; attempt < 800; ++attempt) {
            if (HWND box = FindWindowW(L"#32770", user->caption.c_str())) {
                wchar_t text[256] = {};
                GetDlgItemTextW(box, 0xFFFF, text, 256);
                user->seenText = text;
                InterlockedExchange(&user->pressed, 1);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return 0;
            }
            Sleep(25);
        }
        return 1;
    }
};

TEST(Shell, AMessageBoxShowsItsTextAndWaitsForOk)
{
    BoxUser user;
    user.caption = L"Error \u00FC";
    HANDLE thread = CreateThread(nullptr, 0, &BoxUser::Run, &user, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    const Int32 answer = Platform::MessageBox("Download failed!", GS::UniString("Error \xC3\xBC", CC_UTF8),
                                              Platform::MessageBoxOk);
    const bool pressedBeforeTheAnswer = user.pressed != 0;
    WaitForSingleObject(thread, 30000);
    CloseHandle(thread);
    EXPECT_EQ(answer, Platform::MessageBoxIdOk);
    EXPECT_TRUE(pressedBeforeTheAnswer);
    EXPECT_EQ(Utf8(user.seenText), "Download failed!");
}

}  // namespace
