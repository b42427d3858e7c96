#include "Support/ChildProcess.hpp"

#include "SimUtf8.hpp"
#include "System/Files.hpp"

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdlib>

namespace QRVTest {

std::filesystem::path MakeScratchFolder(const std::string& prefix)
{
    return Sim::PathFromUtf8(Sim::System::MakeUniqueFolder(Sim::System::TemporaryFilesFolder(), prefix, nullptr));
}

#if defined(_WIN32)

namespace {

std::wstring Wide(const std::string& text) { return Sim::PathFromUtf8(text).wstring(); }

// As the C run-time splits a command line: a backslash is literal except before a quote, where each pair
// of them stands for one.
std::wstring Quoted(const std::wstring& argument)
{
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

HANDLE InheritedFile(const std::filesystem::path& path, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& folder, const std::filesystem::path& outFile,
               const std::filesystem::path& errFile)
{
    const std::wstring executable = std::filesystem::absolute(Sim::PathFromUtf8(program)).make_preferred().wstring();
    std::wstring commandLine = Quoted(executable);
    for (const std::string& argument : arguments)
        commandLine += L" " + Quoted(Wide(argument));
    HANDLE input = InheritedFile(L"NUL", GENERIC_READ, OPEN_EXISTING);
    HANDLE output = InheritedFile(outFile, GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE error = InheritedFile(errFile, GENERIC_WRITE, CREATE_ALWAYS);
    int status = -1;
    if (input != INVALID_HANDLE_VALUE && output != INVALID_HANDLE_VALUE && error != INVALID_HANDLE_VALUE) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = input;
        startup.hStdOutput = output;
        startup.hStdError = error;
        PROCESS_INFORMATION process{};
        const std::wstring directory = std::filesystem::absolute(folder).wstring();
        if (CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                           directory.c_str(), &startup, &process)) {
            WaitForSingleObject(process.hProcess, INFINITE);
            DWORD code = 0;
            if (GetExitCodeProcess(process.hProcess, &code))
                status = static_cast<int>(code);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
    }
    for (HANDLE handle : {input, output, error})
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    return status;
}

void SetEnvironment(const std::string& name, const char* value)
{
    // Both the process's block (what the system and the platform layer read) and the run-time's copy.
    const std::wstring wideName = Wide(name);
    const std::wstring wideValue = value != nullptr ? Wide(value) : std::wstring();
    SetEnvironmentVariableW(wideName.c_str(), value != nullptr ? wideValue.c_str() : nullptr);
    _wputenv_s(wideName.c_str(), wideValue.c_str());
}

#else

int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& folder, const std::filesystem::path& outFile,
               const std::filesystem::path& errFile)
{
    std::vector<std::string> words = {program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        // Only async-signal-safe calls between fork and exec.
        const int input = open("/dev/null", O_RDONLY);
        const int output = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int error = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (input < 0 || output < 0 || error < 0 || chdir(folder.c_str()) != 0 || dup2(input, 0) < 0 ||
            dup2(output, 1) < 0 || dup2(error, 2) < 0)
            _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int raw = 0;
    while (waitpid(child, &raw, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

void SetEnvironment(const std::string& name, const char* value)
{
    if (value != nullptr)
        setenv(name.c_str(), value, 1);
    else
        unsetenv(name.c_str());
}

#endif

}  // namespace QRVTest
