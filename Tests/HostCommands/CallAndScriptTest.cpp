// corvana-host's call and script commands, run as a person runs them.
#include "Support/HostProcess.hpp"

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using QRVTest::HostRun;
using QRVTest::ReadWholeFile;

class HostCommands : public QRVTest::HostProcessTest {
protected:
    HostRun Run(std::vector<std::string> args) const { return RunAtHome(std::move(args)); }
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
        HostRun run = Run(c.args);
        EXPECT_EQ(run.status, 0) << c.args[1] << ": " << run.err;
        EXPECT_EQ(run.out, c.out) << c.args[1];
    }

    HostRun exported = Run({"call", "export", "--number", "5"});
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_TRUE(json::parse(exported.out).contains("IsError")) << exported.out;

    const std::string payload = WriteFile("payload.txt", "not json");
    HostRun fromFile = Run({"call", "replaceSystem", "--text-file", payload});
    EXPECT_EQ(fromFile.out, "{\"IsError\":true,\"ShowError\":false}\n");
}

TEST_F(HostCommands, CallRefusesWhatItCannotDo)
{
    EXPECT_EQ(Run({"call"}).status, 2);
    EXPECT_EQ(Run({"call", "import", "--number", "five"}).status, 2);
    EXPECT_EQ(Run({"call", "import", "--text"}).status, 2);
    EXPECT_EQ(Run({"call", "import", "--text-file", (dir / "missing").string()}).status, 2);
    EXPECT_EQ(Run({"call", "import", "--shout", "x"}).status, 2);
    HostRun missing = Run({"call", "noSuchFunction"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("no function \"noSuchFunction\""), std::string::npos) << missing.err;
    EXPECT_EQ(Run({"--addon", (dir / "none.apx").string(), "call", "platform"}).status, 3);
}

TEST_F(HostCommands, ScriptReportsEachStepWithWhatTheHostShowed)
{
    HostRun run = Run({"script", std::string(CORVANA_SOURCE_DIR) + "/docs/scripts/place-copy-undo.json"});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    std::vector<json> lines = JsonLines(run.out);
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
    const std::string script = WriteFile("script.json", R"([
        {"delete": "00000000-0000-4000-8000-00000000FFFF"},
        {"call": "noSuchFunction"},
        {"answer": "Continue"},
        {"undo": true},
        {"call": "import", "text": ""}
    ])");
    HostRun run = Run({"script", script});
    EXPECT_EQ(run.status, 1);
    std::vector<json> lines = JsonLines(run.out);
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
        {R"([{"call": "import", "text": "", "textFile": "bad.json"}])", "/0: a call takes at most one of"},
        {R"([{"call": "import", "textFile": "missing.json"}])", "/0/textFile: " + (dir / "missing.json").string() +
                                                               " cannot be read"},
        {R"([{"call": "import", "textFile": "."}])", "/0/textFile: "},
    };
    for (const auto& [text, message] : cases) {
        const std::string script = WriteFile("bad.json", text);
        HostRun run = Run({"script", script});
        EXPECT_EQ(run.status, 2) << text;
        EXPECT_NE(run.err.find(script + ": " + message), std::string::npos) << text << "\n" << run.err;
        EXPECT_EQ(run.out, "") << text;
    }
}

TEST_F(HostCommands, AScriptsPayloadFileIsFoundBesideTheScriptAndPassedAsItIs)
{
    fs::create_directories(dir / "scripts" / "payloads");
    WriteFile("scripts/payloads/bad.txt", "not json");
    WriteFile("scripts/payloads/brick.json", ReadWholeFile(std::string(CORVANA_SOURCE_DIR) +
                                                           "/Examples/payloads/01-material-clay-brick.json"));
    const std::string script = WriteFile("scripts/session.json", R"([
        {"call": "replaceSystem", "textFile": "payloads/bad.txt"},
        {"call": "import", "textFile": "payloads/brick.json"}
    ])");
    // Run from another folder: the payloads are found beside the script, not in the working folder.
    HostRun run = Run({"--save", (dir / "p.json").string(), "script", script});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    std::vector<json> lines = JsonLines(run.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]["reply"], "{\"IsError\":true,\"ShowError\":false}");
    EXPECT_EQ(lines[1]["reply"], "{\"IsError\":false,\"ShowError\":true}");
    const json saved = json::parse(ReadWholeFile(dir / "p.json"));
    EXPECT_EQ(saved["attributes"]["buildingMaterials"].at(0)["name"], "Clay brick");
}

TEST_F(HostCommands, TheSampleOfCatalogueWallEventsRuns)
{
    const std::string source = CORVANA_SOURCE_DIR;
    HostRun run = Run({"--project", source + "/Examples/House.json", "script", source + "/docs/scripts/catalogue-wall.json"});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    std::vector<json> lines = JsonLines(run.out);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1]["reply"], "{\"IsError\":false,\"ShowError\":true}");
    EXPECT_NE(lines[5].dump().find("<Door> deleted {" + lines[4]["guid"].get<std::string>() + "}"), std::string::npos)
        << lines[5].dump();
}

