#include "ClassLibs/LiveHandles.hpp"
#include "CompositeFixture.hpp"

#include "BM.hpp"

namespace {

using QRVTest::SkinSpec;

class CompositeWriterTest : public QRVTest::CompositeFixture {};

TEST_F(CompositeWriterTest, CreatesTheCompositeWithItsSkinsLinesUsageAndThickness)
{
    QRV::ComplexMaterial system = System("Slab S1", "Floor",
                                         {{"Screed", "Finish", 0.05}, {"Concrete", "Core", 0.2}, {"Foil", "Other", 0.001}});
    system.SetSeparatorLineType(3);
    system.SetSeparatorLinePen(5);
    const Int32 handlesBefore = Sim::LiveHandleCount();

    EXPECT_TRUE(QRV::ACLink().CreateComplexMaterial(system));

    EXPECT_EQ(system.GetImportStatus(), "imported");
    EXPECT_TRUE(AlertTexts().empty());
    EXPECT_EQ(Sim::LiveHandleCount(), handlesBefore);
    const auto* composite = Composite("Slab S1");
    ASSERT_NE(composite, nullptr);
    EXPECT_EQ(composite->usage, 2u);
    EXPECT_DOUBLE_EQ(composite->totalThickness, 0.251);
    ASSERT_EQ(composite->skins.size(), 3u);
    const std::vector<std::string> materials = {"Screed", "Concrete", "Foil"};
    const std::vector<Int16> flags = {APICWallComp_Finish, APICWallComp_Core, 0};
    const std::vector<double> thicknesses = {0.05, 0.2, 0.001};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NE(MaterialIndex(materials[i]), 0);
        EXPECT_EQ(composite->skins[i].buildingMaterial, MaterialIndex(materials[i]));
        EXPECT_EQ(composite->skins[i].flags, flags[i]);
        EXPECT_DOUBLE_EQ(composite->skins[i].thickness, thicknesses[i]);
    }
    ASSERT_EQ(composite->lines.size(), 4u);
    for (const auto& line : composite->lines) {
        EXPECT_EQ(line.lineType, 3);
        EXPECT_EQ(line.pen, 5);
    }
}

TEST_F(CompositeWriterTest, UsageFollowsTheSystemType)
{
    QRV::ComplexMaterial roof = System("Roof R1", "Roof", {{"Tiles", "Finish", 0.04}});
    QRV::ComplexMaterial wall = System("Wall W1", "Partition", {{"Gypsum", "Core", 0.1}});
    ASSERT_TRUE(QRV::ACLink().CreateComplexMaterial(roof));
    ASSERT_TRUE(QRV::ACLink().CreateComplexMaterial(wall));
    EXPECT_EQ(Composite("Roof R1")->usage, 4u);
    EXPECT_EQ(Composite("Wall W1")->usage, 1u);
}

TEST_F(CompositeWriterTest, AMaterialInSeveralSkinsIsAskedAboutOnce)
{
    QRV::Material brick;
    brick.SetName("Brick");
    ASSERT_TRUE(QRV::ACLink().CreateMaterial(brick));
    QRV::ComplexMaterial system =
        System("Cavity wall", "Wall", {{"Brick", "Finish", 0.1}, {"Mineral wool", "Other", 0.1}, {"Brick", "Core", 0.1}});
    host->QueueAlertAnswer("Continue");

    EXPECT_TRUE(QRV::ACLink().CreateComplexMaterial(system));

    const auto texts = AlertTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("'Brick'"), std::string::npos);
    EXPECT_EQ(system.GetImportStatus(), "imported");
    const auto* composite = Composite("Cavity wall");
    ASSERT_NE(composite, nullptr);
    EXPECT_EQ(composite->skins[0].buildingMaterial, MaterialIndex("Brick"));
    EXPECT_EQ(composite->skins[2].buildingMaterial, MaterialIndex("Brick"));
}

TEST_F(CompositeWriterTest, AnExistingCompositeAndAnExistingMaterialAreEachAskedAbout)
{
    QRV::ComplexMaterial first = System("Wall W2", "Wall", {{"Timber", "Core", 0.1}});
    first.SetReplaceWithoutAsking(true);
    ASSERT_TRUE(QRV::ACLink().CreateComplexMaterial(first));
    QRV::ComplexMaterial again = System("Wall W2", "Wall", {{"Timber", "Core", 0.12}, {"Timber", "Finish", 0.01}});
    host->QueueAlertAnswer("Continue");
    host->QueueAlertAnswer("Continue");

    EXPECT_TRUE(QRV::ACLink().CreateComplexMaterial(again));

    const auto texts = AlertTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].find("'Wall W2'"), std::string::npos);
    EXPECT_NE(texts[1].find("'Timber'"), std::string::npos);
    EXPECT_EQ(again.GetImportStatus(), "overwritten");
    EXPECT_EQ(Composite("Wall W2")->skins.size(), 2u);
}

