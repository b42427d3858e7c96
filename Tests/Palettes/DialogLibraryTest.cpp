// The host's dialog and script libraries as the simulator provides them: layout checks, the user's
// answers to modal dialogs, alerts, observer lifetimes and reference counting.
#include "Support/UiSupport.hpp"

#include "DGModule.hpp"
#include "ResourceIds.hpp"

#include <stdexcept>

namespace {

using namespace QRVTest;

const GS::Guid TestPaletteGuid("{0C6D1C9A-1E1B-4F2A-9A51-2B7C4E0D9F10}");

class DialogLibrary : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        resModule = host->AddResourceModule(Sim::ResourceSet::LoadDirectory(CORVANA_RESOURCE_DIR));
    }
    std::vector<nlohmann::ordered_json> Errors() { return host->GetTranscript().EventsOfKind("error"); }

    GSResModule resModule = 0;
};

TEST_F(DialogLibrary, AnItemOfTheWrongKindIsReportedAndDoesNothing)
{
    DG::Palette palette(resModule, ID_CALCULATION_PALETTE, resModule, TestPaletteGuid);
    DG::Browser browser(palette, 1);
    EXPECT_FALSE(browser.IsValid());
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_NE(Errors()[0]["text"].get<std::string>().find("item 1 of dialog 32300 (DLG_32400) is a IconButton"),
              std::string::npos)
        << Errors()[0];
    browser.LoadURL("https://example.com");
    EXPECT_TRUE(Ui(*host).FindPalette(TestPaletteGuid)->Item(1)->url.empty());
    EXPECT_TRUE(EventsWhere(*host, "browser", "event", "load").empty());

    DG::LeftText missing(palette, 2);
    EXPECT_FALSE(missing.IsValid());
    EXPECT_EQ(Errors().size(), 2u);

    DG::IconButton button(palette, 1);
    EXPECT_TRUE(button.IsValid());
    EXPECT_EQ(button.GetIcon().GetResourceId(), ID_ICON_OSTREL);
    EXPECT_EQ(Errors().size(), 2u);
}

TEST_F(DialogLibrary, AMissingLayoutIsReported)
{
    DG::Palette palette(resModule, 4711, resModule, TestPaletteGuid);
    EXPECT_EQ(palette.GetItemCount(), 0);
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_NE(Errors()[0]["text"].get<std::string>().find("4711"), std::string::npos);
}

TEST_F(DialogLibrary, APageCallsOnlyALoadedPageAndExceptionsAreCaught)
{
    DG::Palette palette(resModule, ID_BROWSER_PALETTE, resModule, TestPaletteGuid);
    DG::Browser browser(palette, 1);
    GS::Ref<JS::Object> object = new JS::Object("probe");
    object->AddItem(new JS::Function("echo", [](GS::Ref<JS::Base> argument) { return argument; }));
    object->AddItem(new JS::Function("fail", [](GS::Ref<JS::Base>) -> GS::Ref<JS::Base> {
        throw std::runtime_error("broken");
    }));
    ASSERT_TRUE(browser.RegisterAsynchJSObject(object));
    EXPECT_FALSE(browser.RegisterAsynchJSObject(GS::Ref<JS::Object>()));

    Sim::UserInterface& ui = Ui(*host);
    EXPECT_FALSE(ui.CallJsFunction("probe", "echo").called) << "no page is loaded yet";
    browser.LoadURL("https://example.com");

    Sim::JsCallResult echoed = ui.CallJsFunction("probe", "echo", JsText("hello"));
    EXPECT_TRUE(echoed.called);
    EXPECT_EQ(ReplyText(echoed), "hello");
    EXPECT_FALSE(ui.CallJsFunction("probe", "missing").called);
    EXPECT_FALSE(ui.CallJsFunction("other", "echo").called);

    Sim::JsCallResult failed = ui.CallJsFunction("probe", "fail");
    EXPECT_FALSE(failed.called);
    EXPECT_NE(failed.problem.find("broken"), std::string::npos);
    EXPECT_EQ(Errors().size(), 1u);
}

