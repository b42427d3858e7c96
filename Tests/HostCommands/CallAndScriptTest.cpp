// corvana-host's call and script commands, run as a person runs them.
#include "Support/ModuleFixture.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Quote(const std::string& arg)
{
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

class HostCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "corvana-host-commands-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        ASSERT_NE(mkdtemp(buffer.data()), nullptr);
        dir = buffer.data();
    }
    void TearDown() override { fs::remove_all(dir); }

    RunResult Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--home", (dir / "home").string()});
        std::string command = "cd " + Quote(dir.string()) + " && " + Quote(CORVANA_HOST_PATH);
        for (const auto& arg : args)
            command += " " + Quote(arg);
        command += " >" + Quote((dir / "out.txt").string()) + " 2>" + Quote((dir / "err.txt").string()) + " </dev/null";
        int raw = std::system(command.c_str());
        RunResult result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = ReadFile(dir / "out.txt");
        result.err = ReadFile(dir / "err.txt");
        return result;
    }

    std::string Write(const std::string& name, const std::string& text)
    {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    }

    std::vector<json> Lines(const std::string& out)
    {
        std::vector<json> lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);)
            lines.push_back(json::parse(line));
        return lines;
    }

    fs::path dir;
};

TEST_F(HostCommands, CallPrintsTheReplyAlone)
{
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const Case cases[] = {
        {{"call", "platform"}, "{\"installer_version\":\"3.1.0\",\"os\":\"windows\",\"platform_type\":0,\"version\":27}\n"},
        {{"call", "import"}, "0\n"},
        {{"call", "import", "--text", ""}, "{\"IsError\":true,\"ShowError\":true}\n"},
        {{"call", "replaceSystem", "--text", "not json"}, "{\"IsError\":true,\"ShowError\":false}\n"},
        {{"call", "bulkImport"}, "[]\n"},
    };
    for (const auto& c : cases) {
        RunResult run = Run(c.args);
        EXPECT_EQ(run.status, 0) << c.args[1] << ": " << run.err;
        EXPECT_EQ(run.out, c.out) << c.args[1];
    }

    RunResult exported = Run({"call", "export", "--number", "5"});
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_TRUE(json::parse(exported.out).contains("IsError")) << exported.out;

    const std::string payload = Write("payload.txt", "not json");
    RunResult fromFile = Run({"call", "replaceSystem", "--text-file", payload});
    EXPECT_EQ(fromFile.out, "{\"IsError\":true,\"ShowError\":false}\n");
}

TEST_F(HostCommands, CallRefusesWhatItCannotDo)
{
    EXPECT_EQ(Run({"call"}).status, 2);
    EXPECT_EQ(Run({"call", "import", "--number", "five"}).status, 2);
    EXPECT_EQ(Run({"call", "import", "--text"}).status, 2);
    EXPECT_EQ(Run({"call", "import", "--text-file", (dir / "missing").string()}).status, 2);
    EXPECT_EQ(Run({"call", "import", "--shout", "x"}).status, 2);
    RunResult missing = Run({"call", "noSuchFunction"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("no function \"noSuchFunction\""), std::string::npos) << missing.err;
    EXPECT_EQ(Run({"--addon", (dir / "none.apx").string(), "call", "platform"}).status, 3);
}

TEST_F(HostCommands, ScriptReportsEachStepWithWhatTheHostShowed)
{
    RunResult run = Run({"script", std::string(CORVANA_SOURCE_DIR) + "/docs/scripts/place-copy-undo.json"});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    std::vector<json> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0]["reply"], "{\"installer_version\":\"3.1.0\",\"os\":\"windows\",\"platform_type\":0,\"version\":27}");

    const std::string chair = lines[1]["guid"];
    const std::string copy = lines[2]["guid"];
    EXPECT_NE(chair, copy);
    auto notifications = [](const json& line) {
        std::vector<std::pair<int, std::string>> found;
        for (const auto& event : line["shown"])
            if (event["kind"] == "notification")
                found.emplace_back(event["notifID"].get<int>(), event["guid"].get<std::string>());
        return found;
    };
    EXPECT_EQ(notifications(lines[1]), (std::vector<std::pair<int, std::string>>{{-1, ""}, {1, chair}, {-2, ""}}));
    EXPECT_EQ(notifications(lines[2]),
              (std::vector<std::pair<int, std::string>>{{-1, ""}, {1, copy}, {2, copy}, {-2, ""}}));
    EXPECT_EQ(notifications(lines[6]), (std::vector<std::pair<int, std::string>>{{-1, ""}, {5, chair}, {-2, ""}}));
    EXPECT_EQ(notifications(lines[7]), (std::vector<std::pair<int, std::string>>{{-1, ""}, {13, chair}, {-2, ""}}));

    bool debugLine = false;
    for (const auto& event : lines[4]["shown"])
        debugLine = debugLine || (event["kind"] == "debug" &&
                                  event["text"] == "### Element_Manager: <Object> window/door changed {" + copy + "}");
    EXPECT_TRUE(debugLine) << lines[4].dump();
}

