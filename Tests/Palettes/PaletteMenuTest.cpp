// The two palettes as the user meets them: menu toggles, title and layout, close box, resizing, the
// calculation button and the end of the calculation palette at quit.
#include "Support/UiSupport.hpp"

#include "ResourceIds.hpp"
#include "SimUtf8.hpp"

namespace {

using namespace QRVTest;

struct ToggleCase {
    const char* name;
    short menu;
    GS::Guid guid;
};

void PrintTo(const ToggleCase& c, std::ostream* os) { *os << c.name; }

class PaletteToggle : public UiFixture, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(PaletteToggle, MenuShowsHidesAndShowsTheSamePalette)
{
    const ToggleCase& c = GetParam();
    EXPECT_EQ(Palette(c.guid), nullptr) << "no palette exists before its first use";
    EXPECT_FALSE(host->GetRegistry().keepInMemory);

    ASSERT_EQ(Menu(c.menu, 1), NoError);
    const Sim::PanelState* first = Palette(c.guid);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->visible);
    EXPECT_TRUE(host->GetRegistry().keepInMemory) << "creating a palette keeps the module loaded";
    const DG::Panel* object = first->object;

    ASSERT_EQ(Menu(c.menu, 1), NoError);
    ASSERT_NE(Palette(c.guid), nullptr) << "hiding does not destroy";
    EXPECT_FALSE(Palette(c.guid)->visible);

    ASSERT_EQ(Menu(c.menu, 1), NoError);
    ASSERT_NE(Palette(c.guid), nullptr);
    EXPECT_TRUE(Palette(c.guid)->visible);
    EXPECT_EQ(Palette(c.guid)->object, object);
    EXPECT_EQ(EventsWhere(*host, "palette", "event", "created").size(), 1u);

    for (const auto& shown : EventsWhere(*host, "palette", "event", "shown"))
        EXPECT_EQ(shown["showMode"], 0x8000);
}

INSTANTIATE_TEST_SUITE_P(BothPalettes, PaletteToggle,
                         ::testing::Values(ToggleCase{"Catalogue", ID_MENU_PLUGIN, CataloguePaletteGuid()},
                                           ToggleCase{"Calculation", ID_MENU_OSTREL, CalculationPaletteGuid()}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

using PaletteMenu = UiFixture;

TEST_F(PaletteMenu, TogglingKeepsTheCataloguePageLoadedOnce)
{
    Menu(ID_MENU_PLUGIN, 1);
    Menu(ID_MENU_PLUGIN, 1);
    Menu(ID_MENU_PLUGIN, 1);
    const Sim::ItemState* browser = PaletteItem(CataloguePaletteGuid(), 1);
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->pageLoads, 1);
    EXPECT_EQ(browser->url, CatalogueUrl);
}

TEST_F(PaletteMenu, OtherMenusAndItemsDoNothing)
{
    EXPECT_EQ(Menu(ID_MENU_PLUGIN, 2), NoError);
    EXPECT_EQ(Menu(ID_MENU_OSTREL, 2), NoError);
    EXPECT_EQ(Menu(ID_MENU_PLUGIN, 0), NoError);
    EXPECT_TRUE(ui().Panels().empty());
    EXPECT_FALSE(host->GetRegistry().keepInMemory);

    // The test system's menus are carried in the resources but never offered.
    EXPECT_NE(Menu(ID_MENU_PLUGIN_QA, 1), NoError);
    EXPECT_NE(Menu(ID_MENU_OSTREL_QA, 1), NoError);
    EXPECT_TRUE(ui().Panels().empty());
}

TEST_F(PaletteMenu, CatalogueTitleLayoutAndScriptObject)
{
    Menu(ID_MENU_PLUGIN, 1);
    const Sim::PanelState* palette = Palette(CataloguePaletteGuid());
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->title, "Corvana_3.1.0");
    EXPECT_EQ(palette->width, 400);
    EXPECT_EQ(palette->height, 600);
    ASSERT_EQ(palette->items.size(), 1u);
    ASSERT_EQ(palette->items[0].scriptObjects.size(), 1u);
    EXPECT_EQ(Sim::Utf8(palette->items[0].scriptObjects[0]->GetName()), "jsCorvanaInterface");

    // The script object is there before the first page load, so the page finds it from the start.
    const auto& events = host->GetTranscript().Events();
    auto registered = std::find_if(events.begin(), events.end(),
                                   [](const auto& e) { return e["kind"] == "browser" && e["event"] == "register"; });
    auto loaded = std::find_if(events.begin(), events.end(),
                               [](const auto& e) { return e["kind"] == "browser" && e["event"] == "load"; });
    ASSERT_NE(registered, events.end());
    ASSERT_NE(loaded, events.end());
    EXPECT_LT(registered, loaded);
    EXPECT_TRUE(host->GetTranscript().EventsOfKind("error").empty()) << host->GetTranscript().ToJsonLines();
}

TEST_F(PaletteMenu, CalculationPaletteKeepsItsLayout)
{
    Menu(ID_MENU_OSTREL, 1);
    const Sim::PanelState* palette = Palette(CalculationPaletteGuid());
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->title, "Corvana");
    EXPECT_EQ(palette->width, 24);
    EXPECT_EQ(palette->height, 24);
    ASSERT_NE(palette->Item(1), nullptr);
    EXPECT_EQ(palette->Item(1)->kind, "IconButton");
    EXPECT_EQ(palette->Item(1)->icon, ID_ICON_OSTREL);
    EXPECT_TRUE(host->GetTranscript().EventsOfKind("error").empty()) << host->GetTranscript().ToJsonLines();
}

