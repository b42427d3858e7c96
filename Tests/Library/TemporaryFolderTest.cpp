// Where a library download lands when the host names no temporary folder: the TEMP of the environment,
// every character of it (on Windows the narrow environment holds only what the ANSI code page can).
#include "LibraryFixture.hpp"
#include "ProjectWriter/LibraryFiles.hpp"
#include "SimUtf8.hpp"
#include "Support/ChildProcess.hpp"

#include <cstdlib>
#include <optional>

namespace LibraryTest {
namespace {

class TemporaryFolderTest : public LibraryFixture {
protected:
    void SetUp() override
    {
        LibraryFixture::SetUp();
        if (const char* given = std::getenv("TEMP"))
            previousTemp = given;
        temp = scratch / Sim::PathFromUtf8("Łódź Ω 日本");
        fs::create_directories(temp);
        QRVTest::SetEnvironment("TEMP", Sim::PathUtf8(temp).c_str());
    }
    void TearDown() override
    {
        QRVTest::SetEnvironment("TEMP", previousTemp ? previousTemp->c_str() : nullptr);
        LibraryFixture::TearDown();
    }

    fs::path temp;
    std::optional<std::string> previousTemp;
};

TEST_F(TemporaryFolderTest, WithoutTheHostsFolderADownloadGoesToTempWhateverItsName)
{
    host->GetFaults().FailNext("ACAPI_ProjectSettings_GetSpecFolder", APIERR_GENERAL);
    EXPECT_EQ(fs::path(Sim::PathFromUtf8(Sim::Utf8(QRV::TemporaryFolder()))), temp);

    const std::string address = Serve("Stool.gsm");
    host->GetFaults().FailNext("ACAPI_ProjectSettings_GetSpecFolder", APIERR_GENERAL);
    GS::UniString downloaded;
    ASSERT_TRUE(QRV::DownloadToTemp(Sim::Uni(address), "Stool.gsm", &downloaded));
    EXPECT_EQ(Sim::PathFromUtf8(Sim::Utf8(downloaded)), temp / "Stool.gsm");
    EXPECT_TRUE(fs::is_regular_file(temp / "Stool.gsm"));
    EXPECT_FALSE(fs::exists(Temp() / "Stool.gsm"));
}

TEST_F(TemporaryFolderTest, TheHostsFolderComesFirst)
{
    EXPECT_EQ(fs::path(Sim::PathFromUtf8(Sim::Utf8(QRV::TemporaryFolder()))), Temp());
}

}  // namespace
}  // namespace LibraryTest
