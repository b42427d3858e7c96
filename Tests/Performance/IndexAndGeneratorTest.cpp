// The simulator's indexes answer as its lists do, through insertions and removals; generated projects are
// the same for the same seed and hold the mix they promise; bench and --calls report what they measure.
#include "Model/Attributes.hpp"
#include "Model/Elements.hpp"
#include "Support/ChildProcess.hpp"
#include "Support/HostProcess.hpp"
#include "Support/ModuleFixture.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

API_Guid GuidNumber(UInt32 n)
{
    API_Guid guid{};
    guid.time_low = n;
    guid.node[5] = static_cast<UChar>(n * 7);
    return guid;
}

Sim::Model::Element ElementNumber(UInt32 n)
{
    Sim::Model::Element element;
    element.guid = GuidNumber(n);
    element.length = n;
    return element;
}

TEST(ElementIndex, FindsEveryElementThroughRemovalsInsertionsAndAdditions)
{
    Sim::Model::Elements elements;
    for (UInt32 n = 1; n <= 6; ++n)
        elements.Add(ElementNumber(n));
    ASSERT_TRUE(elements.Remove(GuidNumber(3)));
    EXPECT_FALSE(elements.Remove(GuidNumber(3)));
    EXPECT_EQ(elements.Find(GuidNumber(3)), nullptr);
    EXPECT_EQ(elements.PositionOf(GuidNumber(4)), 2u);
    elements.Insert(1, ElementNumber(3));  // an undo puts an element back where it was asked to
    elements.Add(ElementNumber(7));
    const std::vector<UInt32> order = {1, 3, 2, 4, 5, 6, 7};
    ASSERT_EQ(elements.All().size(), order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        const Sim::Model::Element* found = elements.Find(GuidNumber(order[i]));
        ASSERT_NE(found, nullptr) << order[i];
        EXPECT_EQ(found->length, order[i]);
        EXPECT_EQ(elements.PositionOf(GuidNumber(order[i])), i);
    }
    EXPECT_EQ(elements.PositionOf(GuidNumber(99)), elements.All().size());
    EXPECT_FALSE(elements.ContainsGuid(GuidNumber(99)));

    // A copy answers by itself.
    Sim::Model::Elements copy = elements;
    ASSERT_TRUE(copy.Remove(GuidNumber(1)));
    EXPECT_NE(elements.Find(GuidNumber(1)), nullptr);
    EXPECT_EQ(copy.PositionOf(GuidNumber(7)), 5u);
}

TEST(AttributeIndex, KeepsIndexOrderAndFindsByIndexWhateverTheInsertionOrder)
{
    Sim::Model::AttributeTable<Sim::Model::BuildingMaterial> table;
    for (Int32 index : {5, 1, 9, 3, 7}) {
        Sim::Model::BuildingMaterial material;
        material.index = index;
        material.name = "M" + std::to_string(index);
        table.Insert(material);
    }
    std::vector<Int32> indices;
    for (const auto& material : table.All())
        indices.push_back(material.index);
    EXPECT_EQ(indices, (std::vector<Int32>{1, 3, 5, 7, 9}));
    for (Int32 index : {1, 3, 5, 7, 9}) {
        ASSERT_NE(table.FindByIndex(index), nullptr);
        EXPECT_EQ(table.FindByIndex(index)->name, "M" + std::to_string(index));
    }
    for (Int32 absent : {0, 2, 10, -1})
        EXPECT_EQ(table.FindByIndex(absent), nullptr) << absent;
    EXPECT_EQ(table.HighestIndex(), 9);
}

std::string ReadFile(const fs::path& path) { return QRVTest::ReadWholeFile(path); }

class HostTools : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = QRVTest::MakeScratchFolder("corvana-generate-");
        ASSERT_FALSE(dir.empty());
    }
    void TearDown() override
    {
        std::error_code ignored;  // under Wine a finished run's files may stay open a moment longer
        fs::remove_all(dir, ignored);
    }

    // The arguments as a shell would split them at blanks (the test's paths hold none).
    int Run(const std::string& args)
    {
        std::vector<std::string> all = {"--home", (dir / "home").string()};
        std::istringstream words(args);
        for (std::string word; words >> word;)
            all.push_back(word);
        return QRVTest::RunProgram(CORVANA_HOST_PATH, all, dir, dir / "out.txt", dir / "err.txt");
    }

    fs::path dir;
};

