// Whole runs of the command-line host: start-up listing, options, commands, exit statuses.
#include "Support/HostProcess.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string House = std::string(CORVANA_TEST_DIR) + "/Scenarios/Projects/house.json";

using QRVTest::HostRun;

class CorvanaHost : public QRVTest::HostProcessTest {
protected:
    HostRun Run(const std::vector<std::string>& args) const { return RunHost(args); }
    static std::string ReadFile(const fs::path& path) { return QRVTest::ReadWholeFile(path); }
};

TEST_F(CorvanaHost, WithoutACommandItListsWhatTheAddOnRegistered)
{
    HostRun run = Run({"--home", (dir / "home").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    for (const char* expected : {"Add-on: Corvana (Corvana)\n",
                                 "Service: 'QRV' (0x00515256), version 1\n",
                                 "  32200  \"Corvana\"  (prompt 0, position 0, flags 0, handler installed)\n"
                                 "    item 1  Corvana Plugin  [^ES^EE^EI^ED^EW^E3^EL^10001]\n",
                                 "  32300  \"Corvana\"  (prompt 0, position 0, flags 1, handler installed)\n"
                                 "    item 1  Corvana Ostrel  [^10002]\n",
                                 "  ref 1  .json  \"Corvana catalogue item (JSON)\"",
                                 "Modeless windows:\n",
                                 // The catalogue palette opened at start-up catches the quit event, which replaces the
                                 // add-on's all-events handler: the host keeps one per add-on.
                                 "  project events: mask 0x0040\n",
                                 "Project: Untitled (never saved), 0 building materials, 0 composites\n"})
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n--- output:\n" << run.out;
    EXPECT_EQ(run.out.find("32400"), std::string::npos) << "the QA menus are never registered";
    for (const char* folder : {"Documents", "Temp", "Programs"})
        EXPECT_TRUE(fs::is_directory(dir / "home" / folder)) << folder;

    HostRun withProject = Run({"--project", House});
    ASSERT_EQ(withProject.status, 0) << withProject.err;
    EXPECT_NE(withProject.out.find("Project: House, 2 building materials, 1 composites\n"), std::string::npos)
        << withProject.out;
}

TEST_F(CorvanaHost, DumpPrintsTheProjectAsSaveWritesItAndSavedFilesOpenAgain)
{
    const std::string saved = (dir / "saved.json").string();
    HostRun dump = Run({"--project", House, "--save", saved, "dump"});
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out, ReadFile(saved));
    auto document = nlohmann::json::parse(dump.out);
    EXPECT_EQ(document["format"], "corvana-sim-project");
    EXPECT_EQ(document["projectInfo"]["name"], "House");
    EXPECT_EQ(document["attributes"]["composites"][0]["totalThickness"], 0.36);
    EXPECT_EQ(document["attributes"]["buildingMaterials"][0]["userData"]["text"].get<std::string>().back(), '\0');

    HostRun again = Run({"--project", saved, "--save", saved, "dump"});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, dump.out);
    EXPECT_EQ(ReadFile(saved), dump.out);
    std::vector<std::string> entries;
    for (const auto& entry : fs::directory_iterator(dir))
        entries.push_back(entry.path().filename().string());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"err.txt", "out.txt", "saved.json"})) << "no temporary file is left";

    HostRun empty = Run({"--save", (dir / "new.json").string()});
    ASSERT_EQ(empty.status, 0) << empty.err;
    auto fresh = nlohmann::json::parse(ReadFile(dir / "new.json"));
    EXPECT_EQ(fresh["projectInfo"]["name"], "");
    EXPECT_TRUE(fresh["attributes"]["buildingMaterials"].empty());
}

TEST_F(CorvanaHost, ARefusedProjectEndsWithStatus3NamingFilePlaceAndProblemAndSavesNothing)
{
    const std::string bad = (dir / "bad.json").string();
    std::ofstream(bad) << "{\"format\": \"corvana-sim-project\", \"version\": 1,\n \"projectInfo\": {\"nmae\": \"X\"}}";
    HostRun run = Run({"--project", bad, "--save", (dir / "out.json").string(), "dump"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(bad + ": /projectInfo/nmae: unknown member \"nmae\""), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir / "out.json"));

    std::ofstream(bad) << "{\"format\": \"corvana-sim-project\",\n \"version\": 1\n";
    run = Run({"--project", bad});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find(bad + ": line 3, column 1: "), std::string::npos) << run.err;

    run = Run({"--project", (dir / "missing.json").string()});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("missing.json: cannot be read"), std::string::npos) << run.err;

    run = Run({"--addon", (dir / "missing.apx").string()});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("the add-on cannot be loaded"), std::string::npos) << run.err;
}

