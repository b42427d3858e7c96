// The module's element notifications, with the module loaded as the host loads it and the user acting on
// the model through the simulated host.
#include "ElementActions.hpp"
#include "Model/ProjectFile.hpp"
#include "ModelState.hpp"
#include "Support/ModuleFixture.hpp"
#include "SimUtf8.hpp"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace {

using Json = Sim::Json::Value;

constexpr const char* Properties =
    R"([{\"group\":\"Corvana\",\"name\":\"id\",\"unit\":\"\",\"type\":\"string\",\"value\":\"42\"},)"
    R"({\"group\":\"Corvana\",\"name\":\"Manufacturer\",\"unit\":\"\",\"type\":\"string\",\"value\":\"Brick Co\"}])";

// Brick (1) without user data; "Catalogue wall" (1) whose user data holds two catalogue properties, and
// "Plain wall" (2) without.
std::string Model()
{
    return std::string(R"({"format": "corvana-sim-project", "version": 1,
  "attributes": {
    "buildingMaterials": [{"index": 1, "guid": "00000000-0000-4000-8000-000000000001", "name": "Brick"}],
    "composites": [
      {"index": 1, "guid": "00000000-0000-4000-8000-000000000003", "name": "Catalogue wall", "usage": 1,
       "skins": [{"buildingMaterial": 1, "thickness": 0.3}], "lines": [{}, {}],
       "userData": {"dataVersion": 1, "platformSign": 0, "text": ")") +
           Properties + R"("}},
      {"index": 2, "guid": "00000000-0000-4000-8000-000000000004", "name": "Plain wall", "usage": 1,
       "skins": [{"buildingMaterial": 1, "thickness": 0.2}], "lines": [{}, {}]}
    ]
  }
})";
}

class ElementEvents : public QRVTest::ModuleFixture {
protected:
    void SetUp() override
    {
        QRVTest::ModuleFixture::SetUp();
        host->GetProject() = Sim::ProjectFile::FromText(Model());
    }

    API_Guid Place(const std::string& element)
    {
        API_Guid placed{};
        std::string problem;
        EXPECT_TRUE(Actions().Place(Json::parse(element), &placed, &problem)) << problem;
        return placed;
    }

    Sim::ElementActions Actions() { return Sim::ElementActions(*host); }

    // The module's element lines in the debug output since the last call.
    std::vector<std::string> NewLines()
    {
        std::vector<std::string> lines;
        std::istringstream in(host->DebugText().substr(seen_));
        seen_ = host->DebugText().size();
        for (std::string line; std::getline(in, line);)
            if (line.rfind("### Element_Manager:", 0) == 0)
                lines.push_back(line);
        return lines;
    }

    const Sim::Model::Element& Element(const API_Guid& guid) { return *host->GetProject().elements.Find(guid); }

    static std::string T(const API_Guid& guid) { return Sim::Utf8(APIGuidToString(guid)); }

    size_t seen_ = 0;
};

const std::string Begin = "### Element_Manager: Begin Events notification on database \"Floor Plan\"";
const std::string End = "### Element_Manager: End Events notification on database \"Floor Plan\"";
using Lines = std::vector<std::string>;

TEST_F(ElementEvents, EveryKindOfAnObjectWritesItsLine)
{
    const API_Guid chair = Place(R"({"type": "object", "length": 0.5, "width": 0.5, "height": 0.9})");
    const std::string c = T(chair);
    EXPECT_EQ(NewLines(), (Lines{Begin, "### Element_Manager: <Object> created {" + c + "}", End}));
    EXPECT_EQ(Sim::TheModelState(*host).observed.count(chair), 1u) << "a created element is observed from now on";

    std::string problem;
    ASSERT_TRUE(Actions().Change(chair, Json::parse(R"({"height": 1})"), &problem)) << problem;
    ASSERT_TRUE(Actions().Edit(chair, {1, 0, 0}, &problem));
    ASSERT_TRUE(Actions().SetPropertyValue(chair, chair, "x", &problem));
    ASSERT_TRUE(Actions().SetClassification(chair, chair, chair, &problem));
    EXPECT_EQ(NewLines(), (Lines{Begin, "### Element_Manager: <Object> window/door changed {" + c + "}", End, Begin,
                                 "### Element_Manager: <Object> edited in place {" + c + "}", End, Begin,
                                 "### Element_Manager: <Object> property value changed {" + c + "}", End, Begin,
                                 "### Element_Manager: <Object> classification changed {" + c + "}", End}));

    API_Guid copy{};
    ASSERT_TRUE(Actions().Copy(chair, &copy, &problem));
    const std::string k = T(copy);
    EXPECT_EQ(NewLines(), (Lines{Begin, "### Element_Manager: <Object> created {" + k + "} as a copy of {" + c + "}",
                                 "### Element_Manager: <Object> copied {" + k + "} from {" + c + "}", End}));

    ASSERT_TRUE(Actions().Delete(chair, &problem));
    ASSERT_TRUE(Actions().Undo(&problem));
    ASSERT_TRUE(Actions().Redo(&problem));
    EXPECT_EQ(NewLines(), (Lines{Begin, "### Element_Manager: <Object> deleted {" + c + "}", End, Begin,
                                 "### Element_Manager: undone <Object> deleted {" + c + "}", End, Begin,
                                 "### Element_Manager: redone <Object> deleted {" + c + "}", End}));
}

