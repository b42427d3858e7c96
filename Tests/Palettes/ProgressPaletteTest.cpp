// The bulk import progress palette: its manager's answers to the host's palette messages, and what its
// item setters show.
#include "Support/InProcessModule.hpp"
#include "Support/UiSupport.hpp"

#include "BulkImport/BulkImportProgressManager.hpp"
#include "BulkImport/DurationText.hpp"
#include "SimUtf8.hpp"

namespace {

using namespace QRVTest;

class ProgressPalette : public InProcessModuleFixture {
protected:
    void CleanUpModuleState() override
    {
        if (QRV::BulkImportProgressDlg* palette = Manager().FindPalette())
            Manager().PaletteDisposed(palette);
    }
    static QRV::BulkImportProgressManager& Manager() { return QRV::BulkImportProgressManager::GetInstance(); }
    const Sim::PanelState* State() { return Ui(*host).FindPalette(ProgressPaletteGuid()); }
    std::string Text(short item) { return State() != nullptr ? State()->Item(item)->text : "<no palette>"; }
    bool Message(API_PaletteMessageID message)
    {
        bool result = false;
        host->SendPaletteMessage(ProgressPaletteRef, message, &result);
        return result;
    }
};

TEST_F(ProgressPalette, OpenMakesThePaletteFromItsLayout)
{
    EXPECT_FALSE(Message(APIPalMsg_IsPaletteVisible));
    for (auto message : {APIPalMsg_ClosePalette, APIPalMsg_HidePalette_Begin, APIPalMsg_HidePalette_End,
                         APIPalMsg_DisableItems_Begin, APIPalMsg_DisableItems_End})
        Message(message);
    EXPECT_EQ(Manager().FindPalette(), nullptr);

    Message(APIPalMsg_OpenPalette);
    ASSERT_NE(Manager().FindPalette(), nullptr);
    ASSERT_NE(State(), nullptr);
    EXPECT_TRUE(State()->visible);
    EXPECT_TRUE(Message(APIPalMsg_IsPaletteVisible));
    EXPECT_EQ(State()->title, "Bulk Import Progress");
    EXPECT_EQ(Text(1), "CS name");
    EXPECT_EQ(State()->Item(2)->kind, "ProgressBar");
    EXPECT_EQ(Text(3), "Estimated time remaining:");
    EXPECT_EQ(Text(4), "Time elapsed:");
    EXPECT_TRUE(host->GetTranscript().EventsOfKind("error").empty()) << host->GetTranscript().ToJsonLines();
}

TEST_F(ProgressPalette, MessagesForAnotherReferenceNumberAreIgnored)
{
    const Sim::RegisteredWindow* window = host->GetRegistry().FindWindow(ProgressPaletteRef);
    ASSERT_NE(window, nullptr);
    bool flag = false;
    EXPECT_EQ(window->callback(CataloguePaletteRef, APIPalMsg_OpenPalette, reinterpret_cast<GS::IntPtr>(&flag)),
              NoError);
    EXPECT_EQ(Manager().FindPalette(), nullptr);

    Message(APIPalMsg_OpenPalette);
    window->callback(CataloguePaletteRef, APIPalMsg_IsPaletteVisible, reinterpret_cast<GS::IntPtr>(&flag));
    EXPECT_FALSE(flag);
    window->callback(CataloguePaletteRef, APIPalMsg_ClosePalette, 0);
    EXPECT_NE(Manager().FindPalette(), nullptr);
    EXPECT_TRUE(State()->visible);
}

TEST_F(ProgressPalette, CloseMessageClosesAndDisposesThePalette)
{
    Message(APIPalMsg_OpenPalette);
    ASSERT_NE(Manager().FindPalette(), nullptr);
    Message(APIPalMsg_ClosePalette);
    EXPECT_EQ(Manager().FindPalette(), nullptr);
    EXPECT_EQ(State(), nullptr);
    EXPECT_EQ(EventsWhere(*host, "palette", "event", "closed").size(), 1u);
    EXPECT_EQ(EventsWhere(*host, "palette", "event", "destroyed").size(), 1u);
    EXPECT_FALSE(Message(APIPalMsg_IsPaletteVisible));

    Message(APIPalMsg_OpenPalette);
    ASSERT_NE(Manager().FindPalette(), nullptr);
    EXPECT_TRUE(State()->visible);
    EXPECT_EQ(EventsWhere(*host, "palette", "event", "created").size(), 2u);
}

TEST_F(ProgressPalette, HideEndShowsOnlyWhatHideBeginHid)
{
    Message(APIPalMsg_OpenPalette);
    Message(APIPalMsg_HidePalette_Begin);
    EXPECT_FALSE(State()->visible);
    Message(APIPalMsg_HidePalette_End);
    EXPECT_TRUE(State()->visible);
    Message(APIPalMsg_HidePalette_End);
    EXPECT_TRUE(State()->visible);

    // Hidden by the add-on: the host's hide and show messages leave it hidden.
    Manager().FindPalette()->Hide();
    Message(APIPalMsg_HidePalette_Begin);
    Message(APIPalMsg_HidePalette_End);
    EXPECT_FALSE(State()->visible);
}

TEST_F(ProgressPalette, ItemsAreDisabledAndEnabledOnlyWhileShown)
{
    Message(APIPalMsg_OpenPalette);
    Message(APIPalMsg_DisableItems_Begin);
    for (const auto& item : State()->items)
        EXPECT_FALSE(item.enabled) << item.id;
    Message(APIPalMsg_DisableItems_End);
    for (const auto& item : State()->items)
        EXPECT_TRUE(item.enabled) << item.id;

    Manager().FindPalette()->Hide();
    Message(APIPalMsg_DisableItems_Begin);
    for (const auto& item : State()->items)
        EXPECT_TRUE(item.enabled) << item.id;
}

TEST_F(ProgressPalette, SettersShowNamesDurationsAndProgress)
{
    QRV::BulkImportProgressDlg& palette = Manager().GetPalette();
    palette.SetEstimate(4560);
    EXPECT_EQ(palette.GetEstimate(), 4560);
    EXPECT_EQ(Text(3), "Estimated time remaining:  1h 16m  0s");
    palette.SetElapsed(3605);
    EXPECT_EQ(Text(4), "Time elapsed:  1h  5s");
    palette.SetRemaining(-3);
    EXPECT_EQ(Text(3), "Estimated time remaining:  0s");
    palette.SetSystemName(Sim::Uni("Außenwand 36,5"));
    EXPECT_EQ(Text(1), "Außenwand 36,5");

    palette.SetProgressBounds(0, 3);
    for (Int32 value : {1, 2, 3, 5})
        palette.SetProgressValue(value);
    const Sim::ItemState* bar = State()->Item(2);
    EXPECT_EQ(bar->value, 3) << "kept within the bounds";
    ASSERT_GE(bar->progress.size(), 4u);
    std::vector<Int32> last;
    for (size_t i = bar->progress.size() - 4; i < bar->progress.size(); ++i)
        last.push_back(bar->progress[i].value);
    EXPECT_EQ(last, (std::vector<Int32>{1, 2, 3, 3}));

    palette.SetPayload("[{}]");
    palette.Reset();
    EXPECT_EQ(Text(1), "CS name");
    EXPECT_EQ(Text(3), "Estimated time remaining:");
    EXPECT_EQ(Text(4), "Time elapsed:");
    EXPECT_EQ(bar->value, 0);
    EXPECT_TRUE(palette.GetPayload().IsEmpty());
    EXPECT_EQ(palette.GetEstimate(), 0);
}

TEST(DurationText, LeavesOutLeadingZeroParts)
{
    const std::pair<Int64, const char*> cases[] = {{4560, " 1h 16m  0s"}, {3605, " 1h  5s"}, {59, "59s"},
                                                   {0, " 0s"},           {60, " 1m  0s"},     {36000, "10h  0s"},
                                                   {-5, " 0s"},          {360000, "100h  0s"}};
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(Sim::Utf8(QRV::DurationText(seconds)), text) << seconds;
}

}  // namespace
