// One click, one undo: each page call that changes the project is one step of the user's undo history,
// and undoing it takes back everything undoable it wrote, as `corvana-host script` shows it.
#include "ScriptFixture.hpp"

#include <string>
#include <vector>

namespace {

using namespace ScriptTest;

class UndoSteps : public ScriptFixture {
protected:
    // The names of the add-on's undo steps a script line shows (the user's undo and redo name no step).
    static std::vector<std::string> StepsOf(const json& line)
    {
        std::vector<std::string> names;
        for (const auto& event : line["shown"])
            if (event["kind"] == "undo" && event.contains("name"))
                names.push_back(event["name"]);
        return names;
    }

    // The last line of a script run on `project` that must succeed, its transcript checked for refusals.
    json LastLine(const std::string& project, const json& steps, const std::string& save,
                  std::vector<std::string> options = {})
    {
        const fs::path transcript = dir / (save + ".jsonl");
        options.insert(options.end(), {"--transcript", transcript.string()});
        HostRun run = RunScript(project, steps, save, options);
        EXPECT_EQ(run.status, 0) << run.err << run.out;
        QRVTest::ExpectNoRefusedHostCall(transcript);
        const std::vector<json> lines = JsonLines(run.out);
        return lines.empty() ? json::object() : lines.back();
    }

    // The wall system again, under a new name, replacing the composite the house's two walls are built of.
    std::string ReplacementPayload() const
    {
        json payload = json::parse(QRVTest::ReadWholeFile(WallSystem));
        payload["data"]["name"] = "Timber frame wall TF-300";
        payload["data"]["id"] = 1403;
        payload["data"]["replace_id"] = std::to_string(TimberFrameComposite);
        return WriteFile("replace-system.json", payload.dump());
    }

    // The attributes of a saved project without what is attached to them.
    static json WithoutAttached(json attributes)
    {
        for (auto& table : attributes)
            for (auto& attribute : table)
                attribute.erase("attached");
        return attributes;
    }

