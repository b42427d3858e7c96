// What the module registers with the host and in which order, what a failing step leaves behind, and the
// handler of JSON files opened through the host.
#include "Support/UiSupport.hpp"

#include "ResourceIds.hpp"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

using namespace QRVTest;

constexpr GSErrCode InjectedError = APIERR_REFUSEDCMD;

class Registration : public UiFixture {
protected:
    bool StartModule() const override { return false; }
};

TEST_F(Registration, RegistersMenusFileTypeAndThreePalettes)
{
    ASSERT_TRUE(module->Start(*host).Ok());
    const Sim::Registry& registry = host->GetRegistry();

    ASSERT_EQ(registry.menus.size(), 2u);
    EXPECT_EQ(registry.menus[0].menuResID, ID_MENU_PLUGIN);
    EXPECT_EQ(registry.menus[0].flags, 0);
    EXPECT_EQ(registry.menus[1].menuResID, ID_MENU_OSTREL);
    EXPECT_EQ(registry.menus[1].flags, 1);
    EXPECT_EQ(registry.menuHandlers.size(), 2u);

    ASSERT_EQ(registry.fileTypes.size(), 1u);
    EXPECT_EQ(registry.fileTypes[0].extension, "json");
    EXPECT_EQ(registry.fileTypes[0].refCon, 1);
    EXPECT_EQ(registry.fileTypes[0].actionFlags, 11);
    EXPECT_EQ(registry.fileTypeHandlers.count(1), 1u);

    ASSERT_EQ(registry.windows.size(), 3u);
    const std::pair<Int32, GS::Guid> expected[] = {{CataloguePaletteRef, CataloguePaletteGuid()},
                                                   {CalculationPaletteRef, CalculationPaletteGuid()},
                                                   {ProgressPaletteRef, ProgressPaletteGuid()}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(registry.windows[i].referenceID, expected[i].first) << i;
        EXPECT_EQ(APIGuid2GSGuid(registry.windows[i].guid), expected[i].second) << i;
        EXPECT_EQ(registry.windows[i].controlFlags, 1015) << i;
    }
    EXPECT_EQ(registry.projectEventMask, 4095) << "every project event bit of the first twelve";
    EXPECT_TRUE(ui().Panels().empty()) << "palettes are made on first use";
    EXPECT_FALSE(registry.keepInMemory);
}

class PaletteRegistrationFault : public Registration, public ::testing::WithParamInterface<int> {};

TEST_P(PaletteRegistrationFault, EndsInitialisationAndRegistersNothingAfter)
{
    const int failingCall = GetParam();
    host->GetFaults().FailFrom("ACAPI_RegisterModelessWindow", InjectedError, failingCall);
    Sim::StartResult result = module->Start(*host);
    EXPECT_EQ(result.failedStep, "Initialize");
    EXPECT_EQ(result.error, InjectedError);

    const Sim::Registry& registry = host->GetRegistry();
    EXPECT_EQ(registry.windows.size(), static_cast<size_t>(failingCall - 1));
    EXPECT_EQ(host->GetFaults().CallCount("ACAPI_RegisterModelessWindow"), failingCall);
    EXPECT_EQ(registry.menuHandlers.size(), 2u) << "the steps before stay done";
    // The project events and the file type come after the two browser palettes, before the progress one.
    const bool laterStepsRan = failingCall == 3;
    EXPECT_EQ(registry.projectEventHandler != nullptr, laterStepsRan);
    EXPECT_EQ(registry.fileTypeHandlers.size(), laterStepsRan ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(CatalogueCalculationProgress, PaletteRegistrationFault, ::testing::Values(1, 2, 3));

TEST_F(Registration, MenuRegistrationFaultStopsInterfaceRegistration)
{
    host->GetFaults().FailNext("ACAPI_MenuItem_RegisterMenu", InjectedError);
    Sim::StartResult result = module->Start(*host);
    EXPECT_EQ(result.failedStep, "RegisterInterface");
    EXPECT_EQ(result.error, InjectedError);
    const Sim::Registry& registry = host->GetRegistry();
    EXPECT_TRUE(registry.service.has_value()) << "the service comes first";
    EXPECT_TRUE(registry.menus.empty());
    EXPECT_TRUE(registry.fileTypes.empty());
    EXPECT_EQ(host->GetFaults().CallCount("ACAPI_MenuItem_RegisterMenu"), 1);
    EXPECT_EQ(host->GetFaults().CallCount("ACAPI_AddOnIntegration_RegisterFileType"), 0);
}

TEST_F(Registration, SecondMenuFaultKeepsTheFirstMenuOnly)
{
    host->GetFaults().FailFrom("ACAPI_MenuItem_RegisterMenu", InjectedError, 2);
    Sim::StartResult result = module->Start(*host);
    EXPECT_EQ(result.error, InjectedError);
    ASSERT_EQ(host->GetRegistry().menus.size(), 1u);
    EXPECT_EQ(host->GetRegistry().menus[0].menuResID, ID_MENU_PLUGIN);
    EXPECT_TRUE(host->GetRegistry().fileTypes.empty());
}

class JsonFiles : public UiFixture {
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        folder = std::filesystem::temp_directory_path() /
                 ("corvana-json-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override
    {
        std::filesystem::remove_all(folder);
        UiFixture::TearDown();
    }
    std::string Write(const std::string& name, const std::string& content)
    {
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    bool DebugMentions(const std::string& text) const { return host->DebugText().find(text) != std::string::npos; }

    std::filesystem::path folder;
};

TEST_F(JsonFiles, OnlyTheMergeMethodReadsTheFile)
{
    const std::string path = Write("item.json", R"([{"import_type":"Material"}])");
    for (Int16 method : std::initializer_list<Int16>{IO_OPEN, IO_SAVEAS, 0, 7}) {
        EXPECT_EQ(ui().OpenFile(path, method), NoError);
        EXPECT_FALSE(DebugMentions("JsonFileHandler")) << "method " << method;
    }
    EXPECT_EQ(ui().OpenFile(path, IO_MERGE), NoError);
    EXPECT_EQ(IO_MERGE, 2) << "the method the handler acts on";
    EXPECT_TRUE(DebugMentions("JsonFileHandler: importing " + path + " (28 bytes)")) << host->DebugText();
}

TEST_F(JsonFiles, AnUnreadableFileBecomesAnEmptyText)
{
    EXPECT_EQ(ui().OpenFile((folder / "missing.json").string(), IO_MERGE), NoError);
    EXPECT_TRUE(DebugMentions("cannot read")) << host->DebugText();
    EXPECT_TRUE(host->GetTranscript().EventsOfKind("error").empty());
}

TEST_F(JsonFiles, OtherExtensionsReachNoHandler)
{
    std::string problem;
    EXPECT_NE(ui().OpenFile(Write("item.txt", "{}"), IO_MERGE, &problem), NoError);
    EXPECT_FALSE(problem.empty());
    EXPECT_FALSE(DebugMentions("JsonFileHandler"));
}

}  // namespace
