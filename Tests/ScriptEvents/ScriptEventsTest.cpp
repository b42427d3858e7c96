// Catalogue properties following the model, driven as a person drives the host: `corvana-host script` with
// page calls and user actions on the sample house, checked in the printed lines and in the saved project.
#include "ScriptFixture.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace ScriptTest;

class ScriptEvents : public ScriptFixture {};

const std::string Begin = "### Element_Manager: Begin Events notification on database \"Floor Plan\"";
const std::string End = "### Element_Manager: End Events notification on database \"Floor Plan\"";

TEST_F(ScriptEvents, AWallOfAnImportedSystemIsStampedAtOnceAndAPlainCompositeResetsItsCorvanaValues)
{
    const json wall = {{"type", "wall"}, {"structure", "composite"}, {"composite", TimberFrameComposite},
                       {"length", 3}, {"height", 2.5}};
    HostRun run = RunScript(House,
                            json::array({{{"answer", "Continue"}},
                                         {{"call", "import"}, {"textFile", WallSystem}},
                                         {{"place", wall}},
                                         {{"place", wall}},
                                         {{"change", "@4"}, {"fields", {{"composite", RoofComposite}}}}}),
                            "walls.json");
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const std::vector<json> lines = JsonLines(run.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1]["reply"], "{\"IsError\":false,\"ShowError\":true}");
    const std::string kept = lines[2]["guid"];
    const std::string changed = lines[3]["guid"];
    using Seen = std::vector<std::tuple<int, std::string, int>>;
    EXPECT_EQ(Notifications(lines[2]), (Seen{{-1, "", 0}, {1, kept, 0}, {-2, "", 0}}));
    EXPECT_EQ(Notifications(lines[4]), (Seen{{-1, "", 0}, {3, changed, 0}, {-2, "", 0}}));
    // Walls are handled without element lines of their own.
    EXPECT_EQ(DebugTexts(lines[2]), (std::vector<std::string>{Begin, End}));

    const json saved = Saved("walls.json");
    const Values stamped = ValuesOf(saved, kept);
    EXPECT_EQ(stamped.at("Corvana/name"), "Timber frame wall TF-240");
    EXPECT_EQ(stamped.at("Corvana/id"), "1402");
    EXPECT_EQ(stamped.at("Corvana/updated_at"), "1700000000");
    EXPECT_EQ(stamped.at("Performance/U-value"), "0.17");
    EXPECT_EQ(stamped.at("Performance/Fire resistance"), "REI 60");
    EXPECT_TRUE(IsClassifiedCorvana(saved, kept));

    ASSERT_FALSE(saved["attributes"]["composites"][RoofComposite - 1].contains("userData"));
    const Values reset = ValuesOf(saved, changed);
    for (const char* name : {"Corvana/name", "Corvana/id", "Corvana/updated_at"})
        EXPECT_EQ(reset.count(name), 0u) << name << " keeps " << reset.at(name) << " instead of its default";
    EXPECT_EQ(FindElement(saved, changed)->at("composite"), RoofComposite);

    // What a saved project holds opens again with the same values.
    HostRun reopened = RunAtHome({"--project", (dir / "walls.json").string(), "--save", (dir / "again.json").string(),
                                  "dump"});
    ASSERT_EQ(reopened.status, 0) << reopened.err;
    EXPECT_EQ(QRVTest::ReadWholeFile(dir / "again.json"), QRVTest::ReadWholeFile(dir / "walls.json"));
}