TEST_F(HostTools, GeneratedProjectsRepeatForASeedAndHoldTheWholeMix)
{
    const std::string a = (dir / "a.json").string(), b = (dir / "b.json").string(), c = (dir / "c.json").string();
    ASSERT_EQ(Run("--save " + a + " generate --elements 600 --first-system-walls 30 --seed 5"), 0)
        << ReadFile(dir / "err.txt");
    ASSERT_EQ(Run("--save " + b + " generate --elements 600 --first-system-walls 30 --seed 5"), 0);
    ASSERT_EQ(Run("--save " + c + " generate --elements 600 --first-system-walls 30 --seed 6"), 0);
    const std::string first = ReadFile(a);
    EXPECT_TRUE(first == ReadFile(b)) << "the same seed gives the same project";
    EXPECT_FALSE(first == ReadFile(c));

    const nlohmann::json project = nlohmann::json::parse(first);
    const auto& elements = project["elements"];
    ASSERT_EQ(elements.size(), 600u);
    std::map<std::string, int> kinds;
    std::map<std::string, int> wallStructures;
    for (const auto& element : elements) {
        ++kinds[element["type"].get<std::string>()];
        if (element["type"] == "wall")
            ++wallStructures[element["structure"].get<std::string>()];
    }
    for (const char* kind : {"wall", "slab", "roof", "column", "beam", "window", "door", "object", "curtainWall", "stair"})
        EXPECT_GT(kinds[kind], 0) << kind;
    for (const char* structure : {"basic", "composite", "profile"})
        EXPECT_GT(wallStructures[structure], 0) << structure;
    for (size_t i = 0; i < 30; ++i) {
        EXPECT_EQ(elements[i]["type"], "wall");
        EXPECT_EQ(elements[i]["composite"], 1);
    }
    // The catalogue side is the imports' work: attributes with their stored lists, parts, named products.
    EXPECT_EQ(project["attributes"]["composites"].size(), 12u);
    EXPECT_EQ(project["attributes"]["buildingMaterials"].size(), 10u + 12u * 3u);
    for (const auto& composite : project["attributes"]["composites"])
        EXPECT_NE(composite["userData"]["text"].get<std::string>().find("\"name\":\"Property 20\""), std::string::npos);
    EXPECT_EQ(project["libraries"]["parts"].size(), 4u);
    EXPECT_TRUE(project["moduleData"].contains("CV_Stair 0001"));
    EXPECT_TRUE(project["moduleData"].contains("CV_Curtain wall 0002"));
}

TEST_F(HostTools, BenchAndCallCountsReportTheCallTheyMeasured)
{
    const std::string model = (dir / "m.json").string();
    ASSERT_EQ(Run("--save " + model + " generate --elements 50"), 0);
    const std::string calls = (dir / "calls.json").string();
    ASSERT_EQ(Run("--project " + model + " --calls " + calls + " bench getCalculationData --reply " +
                  (dir / "reply.txt").string()),
              0)
        << ReadFile(dir / "err.txt");
    const nlohmann::json line = nlohmann::json::parse(ReadFile(dir / "out.txt"));
    EXPECT_EQ(line["function"], "getCalculationData");
    EXPECT_GE(line["seconds"].get<double>(), 0.0);
    EXPECT_GT(line["peakMemoryKB"].get<long>(), 0);
    EXPECT_EQ(line["replyBytes"].get<size_t>() + 1, ReadFile(dir / "reply.txt").size());
    const nlohmann::json counts = nlohmann::json::parse(ReadFile(calls));
    EXPECT_GT(counts.value("ACAPI_Element_GetElemList", 0L), 0);
    long total = 0;
    for (const auto& entry : counts.items())
        total += entry.value().get<long>();
    EXPECT_GT(total, line["hostCalls"].get<long>()) << "the run's counts include the start-up";
    EXPECT_EQ(nlohmann::json::parse(ReadFile(dir / "reply.txt")).count("SystemInfo"), 1u);

    EXPECT_EQ(Run("generate --elements many"), 2);
    EXPECT_NE(ReadFile(dir / "err.txt").find("--elements"), std::string::npos);
    EXPECT_EQ(Run("generate --elements 10 --first-system-walls 20"), 2);
    EXPECT_EQ(Run("bench"), 2);
    EXPECT_EQ(Run("bench getCalculationData --text-file " + (dir / "missing").string()), 2);
}

}  // namespace
