// Bulk import of construction systems: the settings dialog and its estimates, the user's answers, and the
// run with its progress palette and status list.
#include "BulkImportFixture.hpp"

#include "AddOn/PageCommands.hpp"
#include "BulkImport/BulkImportEstimate.hpp"
#include "BulkImport/BulkImportRun.hpp"

namespace {

using namespace QRVTest;
using Json = nlohmann::json;

class BulkImport : public BulkImportFixture {
protected:
    Json Entry(const Json& list) { return QRV::BulkImportEntry(GS::UniString(list.dump())); }

    // Runs `list` as the run of an accepted dialog does, with the given estimate.
    Json Run(const Json& list, Int64 estimateSeconds)
    {
        QRV::BulkImportProgressDlg& palette = QRV::BulkImportProgressManager::GetInstance().GetPalette();
        palette.Reset();
        palette.SetPayload(GS::UniString(list.dump()));
        palette.SetEstimate(estimateSeconds);
        return QRV::BulkImportRun(palette).Run();
    }

    static std::vector<std::string> Statuses(const Json& result)
    {
        std::vector<std::string> statuses;
        for (const Json& object : result)
            statuses.push_back(object.at("status").get<std::string>());
        return statuses;
    }

    void UseFixedClock(Int64 millisecondsPerReading, Int64 startTicks = 0)
    {
        host->GetClock().Set(1700000000, startTicks);
        host->GetClock().SetSkipSleep(true);
        host->GetClock().SetStepPerReading(millisecondsPerReading);
    }
};

TEST_F(BulkImport, EstimatesOfAnEmptyModelAreShownForBothChoices)
{
    ui().ScriptNextDialog({Sim::DialogChoice::Cancel, 0});
    Entry(Json::array({System(1, "Wall A", 3), System(2, "Wall B", 3)}));

    const auto dialogs = Dialogs();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0]["title"], "Bulk Import");
    const auto& items = dialogs[0]["items"];
    EXPECT_EQ(items[8], "Estimated time:  8s") << "2 systems + 3 materials x 2, one second each";
    EXPECT_EQ(items[10], "Estimated time:  8s");
    EXPECT_EQ(items[7], "Project Library only");
    EXPECT_EQ(items[9], "Project Library + BIM Model");
    EXPECT_EQ(dialogs[0]["selected"], nlohmann::ordered_json::array({8}));
}

TEST_F(BulkImport, EstimateCountsSystemsMaterialsAndTheModel)
{
    const Json list = Json::array({System(1, "Wall A", 3), System(2, "Wall B", 3)});
    QRV::BulkImportEstimate empty = QRV::BulkImportEstimate::Of(list);
    EXPECT_EQ(empty.LibraryOnlySeconds(), 8);
    EXPECT_EQ(empty.LibraryAndModelSeconds(), 8);

    // Any element in the model makes each material slower, even one that uses neither system.
    QRV::TheElementLists().all.Push(API_Guid{});
    QRV::BulkImportEstimate withModel = QRV::BulkImportEstimate::Of(list);
    EXPECT_EQ(withModel.LibraryOnlySeconds(), 38);
    EXPECT_EQ(withModel.LibraryAndModelSeconds(), 38);

    withModel.elements = 10;
    EXPECT_EQ(withModel.LibraryOnlySeconds(), 38);
    EXPECT_EQ(withModel.LibraryAndModelSeconds(), 38 + 180);
}

TEST_F(BulkImport, EstimateReadsOddListsWithoutFailing)
{
    Json list = Json::array({System(1, "A", 2), 7, Json::object(), {{"name", true}, {"materials", {{"x", 1}}}}});
    const QRV::BulkImportEstimate estimate = QRV::BulkImportEstimate::Of(list);
    EXPECT_EQ(estimate.systems, 4);
    EXPECT_EQ(estimate.materials, 2) << "only a \"materials\" array is counted";
    EXPECT_EQ(estimate.LibraryOnlySeconds(), 6);

    EXPECT_EQ(QRV::BulkImportEstimate::Of(Json("not a list")).LibraryAndModelSeconds(), 0);
}