TEST_F(CompositeWriterTest, RejectingWritesNothing)
{
    QRV::ComplexMaterial first = System("Wall W3", "Wall", {{"Clay", "Core", 0.2}});
    ASSERT_TRUE(QRV::ACLink().CreateComplexMaterial(first));
    const Sim::Model::Composite before = *Composite("Wall W3");
    const size_t materialsBefore = MaterialCount();

    // Rejecting the composite itself.
    QRV::ComplexMaterial replaced = System("Wall W3", "Wall", {{"Lime", "Core", 0.3}, {"Clay", "Finish", 0.02}});
    host->QueueAlertAnswer("Reject");
    EXPECT_FALSE(QRV::ACLink().CreateComplexMaterial(replaced));
    EXPECT_EQ(replaced.GetImportStatus(), "Undefined");

    // Rejecting one skin material of a new composite.
    QRV::ComplexMaterial other = System("Wall W4", "Wall", {{"Lime", "Core", 0.3}, {"Clay", "Finish", 0.02}});
    host->QueueAlertAnswer("Reject");
    EXPECT_FALSE(QRV::ACLink().CreateComplexMaterial(other));

    EXPECT_EQ(AlertTexts().size(), 2u);
    EXPECT_EQ(*Composite("Wall W3"), before);
    EXPECT_EQ(Composite("Wall W4"), nullptr);
    EXPECT_EQ(MaterialCount(), materialsBefore);
    EXPECT_EQ(MaterialIndex("Lime"), 0);
}

TEST_F(CompositeWriterTest, ReimportKeepsTheUsersLinesPensAndFlagsWhereBothHaveThePosition)
{
    QRV::ComplexMaterial first = System("Wall W5", "Wall", {{"A", "Core", 0.1}, {"B", "Finish", 0.02}});
    ASSERT_TRUE(QRV::ACLink().CreateComplexMaterial(first));
    Sim::Model::Composite* edited = MutableComposite("Wall W5");
    const Int32 index = edited->index;
    edited->skins[0].framePen = 40;
    edited->skins[0].flags = 0;
    edited->skins[1].framePen = 41;
    for (size_t i = 0; i < edited->lines.size(); ++i) {
        edited->lines[i].lineType = 7;
        edited->lines[i].pen = static_cast<Int16>(20 + i);
    }

    QRV::ComplexMaterial again =
        System("Wall W5", "Wall", {{"C", "Finish", 0.3}, {"D", "Core", 0.4}, {"E", "Core", 0.5}});
    again.SetSeparatorLineType(2);
    again.SetSeparatorLinePen(9);
    host->QueueAlertAnswer("Continue");
    EXPECT_TRUE(QRV::ACLink().CreateComplexMaterial(again));

    EXPECT_EQ(again.GetImportStatus(), "overwritten");
    const auto* composite = Composite("Wall W5");
    ASSERT_NE(composite, nullptr);
    EXPECT_EQ(composite->index, index);
    EXPECT_EQ(CompositeCount(), 1u);
    ASSERT_EQ(composite->skins.size(), 3u);
    // Materials and thicknesses are the new ones.
    EXPECT_EQ(composite->skins[0].buildingMaterial, MaterialIndex("C"));
    EXPECT_EQ(composite->skins[1].buildingMaterial, MaterialIndex("D"));
    EXPECT_EQ(composite->skins[2].buildingMaterial, MaterialIndex("E"));
    EXPECT_DOUBLE_EQ(composite->skins[2].thickness, 0.5);
    EXPECT_DOUBLE_EQ(composite->totalThickness, 1.2);
    // Pens and flags of the two common positions are the user's; the third skin's are the catalogue's.
    EXPECT_EQ(composite->skins[0].framePen, 40);
    EXPECT_EQ(composite->skins[0].flags, 0);
    EXPECT_EQ(composite->skins[1].framePen, 41);
    EXPECT_EQ(composite->skins[1].flags, APICWallComp_Finish);
    EXPECT_EQ(composite->skins[2].framePen, 12);
    EXPECT_EQ(composite->skins[2].flags, APICWallComp_Core);
    ASSERT_EQ(composite->lines.size(), 4u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(composite->lines[i].lineType, 7) << i;
        EXPECT_EQ(composite->lines[i].pen, 20 + static_cast<int>(i)) << i;
    }
    EXPECT_EQ(composite->lines[3].lineType, 2);
    EXPECT_EQ(composite->lines[3].pen, 9);
}

