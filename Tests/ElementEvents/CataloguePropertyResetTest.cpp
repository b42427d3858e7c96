// A wall, slab or roof that loses its catalogue structure loses the catalogue properties it received with
// it, whatever property group a catalogue tab made of them; a project the add-on never touched stays as it
// is when its walls change.
#include "ElementActions.hpp"
#include "Model/ProjectFile.hpp"
#include "Support/ModuleFixture.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using Json = Sim::Json::Value;

std::string Record(const char* group, const char* name, const char* value)
{
    return std::string(R"({\"group\":\")") + group + R"(\",\"name\":\")" + name +
           R"(\",\"unit\":\"\",\"type\":\"\",\"value\":\")" + value + R"(\"})";
}

std::string UserData(const std::string& records)
{
    return R"(, "userData": {"dataVersion": 0, "platformSign": 22359, "text": "[)" + records + R"(]"})";
}

// "Timber frame" (1) carries its catalogue id and two tabs, "Thermal" and "Fire"; "Masonry" (2) another id
// and "Thermal" only; "Roof composite" (3) and "Plain" (4) carry nothing.
std::string CatalogueModel()
{
    const std::string timber = Record("Corvana", "id", "42") + "," + Record("Thermal", "U-value", "0.17") + "," +
                               Record("Fire", "Fire resistance", "REI 60");
    const std::string masonry = Record("Corvana", "id", "43") + "," + Record("Thermal", "U-value", "0.30");
    return std::string(R"({"format": "corvana-sim-project", "version": 1,
  "attributes": {
    "buildingMaterials": [{"index": 1, "guid": "00000000-0000-4000-8000-000000000001", "name": "Spruce"}],
    "composites": [
      {"index": 1, "guid": "00000000-0000-4000-8000-000000000011", "name": "Timber frame", "usage": 1,
       "skins": [{"buildingMaterial": 1, "thickness": 0.3}], "lines": [{}, {}])") +
           UserData(timber) + R"(},
      {"index": 2, "guid": "00000000-0000-4000-8000-000000000012", "name": "Masonry", "usage": 1,
       "skins": [{"buildingMaterial": 1, "thickness": 0.3}], "lines": [{}, {}])" +
           UserData(masonry) + R"(},
      {"index": 3, "guid": "00000000-0000-4000-8000-000000000013", "name": "Roof composite", "usage": 4,
       "skins": [{"buildingMaterial": 1, "thickness": 0.2}], "lines": [{}, {}]},
      {"index": 4, "guid": "00000000-0000-4000-8000-000000000014", "name": "Plain", "usage": 1,
       "skins": [{"buildingMaterial": 1, "thickness": 0.2}], "lines": [{}, {}]}
    ]
  }
})";
}

class CataloguePropertyReset : public QRVTest::ModuleFixture {
protected:
    void Load(const std::string& model) { host->GetProject() = Sim::ProjectFile::FromText(model); }

    API_Guid PlaceWall(int composite)
    {
        API_Guid placed{};
        std::string problem;
        EXPECT_TRUE(Actions().Place(Json::parse(R"({"type": "wall", "structure": "composite", "composite": )" +
                                                std::to_string(composite) + R"(, "length": 4, "height": 3})"),
                                    &placed, &problem))
            << problem;
        return placed;
    }
    void ChangeComposite(const API_Guid& wall, int composite)
    {
        std::string problem;
        ASSERT_TRUE(Actions().Change(wall, Json::parse(R"({"composite": )" + std::to_string(composite) + "}"),
                                     &problem))
            << problem;
    }

    Sim::ElementActions Actions() { return Sim::ElementActions(*host); }

    // The values the wall holds itself, as "group/name" → value.
    std::map<std::string, std::string> Values(const API_Guid& wall)
    {
        const Sim::Model::Project& project = host->GetProject();
        std::map<std::string, std::string> values;
        for (const auto& [definitionGuid, value] : project.elements.Find(wall)->attached.propertyValues) {
            const Sim::Model::PropertyDefinition* definition = project.properties.FindDefinition(definitionGuid);
            const Sim::Model::PropertyGroup* group = project.properties.FindGroup(definition->group);
            values[group->name + "/" + definition->name] = value.value;
        }
        return values;
    }
    using Values_ = std::map<std::string, std::string>;
};

TEST_F(CataloguePropertyReset, AWallMovedToACompositeWithoutCatalogueDataLosesEveryTabOfTheOldSystem)
{
    Load(CatalogueModel());
    const API_Guid wall = PlaceWall(1);
    EXPECT_EQ(Values(wall), (Values_{{"Corvana/id", "42"}, {"Thermal/U-value", "0.17"},
                                     {"Fire/Fire resistance", "REI 60"}}));

    ChangeComposite(wall, 3);
    EXPECT_EQ(Values(wall), Values_{}) << "every definition reads its default again";

    // Moved back, it receives them again; a copy of it loses them as the original does.
    ChangeComposite(wall, 1);
    EXPECT_EQ(Values(wall).size(), 3u);
    API_Guid copy{};
    std::string problem;
    ASSERT_TRUE(Actions().Copy(wall, &copy, &problem)) << problem;
    ChangeComposite(copy, 4);
    EXPECT_EQ(Values(copy), Values_{});
    EXPECT_EQ(Values(wall).size(), 3u) << "the original keeps its own";
}

TEST_F(CataloguePropertyReset, AWallMovedToAnotherSystemKeepsOnlyWhatTheNewSystemHas)
{
    Load(CatalogueModel());
    const API_Guid wall = PlaceWall(1);
    ChangeComposite(wall, 2);
    EXPECT_EQ(Values(wall), (Values_{{"Corvana/id", "43"}, {"Thermal/U-value", "0.30"}}))
        << "the fire resistance of the timber frame is not the masonry's";
}

TEST_F(CataloguePropertyReset, AProjectTheAddOnNeverTouchedStaysAsItIs)
{
    Load(R"({"format": "corvana-sim-project", "version": 1,
  "attributes": {
    "buildingMaterials": [{"index": 1, "guid": "00000000-0000-4000-8000-000000000001", "name": "Spruce"}],
    "composites": [
      {"index": 1, "guid": "00000000-0000-4000-8000-000000000011", "name": "Plain", "usage": 1,
       "skins": [{"buildingMaterial": 1, "thickness": 0.3}], "lines": [{}, {}]},
      {"index": 2, "guid": "00000000-0000-4000-8000-000000000012", "name": "Other", "usage": 1,
       "skins": [{"buildingMaterial": 1, "thickness": 0.2}], "lines": [{}, {}]}
    ]
  }
})");
    const API_Guid wall = PlaceWall(1);
    ChangeComposite(wall, 2);
    const Sim::Model::Project& project = host->GetProject();
    EXPECT_TRUE(project.properties.Groups().empty()) << "no empty property group \"Corvana\"";
    EXPECT_FALSE(project.elements.Find(wall)->userData.has_value());
    EXPECT_TRUE(project.elements.Find(wall)->attached.classification.empty());
}

}  // namespace