TEST_F(HostCommands, TheSampleOfAnswersAndMenusRuns)
{
    HostRun run = Run({"script", std::string(CORVANA_SOURCE_DIR) + "/docs/scripts/import-answers.json"});
    EXPECT_EQ(run.status, 0) << run.err << run.out;
    std::vector<json> lines = JsonLines(run.out);
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
    HostRun imported = Run({"--save", first, "call", "import", "--text-file", payload});
    ASSERT_EQ(imported.status, 0) << imported.err;
    ASSERT_EQ(imported.out, "{\"IsError\":false,\"ShowError\":true}\n");

    const std::string second = (dir / "second.json").string();
    HostRun rejected = Run({"--project", first, "--save", second, "--answer", "Reject", "call", "import",
                              "--text-file", payload});
    ASSERT_EQ(rejected.status, 0) << rejected.err;
    EXPECT_EQ(rejected.out, "{\"IsError\":true,\"ShowError\":true}\n");
    EXPECT_EQ(ReadWholeFile(second), ReadWholeFile(first));
}

}  // namespace

namespace {

// The cells of a fixed-width table row, cut at the columns of its header line (the key names).
std::map<std::string, std::string> Cells(const std::string& header, const std::string& row)
{
    std::vector<std::pair<std::string, size_t>> columns;
    for (size_t at = header.find_first_not_of(' '); at != std::string::npos;) {
        const size_t end = header.find(' ', at);
        columns.emplace_back(header.substr(at, end - at), at);
        at = end == std::string::npos ? end : header.find_first_not_of(' ', end);
    }
    std::map<std::string, std::string> cells;
    for (size_t c = 0; c < columns.size(); ++c) {
        const size_t from = columns[c].second;
        const size_t to = c + 1 < columns.size() ? columns[c + 1].second : std::string::npos;
        std::string cell = from < row.size() ? row.substr(from, to == std::string::npos ? to : to - from) : "";
        while (!cell.empty() && cell.back() == ' ')
            cell.pop_back();
        cells[columns[c].first] = cell;
    }
    return cells;
}

// The rows of the first table after the line that starts with `title`, as key -> cell.
std::vector<std::map<std::string, std::string>> TableAfter(const std::string& text, const std::string& title)
{
    std::vector<std::map<std::string, std::string>> rows;
    const size_t at = text.find(title);
    if (at == std::string::npos)
        return rows;
    std::istringstream in(text.substr(at));
    std::string line, header, rule;
    std::getline(in, line);
    std::getline(in, header);
    std::getline(in, rule);
    if (rule.find("---") == std::string::npos)
        return rows;
    while (std::getline(in, line) && !line.empty() && line.find(':') != line.size() - 1)
        rows.push_back(Cells(header, line));
    return rows;
}

TEST_F(HostCommands, TheDemoSummaryShowsTheCalculationAsTablesAndTheSavedProjectAnswersTheSameDocument)
{
    HostRun demo = Run({"demo", "--out", (dir / "demo").string()});
    ASSERT_EQ(demo.status, 0) << demo.err << demo.out;
    const std::string& summary = demo.out;

    const auto products = TableAfter(summary, "  Products (ProductInfo, ");
    ASSERT_FALSE(products.empty()) << summary;
    EXPECT_EQ(products[0].count("bim_uuid"), 1u) << "the columns are the document's keys";
    bool door = false;
    for (const auto& row : products)
        door = door || (row.at("name") == "Front door" && row.at("type") == "Doors" && row.at("pieces") == "1" &&
                        row.at("area") == "1.89" && row.at("id") == "6D3A9C10-0000-4000-8000-000000000006");
    EXPECT_TRUE(door) << summary;

    const auto systems = TableAfter(summary, "  Systems (SystemInfo, ");
    bool wallSystem = false;
    for (const auto& row : systems)
        wallSystem = wallSystem || (row.at("name") == "Timber frame wall TF-240" && row.at("bim_uuid") == "1402");
    EXPECT_TRUE(wallSystem) << summary;
    const auto layers = TableAfter(summary, "    layers of Timber frame wall TF-240 (id 1, 3):");
    ASSERT_EQ(layers.size(), 3u) << summary;
    EXPECT_EQ(layers[1].at("name"), "Wood fibre insulation 160");
    EXPECT_EQ(layers[1].at("thickness"), "16");
    EXPECT_EQ(layers[1].at("bim_uuid"), "601");

    const auto curtainWalls = TableAfter(summary, "  Curtain walls (CurtainWallInfo, 1):");
    ASSERT_EQ(curtainWalls.size(), 1u) << summary;
    EXPECT_EQ(curtainWalls[0].at("name"), "Glass facade");
    EXPECT_EQ(curtainWalls[0].at("area"), "10.8");
    const auto stairs = TableAfter(summary, "  Stairs (StairCalculationInfo, 1):");
    ASSERT_EQ(stairs.size(), 1u) << summary;
    EXPECT_EQ(stairs[0].at("type_name"), "Precast stair PS-17");
    EXPECT_EQ(stairs[0].at("bim_uuid"), "8800");
    EXPECT_EQ(stairs[0].at("attributes"), "5");

    // The saved project, opened again, answers the document the demo wrote, whole, as one JSON text.
    HostRun call = Run({"--project", (dir / "demo" / "project.json").string(), "call", "getCalculationData"});
    ASSERT_EQ(call.status, 0) << call.err;
    const json document = json::parse(call.out, nullptr, false);
    ASSERT_TRUE(document.is_object()) << call.out;
    for (const char* section : {"ProductInfo", "SystemInfo", "CurtainWallInfo", "StairCalculationInfo"})
        EXPECT_TRUE(document.contains(section)) << section;
    EXPECT_EQ(call.out, ReadWholeFile(dir / "demo" / "calculation.json"));
}

}  // namespace
