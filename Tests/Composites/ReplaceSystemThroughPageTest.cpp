// The page's "replaceSystem" through the loaded module: the elements built of the old composite are
// changed in the order the host lists the model's elements, whatever their kinds.
#include "Support/UiSupport.hpp"

#include "Model/ProjectFile.hpp"
#include "SimUtf8.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A roof, a wall, a slab and another wall built of "Old system" (1), in that order in the model, and a
// wall of "Other system" (2).
const char* const Model = R"({"format": "corvana-sim-project", "version": 1,
  "attributes": {
    "buildingMaterials": [{"index": 1, "guid": "00000000-0000-4000-8000-000000000001", "name": "Spruce"}],
    "composites": [
      {"index": 1, "guid": "00000000-0000-4000-8000-000000000011", "name": "Old system", "usage": 1,
       "skins": [{"buildingMaterial": 1, "thickness": 0.3}], "lines": [{}, {}]},
      {"index": 2, "guid": "00000000-0000-4000-8000-000000000012", "name": "Other system", "usage": 1,
       "skins": [{"buildingMaterial": 1, "thickness": 0.2}], "lines": [{}, {}]}
    ]
  },
  "elements": [
    {"guid": "40000000-0000-4000-8000-000000000001", "type": "roof", "structure": "composite", "composite": 1,
     "length": 4, "width": 4},
    {"guid": "40000000-0000-4000-8000-000000000002", "type": "wall", "structure": "composite", "composite": 1,
     "length": 4, "height": 3},
    {"guid": "40000000-0000-4000-8000-000000000003", "type": "slab", "structure": "composite", "composite": 1,
     "length": 4, "width": 4},
    {"guid": "40000000-0000-4000-8000-000000000004", "type": "wall", "structure": "composite", "composite": 2,
     "length": 4, "height": 3},
    {"guid": "40000000-0000-4000-8000-000000000005", "type": "wall", "structure": "composite", "composite": 1,
     "length": 2, "height": 3}
  ]
})";

class ReplaceSystemThroughPage : public QRVTest::UiFixture {};

TEST_F(ReplaceSystemThroughPage, ChangesTheUsersInTheOrderOfTheModelsOneList)
{
    host->GetProject() = Sim::ProjectFile::FromText(Model);
    ASSERT_EQ(Menu(32200, 1), NoError);
    host->GetTranscript().Clear();
    const std::string payload =
        R"({"data":{"import_type":"system","id":9,"name":"New system","system_type":"Wall","updated_at":5,)"
        R"("tabs":[],"materials":[{"articles":[{"id":3,"name":"New skin","updated_at":1,"tabs":[]}]}],)"
        R"("layers":[{"layer_type":"Core","thickness":20}],"replace_id":"1"}})";
    Sim::JsCallResult result = CallPage("replaceSystem", QRVTest::JsText(payload));
    ASSERT_TRUE(result.called) << result.problem;
    EXPECT_EQ(QRVTest::ReplyText(result), R"({"IsError":false,"ShowError":false})");

    std::vector<std::string> changed;
    for (const auto& event : QRVTest::EventsWhere(*host, "element", "event", "changed")) {
        const std::string guid = event["guid"].get<std::string>();
        if (changed.empty() || changed.back() != guid)
            changed.push_back(guid);
    }
    EXPECT_EQ(changed, (std::vector<std::string>{"40000000-0000-4000-8000-000000000001",
                                                 "40000000-0000-4000-8000-000000000002",
                                                 "40000000-0000-4000-8000-000000000003",
                                                 "40000000-0000-4000-8000-000000000005"}))
        << "roof, wall, slab, wall: as the model lists them, not walls first";
}

}  // namespace
