// What the tests of whole runs ask of the system: a scratch folder, a program of the build run as a person
// runs it from a shell, and the process's environment. The same calls on Linux and under Windows.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace QRVTest {

// A new empty folder "PREFIX" and six letters or digits under the system's temporary folder; empty when
// it cannot be made.
std::filesystem::path MakeScratchFolder(const std::string& prefix);

// Runs `program` (UTF-8 path) with `arguments`, each arriving as one argument whatever it holds, in
// `folder`, with an empty stdin and stdout and stderr written to the two files. Answers the exit status,
// or -1 when the program could not start or did not end normally.
int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& folder, const std::filesystem::path& outFile,
               const std::filesystem::path& errFile);

// Sets this process's environment variable `name` to `value` (UTF-8), or removes it when `value` is null.
void SetEnvironment(const std::string& name, const char* value);

}  // namespace QRVTest