// Placing, copying and changing a wall of a catalogue system, with the host refusing every change made
// outside a command it accepts: each wall still ends with its classification, user data and values.
TEST_F(ScriptEvents, AWallOfACatalogueSystemPlacedCopiedAndChangedKeepsTheHostsCommandRules)
{
    const json wall = {{"type", "wall"}, {"structure", "composite"}, {"composite", TimberFrameComposite},
                       {"length", 3}, {"height", 2.5}};
    const fs::path transcript = dir / "t.jsonl";
    HostRun run = RunScript(House,
                            json::array({{{"answer", "Continue"}},
                                         {{"call", "import"}, {"textFile", WallSystem}},
                                         {{"place", wall}},
                                         {{"copy", "@3"}},
                                         {{"change", "@4"}, {"fields", {{"composite", RoofComposite}}}}}),
                            "copied.json", {"--transcript", transcript.string()});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const std::vector<json> lines = JsonLines(run.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1]["reply"], "{\"IsError\":false,\"ShowError\":true}");
    const std::string placed = lines[2]["guid"];
    const std::string copy = lines[3]["guid"];
    ASSERT_NE(placed, copy);

    // Nothing the add-on did, neither the import's stamping of the house's walls nor the notification
    // handlers, was refused; the handlers opened no undoable command of their own.
    QRVTest::ExpectNoRefusedHostCall(transcript);
    std::ifstream in(transcript);
    for (std::string line; std::getline(in, line);)
        EXPECT_EQ(line.find("\"refused\""), std::string::npos) << line;

    const json saved = Saved("copied.json");
    const Values stamped = ValuesOf(saved, placed);
    EXPECT_EQ(stamped.at("Corvana/name"), "Timber frame wall TF-240");
    EXPECT_EQ(stamped.at("Corvana/id"), "1402");
    EXPECT_EQ(stamped.at("Performance/U-value"), "0.17");
    EXPECT_EQ(stamped.at("Performance/Fire resistance"), "REI 60");
    EXPECT_TRUE(IsClassifiedCorvana(saved, placed));
    EXPECT_TRUE(IsClassifiedCorvana(saved, copy)) << "the copy was classified while it was placed";
    const Values reset = ValuesOf(saved, copy);
    for (const char* name : {"Corvana/name", "Corvana/id", "Corvana/updated_at"})
        EXPECT_EQ(reset.count(name), 0u) << name << " keeps " << reset.at(name) << " instead of its default";
    EXPECT_EQ(FindElement(saved, copy)->at("composite"), RoofComposite);

    // The house's walls of the system were stamped by the import: classified, with the system's stored
    // properties as element user data and its values.
    int stampedWalls = 0;
    for (const auto& element : saved["elements"]) {
        if (element["guid"] == placed || element["guid"] == copy || element.value("type", "") != "wall" ||
            element.value("composite", 0) != TimberFrameComposite)
            continue;
        ++stampedWalls;
        const std::string guid = element["guid"];
        EXPECT_TRUE(IsClassifiedCorvana(saved, guid)) << guid;
        EXPECT_EQ(ValuesOf(saved, guid).at("Corvana/id"), "1402") << guid;
        ASSERT_TRUE(element.contains("userData")) << element.dump();
        EXPECT_NE(element["userData"].value("text", "").find("\"1402\""), std::string::npos) << element.dump();
    }
    EXPECT_GT(stampedWalls, 0) << "the house has walls of the system";
}

TEST_F(ScriptEvents, ObjectsOfAnImportedLibraryPartAreStampedWhenPlacedCopiedAndImportedAgain)
{
    HostRun imported = RunScript(House, json::array({{{"call", "import"}, {"textFile", ChairPayload("42")}}}),
                                 "chair.json");
    ASSERT_EQ(imported.status, 0) << imported.err << imported.out;
    ASSERT_EQ(JsonLines(imported.out).at(0)["reply"], "{\"IsError\":false,\"ShowError\":true}");
    const json part = Saved("chair.json")["libraries"]["parts"].at(0);
    const json object = {{"type", "object"},
                         {"libraryPart", {{"index", 1}, {"unId", part["uniqueId"]}}},
                         {"length", 0.8}, {"width", 0.8}, {"height", 0.9},
                         {"ifc", json::array({{{"name", "Name"}, {"value", "Lounge chair"}}})}};
    const json plain = {{"type", "object"}, {"length", 1}, {"width", 1}, {"height", 1}};

    HostRun placed = RunScript((dir / "chair.json").string(),
                               json::array({{{"place", object}}, {{"copy", "@1"}}, {{"place", plain}}}), "placed.json");
    ASSERT_EQ(placed.status, 0) << placed.err << placed.out;
    const std::vector<json> lines = JsonLines(placed.out);
    ASSERT_EQ(lines.size(), 3u);
    const std::string original = lines[0]["guid"], copy = lines[1]["guid"], other = lines[2]["guid"];
    using Seen = std::vector<std::tuple<int, std::string, int>>;
    EXPECT_EQ(Notifications(lines[1]), (Seen{{-1, "", 0}, {1, copy, 0}, {2, copy, 0}, {-2, "", 0}}));

    const json saved = Saved("placed.json");
    for (const std::string& guid : {original, copy}) {
        const Values values = ValuesOf(saved, guid);
        EXPECT_EQ(values.size(), 6u) << guid;
        EXPECT_EQ(values.count("Corvana/name") ? values.at("Corvana/name") : "", "Lounge Chair") << guid;
        EXPECT_EQ(values.count("General/Manufacturer") ? values.at("General/Manufacturer") : "", "Sitzmöbel Nord")
            << guid;
        EXPECT_EQ(values.count("General/Seat height") ? values.at("General/Seat height") : "", "42") << guid;
        EXPECT_TRUE(IsClassifiedCorvana(saved, guid)) << guid;
    }
    EXPECT_TRUE(ValuesOf(saved, other).empty()) << "an object of no library part receives nothing";

    // A newer catalogue version of the part reaches the objects already placed from it.
    HostRun again = RunScript((dir / "placed.json").string(),
                              json::array({{{"call", "import"}, {"textFile", ChairPayload("45")}}}), "again.json",
                              {"--answer", "Continue"});
    ASSERT_EQ(again.status, 0) << again.err << again.out;
    const json line = JsonLines(again.out).at(0);
    EXPECT_EQ(line["reply"], "{\"IsError\":false,\"ShowError\":true}");
    const std::vector<std::string> debug = DebugTexts(line);
    EXPECT_EQ(std::count(debug.begin(), debug.end(), "The element is not GDL based!"), 1) << line.dump();
    const json updated = Saved("again.json");
    for (const std::string& guid : {original, copy})
        EXPECT_EQ(ValuesOf(updated, guid)["General/Seat height"], "45") << guid;
    EXPECT_TRUE(ValuesOf(updated, other).empty());
}

