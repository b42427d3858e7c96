// Starting a program the way the shell's "open" does: as a process of its own, in a session of its own,
// not a child the caller has to wait for, with no terminal.
#include "Platform/Shell.hpp"
#include "PlatformText.hpp"

#include <cerrno>
#include <csignal>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Platform {
namespace {

// Command-line text into arguments: blanks separate, double quotes group (and are dropped).
std::vector<std::string> SplitParameters(const std::string& text)
{
    std::vector<std::string> arguments;
    std::string current;
    bool quoted = false;
    bool inArgument = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inArgument)
                arguments.push_back(current);
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments.push_back(current);
    return arguments;
}

Int32 ShellErrorFromErrno(int error)
{
    switch (error) {
        case ENOENT:
        case ENOTDIR: return ShellErrorFileNotFound;
        case EACCES:
        case EPERM: return ShellErrorAccessDenied;
        case ENOMEM: return ShellErrorOutOfMemory;
        default: return ShellErrorNoAssociation;
    }
}

// Runs in the grandchild: only async-signal-safe calls from here to exec.
[[noreturn]] void BecomeProgram(const char* file, char* const* argv, const char* directory, int reportFd)
{
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL);
    signal(SIGCHLD, SIG_DFL);
    const int devNull = open("/dev/null", O_RDWR);
    if (devNull >= 0) {
        dup2(devNull, STDIN_FILENO);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        if (devNull > STDERR_FILENO)
            close(devNull);
    }
    // Nothing else of the host (sockets, project files) stays open in the program.
    close_range(STDERR_FILENO + 1, ~0U, CLOSE_RANGE_CLOEXEC);
    int error = 0;
    if (directory != nullptr && chdir(directory) != 0)
        error = errno;
    else {
        execv(file, argv);
        error = errno;
    }
    ssize_t ignored = write(reportFd, &error, sizeof error);
    (void)ignored;
    _exit(127);
}

Int32 Start(const std::string& file, const std::vector<std::string>& arguments, const std::string& directory)
{
    std::vector<std::string> texts;
    texts.push_back(file);
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    const char* folder = directory.empty() ? nullptr : directory.c_str();

    // The grandchild writes its errno here when exec fails; a successful exec closes the pipe silently.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return ShellErrorOutOfMemory;
    const pid_t child = fork();
    if (child < 0) {
        close(report[0]);
        close(report[1]);
        return ShellErrorOutOfMemory;
    }
    if (child == 0) {
        close(report[0]);
        setsid();
        const pid_t grandchild = fork();
        if (grandchild == 0)
            BecomeProgram(file.c_str(), argv.data(), folder, report[1]);
        if (grandchild < 0) {
            int error = errno;
            ssize_t ignored = write(report[1], &error, sizeof error);
            (void)ignored;
        }
        _exit(0);
    }
    close(report[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    while ((got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    close(report[0]);
    if (got == static_cast<ssize_t>(sizeof error))
        return ShellErrorFromErrno(error);
    return ShellExecuteFailureLimit + 10;
}

}  // namespace

Int32 ShellExecute(const GS::UniString& verb, const GS::UniString& file, const GS::UniString& parameters,
                   const GS::UniString& directory, Int32 /*showMode*/)
{
    try {
        if (!verb.IsEmpty() && !verb.IsEqual("open", GS::UniString::CaseInsensitive))
            return ShellErrorNoAssociation;
        const std::string program = Platform::Utf8(file);
        struct stat info {};
        if (program.empty() || stat(program.c_str(), &info) != 0)
            return ShellErrorFileNotFound;
        if (!S_ISREG(info.st_mode))
            return ShellErrorNoAssociation;
        if (access(program.c_str(), X_OK) != 0)
            return ShellErrorAccessDenied;
        return Start(program, SplitParameters(Platform::Utf8(parameters)), Platform::Utf8(directory));
    } catch (...) {
        return ShellErrorOutOfMemory;
    }
}

}  // namespace Platform
