// What the add-on leaves in the project must not depend on how economically it talks to the host: the
// reference runs in fixtures/ (made by make-fixtures.sh) are repeated and compared byte for byte: the saved
// project, the page's reply and the transcript (undo steps, process window, alerts, debug lines).
// And the host calls of element stamping grow by one per property written (the write), plus a few per
// element: the whole import is one undo step.
#include "Support/ChildProcess.hpp"
#include "Support/HostProcess.hpp"
#include "Support/ModuleFixture.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string HostPath = CORVANA_HOST_PATH;
const fs::path Fixtures = fs::path(CORVANA_TEST_DIR) / "Performance" / "fixtures";

std::string ReadFile(const fs::path& path) { return QRVTest::ReadWholeFile(path); }

// The bulk import's progress palette shows the time that passed and the time it expects to need; both
// follow the clock, so their digits are not compared. Project files are named by their file names: the
// runs read and write them in other folders.
std::string Comparable(const std::string& transcript)
{
    static const std::regex clockTexts("\"text\":\"(Time elapsed:|Estimated time remaining:)[^\"]*\"");
    // Windows paths separate with a backslash, which the transcript's JSON writes as two.
    static const std::regex projectFiles(R"re("file":"[^"]*(?:/|\\\\)([^"/\\]*)")re");
    return std::regex_replace(std::regex_replace(transcript, clockTexts, "\"text\":\"$1 (time)\""), projectFiles,
                              "\"file\":\"$1\"");
}

struct Scenario {
    const char* name;
    const char* function;
    const char* argument;  // a fixture file, or "" for none
    std::vector<std::string> options;
};

class ModelScale : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = QRVTest::MakeScratchFolder("corvana-performance-");
        ASSERT_FALSE(dir.empty());
    }
    void TearDown() override
    {
        std::error_code ignored;  // under Wine a finished run's files may stay open a moment longer
        fs::remove_all(dir, ignored);
    }

    int Run(const std::vector<std::string>& args, const fs::path& out)
    {
        std::vector<std::string> all = {"--home", (dir / "home").string()};
        all.insert(all.end(), args.begin(), args.end());
        return QRVTest::RunProgram(HostPath, all, dir, out, dir / "err.txt");
    }

    void ExpectSameAsReference(const Scenario& scenario)
    {
        SCOPED_TRACE(scenario.name);
        const std::string name = scenario.name;
        std::vector<std::string> args = {"--project", (Fixtures / "model.json").string(),
                                         "--save", (dir / (name + "-project.json")).string(),
                                         "--transcript", (dir / (name + "-transcript.jsonl")).string()};
        args.insert(args.end(), scenario.options.begin(), scenario.options.end());
        args.insert(args.end(), {"call", scenario.function});
        if (*scenario.argument != '\0')
            args.insert(args.end(), {"--text-file", (Fixtures / scenario.argument).string()});
        ASSERT_EQ(Run(args, dir / (name + "-reply.txt")), 0) << ReadFile(dir / "err.txt");

        for (const char* part : {"-project.json", "-reply.txt"}) {
            const std::string file = name + part;
            EXPECT_TRUE(ReadFile(dir / file) == ReadFile(Fixtures / file)) << file << " differs from the reference";
        }
        const std::string transcript = name + "-transcript.jsonl";
        EXPECT_TRUE(Comparable(ReadFile(dir / transcript)) == Comparable(ReadFile(Fixtures / transcript)))
            << transcript << " differs from the reference";
    }

    nlohmann::json CallCounts(const fs::path& file) { return nlohmann::json::parse(ReadFile(file)); }

    fs::path dir;
};