TEST_F(DialogLibrary, ModalDialogsAreAnsweredAsScripted)
{
    DG::ModalDialog dialog(resModule, ID_BULK_IMPORT_SETTINGS_DIALOG, resModule);
    DG::RadioButton libraryOnly(dialog, 8);
    DG::RadioButton libraryAndModel(dialog, 10);
    libraryOnly.Select();
    Sim::UserInterface& ui = Ui(*host);

    EXPECT_TRUE(dialog.Invoke()) << "without a script the user accepts untouched";
    EXPECT_TRUE(libraryOnly.IsSelected());

    ui.ScriptNextDialog({Sim::DialogChoice::Accept, 10});
    EXPECT_TRUE(dialog.Invoke());
    EXPECT_TRUE(libraryAndModel.IsSelected());
    EXPECT_FALSE(libraryOnly.IsSelected()) << "one radio button of a group at a time";

    ui.ScriptNextDialog({Sim::DialogChoice::Cancel, 0});
    EXPECT_FALSE(dialog.Invoke());
    ui.ScriptNextDialog({Sim::DialogChoice::Close, 0});
    EXPECT_FALSE(dialog.Invoke());

    const auto dialogs = host->GetTranscript().EventsOfKind("dialog");
    ASSERT_EQ(dialogs.size(), 4u);
    EXPECT_EQ(dialogs[1]["title"], "Bulk Import");
    EXPECT_EQ(dialogs[1]["items"][0], "Import / Update");
    EXPECT_EQ(dialogs[1]["items"][7], "Project Library only");
    EXPECT_EQ(dialogs[1]["selected"], nlohmann::ordered_json::array({10}));
    EXPECT_EQ(dialogs[1]["answer"], "accept");
    EXPECT_EQ(dialogs[2]["answer"], "cancel");
    EXPECT_EQ(dialogs[3]["answer"], "close");
    EXPECT_EQ(dialogs[3]["result"], "cancelled");
    EXPECT_TRUE(Errors().empty()) << host->GetTranscript().ToJsonLines();
}

// A dialog whose first button asks to cancel: the user's click decides, not the button's number.
class CancellingDialog : public DG::ModalDialog, public DG::ButtonItemObserver {
public:
    explicit CancellingDialog(GSResModule resModule)
        : DG::ModalDialog(resModule, ID_BULK_IMPORT_SETTINGS_DIALOG, resModule), button(GetReference(), 1)
    {
        button.Attach(*this);
    }
    ~CancellingDialog() override { button.Detach(*this); }
    void ButtonClicked(const DG::ButtonClickEvent& ev) override
    {
        clickedSource = ev.GetSource();
        PostCloseRequest(DG::ModalDialog::Cancel);
    }

    DG::Button button;
    DG::ButtonItem* clickedSource = nullptr;
};

// Hears its radio buttons: which one became selected and which one was selected before.
class RadioListeningDialog : public DG::ModalDialog, public DG::RadioItemObserver {
public:
    explicit RadioListeningDialog(GSResModule resModule)
        : DG::ModalDialog(resModule, ID_BULK_IMPORT_SETTINGS_DIALOG, resModule),
          libraryOnly(GetReference(), 8),
          libraryAndModel(GetReference(), 10)
    {
        libraryOnly.Attach(*this);
        libraryAndModel.Attach(*this);
    }
    ~RadioListeningDialog() override
    {
        libraryAndModel.Detach(*this);
        libraryOnly.Detach(*this);
    }
    void RadioItemChanged(const DG::RadioItemChangeEvent& ev) override
    {
        changed.push_back(ev.GetSource());
        previous.push_back(ev.GetPreviousGroupSelection());
    }

    DG::RadioButton libraryOnly;
    DG::RadioButton libraryAndModel;
    std::vector<DG::RadioItem*> changed;
    std::vector<DG::Item*> previous;
};

TEST_F(DialogLibrary, ARadioChangeNamesTheButtonAndTheOneSelectedBefore)
{
    RadioListeningDialog dialog(resModule);
    dialog.libraryOnly.Select();
    Ui(*host).ScriptNextDialog({Sim::DialogChoice::Accept, 10});
    EXPECT_TRUE(dialog.Invoke());
    ASSERT_EQ(dialog.changed.size(), 1u) << "selecting by program tells no observer";
    EXPECT_EQ(dialog.changed[0], &dialog.libraryAndModel);
    EXPECT_EQ(dialog.previous[0], &dialog.libraryOnly);
}

TEST_F(DialogLibrary, PalettesShowInFrontUnlessToldOtherwise)
{
    DG::Palette palette(resModule, ID_BROWSER_PALETTE, resModule, TestPaletteGuid);
    palette.Show();
    palette.Hide();
    palette.Show(DG::ModelessBase::Last);
    const auto shown = EventsWhere(*host, "palette", "event", "shown");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0]["showMode"], 0x8000) << "the 16 bits of DG_DF_FIRST";
    EXPECT_EQ(shown[1]["showMode"], 0x8002);
}

TEST_F(DialogLibrary, APostedCloseRequestDecidesTheAnswer)
{
    CancellingDialog dialog(resModule);
    EXPECT_FALSE(dialog.Invoke());
    EXPECT_EQ(dialog.clickedSource, &dialog.button);
    EXPECT_EQ(host->GetTranscript().EventsOfKind("dialog").at(0)["result"], "cancelled");
}

