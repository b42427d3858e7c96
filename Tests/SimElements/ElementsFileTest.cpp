// The "elements" section of the project file: round trip and refusals.
#include "ElementFixture.hpp"

#include <gtest/gtest.h>

namespace {

using namespace SimElementsTest;

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

std::string Refusal(const std::string& text)
{
    try {
        Sim::ProjectFile::FromText(text);
    } catch (const Sim::Json::Error& e) {
        return e.Place() + ": " + e.Problem();
    }
    return "(taken)";
}

TEST(ElementsFile, SavedElementsLoadAsTheyWereAndSaveToTheSameBytes)
{
    Sim::Project project = Sim::ProjectFile::FromText(ModelText());
    Sim::Model::Element* chair = project.elements.Find(G(ChairGuid));
    ASSERT_NE(chair, nullptr);
    chair->userData = Sim::Model::AttributeUserData{1, 7, std::string("[]\0", 3)};
    const std::string saved = Sim::ProjectFile::ToText(project);
    Sim::Project loaded = Sim::ProjectFile::FromText(saved);
    EXPECT_TRUE(loaded == project);
    EXPECT_EQ(Sim::ProjectFile::ToText(loaded), saved);
    EXPECT_EQ(loaded.elements.All()[5].ownerType, API_CurtainWallFrameID) << "owners may be listed after their parts";
}

TEST(ElementsFile, RefusesWhatTheHostWouldNotHold)
{
    const std::string model = ModelText();
    EXPECT_EQ(Refusal(Replace(model, R"("type": "stair", "length": 4)", R"("type": "stair", "thickness": 4)")),
              "/elements/7/thickness: unknown member \"thickness\" (known here: \"guid\", \"type\", \"onVisibleLayer\", "
              "\"in3D\", \"ifc\", \"userData\", \"origin\", \"length\", \"width\", \"height\")");
    EXPECT_EQ(Refusal(Replace(model, R"("buildingMaterial": 1,
     "length": 5)", R"("buildingMaterial": 4,
     "length": 5)")),
              "/elements/0/buildingMaterial: no building material has the index 4");
    EXPECT_EQ(Refusal(Replace(model, R"("structure": "composite", "composite": 1,)",
                              R"("structure": "composite", "composite": 1, "thickness": 0.3,)")),
              "/elements/1/thickness: a composite element is as thick as its composite (0.36)");
    EXPECT_EQ(Refusal(Replace(model, R"("type": "wall", "structure": "basic", "buildingMaterial": 1,)",
                              R"("type": "wall", "structure": "basic",)")),
              "/elements/0: a basic structure needs a building material");
    EXPECT_EQ(Refusal(Replace(model, R"("owner": "00000000-0000-4000-8000-0000000000A6")",
                              R"("owner": "00000000-0000-4000-8000-0000000000A8")")),
              "/elements/5: the owner 00000000-0000-4000-8000-0000000000A8 is not a curtainWall of the project");
    EXPECT_EQ(Refusal(Replace(model, R"("ownerType": "curtainWallFrame",)", "")),
              "/elements/5: an object that is part of another element has both \"ownerType\" and \"owner\"");
    EXPECT_EQ(Refusal(Replace(model, R"("width": 0.9)", R"("width": -0.9)")),
              "/elements/2/width: a size cannot be negative");
    EXPECT_EQ(Refusal(Replace(model, R"("type": "door")", R"("type": "shelf")")),
              "/elements/2/type: \"shelf\" is none of \"wall\", \"slab\", \"roof\", \"column\", \"beam\", \"window\", "
              "\"door\", \"object\", \"curtainWall\", \"stair\"");
    EXPECT_EQ(Refusal(Replace(model, "0000000000A9", "0000000000A1")),
              "/elements/8/guid: GUID 00000000-0000-4000-8000-0000000000A1 is already used at /elements/0/guid");
    EXPECT_EQ(Refusal(Replace(model, R"("unId": "{D00R-1}")", R"("unId": "")")),
              "/elements/2/libraryPart/unId: a library part's unique id has 1 to 127 bytes");
}

}  // namespace