TEST_F(ElementEvents, ADeletedElementOnlyWritesItsLine)
{
    const API_Guid stair = Place(R"({"type": "stair", "length": 3, "width": 1, "height": 3,
                                     "ifc": [{"name": "Name", "value": "Spiral"}]})");
    NewLines();
    host->GetFaults().ResetCounts();
    std::string problem;
    ASSERT_TRUE(Actions().Delete(stair, &problem));
    EXPECT_EQ(NewLines(), (Lines{Begin, "### Element_Manager: <Stair> deleted {" + T(stair) + "}", End}));
    for (const char* untouched : {"ACAPI_Element_AttachObserver", "ACAPI_Element_GetIFCAttributes", "ACAPI_ModulData_Get",
                                  "ACAPI_Element_SetProperty", "ACAPI_Element_AddClassificationItem"})
        EXPECT_EQ(host->GetFaults().CallCount(untouched), 0) << untouched;
}

TEST_F(ElementEvents, WallsAreObservedButWriteNoLines)
{
    const API_Guid wall = Place(R"({"type": "wall", "structure": "basic", "buildingMaterial": 1, "length": 4,
                                    "height": 3, "thickness": 0.2})");
    EXPECT_EQ(NewLines(), (Lines{Begin, End}));
    EXPECT_EQ(Sim::TheModelState(*host).observed.count(wall), 1u);
    EXPECT_TRUE(Element(wall).attached.propertyValues.empty()) << "a material without user data stamps nothing";
    EXPECT_TRUE(Element(wall).attached.classification.empty());

    std::string problem;
    ASSERT_TRUE(Actions().Delete(wall, &problem));
    EXPECT_EQ(NewLines(), (Lines{Begin, End})) << "a deleted wall is not reported";
}

TEST_F(ElementEvents, AnUnreadableWallIsReportedAndItsErrorReturned)
{
    host->GetFaults().FailNext("ACAPI_Element_Get", APIERR_MEMFULL);
    Place(R"({"type": "slab", "structure": "basic", "buildingMaterial": 1, "length": 4, "width": 4, "thickness": 0.2})");
    auto notifications = host->GetTranscript().EventsOfKind("notification");
    ASSERT_EQ(notifications.size(), 3u);
    EXPECT_EQ(notifications[1]["result"], APIERR_MEMFULL);
    EXPECT_NE(host->DebugText().find("WallPlacedEventHandler::ACAPI_Element_Get"), std::string::npos);
}

TEST_F(ElementEvents, AWallOfACatalogueCompositeReceivesItsPropertiesAndLosesThemToAPlainOne)
{
    const API_Guid wall = Place(R"({"type": "wall", "structure": "composite", "composite": 1, "length": 4,
                                    "height": 3})");
    std::multiset<std::string> values;
    for (const auto& [definition, value] : Element(wall).attached.propertyValues)
        values.insert(value.value);
    EXPECT_EQ(values, (std::multiset<std::string>{"42", "Brick Co"}));
    EXPECT_EQ(Element(wall).attached.classification.size(), 1u) << "classified with the Corvana item";

    std::string problem;
    ASSERT_TRUE(Actions().Change(wall, Json::parse(R"({"composite": 2})"), &problem)) << problem;
    // A value reset to its default is no longer held by the element: every definition reads its default.
    EXPECT_TRUE(Element(wall).attached.propertyValues.empty()) << "back to the definitions' defaults";
}

}  // namespace
