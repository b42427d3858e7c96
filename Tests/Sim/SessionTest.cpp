// A session set up as the command-line host sets it up: project file, add-on start, special folders,
// alert answers, saving and the transcript.
#include "Session.hpp"

#include "GSDebug.hpp"
#include "Model/ProjectFile.hpp"
#include "SimFixture.hpp"

#include <algorithm>
#include <fstream>

namespace {

using SimTest::TempFolder;

Sim::SessionOptions Options(const TempFolder& folder)
{
    Sim::SessionOptions options;
    options.modulePath = CORVANA_MODULE_PATH;
    options.host.home = folder / "home";
    return options;
}

void WriteProject(const std::string& path, const std::string& name)
{
    std::ofstream(path) << R"({"format": "corvana-sim-project", "version": 1, "projectInfo": {"name": ")" << name
                        << R"("}, "attributes": {"buildingMaterials": [
        {"index": 1, "guid": "7A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3", "name": "Brick"}]}})";
}

TEST(Session, StartsTheAddOnWithTheProjectAndOpensTheCataloguePalette)
{
    TempFolder folder;
    WriteProject(folder / "p.json", "House");
    Sim::SessionOptions options = Options(folder);
    options.projectFile = folder / "p.json";
    options.transcriptFile = folder / "transcript.jsonl";
    Sim::Session session(options);
    std::string error;
    ASSERT_TRUE(session.Start(&error)) << error;
    EXPECT_EQ(session.GetStage(), Sim::Session::Stage::Running);
    EXPECT_EQ(session.GetHost().GetProject().info.name, "House");
    EXPECT_NE(session.GetHost().GetProject().attributes.buildingMaterials.FindByName("Brick"), nullptr);
    for (const char* name : {"Documents", "Temp", "Programs"})
        EXPECT_TRUE(std::filesystem::is_directory(folder / ("home/" + std::string(name)))) << name;
    EXPECT_EQ(session.GetHost().GetSpecialFolders().Path(6), folder / "home/Documents");

    auto menus = session.GetHost().GetTranscript().EventsOfKind("menu");
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0]["menu"], 32200);
    EXPECT_EQ(menus[0]["item"], 1);

    ASSERT_TRUE(session.SaveProject(folder / "saved.json", &error)) << error;
    ASSERT_TRUE(session.Finish(&error)) << error;
    EXPECT_EQ(session.Module(), nullptr);
    EXPECT_TRUE(Sim::ProjectFile::Load(folder / "saved.json") == Sim::ProjectFile::Load(folder / "p.json"));

    // The transcript has one JSON object per line, from the entry points to the release.
    std::ifstream in(folder / "transcript.jsonl");
    std::vector<std::string> steps;
    for (std::string line; std::getline(in, line);) {
        auto event = nlohmann::json::parse(line);
        if (event["kind"] == "entry")
            steps.push_back(event["step"]);
    }
    EXPECT_EQ(steps, (std::vector<std::string>{"CheckEnvironment", "RegisterInterface", "Initialize", "FreeData"}));
}

TEST(Session, ARefusedProjectFileStopsTheStartBeforeTheAddOnLoads)
{
    TempFolder folder;
    std::ofstream(folder / "bad.json") << R"({"format": "corvana-sim-project", "version": 1, "colour": 1})";
    Sim::SessionOptions options = Options(folder);
    options.projectFile = folder / "bad.json";
    Sim::Session session(options);
    std::string error;
    EXPECT_FALSE(session.Start(&error));
    EXPECT_NE(error.find(folder / "bad.json" + ": /colour: unknown member"), std::string::npos) << error;
    EXPECT_EQ(session.Module(), nullptr);
    EXPECT_EQ(session.GetStage(), Sim::Session::Stage::Failed);
    EXPECT_TRUE(session.GetHost().GetTranscript().EventsOfKind("entry").empty());
}

TEST(Session, AnAddOnThatCannotLoadIsNamed)
{
    TempFolder folder;
    Sim::SessionOptions options = Options(folder);
    options.modulePath = folder / "missing.apx";
    Sim::Session session(options);
    std::string error;
    EXPECT_FALSE(session.Start(&error));
    EXPECT_NE(error.find("the add-on cannot be loaded"), std::string::npos) << error;
    EXPECT_NE(error.find("missing.apx"), std::string::npos) << error;
}

TEST(Session, AFailingEntryPointIsNamedWithItsErrorAndNothingIsReleased)
{
    TempFolder folder;
    Sim::Session session(Options(folder));
    session.GetHost().GetFaults().FailNext("ACAPI_MenuItem_RegisterMenu", APIERR_REFUSEDCMD);
    std::string error;
    EXPECT_FALSE(session.Start(&error));
    EXPECT_EQ(error, "the add-on's RegisterInterface entry point failed with APIERR_REFUSEDCMD (0x81060388)");
    session.Finish();
    for (const auto& event : session.GetHost().GetTranscript().EventsOfKind("entry"))
        EXPECT_NE(event["step"], "FreeData");
}

