#include "Support/HostProcess.hpp"

#include "Support/ChildProcess.hpp"

#include "SimUtf8.hpp"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace QRVTest {
namespace {

namespace fs = std::filesystem;

}  // namespace

std::string ReadWholeFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void HostProcessTest::SetUp()
{
    dir = MakeScratchFolder("corvana-host-run-");
    ASSERT_FALSE(dir.empty());
}

void HostProcessTest::TearDown()
{
    std::error_code ec;
    fs::remove_all(dir, ec);
}

HostRun HostProcessTest::RunHost(const std::vector<std::string>& args) const
{
    HostRun result;
    result.status = RunProgram(CORVANA_HOST_PATH, args, dir, dir / "out.txt", dir / "err.txt");
    result.out = ReadWholeFile(dir / "out.txt");
    result.err = ReadWholeFile(dir / "err.txt");
    return result;
}

HostRun HostProcessTest::RunAtHome(std::vector<std::string> args) const
{
    // Every whole run is checked to keep the host's command rules; its transcript goes beside the test's
    // folder unless the test asks for one itself.
    std::filesystem::path transcript;
    bool own = false;
    const auto given = std::find(args.begin(), args.end(), "--transcript");
    if (given != args.end() && given + 1 != args.end()) {
        transcript = Sim::PathFromUtf8(*(given + 1));
    } else {
        transcript = Sim::PathFromUtf8(Sim::PathUtf8(dir) + ".transcript-" + std::to_string(++runs_) + ".jsonl");
        own = true;
        args.insert(args.begin(), {"--transcript", Sim::PathUtf8(transcript)});
    }
    args.insert(args.begin(), {"--home", Sim::PathUtf8(dir / "home")});
    HostRun run = RunHost(args);
    ExpectNoRefusedHostCall(transcript);
    if (own) {
        std::error_code ignored;
        std::filesystem::remove(transcript, ignored);
    }
    return run;
}

void ExpectNoRefusedHostCall(const std::filesystem::path& transcript)
{
    std::ifstream in(transcript, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        const nlohmann::json event = nlohmann::json::parse(line, nullptr, false);
        if (event.is_object() && event.value("kind", "") == "host" && event.value("event", "") == "refused")
            ADD_FAILURE() << "the host refused a call: " << line;
    }
}

std::string HostProcessTest::WriteFile(const std::string& name, const std::string& text) const
{
    std::ofstream(dir / name, std::ios::binary) << text;
    return Sim::PathUtf8(dir / name);
}

std::vector<nlohmann::json> HostProcessTest::JsonLines(const std::string& out)
{
    std::vector<nlohmann::json> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        nlohmann::json value = nlohmann::json::parse(line, nullptr, false);
        EXPECT_FALSE(value.is_discarded()) << "not a JSON line: " << line;
        lines.push_back(std::move(value));
    }
    return lines;
}

}  // namespace QRVTest
