// The invariant checks the fuzz programs rely on: each passes on what the module really does and fails on
// the fault it is there to catch, so that a clean fuzz run means something.
#include "Support/CallInvariants.hpp"
#include "Support/ChildProcess.hpp"
#include "Support/UiSupport.hpp"

#include "Model/ProjectFile.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path MakeSandbox()
{
    return QRVTest::MakeScratchFolder("corvana-invariants-");
}

void WriteFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

bool Mentions(const std::vector<std::string>& violations, const std::string& part)
{
    for (const auto& violation : violations)
        if (violation.find(part) != std::string::npos)
            return true;
    return false;
}

class InvariantChecks : public QRVTest::UiFixture {
protected:
    void SetUp() override
    {
        sandbox = MakeSandbox();
        QRVTest::UiFixture::SetUp();
        host->GetProject() = Sim::ProjectFile::Load(std::string(CORVANA_SOURCE_DIR) + "/Examples/House.json");
        ASSERT_EQ(Menu(32200, 1), NoError);
        invariants = std::make_unique<QRVTest::CallInvariants>(*host, std::vector<fs::path>{sandbox});
    }
    void TearDown() override
    {
        invariants.reset();
        QRVTest::UiFixture::TearDown();
        fs::remove_all(sandbox);
    }
    Sim::HostOptions Options() const override
    {
        Sim::HostOptions options;
        options.home = (sandbox / "home").string();
        return options;
    }

    // A failed import as the module really ends one.
    QRVTest::CallOutcome FailedImport()
    {
        Sim::JsCallResult result = CallPage("import", QRVTest::JsText(R"({"data": {"import_type": "material"}})"));
        EXPECT_EQ(QRVTest::ReplyText(result), R"({"IsError":true,"ShowError":true})");
        return QRVTest::CallOutcome::FromPageCall(result, true, true);
    }

    fs::path sandbox;
    std::unique_ptr<QRVTest::CallInvariants> invariants;
};

TEST_F(InvariantChecks, HoldForARealFailedImport)
{
    invariants->Begin();
    const QRVTest::CallOutcome outcome = FailedImport();
    EXPECT_TRUE(invariants->Violations(outcome).empty()) << QRVTest::CallInvariants::Describe(invariants->Violations(outcome));
}

TEST_F(InvariantChecks, CatchAFailedImportThatLeftHalfItsWorkInTheProject)
{
    invariants->Begin();
    const QRVTest::CallOutcome outcome = FailedImport();
    // What an import that stopped half way would leave: a material renamed, user data stored.
    Sim::Model::BuildingMaterial* material =
        host->GetProject().attributes.buildingMaterials.FindByIndex(host->GetProject().attributes.buildingMaterials.All().front().index);
    material->userData = Sim::Model::AttributeUserData{1, 0, "[]"};
    EXPECT_TRUE(Mentions(invariants->Violations(outcome), "a failed import changed the project"));

    // A change is what a successful import is for.
    QRVTest::CallOutcome succeeded = outcome;
    succeeded.failed = false;
    EXPECT_TRUE(invariants->Violations(succeeded).empty());
}

TEST_F(InvariantChecks, CatchAFileWrittenOrChangedOutsideTheAddOnsFolders)
{
    WriteFile(sandbox / "existing.txt", "before");
    invariants->Begin();
    WriteFile(sandbox / "home" / "Temp" / "download.part", "fine: the host's temporary folder");
    EXPECT_TRUE(invariants->Violations({}).empty()) << QRVTest::CallInvariants::Describe(invariants->Violations({}));

    WriteFile(sandbox / "elsewhere" / "stray.gsm", "not fine");
    const auto written = invariants->Violations({});
    EXPECT_TRUE(Mentions(written, "file written outside the add-on's folders")) << QRVTest::CallInvariants::Describe(written);
    EXPECT_TRUE(Mentions(written, "stray.gsm"));

    invariants->Begin();
    WriteFile(sandbox / "existing.txt", "after, longer");
    EXPECT_TRUE(Mentions(invariants->Violations({}), "file changed outside the add-on's folders"));

    invariants->Begin();
    fs::remove(sandbox / "existing.txt");
    EXPECT_TRUE(Mentions(invariants->Violations({}), "file removed outside the add-on's folders"));
}

// The fuzz programs begin each check from the files the last one saw; that view must follow what the
// checks found, or a stray file would be missed, or reported again for every later input.
TEST_F(InvariantChecks, ACheckBegunAgainStillCatchesAFileWrittenByItsOwnCall)
{
    const Sim::Project& project = host->GetProject();
    invariants->BeginAgainFrom(project);  // no check yet: the folders are read
    WriteFile(sandbox / "first.txt", "stray");
    EXPECT_TRUE(Mentions(invariants->Violations({}), "first.txt"));

    invariants->BeginAgainFrom(project);  // the last check found a change: read again, first.txt is known
    EXPECT_TRUE(invariants->Violations({}).empty()) << QRVTest::CallInvariants::Describe(invariants->Violations({}));

    invariants->BeginAgainFrom(project);  // the last check found nothing: its view stands
    WriteFile(sandbox / "second.txt", "stray");
    const auto written = invariants->Violations({});
    EXPECT_TRUE(Mentions(written, "second.txt")) << QRVTest::CallInvariants::Describe(written);
    EXPECT_FALSE(Mentions(written, "first.txt"));
}

TEST_F(InvariantChecks, CatchAFailureThatLeftNoLogLine)
{
    invariants->Begin();
    QRVTest::CallOutcome silent;
    silent.failed = true;
    EXPECT_TRUE(Mentions(invariants->Violations(silent), "a failure left no line in the log"));

    host->DebugOutput("08-12-2026 04:00:00 [Info]      nothing wrong\n");
    EXPECT_TRUE(Mentions(invariants->Violations(silent), "a failure left no line in the log"))
        << "an info line is no failure line";

    invariants->Begin();
    EXPECT_TRUE(invariants->Violations(FailedImport()).empty());
}

TEST_F(InvariantChecks, CatchAnExceptionThatLeftTheModule)
{
    invariants->Begin();
    Sim::JsCallResult result;
    result.problem = "no page shows a script object named \"jsCorvanaInterface\"";
    EXPECT_TRUE(QRVTest::CallOutcome::FromPageCall(result, false, false).escaped.empty());

    // The simulated browser catches what a function throws and says so; the host would go down.
    result.problem = "exception escaped jsCorvanaInterface.import: basic_string::_M_create";
    const QRVTest::CallOutcome outcome = QRVTest::CallOutcome::FromPageCall(result, false, true);
    EXPECT_TRUE(Mentions(invariants->Violations(outcome), "an exception left the module"));
    EXPECT_TRUE(Mentions(invariants->Violations(outcome), "a failure left no line in the log"));
}

}  // namespace
