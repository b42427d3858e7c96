// `corvana-host demo` runs end to end and leaves its results; what each import achieves is checked where
// the whole module is present (LibraryAfterMerge).
#include "LibraryFixture.hpp"
#include "Model/ProjectFile.hpp"
#include "Support/ChildProcess.hpp"
#include "Support/HostProcess.hpp"

namespace LibraryTest {
namespace {

std::string ReadFile(const fs::path& path) { return QRVTest::ReadWholeFile(path); }

int RunHost(const fs::path& folder, std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), {"--home", Sim::PathUtf8(folder / "home")});
    return QRVTest::RunProgram(CORVANA_HOST_PATH, arguments, folder, folder / "stdout.txt", folder / "stderr.txt");
}

TEST(DemoCommand, RunsEveryPayloadAndWritesProjectRepliesAndLog)
{
    const fs::path scratch = MakeScratchFolder();
    ASSERT_FALSE(scratch.empty());
    ASSERT_EQ(RunHost(scratch, {"demo", "--out", "results"}), 0) << ReadFile(scratch / "stderr.txt");
    const std::string summary = ReadFile(scratch / "stdout.txt");

    EXPECT_NE(summary.find("Project: Sample House"), std::string::npos) << summary;
    for (const char* payload : {"01-material-clay-brick.json: Material \"Clay brick\": ",
                                "02-system-wall.json: system \"Timber frame wall TF-240\": ",
                                "03-system-slab.json: system \"Concrete slab CS-250\": ",
                                "04-product-lounge-chair.json: Product \"Lounge Chair\": ",
                                "05-stair.json: stair \"Precast stair PS-17\": "})
        EXPECT_NE(summary.find(payload), std::string::npos) << payload << "\n" << summary;
    EXPECT_NE(summary.find("Outdated items (updateStatus): "), std::string::npos);
    EXPECT_NE(summary.find("Calculation data (getCalculationData): "), std::string::npos);

    const fs::path results = scratch / "results";
    for (const char* file : {"project.json", "calculation.json", "replies.json", "transcript.jsonl"})
        EXPECT_TRUE(fs::is_regular_file(results / file)) << file;
    Sim::Project saved = Sim::ProjectFile::Load((results / "project.json").string());
    EXPECT_EQ(saved.DisplayName(), "Sample House");
    EXPECT_TRUE(saved.libraries.hasEmbeddedLibrary);
    const auto replies = nlohmann::json::parse(ReadFile(results / "replies.json"));
    ASSERT_EQ(replies.size(), 7u);
    EXPECT_EQ(replies[3]["payload"], "04-product-lounge-chair.json");
    EXPECT_EQ(replies[6]["function"], "getCalculationData");

    std::error_code ec;
    fs::remove_all(scratch, ec);
}

TEST(DemoCommand, RefusesStrayArgumentsBeforeStarting)
{
    const fs::path scratch = MakeScratchFolder();
    EXPECT_EQ(RunHost(scratch, {"demo", "--out"}), 2);
    EXPECT_EQ(RunHost(scratch, {"demo", "results"}), 2);
    EXPECT_NE(ReadFile(scratch / "stderr.txt").find("usage: demo [--out DIR]"), std::string::npos);
    EXPECT_FALSE(fs::exists(scratch / "home"));
    std::error_code ec;
    fs::remove_all(scratch, ec);
}

}  // namespace
}  // namespace LibraryTest