TEST_F(ScriptEvents, DeletingAnElementWritesItsLineAndChangesNothingElse)
{
    // The host tells observers of an element about its deletion; the add-on observes what is placed. The
    // same seed gives both runs the same GUIDs, so the runs differ by the deletions alone.
    const json door = {{"type", "door"}, {"width", 0.9}, {"height", 2.1}, {"thickness", 0.24}};
    const json wall = {{"type", "wall"}, {"structure", "basic"}, {"buildingMaterial", 2}, {"length", 2},
                       {"height", 2.5}, {"thickness", 0.1}};
    const json placing = json::array({{{"answer", "Continue"}},
                                      {{"call", "import"}, {"textFile", WallSystem}},
                                      {{"place", door}},
                                      {{"place", wall}}});
    HostRun before = RunScript(House, placing, "before.json");
    ASSERT_EQ(before.status, 0) << before.err << before.out;
    const std::string logBefore = QRVTest::ReadWholeFile(dir / "log.txt");
    fs::remove(dir / "log.txt");

    json deleting = placing;
    deleting.push_back({{"delete", "@3"}});
    deleting.push_back({{"delete", "@4"}});
    HostRun run = RunScript(House, deleting, "after.json", {"--transcript", (dir / "t.jsonl").string()});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const std::vector<json> lines = JsonLines(run.out);
    ASSERT_EQ(lines.size(), 6u);
    const std::string doorGuid = lines[2]["guid"], wallGuid = lines[3]["guid"];
    using Seen = std::vector<std::tuple<int, std::string, int>>;
    EXPECT_EQ(Notifications(lines[4]), (Seen{{-1, "", 0}, {5, doorGuid, 0}, {-2, "", 0}}));
    EXPECT_EQ(DebugTexts(lines[4]),
              (std::vector<std::string>{Begin, "### Element_Manager: <Door> deleted {" + doorGuid + "}", End}));
    // A wall's notifications go to the handler of placed walls, which leaves deletions alone.
    EXPECT_EQ(Notifications(lines[5]), (Seen{{-1, "", 0}, {5, wallGuid, 0}, {-2, "", 0}}));
    EXPECT_EQ(DebugTexts(lines[5]), (std::vector<std::string>{Begin, End}));
    EXPECT_EQ(EventKinds(lines[4]), (std::vector<std::string>{"userAction", "debug", "notification", "debug",
                                                               "notification", "debug", "notification"}))
        << lines[4].dump();
    EXPECT_EQ(EventKinds(lines[5]),
              (std::vector<std::string>{"userAction", "debug", "notification", "notification", "debug", "notification"}))
        << lines[5].dump();
    EXPECT_NE(QRVTest::ReadWholeFile(dir / "t.jsonl").find("<Door> deleted {" + doorGuid + "}"), std::string::npos);
    // The add-on's log (its lines carry the time) has as many lines as after the run without deletions.
    const std::string log = QRVTest::ReadWholeFile(dir / "log.txt");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), std::count(logBefore.begin(), logBefore.end(), '\n')) << log;

    json expected = Saved("before.json");
    auto& elements = expected["elements"];
    elements.erase(std::remove_if(elements.begin(), elements.end(),
                                  [&](const json& e) { return e["guid"] == doorGuid || e["guid"] == wallGuid; }),
                   elements.end());
    EXPECT_EQ(Saved("after.json"), expected);
}

}  // namespace