TEST_F(PaletteMenu, CloseBoxHidesAndTheMenuShowsTheSamePageAgain)
{
    Menu(ID_MENU_PLUGIN, 1);
    const DG::Panel* object = Palette(CataloguePaletteGuid())->object;
    std::string problem;
    ASSERT_TRUE(ui().PressCloseBox(CataloguePaletteGuid(), &problem)) << problem;
    ASSERT_NE(Palette(CataloguePaletteGuid()), nullptr);
    EXPECT_FALSE(Palette(CataloguePaletteGuid())->visible);

    Menu(ID_MENU_PLUGIN, 1);
    EXPECT_TRUE(Palette(CataloguePaletteGuid())->visible);
    EXPECT_EQ(Palette(CataloguePaletteGuid())->object, object);
    EXPECT_EQ(PaletteItem(CataloguePaletteGuid(), 1)->pageLoads, 1);

    Menu(ID_MENU_OSTREL, 1);
    ASSERT_TRUE(ui().PressCloseBox(CalculationPaletteGuid(), &problem)) << problem;
    ASSERT_NE(Palette(CalculationPaletteGuid()), nullptr);
    EXPECT_FALSE(Palette(CalculationPaletteGuid())->visible);
}

TEST_F(PaletteMenu, ResizingGrowsTheBrowserByExactlyTheChange)
{
    Menu(ID_MENU_PLUGIN, 1);
    std::string problem;
    ASSERT_TRUE(ui().ResizePalette(CataloguePaletteGuid(), 50, -120, &problem)) << problem;
    const Sim::ItemState* browser = PaletteItem(CataloguePaletteGuid(), 1);
    EXPECT_EQ(browser->width, 450);
    EXPECT_EQ(browser->height, 480);
    ASSERT_TRUE(ui().ResizePalette(CataloguePaletteGuid(), -30, 15, &problem)) << problem;
    EXPECT_EQ(browser->width, 420);
    EXPECT_EQ(browser->height, 495);
    EXPECT_EQ(browser->x, 0);
    EXPECT_EQ(browser->y, 0);
    EXPECT_EQ(Palette(CataloguePaletteGuid())->moveResizeBrackets, 2);
    EXPECT_EQ(Palette(CataloguePaletteGuid())->moveResizeDepth, 0);
}

TEST_F(PaletteMenu, CalculationButtonWithoutCataloguePaletteDoesNothing)
{
    Menu(ID_MENU_OSTREL, 1);
    std::string problem;
    ASSERT_TRUE(ui().ClickItem(CalculationPaletteGuid(), 1, &problem)) << problem;
    EXPECT_EQ(Palette(CataloguePaletteGuid()), nullptr);
    EXPECT_TRUE(EventsWhere(*host, "browser", "event", "load").empty());
}

TEST_F(PaletteMenu, CalculationButtonShowsTheHiddenCataloguePageAtTheCalculations)
{
    Menu(ID_MENU_PLUGIN, 1);
    Menu(ID_MENU_PLUGIN, 1);
    ASSERT_FALSE(Palette(CataloguePaletteGuid())->visible);
    Menu(ID_MENU_OSTREL, 1);

    std::string problem;
    ASSERT_TRUE(ui().ClickItem(CalculationPaletteGuid(), 1, &problem)) << problem;
    EXPECT_TRUE(Palette(CataloguePaletteGuid())->visible);
    const Sim::ItemState* browser = PaletteItem(CataloguePaletteGuid(), 1);
    EXPECT_EQ(browser->url, std::string(CatalogueUrl) + "/#/calculations");
    EXPECT_EQ(browser->pageLoads, 2);
}

TEST_F(PaletteMenu, QuitDestroysTheCalculationPalette)
{
    Menu(ID_MENU_OSTREL, 1);
    ASSERT_NE(Palette(CalculationPaletteGuid()), nullptr);
    EXPECT_EQ(host->RaiseProjectEvent(APINotify_Quit), NoError);
    EXPECT_EQ(Palette(CalculationPaletteGuid()), nullptr);
    EXPECT_EQ(EventsWhere(*host, "palette", "event", "destroyed").size(), 1u);

    // A later command makes a new one.
    Menu(ID_MENU_OSTREL, 1);
    ASSERT_NE(Palette(CalculationPaletteGuid()), nullptr);
    EXPECT_TRUE(Palette(CalculationPaletteGuid())->visible);
    EXPECT_EQ(EventsWhere(*host, "palette", "event", "created").size(), 2u);
}

TEST_F(PaletteMenu, QuitDestroysTheCalculationPaletteWhicheverPaletteCameFirst)
{
    Menu(ID_MENU_OSTREL, 1);
    Menu(ID_MENU_PLUGIN, 1);
    host->RaiseProjectEvent(APINotify_Quit);
    EXPECT_EQ(Palette(CalculationPaletteGuid()), nullptr);
    ASSERT_NE(Palette(CataloguePaletteGuid()), nullptr) << "the catalogue palette stays";
    EXPECT_TRUE(Palette(CataloguePaletteGuid())->visible);
}

}  // namespace
