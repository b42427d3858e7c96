// The project file on Windows: devices and folders are refused unread, and a save takes over what an
// interrupted save of the same target left, but never a temporary file that another save still holds
// open (the lock of a save on Windows is its file opened for no one else).
#if defined(_WIN32)
#include "SimFixture.hpp"

#include "Model/ProjectFile.hpp"
#include "SimUtf8.hpp"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

namespace {

using SimTest::TempFolder;

void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

bool RefusedAsNoRegularFile(const std::string& path)
{
    try {
        Sim::ProjectFile::Load(path);
        return false;
    } catch (const Sim::ProjectFileError& e) {
        return e.Problem() == "cannot be read: not a regular file";
    }
}

TEST(ProjectFileWindows, OnlyARegularFileIsReadAsAProject)
{
    TempFolder folder;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(RefusedAsNoRegularFile("NUL"));  // read without end, if it were read
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(), 5.0);
    EXPECT_TRUE(RefusedAsNoRegularFile(folder.Path()));
    try {
        Sim::ProjectFile::Load(folder / "missing.json");
        ADD_FAILURE() << "a missing file loaded";
    } catch (const Sim::ProjectFileError& e) {
        EXPECT_EQ(e.Problem(), "cannot be read: No such file or directory") << "the C library's text, as on Linux";
    }
}

TEST(ProjectFileWindows, ASaveRemovesWhatAnInterruptedSaveLeftButNotWhatASaveHoldsOpen)
{
    TempFolder folder;
    const std::string path = folder / "p.json";
    Sim::Project project;
    project.info.name = "Saved";

    WriteFile(folder / ".p.json.tmp-Left12", "abandoned");
    WriteFile(folder / ".p.json.tmp-Busy12", "in progress");
    WriteFile(folder / ".q.json.tmp-AbC123", "other target");
    WriteFile(folder / ".p.json.tmp-AbC1234", "longer name");
    HANDLE busy = CreateFileW(Sim::PathFromUtf8(folder / ".p.json.tmp-Busy12").c_str(), GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(busy, INVALID_HANDLE_VALUE);

    Sim::ProjectFile::Save(project, path);
    EXPECT_EQ(folder.Entries(),
              (std::vector<std::string>{".p.json.tmp-AbC1234", ".p.json.tmp-Busy12", ".q.json.tmp-AbC123", "p.json"}));
    EXPECT_EQ(Sim::ProjectFile::Load(path).info.name, "Saved");
    CloseHandle(busy);

    // Once its writer is gone, the next save takes that one too, and replaces the file whole.
    project.info.name = "Saved again";
    Sim::ProjectFile::Save(project, path);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{".p.json.tmp-AbC1234", ".q.json.tmp-AbC123", "p.json"}));
    EXPECT_EQ(Sim::ProjectFile::Load(path).info.name, "Saved again");
}

TEST(ProjectFileWindows, ASaveOverAFileOpenElsewhereFailsAndLeavesBothAsTheyWere)
{
    TempFolder folder;
    const std::string path = folder / "p.json";
    Sim::Project project;
    project.info.name = "First";
    Sim::ProjectFile::Save(project, path);
    // A reader that does not share deletion (as most programs open a file) keeps it from being replaced.
    HANDLE reader = CreateFileW(Sim::PathFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    project.info.name = "Second";
    EXPECT_THROW(Sim::ProjectFile::Save(project, path), Sim::ProjectFileError);
    CloseHandle(reader);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"p.json"});
    EXPECT_EQ(Sim::ProjectFile::Load(path).info.name, "First");
}

}  // namespace
#endif
