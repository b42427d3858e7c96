// Runs the command-line host as a person runs it, in a fresh folder of the test's own, for the tests of
// whole runs: its exit status, what it printed on stdout and stderr, and the files it left.
#pragma once

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

namespace QRVTest {

std::string ReadWholeFile(const std::filesystem::path& path);

struct HostRun {
    int status = -1;  // the exit status; -1 when the host did not end normally
    std::string out;
    std::string err;
};

class HostProcessTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // corvana-host ARGS, run in `dir` with an empty stdin.
    HostRun RunHost(const std::vector<std::string>& args) const;
    // The same with `--home dir/home` first, so that the host's special folders stay in the test's folder.
    HostRun RunAtHome(std::vector<std::string> args) const;

    // Writes `text` to dir/name and answers the file's path.
    std::string WriteFile(const std::string& name, const std::string& text) const;
    // One JSON value per line of `out` (the script command's lines); a line that is no JSON fails the test.
    static std::vector<nlohmann::json> JsonLines(const std::string& out);

    std::filesystem::path dir;

private:
    mutable int runs_ = 0;
};

// Fails the test for each host call the run's transcript shows refused (a call made where Archicad
// refuses it); a missing transcript shows none.
void ExpectNoRefusedHostCall(const std::filesystem::path& transcript);

}  // namespace QRVTest