TEST_F(BulkImport, CancellingOrClosingAnswersAnEmptyListAndChangesNothing)
{
    const Sim::Project before = host->GetProject();
    const Json list = Json::array({System(1, "Wall A", 3), Material(2, "Oak")});

    ui().ScriptNextDialog({Sim::DialogChoice::Cancel, 10});
    EXPECT_EQ(Entry(list), Json("[]"));
    ui().ScriptNextDialog({Sim::DialogChoice::Close, 10});
    EXPECT_EQ(Entry(list), Json("[]"));

    EXPECT_EQ(Dialogs().size(), 2u);
    EXPECT_TRUE(host->GetProject() == before);
    EXPECT_EQ(QRV::GetBulkImportScope(), QRV::BulkImportScope::LibraryOnly) << "a cancelled choice is not kept";
    EXPECT_EQ(QRV::BulkImportProgressManager::GetInstance().FindPalette(), nullptr);
    EXPECT_TRUE(EventsWhere(*host, "palette", "title", "Bulk Import Progress").empty());
    EXPECT_TRUE(QRV::TheElementLists().all.IsEmpty());
}

TEST_F(BulkImport, AcceptingUntouchedRunsTheLibraryOnly)
{
    QRV::SetBulkImportScope(QRV::BulkImportScope::LibraryAndModel);  // left by an earlier run
    const Json result = Entry(Json::array({System(1, "Wall A", 1), Material(2, "Oak")}));

    ASSERT_EQ(Dialogs().size(), 1u);
    EXPECT_EQ(Dialogs()[0]["answer"], "accept");
    EXPECT_EQ(QRV::GetBulkImportScope(), QRV::BulkImportScope::LibraryOnly);
    ASSERT_EQ(result.size(), 2u);
    EXPECT_EQ(result[1]["status"], "imported");
    EXPECT_EQ(ProcessWindowsOpened(), 0);
    EXPECT_EQ(QRV::BulkImportProgressManager::GetInstance().FindPalette(), nullptr) << "closed after the run";
    EXPECT_TRUE(QRV::TheElementLists().all.IsEmpty());
}

TEST_F(BulkImport, TheModelChoiceIsKeptForTheRun)
{
    ui().ScriptNextDialog({Sim::DialogChoice::Accept, 10});
    const Json result = Entry(Json::array({System(1, "Wall A", 1)}));
    EXPECT_EQ(result.size(), 1u);
    EXPECT_EQ(QRV::GetBulkImportScope(), QRV::BulkImportScope::LibraryAndModel);
    EXPECT_EQ(ProgressTexts(3).at(1), "Estimated time remaining:  2s");
}

TEST_F(BulkImport, ThreeSystemsFillTheBarAndGiveThreeStatusObjects)
{
    const Json list = Json::array({System(11, "Wall A", 1), System(12, "Slab B", 2), System(13, "Roof C", 0)});
    const Json result = Entry(list);

    ASSERT_EQ(result.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(result[i]["id"], list[i]["id"]);
        EXPECT_EQ(result[i]["name"], list[i]["name"]);
        EXPECT_EQ(result[i]["image"], list[i]["image"]);
        EXPECT_EQ(result[i]["thumbnail"], "");
    }
    Int32 maximum = 0;
    const std::vector<Int32> values = ProgressValues(&maximum);
    EXPECT_EQ(maximum, 3);
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values.back(), 3);
    EXPECT_EQ(ProgressTexts(1), (std::vector<std::string>{"CS name", "Wall A", "Slab B", "Roof C"}));
    EXPECT_EQ(EventsWhere(*host, "palette", "event", "closed").size(), 1u);
}

TEST_F(BulkImport, AnItemWithoutImporterFailsAndTheRunGoesOn)
{
    const Json list = Json::array({Material(1, "Oak"), Json{{"import_type", "unknown"}, {"id", 2}, {"name", "X"}},
                                   5, Material(4, "Ash")});
    const Json result = Run(list, 10);
    EXPECT_EQ(Statuses(result), (std::vector<std::string>{"imported", "failed", "failed", "imported"}));
    EXPECT_EQ(result[2]["id"], nullptr) << "an element that is no object echoes nothing";
    EXPECT_NE(host->GetProject().attributes.buildingMaterials.FindByName("Ash"), nullptr);
}

TEST_F(BulkImport, ElapsedTimeGoesOnWhenTheTickCounterWraps)
{
    // The host's tick counter has 32 bits: it passes zero three seconds into the run.
    UseFixedClock(2000, (Int64(1) << 32) - 3000);
    Run(Json::array({Material(1, "Oak"), Material(2, "Ash"), Material(3, "Elm")}), 5);

    EXPECT_EQ(ProgressTexts(4), (std::vector<std::string>{"Time elapsed:", "Time elapsed:  2s", "Time elapsed:  4s",
                                                          "Time elapsed:  6s"}));
}

