// The host's palette messages (close, hide, disable items, open, "is it visible?") for the catalogue and
// the calculation palette, which are registered as modeless windows at initialisation.
#include "Support/UiSupport.hpp"

#include "ResourceIds.hpp"

namespace {

using namespace QRVTest;

using PaletteMessages = UiFixture;

TEST_F(PaletteMessages, MessagesForAbsentPalettesAreIgnoredExceptOpen)
{
    for (Int32 ref : {CataloguePaletteRef, CalculationPaletteRef}) {
        for (auto message : {APIPalMsg_ClosePalette, APIPalMsg_HidePalette_Begin, APIPalMsg_HidePalette_End,
                             APIPalMsg_DisableItems_Begin, APIPalMsg_DisableItems_End})
            PaletteMessage(ref, message);
        EXPECT_FALSE(PaletteMessage(ref, APIPalMsg_IsPaletteVisible));
    }
    EXPECT_TRUE(ui().Panels().empty());
    EXPECT_FALSE(host->GetRegistry().keepInMemory);

    PaletteMessage(CalculationPaletteRef, APIPalMsg_OpenPalette);
    ASSERT_NE(Palette(CalculationPaletteGuid()), nullptr);
    EXPECT_TRUE(Palette(CalculationPaletteGuid())->visible);
    EXPECT_TRUE(host->GetRegistry().keepInMemory);
    EXPECT_EQ(Palette(CataloguePaletteGuid()), nullptr) << "each palette hears only its own messages";
}

TEST_F(PaletteMessages, CataloguePaletteFollowsCloseOpenAndVisibility)
{
    PaletteMessage(CataloguePaletteRef, APIPalMsg_OpenPalette);
    ASSERT_NE(Palette(CataloguePaletteGuid()), nullptr);
    const DG::Panel* object = Palette(CataloguePaletteGuid())->object;
    EXPECT_TRUE(PaletteMessage(CataloguePaletteRef, APIPalMsg_IsPaletteVisible));

    // Hiding and disabling leave the page alone.
    PaletteMessage(CataloguePaletteRef, APIPalMsg_HidePalette_Begin);
    EXPECT_TRUE(Palette(CataloguePaletteGuid())->visible);
    PaletteMessage(CataloguePaletteRef, APIPalMsg_DisableItems_Begin);
    EXPECT_TRUE(PaletteItem(CataloguePaletteGuid(), 1)->enabled);

    PaletteMessage(CataloguePaletteRef, APIPalMsg_ClosePalette);
    ASSERT_NE(Palette(CataloguePaletteGuid()), nullptr);
    EXPECT_FALSE(Palette(CataloguePaletteGuid())->visible);
    EXPECT_FALSE(PaletteMessage(CataloguePaletteRef, APIPalMsg_IsPaletteVisible));
    PaletteMessage(CataloguePaletteRef, APIPalMsg_HidePalette_End);
    EXPECT_FALSE(Palette(CataloguePaletteGuid())->visible);

    PaletteMessage(CataloguePaletteRef, APIPalMsg_OpenPalette);
    EXPECT_TRUE(Palette(CataloguePaletteGuid())->visible);
    EXPECT_EQ(Palette(CataloguePaletteGuid())->object, object);
    EXPECT_EQ(PaletteItem(CataloguePaletteGuid(), 1)->pageLoads, 1);
}

TEST_F(PaletteMessages, CalculationPaletteFollowsEveryMessage)
{
    PaletteMessage(CalculationPaletteRef, APIPalMsg_OpenPalette);
    ASSERT_NE(Palette(CalculationPaletteGuid()), nullptr);
    EXPECT_TRUE(PaletteMessage(CalculationPaletteRef, APIPalMsg_IsPaletteVisible));

    PaletteMessage(CalculationPaletteRef, APIPalMsg_DisableItems_Begin);
    EXPECT_FALSE(PaletteItem(CalculationPaletteGuid(), 1)->enabled);
    EXPECT_FALSE(ui().ClickItem(CalculationPaletteGuid(), 1)) << "a disabled button cannot be clicked";
    PaletteMessage(CalculationPaletteRef, APIPalMsg_DisableItems_End);
    EXPECT_TRUE(PaletteItem(CalculationPaletteGuid(), 1)->enabled);

    PaletteMessage(CalculationPaletteRef, APIPalMsg_HidePalette_Begin);
    EXPECT_FALSE(Palette(CalculationPaletteGuid())->visible);
    EXPECT_FALSE(PaletteMessage(CalculationPaletteRef, APIPalMsg_IsPaletteVisible));
    // Items of a hidden palette are left as they are.
    PaletteMessage(CalculationPaletteRef, APIPalMsg_DisableItems_Begin);
    EXPECT_TRUE(PaletteItem(CalculationPaletteGuid(), 1)->enabled);
    PaletteMessage(CalculationPaletteRef, APIPalMsg_HidePalette_End);
    EXPECT_TRUE(Palette(CalculationPaletteGuid())->visible);

    PaletteMessage(CalculationPaletteRef, APIPalMsg_ClosePalette);
    ASSERT_NE(Palette(CalculationPaletteGuid()), nullptr);
    EXPECT_FALSE(Palette(CalculationPaletteGuid())->visible);
    EXPECT_FALSE(PaletteMessage(CalculationPaletteRef, APIPalMsg_IsPaletteVisible));
}

TEST_F(PaletteMessages, HandlersAlwaysAnswerNoError)
{
    for (Int32 ref : {CataloguePaletteRef, CalculationPaletteRef, ProgressPaletteRef})
        for (Int32 message = APIPalMsg_ClosePalette; message <= APIPalMsg_IsPaletteVisible; ++message)
            EXPECT_EQ(host->SendPaletteMessage(ref, static_cast<API_PaletteMessageID>(message)), NoError)
                << ref << " " << message;
}

}  // namespace