TEST_F(HostCommands, ScriptGoesOnAfterAStepThatCannotBeDoneAndSaysSo)
{
    const std::string script = Write("script.json", R"([
        {"delete": "00000000-0000-4000-8000-00000000FFFF"},
        {"call": "noSuchFunction"},
        {"answer": "Continue"},
        {"undo": true},
        {"call": "import", "text": ""}
    ])");
    RunResult run = Run({"script", script});
    EXPECT_EQ(run.status, 1);
    std::vector<json> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0]["done"], false);
    EXPECT_EQ(lines[0]["problem"], "the project has no element 00000000-0000-4000-8000-00000000FFFF");
    EXPECT_EQ(lines[1]["done"], false);
    EXPECT_EQ(lines[2]["queued"], true);
    EXPECT_EQ(lines[3]["problem"], "there is nothing to undo");
    EXPECT_EQ(lines[4]["reply"], "{\"IsError\":true,\"ShowError\":true}");
}

TEST_F(HostCommands, AScriptThatCannotBeReadStartsNothing)
{
    const std::pair<std::string, std::string> cases[] = {
        {R"({"call": "platform"})", "(document): expected an array"},
        {R"([{"call": "platform", "text": "a", "number": 1}])", "/0: a call takes at most one of"},
        {R"([{"copy": "@1"}])", "/0/copy: \"@1\" names no earlier step"},
        {R"([{"call": "import"}, {"copy": "@1"}])", "/1/copy: step 1 places or copies no element"},
        {R"([{"dialog": "maybe"}])", "/0/dialog: a dialog choice is"},
        {R"([{"jump": 1}])", "/0: a step has one of the members"},
        {R"([{"undo": true, "redo": true}])", "/0/redo: unknown member"},
        {R"([{"place": {"type": "wall"}}, )", "line 1"},
    };
    for (const auto& [text, message] : cases) {
        const std::string script = Write("bad.json", text);
        RunResult run = Run({"script", script});
        EXPECT_EQ(run.status, 2) << text;
        EXPECT_NE(run.err.find(script + ": " + message), std::string::npos) << text << "\n" << run.err;
        EXPECT_EQ(run.out, "") << text;
    }
}

TEST_F(HostCommands, TheSampleOfAnswersAndMenusRuns)
{
    RunResult run = Run({"script", std::string(CORVANA_SOURCE_DIR) + "/docs/scripts/import-answers.json"});
    EXPECT_EQ(run.status, 0) << run.err << run.out;
    std::vector<json> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[5]["visible"], true);
    EXPECT_EQ(lines[6]["result"], "NoError");
}

}  // namespace

namespace {

TEST_F(HostCommands, RejectingTheReplaceQuestionLeavesTheSavedProjectUnchanged)
{
    const std::string payload = std::string(CORVANA_SOURCE_DIR) + "/Examples/payloads/01-material-clay-brick.json";
    const std::string first = (dir / "first.json").string();
    RunResult imported = Run({"--save", first, "call", "import", "--text-file", payload});
    ASSERT_EQ(imported.status, 0) << imported.err;
    ASSERT_EQ(imported.out, "{\"IsError\":false,\"ShowError\":true}\n");

    const std::string second = (dir / "second.json").string();
    RunResult rejected = Run({"--project", first, "--save", second, "--answer", "Reject", "call", "import",
                              "--text-file", payload});
    ASSERT_EQ(rejected.status, 0) << rejected.err;
    EXPECT_EQ(rejected.out, "{\"IsError\":true,\"ShowError\":true}\n");
    EXPECT_EQ(ReadFile(second), ReadFile(first));
}

}  // namespace