    static json Continue() { return {{"answer", "Continue"}}; }
    static json Call(const std::string& function, const std::string& file)
    {
        return {{"call", function}, {"textFile", file}};
    }
};

using Steps = std::vector<std::string>;

TEST_F(UndoSteps, EachImportOfTheSampleHouseIsOneNamedStep)
{
    EXPECT_EQ(StepsOf(LastLine(House, json::array({Call("import", Examples + "/payloads/01-material-clay-brick.json")}),
                               "material.json")),
              Steps{"Create material property"});
    EXPECT_EQ(StepsOf(LastLine(House, json::array({Continue(), Call("import", WallSystem)}), "system.json")),
              Steps{"Create property definition"});

    const json line = LastLine(House,
                               json::array({Continue(), Continue(), Continue(), Continue(),
                                            Call("replaceSystem", ReplacementPayload())}),
                               "replaced.json");
    EXPECT_EQ(StepsOf(line), Steps{"Replace construction system"});
    const json saved = Saved("replaced.json");
    int replacement = 0;
    for (const auto& composite : saved["attributes"]["composites"])
        if (composite["name"] == "Timber frame wall TF-300")
            replacement = composite["index"];
    int rebuilt = 0;
    for (const auto& element : saved["elements"])
        if (element.value("type", "") == "wall" && element.value("composite", 0) == replacement)
            ++rebuilt;
    EXPECT_EQ(rebuilt, 2) << "both walls of the old system are rebuilt within that one step";
}

TEST_F(UndoSteps, MaterialsProductsAndADeclinedImportAreAtMostOneStep)
{
    json brick = json::parse(QRVTest::ReadWholeFile(Examples + "/payloads/01-material-clay-brick.json"));
    json& articles = brick["data"]["articles"];
    articles.push_back(articles[0]);
    articles[1]["id"] = 4102;
    const std::string twoArticles = WriteFile("two-articles.json", brick.dump());
    // The second article has the first one's name: its question comes between the two writes.
    EXPECT_EQ(StepsOf(LastLine(House, json::array({Continue(), Call("import", twoArticles)}), "two.json")),
              Steps{"Create material property"});

    json skin = json::parse(QRVTest::ReadWholeFile(Examples + "/payloads/01-material-clay-brick.json"));
    skin["data"]["articles"][0]["system_internal_id"] = std::to_string(TimberFrameComposite);
    skin["data"]["articles"][0]["layer_index"] = "1";
    skin["data"]["articles"][0]["internal_layer_index"] = 0;
    const json skinLine = LastLine(
        House, json::array({Call("replaceMaterialUsedInConstructionSystem", WriteFile("skin.json", skin.dump()))}),
        "skin.json");
    EXPECT_EQ(StepsOf(skinLine), Steps{"Replace construction system"});

    EXPECT_EQ(StepsOf(LastLine(House, json::array({Call("import", Examples + "/payloads/05-stair.json")}),
                               "stair.json")),
              Steps{"Create group properties"})
        << "the house's stair of that name is stamped";
    // Declined before anything is written: no step.
    EXPECT_EQ(StepsOf(LastLine(House, json::array({{{"answer", "Reject"}}, Call("import", WallSystem)}),
                               "declined.json")),
              Steps{});
}

TEST_F(UndoSteps, ASystemOnAGeneratedModelAndABulkRunOfFourSystemsAreOneStepEach)
{
    const std::string model = (dir / "model.json").string();
    const fs::path payloads = dir / "payloads";
    HostRun generated = RunAtHome({"--save", model, "generate", "--elements", "200", "--systems", "4", "--payloads",
                                   payloads.string()});
    ASSERT_EQ(generated.status, 0) << generated.err;

    const json single = LastLine(model, json::array({Continue(), Continue(), Continue(), Continue(),
                                                     Call("import", (payloads / "system-0001.json").string())}),
                                 "single.json");
    EXPECT_EQ(StepsOf(single), Steps{"Create property definition"});
    EXPECT_EQ(single["reply"], "{\"IsError\":false,\"ShowError\":true}");

    const json bulk = LastLine(model,
                               json::array({{{"dialog", "model"}},
                                            Call("bulkImport", (payloads / "bulk-systems.json").string())}),
                               "bulk.json");
    EXPECT_EQ(StepsOf(bulk), Steps{"Create property definition"});
    ASSERT_TRUE(bulk["reply"].is_string());
    EXPECT_EQ(json::parse(bulk["reply"].get<std::string>()).size(), 4u) << "one status per system";
}

TEST_F(UndoSteps, UndoTakesBackTheWholeImportAndThenTheUsersActionBeforeIt)
{
    const json wall = {{"type", "wall"}, {"structure", "composite"}, {"composite", TimberFrameComposite},
                       {"length", 3}, {"height", 2.5}};
    const json placed = json::array({{{"place", wall}}});
    json imported = placed;
    imported.push_back(Continue());
    imported.push_back(Call("import", WallSystem));
    json undone = imported;
    undone.push_back({{"undo", true}});
    json twiceUndone = undone;
    twiceUndone.push_back({{"undo", true}});
    json redone = undone;
    redone.push_back({{"redo", true}});

    // The same seed gives every run the same GUIDs: the runs differ by what was undone alone.
    LastLine(House, json::array(), "house.json");
    LastLine(House, placed, "placed.json");
    LastLine(House, imported, "imported.json");
    const json undoLine = LastLine(House, undone, "undone.json");
    const json secondUndoLine = LastLine(House, twiceUndone, "twice.json");
    const json redoLine = LastLine(House, redone, "redone.json");

    // The import stamped the house's walls of the system and the placed one.
    const json afterImport = Saved("imported.json");
    int stamped = 0;
    for (const auto& element : afterImport["elements"])
        if (ValuesOf(afterImport, element["guid"]).count("Performance/U-value") != 0)
            ++stamped;
    ASSERT_EQ(stamped, 3);

    EXPECT_EQ(undoLine["shown"].at(0), json({{"kind", "undo"}, {"step", "Create property definition"}}));
    const json afterUndo = Saved("undone.json");
    EXPECT_EQ(afterUndo["elements"], Saved("placed.json")["elements"])
        << "every stamped value, classification and user data of the walls is gone";
    EXPECT_EQ(afterUndo["properties"], Saved("placed.json")["properties"]);
    // The materials and the composite written stay, with their user data: they are no undoable writes.
    // The skin materials' classification and values go with the step.
    EXPECT_EQ(WithoutAttached(afterUndo["attributes"]), WithoutAttached(afterImport["attributes"]));
    for (const auto& material : afterUndo["attributes"]["buildingMaterials"])
        EXPECT_FALSE(material.contains("attached")) << material.dump();

    EXPECT_EQ(secondUndoLine["shown"].at(0), json({{"kind", "undo"}, {"step", "place"}}));
    EXPECT_EQ(Saved("twice.json")["elements"], Saved("house.json")["elements"]);

    EXPECT_EQ(redoLine["shown"].at(0), json({{"kind", "redo"}, {"step", "Create property definition"}}));
    EXPECT_EQ(Saved("redone.json")["elements"], afterImport["elements"]);
    EXPECT_EQ(Saved("redone.json")["properties"], afterImport["properties"]);
}

}  // namespace