TEST_F(BulkImport, RemainingTimeCountsDownAndNeverGoesBelowZero)
{
    UseFixedClock(2000);  // each system takes two seconds
    Run(Json::array({Material(1, "Oak"), Material(2, "Ash"), Material(3, "Elm")}), 5);

    EXPECT_EQ(ProgressTexts(4), (std::vector<std::string>{"Time elapsed:", "Time elapsed:  2s", "Time elapsed:  4s",
                                                          "Time elapsed:  6s"}));
    const std::vector<std::string> remaining = ProgressTexts(3);
    ASSERT_GE(remaining.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(remaining.end() - 3, remaining.end()),
              (std::vector<std::string>{"Estimated time remaining:  3s", "Estimated time remaining:  1s",
                                        "Estimated time remaining:  0s"}));
}

TEST_F(BulkImport, TheLastStateStaysInViewBeforeThePaletteCloses)
{
    UseFixedClock(0);
    const Int64 start = host->GetClock().Ticks();
    Run(Json::array({Material(1, "Oak")}), 1);
    EXPECT_EQ(host->GetClock().Ticks() - start, Int64{QRV::BulkImportRun::FinalPauseMilliseconds});
    EXPECT_EQ(QRV::BulkImportProgressManager::GetInstance().FindPalette(), nullptr);
}

TEST_F(BulkImport, ARunStartsWithTheAbortFlagCleared)
{
    QRV::SetBulkImportAborted(true);  // left by an aborted run
    const Json result = Run(Json::array({Material(1, "Oak"), Material(2, "Ash")}), 10);
    EXPECT_EQ(result.size(), 2u);
}

TEST_F(BulkImport, TheRunSurvivesThePaletteBeingClosed)
{
    QRV::BulkImportProgressDlg& palette = QRV::BulkImportProgressManager::GetInstance().GetPalette();
    palette.SetPayload(GS::UniString(Json::array({Material(1, "Oak"), Material(2, "Ash")}).dump()));
    QRV::BulkImportRun run(palette);
    host->SendPaletteMessage(ProgressPaletteRef, APIPalMsg_ClosePalette);  // the host closes it
    ASSERT_EQ(QRV::BulkImportProgressManager::GetInstance().FindPalette(), nullptr);
    EXPECT_EQ(Statuses(run.Run()), (std::vector<std::string>{"imported", "imported"}));
}

TEST_F(BulkImport, AListThatCannotBeReadRunsNothing)
{
    const Json result = QRV::BulkImportEntry("[{\"import_type\": \"system\", ");
    EXPECT_TRUE(result.is_array());
    EXPECT_TRUE(result.empty());
    EXPECT_TRUE(Dialogs().empty());
}

// The command-line host's --dialog option answers the settings dialog whenever no answer was scripted.
class BulkImportDialogOption : public BulkImportFixture, public ::testing::WithParamInterface<const char*> {
protected:
    Sim::HostOptions Options() const override
    {
        Sim::HostOptions options;
        options.dialogChoice = GetParam();
        return options;
    }
};

TEST_P(BulkImportDialogOption, AnswersEveryBulkDialog)
{
    const std::string choice = GetParam();
    const Json list = Json::array({System(1, "Wall A", 1)});
    for (int i = 0; i < 2; ++i) {
        const Json result = QRV::BulkImportEntry(GS::UniString(list.dump()));
        if (choice == "cancel") {
            EXPECT_EQ(result, Json("[]"));
        } else {
            EXPECT_EQ(result.size(), 1u);
            EXPECT_EQ(QRV::GetBulkImportScope(), choice == "model" ? QRV::BulkImportScope::LibraryAndModel
                                                                   : QRV::BulkImportScope::LibraryOnly);
        }
    }
    EXPECT_EQ(Dialogs().size(), 2u);
    EXPECT_TRUE(host->GetTranscript().EventsOfKind("error").empty()) << host->GetTranscript().ToJsonLines();
}

INSTANTIATE_TEST_SUITE_P(Choices, BulkImportDialogOption, ::testing::Values("library", "model", "cancel"));

}  // namespace