TEST_F(ModelScale, ImportsStatusAndCalculationLeaveWhatTheReferenceRunsLeft)
{
    ASSERT_TRUE(fs::exists(Fixtures / "model.json"));
    const Scenario scenarios[] = {
        {"system", "import", "system-0001.json", {"--answer", "Continue"}},
        {"bulk", "bulkImport", "bulk-systems.json", {"--dialog", "model"}},
        {"status", "updateStatus", "status-request.json", {}},
        {"calculation", "getCalculationData", "", {}},
    };
    for (const Scenario& scenario : scenarios)
        ExpectSameAsReference(scenario);
}

long Count(const nlohmann::json& counts, const char* name) { return counts.value(name, 0L); }

long Total(const nlohmann::json& counts)
{
    long total = 0;
    for (const auto& entry : counts.items())
        total += entry.value().get<long>();
    return total;
}

TEST_F(ModelScale, StampingCostsOneHostCallPerPropertyPlusAFewPerElement)
{
    // Two models that differ only in how many walls use the re-imported system.
    struct Measured {
        long elements = 0;      // stamped: each gets its user data once
        long properties = 0;    // values written on elements
        long reads = 0;         // of elements
        long listed = 0;        // walls, slabs and roofs shown in 3D
        long steps = 0;         // undoable commands
        long calls = 0;
    };
    auto measure = [this](int walls) {
        const std::string tag = std::to_string(walls);
        const fs::path model = dir / ("model-" + tag + ".json");
        const fs::path payloads = dir / ("payloads-" + tag);
        EXPECT_EQ(Run({"--save", model.string(), "generate", "--elements", "300", "--first-system-walls", tag,
                       "--payloads", payloads.string()},
                      dir / "generate.txt"),
                  0)
            << ReadFile(dir / "err.txt");
        const fs::path calls = dir / ("calls-" + tag + ".json");
        EXPECT_EQ(Run({"--project", model.string(), "--answer", "Continue", "--calls", calls.string(), "call", "import",
                       "--text-file", (payloads / "system-0001.json").string()},
                      dir / "reply.txt"),
                  0)
            << ReadFile(dir / "err.txt");
        long listed = 0;
        const nlohmann::json project = nlohmann::json::parse(ReadFile(model));
        for (const auto& element : project["elements"]) {
            const std::string type = element.value("type", "");
            if ((type == "wall" || type == "slab" || type == "roof") && element.value("in3D", false))
                ++listed;
        }
        const nlohmann::json counts = CallCounts(calls);
        return Measured{Count(counts, "ACAPI_Element_SetUserData"), Count(counts, "ACAPI_Element_SetProperty"),
                        Count(counts, "ACAPI_Element_Get"), listed, Count(counts, "ACAPI_CallUndoableCommand"),
                        Total(counts)};
    };
    const Measured few = measure(20);
    const Measured many = measure(120);
    ASSERT_GE(many.elements - few.elements, 50);
    const long extraElements = many.elements - few.elements;
    const long extraProperties = many.properties - few.properties;
    ASSERT_EQ(extraProperties % extraElements, 0);
    const long propertiesPerElement = extraProperties / extraElements;
    EXPECT_GE(propertiesPerElement, 20) << "every property of the system reaches every wall";

    // Each wall, slab and roof is read once, to know whether it is built of the composite, and not again
    // to be stamped.
    EXPECT_EQ(few.reads, few.listed);
    EXPECT_EQ(many.reads, many.listed);

    // One undo step for the whole import, however many walls it stamps.
    EXPECT_EQ(few.steps, 1);
    EXPECT_EQ(many.steps, 1);
    // Per property: the write. Per element: classifying it, its user data, its classification items, the
    // progress and the cancel check; listed walls that do not match cost the progress and the cancel check.
    constexpr long CallsPerElement = 14;
    const long extraCalls = many.calls - few.calls;
    EXPECT_LE(extraCalls, extraElements * (propertiesPerElement + CallsPerElement))
        << "per stamped element: " << static_cast<double>(extraCalls) / static_cast<double>(extraElements)
        << " host calls for " << propertiesPerElement << " properties";
}

}  // namespace
