// `corvana-host demo` as a newcomer runs it: the summary on stdout and the files in the output folder.
#include "Library/LibraryFixture.hpp"
#include "Support/ModuleFixture.hpp"
#include "Support/ChildProcess.hpp"
#include "Support/HostProcess.hpp"

#include <gtest/gtest.h>

namespace LibraryTest {
namespace {

std::string ReadFile(const fs::path& path) { return QRVTest::ReadWholeFile(path); }

TEST(DemoScenario, ImportsTheSamplesAndWritesTheResults)
{
    const fs::path scratch = MakeScratchFolder();
    ASSERT_FALSE(scratch.empty());
    const fs::path out = scratch / "out";
    const int status = QRVTest::RunProgram(CORVANA_HOST_PATH,
                                           {"--home", Sim::PathUtf8(scratch / "home"), "demo", "--out", Sim::PathUtf8(out)},
                                           scratch, scratch / "stdout.txt", scratch / "stderr.txt");
    EXPECT_EQ(status, 0) << ReadFile(scratch / "stderr.txt");
    const std::string summary = ReadFile(scratch / "stdout.txt");

    EXPECT_NE(summary.find("Project: Sample House"), std::string::npos) << summary;
    EXPECT_NE(summary.find("01-material-clay-brick.json: Material \"Clay brick\": imported (+1 building material(s)"),
              std::string::npos) << summary;
    EXPECT_NE(summary.find("02-system-wall.json: system \"Timber frame wall TF-240\": imported"), std::string::npos);
    EXPECT_NE(summary.find("04-product-lounge-chair.json: Product \"Lounge Chair\": imported (+1 library part(s))"),
              std::string::npos) << summary;
    EXPECT_NE(summary.find("05-stair.json: stair \"Precast stair PS-17\": imported"), std::string::npos);
    EXPECT_EQ(summary.find(": failed"), std::string::npos) << summary;
    EXPECT_NE(summary.find("\"4101\""), std::string::npos) << "the outdated brick is reported";
    EXPECT_NE(summary.find("\"5501\""), std::string::npos) << "the outdated chair is reported";
    EXPECT_EQ(summary.find("\"1402\""), std::string::npos) << "the current wall system is not";
    EXPECT_NE(summary.find("Elements with catalogue properties:"), std::string::npos);

    QRVTest::ExpectNoRefusedHostCall(out / "transcript.jsonl");
    for (const char* file : {"project.json", "calculation.json", "replies.json", "transcript.jsonl", "log.txt"})
        EXPECT_TRUE(fs::is_regular_file(out / file)) << file;
    const auto project = nlohmann::json::parse(ReadFile(out / "project.json"));
    ASSERT_EQ(project["libraries"]["parts"].size(), 1u);
    EXPECT_EQ(project["libraries"]["parts"][0]["documentName"], "Lounge Chair");
    EXPECT_EQ(project["libraries"]["parts"][0]["fileName"], "Lounge Chair.gsm");
    EXPECT_TRUE(fs::is_regular_file(scratch / "home" / "Embedded Library" / "Corvana" / "Lounge Chair.gsm"));
    const auto replies = nlohmann::json::parse(ReadFile(out / "replies.json"));
    EXPECT_EQ(replies.size(), 7u);
    EXPECT_TRUE(nlohmann::json::parse(ReadFile(out / "calculation.json")).is_object());

    std::error_code ec;
    fs::remove_all(scratch, ec);
}

}  // namespace
}  // namespace LibraryTest
