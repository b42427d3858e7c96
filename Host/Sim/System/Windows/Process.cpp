#include "System/Process.hpp"
#include "SystemText.hpp"

#include <psapi.h>

#include <filesystem>
#include <mutex>
#include <string>

namespace Sim::System {

long ProcessNumber() { return static_cast<long>(::GetCurrentProcessId()); }

namespace {

std::mutex folderMutex;
std::string folderToRemove;

// Windows runs a console's control handler on a thread of its own, where the folder may be removed as
// anywhere else; FALSE lets the system's handler end the process afterwards.
BOOL WINAPI RemoveFolderAndStop(DWORD event)
{
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT) {
        const std::lock_guard<std::mutex> lock(folderMutex);
        if (!folderToRemove.empty()) {
            std::error_code error;
            std::filesystem::remove_all(std::filesystem::u8path(folderToRemove), error);
        }
    }
    return FALSE;
}

}  // namespace

void RemoveFolderOnStopSignal(const std::string& folder)
{
    const std::lock_guard<std::mutex> lock(folderMutex);
    folderToRemove = folder;
    static bool installed = false;
    if (!installed)
        installed = ::SetConsoleCtrlHandler(&RemoveFolderAndStop, TRUE) != 0;
}

long PeakMemoryKilobytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
}

}  // namespace Sim::System