TEST_F(CorvanaHost, UsageErrorsEndWithStatus2BeforeAnythingStarts)
{
    const std::vector<std::vector<std::string>> usageErrors = {
        {"--no-such-option"},      {"--project"},          {"frobnicate"},           {"--seed", "-1"},
        {"--seed", "12x"},         {"--dialog", "maybe"},  {"--cancel-process", "0"}, {"menu", "32200"},
        {"menu", "x", "1"},        {"palette", "1", "9"},  {"dump", "extra"},
        {"--transcript", (dir / "t.jsonl").string(), "menu"},
    };
    for (const auto& args : usageErrors) {
        HostRun run = Run(args);
        EXPECT_EQ(run.status, 2) << args[0] << "\n" << run.err;
        EXPECT_EQ(run.out, "") << args[0];
        EXPECT_NE(run.err.find("Try 'corvana-host --help'."), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(dir / "t.jsonl")) << "the host did not start";
}

TEST_F(CorvanaHost, HelpDescribesTheOptionsAndEachCommand)
{
    HostRun help = Run({"--help"});
    ASSERT_EQ(help.status, 0);
    for (const char* expected : {"usage: corvana-host", "--project FILE", "--save FILE", "--home DIR", "--lang CODE",
                                 "--answer TEXT", "--dialog CHOICE", "--cancel-process N", "--seed N",
                                 "--transcript FILE", "--addon FILE", "dump", "menu RES ITEM", "palette REF CODE"})
        EXPECT_NE(help.out.find(expected), std::string::npos) << expected;
    for (const char* command : {"dump", "menu", "palette"}) {
        HostRun commandHelp = Run({command, "--help"});
        EXPECT_EQ(commandHelp.status, 0) << command;
        EXPECT_EQ(commandHelp.out.rfind(std::string("usage: corvana-host [OPTION...] ") + command, 0), 0u)
            << commandHelp.out;
    }
}

TEST_F(CorvanaHost, MenuAndPaletteCommandsReachTheAddOnsHandlers)
{
    const std::string transcript = (dir / "t.jsonl").string();
    HostRun menu = Run({"--transcript", transcript, "menu", "32300", "1"});
    ASSERT_EQ(menu.status, 0) << menu.err;
    EXPECT_EQ(menu.out, "menu 32300 item 1: NoError\n");
    std::vector<nlohmann::json> menus;
    std::ifstream in(transcript);
    for (std::string line; std::getline(in, line);) {
        auto event = nlohmann::json::parse(line);
        if (event["kind"] == "menu")
            menus.push_back(event);
    }
    ASSERT_EQ(menus.size(), 2u) << "the catalogue palette at start-up, then the command";
    EXPECT_EQ(menus[0]["menu"], 32200);
    EXPECT_EQ(menus[1]["menu"], 32300);

    HostRun unknownMenu = Run({"menu", "999", "1"});
    EXPECT_EQ(unknownMenu.status, 1);
    EXPECT_NE(unknownMenu.err.find("no menu handler is installed for menu 999"), std::string::npos);

    HostRun unknownPalette = Run({"palette", "12345", "is-visible"});
    EXPECT_EQ(unknownPalette.status, 1);
    EXPECT_NE(unknownPalette.err.find("no modeless window has the reference number 12345"), std::string::npos);
}

TEST_F(CorvanaHost, TheTranscriptRunsAsJsonLinesFromTheFirstEntryPointToTheRelease)
{
    const std::string transcript = (dir / "t.jsonl").string();
    HostRun run = Run({"--seed", "7", "--lang", "GER", "--answer", "OK", "--transcript", transcript});
    ASSERT_EQ(run.status, 0) << run.err;
    std::ifstream in(transcript);
    std::vector<nlohmann::json> events;
    for (std::string line; std::getline(in, line);)
        events.push_back(nlohmann::json::parse(line));
    ASSERT_GE(events.size(), 5u);
    EXPECT_EQ(events.front()["kind"], "entry");
    EXPECT_EQ(events.front()["step"], "CheckEnvironment");
    // The palettes are destroyed with the module, after the release entry point.
    nlohmann::json lastEntry;
    for (const auto& event : events)
        if (event["kind"] == "entry")
            lastEntry = event;
    EXPECT_EQ(lastEntry["step"], "FreeData");
    EXPECT_EQ(events.back()["kind"], "palette");
    EXPECT_EQ(events.back()["event"], "destroyed");
}

TEST_F(CorvanaHost, OptionsTakeTheirValueEitherWayAndBelongBeforeTheCommand)
{
    const std::string saved = (dir / "s.json").string();
    HostRun joined = Run({"--project=" + House, "--save=" + saved, "dump"});
    ASSERT_EQ(joined.status, 0) << joined.err;
    EXPECT_EQ(ReadFile(saved), joined.out);
    EXPECT_NE(joined.out.find("\"name\": \"House\""), std::string::npos);

    // After the command an option is the command's argument, which dump does not take.
    HostRun late = Run({"dump", "--project", House});
    EXPECT_EQ(late.status, 2);
    EXPECT_NE(late.err.find("usage: dump"), std::string::npos) << late.err;
}

TEST_F(CorvanaHost, AProjectThatCannotBeSavedEndsWithStatus1AfterTheCommandsOutput)
{
    fs::create_directory(dir / "taken");
    HostRun run = Run({"--project", House, "--save", (dir / "taken").string(), "dump"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("\"format\": \"corvana-sim-project\""), std::string::npos);
    EXPECT_NE(run.err.find("the project is not saved: " + (dir / "taken").string() + ": cannot replace the file"),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(fs::is_directory(dir / "taken"));
}

}  // namespace