TEST_F(CompositeWriterTest, ReplaceWithoutAskingAsksNothing)
{
    QRV::ComplexMaterial first = System("Wall W6", "Wall", {{"F", "Core", 0.1}, {"G", "Finish", 0.02}});
    ASSERT_TRUE(QRV::ACLink().CreateComplexMaterial(first));
    QRV::ComplexMaterial again = System("Wall W6", "Wall", {{"F", "Core", 0.2}, {"G", "Finish", 0.02}});
    again.SetReplaceWithoutAsking(true);

    EXPECT_TRUE(QRV::ACLink().CreateComplexMaterial(again));

    EXPECT_TRUE(AlertTexts().empty());
    EXPECT_EQ(again.GetImportStatus(), "overwritten");
    EXPECT_DOUBLE_EQ(Composite("Wall W6")->skins[0].thickness, 0.2);
}

TEST_F(CompositeWriterTest, WhatTheHostCannotHoldIsRefusedBeforeAnythingIsWritten)
{
    const std::string longName(256, 'x');
    QRV::ComplexMaterial tooLong = System(longName, "Wall", {{"H", "Core", 0.1}});
    QRV::ComplexMaterial longSkin = System("Wall W7", "Wall", {{"I", "Core", 0.1}, {longName, "Core", 0.1}});
    QRV::ComplexMaterial empty = System("Wall W8", "Wall", {});

    for (QRV::ComplexMaterial* system : {&tooLong, &longSkin, &empty}) {
        EXPECT_FALSE(QRV::ACLink().CreateComplexMaterial(*system));
        EXPECT_EQ(system->GetImportStatus(), "failed");
    }
    EXPECT_EQ(CompositeCount(), 0u);
    EXPECT_EQ(MaterialCount(), 0u);
    EXPECT_TRUE(AlertTexts().empty());

    // 255 bytes still fit.
    QRV::ComplexMaterial longest = System(std::string(255, 'y'), "Wall", {{"H", "Core", 0.1}});
    EXPECT_TRUE(QRV::ACLink().CreateComplexMaterial(longest));
    EXPECT_EQ(longest.GetImportStatus(), "imported");
}

TEST_F(CompositeWriterTest, ASkinMaterialTheHostRefusesLeavesNoCompositeWithAMissingMaterial)
{
    QRV::ComplexMaterial system = System("Wall W9", "Wall", {{"J", "Core", 0.1}, {"K", "Finish", 0.02}});
    host->GetFaults().FailFrom("ACAPI_Attribute_Create", APIERR_GENERAL, 2);

    EXPECT_FALSE(QRV::ACLink().CreateComplexMaterial(system));

    EXPECT_EQ(system.GetImportStatus(), "failed");
    EXPECT_EQ(Composite("Wall W9"), nullptr);
    EXPECT_NE(MaterialIndex("J"), 0);
    EXPECT_EQ(MaterialIndex("K"), 0);
}

TEST_F(CompositeWriterTest, AHostRefusalOfTheCompositeIsAFailure)
{
    QRV::ComplexMaterial created = System("Wall W10", "Wall", {{"L", "Core", 0.1}});
    host->GetFaults().FailFrom("ACAPI_Attribute_CreateExt", APIERR_GENERAL, 1);
    EXPECT_FALSE(QRV::ACLink().CreateComplexMaterial(created));
    EXPECT_EQ(created.GetImportStatus(), "failed");
    EXPECT_EQ(Composite("Wall W10"), nullptr);
    host->GetFaults().Clear();

    QRV::ComplexMaterial first = System("Wall W11", "Wall", {{"M", "Core", 0.1}});
    ASSERT_TRUE(QRV::ACLink().CreateComplexMaterial(first));
    const Sim::Model::Composite before = *Composite("Wall W11");
    QRV::ComplexMaterial modified = System("Wall W11", "Wall", {{"N", "Core", 0.3}});
    modified.SetReplaceWithoutAsking(true);
    host->GetFaults().FailNext("ACAPI_Attribute_ModifyExt", APIERR_GENERAL);
    EXPECT_FALSE(QRV::ACLink().CreateComplexMaterial(modified));
    EXPECT_EQ(modified.GetImportStatus(), "failed");
    EXPECT_EQ(*Composite("Wall W11"), before);
}

}  // namespace