TEST(Session, AlertsTakeTheScriptedAnswersInOrderAndThenTellWhenNoneIsLeft)
{
    TempFolder folder;
    Sim::SessionOptions options = Options(folder);
    options.alertAnswers = {"Reject", "Continue"};
    std::vector<std::string> notes;
    options.onUnansweredAlert = [&notes](const std::string& note) { notes.push_back(note); };
    Sim::Session session(options);
    std::string error;
    ASSERT_TRUE(session.Start(&error)) << error;
    Sim::Host& host = session.GetHost();
    EXPECT_EQ(host.ShowAlert("warning", "", "Replace?", "Continue", "Reject", ""), 2);
    EXPECT_EQ(host.ShowAlert("warning", "", "Replace?", "Continue", "Reject", ""), 1);
    EXPECT_TRUE(notes.empty());
    EXPECT_EQ(host.ShowAlert("warning", "", "Replace?", "Continue", "Reject", ""), 1);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("no answer left"), std::string::npos);
}

TEST(Session, AHostThatRecordsNothingStillKeepsItsDebugOutputUntilItIsCleared)
{
    Sim::Host host(Sim::HostOptions{});
    host.DebugOutput("first line\nhalf ");
    host.GetTranscript().SetRecording(false);
    host.DebugOutput("a line\n");
    host.ShowAlert("note", "", "Saved", "OK", "", "");
    EXPECT_EQ(host.GetTranscript().EventsOfKind("debug").size(), 1u) << "only what came while recording";
    EXPECT_TRUE(host.GetTranscript().EventsOfKind("alert").empty());
    EXPECT_EQ(host.DebugText(), "first line\nhalf a line\n");
    host.ClearDebugText();
    EXPECT_EQ(host.DebugText(), "");
    host.GetTranscript().SetRecording(true);
    host.DebugOutput("next\n");
    const auto debug = host.GetTranscript().EventsOfKind("debug");
    ASSERT_EQ(debug.size(), 2u);
    EXPECT_EQ(debug[1]["text"], "next") << "no half line left over from before the clearing";
}

TEST(Session, DebugLinesKeepTheirPlaceAmongTheOtherEventsAndTheirWholeText)
{
    Sim::Host host(Sim::HostOptions{});
    const std::string longWord(700, 'x');  // longer than a line the host formats in one pass
    DBPrintf("before %d\n", 1);
    host.ShowAlert("note", "", "Saved", "OK", "", "");
    DBPrintf("after %s\n", longWord.c_str());
    const auto& events = host.GetTranscript().Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0]["kind"], "debug");
    EXPECT_EQ(events[0]["text"], "before 1");
    EXPECT_EQ(events[1]["kind"], "alert");
    EXPECT_EQ(events[2]["text"], "after " + longWord);
    const std::string lines = host.GetTranscript().ToJsonLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 3);
    EXPECT_LT(lines.find("before 1"), lines.find("Saved"));

    DBPrintf("dropped\n");
    host.GetTranscript().Clear();
    EXPECT_TRUE(host.GetTranscript().Events().empty()) << "a line not yet read is cleared too";
}

TEST(SpecialFolders, WithoutAHomeAFreshFolderIsMadeAndRemovedWithTheHost)
{
    std::string documents;
    {
        Sim::Host host(Sim::HostOptions{});
        documents = host.GetSpecialFolders().Path(Sim::SpecialFolders::Documents);
        ASSERT_FALSE(documents.empty());
        EXPECT_TRUE(std::filesystem::is_directory(documents));
        EXPECT_EQ(std::filesystem::path(documents).filename(), "Documents");
        std::string error;
        EXPECT_TRUE(host.GetSpecialFolders().Path(5, &error).empty());
        EXPECT_NE(error.find("5"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(documents).parent_path()));

    // A given home stays, and a folder removed meanwhile is made again.
    TempFolder folder;
    {
        Sim::HostOptions options;
        options.home = folder / "home";
        Sim::Host host(options);
        std::string temp = host.GetSpecialFolders().Path(Sim::SpecialFolders::Temporary);
        EXPECT_EQ(temp, folder / "home/Temp");
        std::filesystem::remove(temp);
        EXPECT_EQ(host.GetSpecialFolders().Path(Sim::SpecialFolders::Temporary), temp);
        EXPECT_TRUE(std::filesystem::is_directory(temp));
        EXPECT_EQ(host.GetSpecialFolders().Path(38), folder / "home/Programs");
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder / "home/Temp"));
}

}  // namespace
