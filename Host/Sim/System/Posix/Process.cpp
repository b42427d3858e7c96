#include "System/Process.hpp"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>

namespace Sim::System {

long ProcessNumber() { return static_cast<long>(getpid()); }

namespace {

// Prepared outside the handler: a signal handler may only fork, exec and wait, and the removal of a
// folder tree is no such call, so a child removes it. The folder's name is written before the pointer
// to it is published.
char folderToRemove[4096];
volatile std::sig_atomic_t folderSet = 0;

extern "C" void RemoveFolderAndStop(int signalNumber)
{
    if (folderSet != 0) {
        const pid_t child = fork();
        if (child == 0) {
            char rm[] = "rm";
            char options[] = "-rf";
            char ends[] = "--";
            char* arguments[] = {rm, options, ends, folderToRemove, nullptr};
            execv("/bin/rm", arguments);
            _exit(127);
        }
        if (child > 0) {
            int status = 0;
            while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
        }
    }
    std::signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

}  // namespace

void RemoveFolderOnStopSignal(const std::string& folder)
{
    static std::mutex mutex;
    const std::lock_guard<std::mutex> lock(mutex);
    folderSet = 0;
    if (folder.empty() || folder.size() >= sizeof folderToRemove)
        return;
    std::memcpy(folderToRemove, folder.c_str(), folder.size() + 1);
    folderSet = 1;
    static std::once_flag installed;
    std::call_once(installed, [] {
        for (int signalNumber : {SIGINT, SIGTERM}) {
            // A signal the process was started to ignore stays ignored.
            struct sigaction previous {};
            if (sigaction(signalNumber, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
                continue;
            struct sigaction action {};
            action.sa_handler = &RemoveFolderAndStop;
            sigemptyset(&action.sa_mask);
            sigaction(signalNumber, &action, nullptr);
        }
    });
}

long PeakMemoryKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;  // kilobytes on Linux
}

}  // namespace Sim::System