TEST_F(DialogLibrary, AlertsAreTheHostsAlerts)
{
    host->QueueAlertAnswer("Reject");
    EXPECT_EQ(DGAlert(DG_WARNING, "", "Replace?", "A material of this name exists.", "Continue", "Reject"), 2);
    const auto alerts = host->GetTranscript().EventsOfKind("alert");
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]["type"], "warning");
    EXPECT_EQ(alerts[0]["buttons"], nlohmann::ordered_json::array({"Continue", "Reject"}));
    EXPECT_EQ(alerts[0]["answer"], "Reject");
    EXPECT_FALSE(alerts[0].contains("title")) << "an alert without a title shows none";

    EXPECT_EQ(DGAlert(DG_ERROR, "Corvana", "", "Something failed.", "OK"), DG_OK);
    const auto withTitle = host->GetTranscript().EventsOfKind("alert");
    ASSERT_EQ(withTitle.size(), 2u);
    EXPECT_EQ(withTitle[1]["type"], "error");
    EXPECT_EQ(withTitle[1]["title"], "Corvana");
    EXPECT_EQ(withTitle[1]["smallText"], "Something failed.");
}

class CountingObserver : public DG::PanelObserver {
public:
    void PanelCloseRequested(const DG::PanelCloseRequestEvent&, bool* accepted) override
    {
        ++requests;
        *accepted = allow;
    }
    void PanelClosed(const DG::PanelCloseEvent&) override { ++closes; }
    int requests = 0;
    int closes = 0;
    bool allow = true;
};

TEST_F(DialogLibrary, CloseRequestsAskEveryObserverAndDeadObserversAreForgotten)
{
    DG::Palette palette(resModule, ID_BROWSER_PALETTE, resModule, TestPaletteGuid);
    CountingObserver refusing;
    refusing.allow = false;
    palette.Attach(refusing);
    auto gone = std::make_unique<CountingObserver>();
    palette.Attach(*gone);
    palette.Attach(*gone);
    palette.BeginEventProcessing();
    palette.Show();
    const Sim::PanelState* state = Ui(*host).FindPalette(TestPaletteGuid);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->observers.size(), 2u) << "attaching twice attaches once";

    gone.reset();
    EXPECT_EQ(state->observers.size(), 1u);

    ASSERT_TRUE(Ui(*host).PressCloseBox(TestPaletteGuid));
    EXPECT_EQ(refusing.requests, 1);
    EXPECT_TRUE(palette.IsVisible()) << "a refused request leaves it open";
    refusing.allow = true;
    palette.SendCloseRequest();
    EXPECT_FALSE(palette.IsVisible());
    EXPECT_EQ(refusing.closes, 1);
}

TEST_F(DialogLibrary, UserActionsNeedWhatTheLayoutOffers)
{
    DG::Palette progress(resModule, ID_BULK_IMPORT_PROGRESS_PALETTE, resModule, ProgressPaletteGuid());
    progress.Show();
    std::string problem;
    EXPECT_FALSE(Ui(*host).PressCloseBox(ProgressPaletteGuid(), &problem)) << "its layout has no close box";
    progress.BeginEventProcessing();
    EXPECT_FALSE(Ui(*host).PressCloseBox(ProgressPaletteGuid(), &problem));
    EXPECT_FALSE(Ui(*host).ResizePalette(ProgressPaletteGuid(), 10, 10, &problem));
    EXPECT_FALSE(Ui(*host).ClickItem(ProgressPaletteGuid(), 1, &problem)) << "a static text is no button";
    EXPECT_TRUE(progress.IsVisible());
}

class Counted : public JS::Base {
public:
    explicit Counted(int* destroyed) : destroyed_(destroyed) {}
    ~Counted() override { ++*destroyed_; }

private:
    int* destroyed_;
};

TEST(GSRef, SharesOneCountAcrossTypes)
{
    int destroyed = 0;
    {
        GS::Ref<Counted> counted = new Counted(&destroyed);
        GS::Ref<JS::Base> base = counted;
        EXPECT_EQ(static_cast<UInt32>(counted.GetCounter()), 2u);
        EXPECT_EQ(GS::DynamicCast<JS::Value>(base), nullptr);
        GS::Ref<Counted> back = GS::DynamicCast<Counted>(base);
        EXPECT_EQ(back, counted);
        EXPECT_EQ(static_cast<UInt32>(back.GetCounter()), 3u);
        counted = nullptr;
        back = nullptr;
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);
}

}  // namespace
