// What a page call costs must grow as the model does, no faster: for ten times the elements, at most
// eleven times the host calls and eleven times the entries the simulated model's queries look at. Both are
// counts, the same on every run and machine, so a loop that turns quadratic (an element search inside an
// element loop, in the add-on or in the simulator) fails here long before anyone times it.
#include "Support/HostProcess.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace {

constexpr int SmallModel = 2000;
constexpr int LargeModel = 20000;
constexpr double MostGrowth = 11.0;

struct Scenario {
    std::string name;
    std::vector<std::string> options;  // host options before the command
    std::string function;
    std::string argument;              // a file of the generated payloads, or none
};

class GrowthGuard : public QRVTest::HostProcessTest {
protected:
    // A project of `elements` elements whose catalogue side grows with it: a tenth of them materials to
    // ask the status of, a tenth of them walls of the system the import updates.
    std::string Generate(int elements)
    {
        const std::string name = "model-" + std::to_string(elements);
        const QRVTest::HostRun run = RunAtHome(
            {"--save", (dir / (name + ".json")).string(), "generate", "--elements", std::to_string(elements),
             "--materials", std::to_string(elements / 10), "--first-system-walls", std::to_string(elements / 10),
             "--systems", "4", "--payloads", (dir / (name + "-payloads")).string()});
        EXPECT_EQ(run.status, 0) << run.err;
        return name;
    }

    nlohmann::json Bench(const std::string& model, const Scenario& scenario)
    {
        std::vector<std::string> args = {"--project", (dir / (model + ".json")).string()};
        args.insert(args.end(), scenario.options.begin(), scenario.options.end());
        args.insert(args.end(), {"bench", scenario.function});
        if (!scenario.argument.empty())
            args.insert(args.end(), {"--text-file", (dir / (model + "-payloads") / scenario.argument).string()});
        const QRVTest::HostRun run = RunAtHome(args);
        EXPECT_EQ(run.status, 0) << run.err;
        const auto line = nlohmann::json::parse(run.out, nullptr, false);
        EXPECT_TRUE(line.is_object()) << run.out;
        return line.is_object() ? line : nlohmann::json::object();
    }
};

TEST_F(GrowthGuard, HostCallsAndModelVisitsGrowNoFasterThanTheModel)
{
    const std::string small = Generate(SmallModel);
    const std::string large = Generate(LargeModel);
    const std::vector<Scenario> scenarios = {
        {"calculation", {}, "getCalculationData", ""},
        {"status", {}, "updateStatus", "status-request.json"},
        {"system import", {"--answer", "Continue", "--answer", "Continue", "--answer", "Continue"}, "import",
         "system-0001.json"},
        {"bulk run", {"--dialog", "model"}, "bulkImport", "bulk-systems.json"},
    };
    for (const Scenario& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        const nlohmann::json before = Bench(small, scenario);
        const nlohmann::json after = Bench(large, scenario);
        for (const char* count : {"hostCalls", "modelVisits"}) {
            const double smallCount = before.value(count, 0.0);
            const double largeCount = after.value(count, 0.0);
            ASSERT_GT(smallCount, 0.0) << count << " must be measured";
            EXPECT_LE(largeCount / smallCount, MostGrowth)
                << count << ": " << smallCount << " for " << SmallModel << " elements, " << largeCount << " for "
                << LargeModel;
        }
    }
}

}  // namespace
