// The host's quantity records field by field, for elements whose net and gross values, nominal and opening
// sizes, contour and panels differ. Expected numbers are worked out from the geometry.
#include "Model/ProjectFile.hpp"
#include "Sim/SimFixture.hpp"
#include "Support/AttributeIndexNumbers.hpp"

#include <cmath>
#include <cstring>

namespace {

constexpr double Tolerance = 1e-9;

// A 5 x 3 m brick wall, 0.3 m thick, with a window (1.2 x 1.5, its library part widening it by 0.05 m on each side)
// and a free-standing door; a 6 x 5 m slab, 0.2 m thick, with a 1 x 2 m hole; a 0.4 x 0.3 x 3 m column in a 0.05 m
// veneer; a 6 x 3 m curtain wall with one 3 m mullion 0.1 m wide; a stair of 3 m run, 1 m width and 2 m rise with a
// tread and a riser.
const char* const ModelText = R"({
  "format": "corvana-sim-project", "version": 1,
  "attributes": {"buildingMaterials": [
    {"index": 1, "guid": "00000000-0000-4000-8000-000000000001", "name": "Brick"},
    {"index": 2, "guid": "00000000-0000-4000-8000-000000000002", "name": "Stone"}]},
  "elements": [
    {"guid": "00000000-0000-4000-8000-0000000000B1", "type": "wall", "structure": "basic", "buildingMaterial": 1,
     "geometry": "straight", "length": 5, "height": 3, "thickness": 0.3},
    {"guid": "00000000-0000-4000-8000-0000000000B2", "type": "window", "width": 1.2, "height": 1.5,
     "thickness": 0.1, "wall": "00000000-0000-4000-8000-0000000000B1",
     "libraryPart": {"index": 1, "unId": "{W}"}},
    {"guid": "00000000-0000-4000-8000-0000000000B3", "type": "door", "width": 0.9, "height": 2.1, "thickness": 0.1},
    {"guid": "00000000-0000-4000-8000-0000000000B4", "type": "slab", "structure": "basic", "buildingMaterial": 1,
     "length": 6, "width": 5, "thickness": 0.2, "holes": [{"length": 1, "width": 2}]},
    {"guid": "00000000-0000-4000-8000-0000000000B5", "type": "column", "buildingMaterial": 1, "length": 0.4,
     "width": 0.3, "height": 3, "veneer": {"buildingMaterial": 2, "thickness": 0.05}},
    {"guid": "00000000-0000-4000-8000-0000000000B6", "type": "curtainWall", "length": 6, "height": 3},
    {"guid": "00000000-0000-4000-8000-0000000000B7", "type": "object", "ownerType": "curtainWallFrame",
     "owner": "00000000-0000-4000-8000-0000000000B6", "length": 0.1, "width": 0.2, "height": 3},
    {"guid": "00000000-0000-4000-8000-0000000000B8", "type": "stair", "length": 3, "width": 1, "height": 2},
    {"guid": "00000000-0000-4000-8000-0000000000B9", "type": "object", "ownerType": "tread",
     "owner": "00000000-0000-4000-8000-0000000000B8", "length": 1, "width": 0.3, "height": 0.04},
    {"guid": "00000000-0000-4000-8000-0000000000BA", "type": "object", "ownerType": "riser",
     "owner": "00000000-0000-4000-8000-0000000000B8", "length": 1, "width": 0.3, "height": 0.04}
  ],
  "libraries": {"parts": [
    {"documentName": "Casement", "uniqueId": "{W}", "location": "/measures/Casement.gsm",
     "parameters": [{"name": "ovl", "type": 2, "value": 0.05}, {"name": "ovr", "type": 2, "value": 0.05}],
     "details": {"leftOversize": "ovl", "rightOversize": "ovr"}}]}
})";

class ElementMeasures : public SimTest::ApiFixture {
protected:
    void SetUp() override
    {
        ApiFixture::SetUp();
        host->GetProject() = Sim::ProjectFile::FromText(ModelText);
    }
    static API_ElementQuantity Quantities(const char* guid, GS::Array<API_CompositeQuantity>* parts = nullptr,
                                          double minOpeningSize = 0.0)
    {
        API_QuantityPar params{};
        params.minOpeningSize = minOpeningSize;
        API_ElementQuantity quantity;
        std::memset(&quantity, 0, sizeof quantity);
        GS::Array<API_CompositeQuantity> ignored;
        API_Quantities quantities;
        quantities.elements = &quantity;
        quantities.composites = parts != nullptr ? parts : &ignored;
        EXPECT_EQ(ACAPI_Element_GetQuantities(APIGuidFromString(guid), &params, &quantities), NoError);
        return quantity;
    }
};

TEST_F(ElementMeasures, AWallIsCutByTheHoleOfItsWindowAndKeepsItsGrossValues)
{
    const API_WallQuantity wall = Quantities("00000000-0000-4000-8000-0000000000B1").wall;
    const double hole = 1.3 * 1.5;
    EXPECT_NEAR(wall.grossVolume, 5 * 3 * 0.3, Tolerance);
    EXPECT_NEAR(wall.volume, 5 * 3 * 0.3 - hole * 0.3, Tolerance);
    EXPECT_NEAR(wall.grossSurf1, 15.0, Tolerance);
    EXPECT_NEAR(wall.surface1, 15.0 - hole, Tolerance);
    EXPECT_NEAR(wall.surface2, 15.0 - hole, Tolerance);
    EXPECT_NEAR(wall.windowsSurf, hole, Tolerance);
    EXPECT_NEAR(wall.doorsSurf, 0.0, Tolerance) << "the door stands in no wall";
    EXPECT_NEAR(wall.windowsWidth, 1.3, Tolerance);
    EXPECT_NEAR(wall.area, 5 * 0.3, Tolerance);

    const API_WindowQuantity window = Quantities("00000000-0000-4000-8000-0000000000B2").window;
    EXPECT_NEAR(window.width1, 1.3, Tolerance);
    EXPECT_NEAR(window.nWidth1, 1.2, Tolerance);
    EXPECT_NEAR(window.height1, 1.5, Tolerance);
    EXPECT_NEAR(window.surface1, 1.3 * 1.5, Tolerance);
    EXPECT_NEAR(window.surface, 1.2 * 1.5, Tolerance);
    EXPECT_NEAR(window.volume, 1.3 * 1.5 * 0.3, Tolerance) << "through the wall";
    EXPECT_NEAR(window.grossVolume, 1.2 * 1.5 * 0.1, Tolerance) << "the unit's own depth";
    EXPECT_NEAR(Quantities("00000000-0000-4000-8000-0000000000B3").door.volume, 0.9 * 2.1 * 0.1, Tolerance);
}

TEST_F(ElementMeasures, AnOpeningSmallerThanTheAskedMinimumLeavesItsWallWhole)
{
    const double hole = 1.3 * 1.5;
    GS::Array<API_CompositeQuantity> parts;
    const API_WallQuantity atTheMinimum = Quantities("00000000-0000-4000-8000-0000000000B1", &parts, hole).wall;
    EXPECT_NEAR(atTheMinimum.surface1, 15.0 - hole, Tolerance) << "a hole as large as the minimum still cuts";
    ASSERT_EQ(parts.GetSize(), 1u);
    EXPECT_NEAR(parts[0].volumes, 5 * 3 * 0.3 - hole * 0.3, Tolerance);

    const API_WallQuantity wall = Quantities("00000000-0000-4000-8000-0000000000B1", &parts, hole + 0.01).wall;
    EXPECT_NEAR(wall.volume, 5 * 3 * 0.3, Tolerance);
    EXPECT_NEAR(wall.surface1, 15.0, Tolerance);
    EXPECT_NEAR(wall.surface2, 15.0, Tolerance);
    ASSERT_EQ(parts.GetSize(), 1u);
    EXPECT_NEAR(parts[0].volumes, 5 * 3 * 0.3, Tolerance) << "the material's share is the whole wall";
    EXPECT_NEAR(parts[0].projectedArea, 15.0, Tolerance);
    EXPECT_NEAR(wall.windowsSurf, hole, Tolerance) << "the window is still the wall's window";
    EXPECT_NEAR(wall.windowsWidth, 1.3, Tolerance);
}

TEST_F(ElementMeasures, SlabsLoseTheirHolesColumnsCountTheirVeneer)
{
    GS::Array<API_CompositeQuantity> parts;
    const API_SlabQuantity slab = Quantities("00000000-0000-4000-8000-0000000000B4", &parts).slab;
    EXPECT_NEAR(slab.grossVolume, 30 * 0.2, Tolerance);
    EXPECT_NEAR(slab.volume, 28 * 0.2, Tolerance);
    EXPECT_NEAR(slab.topSurface, 28.0, Tolerance);
    EXPECT_NEAR(slab.grossTopSurf, 30.0, Tolerance);
    EXPECT_NEAR(slab.holesSurf, 2.0, Tolerance);
    EXPECT_NEAR(slab.holesPrm, 6.0, Tolerance);
    EXPECT_NEAR(slab.perimeter, 22.0, Tolerance);
    ASSERT_EQ(parts.GetSize(), 1u);
    EXPECT_NEAR(parts[0].volumes, 28 * 0.2, Tolerance);
    EXPECT_NEAR(parts[0].projectedArea, 28.0, Tolerance);

    const API_ColumnQuantity column = Quantities("00000000-0000-4000-8000-0000000000B5", &parts).column;
    const double veneer = 0.5 * 0.4 - 0.4 * 0.3;
    EXPECT_NEAR(column.coreVolume, 0.4 * 0.3 * 3, Tolerance);
    EXPECT_NEAR(column.veneVolume, veneer * 3, Tolerance);
    EXPECT_NEAR(column.area, 0.5 * 0.4, Tolerance);
    ASSERT_EQ(parts.GetSize(), 2u);
    EXPECT_EQ(IndexNumber(parts[0].buildMatIndices), 1);
    EXPECT_NEAR(parts[0].volumes, 0.36, Tolerance);
    EXPECT_EQ(IndexNumber(parts[1].buildMatIndices), 2);
    EXPECT_NEAR(parts[1].volumes, veneer * 3, Tolerance);
}

TEST_F(ElementMeasures, CurtainWallsWeighFramesAgainstPanelsStairsCountTheirParts)
{
    const API_CurtainWallQuantity cw = Quantities("00000000-0000-4000-8000-0000000000B6").cw;
    EXPECT_NEAR(cw.contourSurface, 18.0, Tolerance);
    EXPECT_NEAR(cw.panelsSurface, 18.0 - 0.1 * 3, Tolerance);
    EXPECT_NEAR(cw.framesLength, 3.0, Tolerance);
    EXPECT_NEAR(cw.mainaxisFramesLength, 3.0, Tolerance);
    EXPECT_NEAR(cw.height, 3.0, Tolerance);

    const API_StairQuantity stair = Quantities("00000000-0000-4000-8000-0000000000B8").stair;
    EXPECT_NEAR(stair.volume, 3 * 1 * 2 / 2.0, Tolerance);
    EXPECT_NEAR(stair.area, 1 * 2, Tolerance) << "the front surface, not the plan";
    EXPECT_NEAR(stair.walklineLength, 3.0, Tolerance);
    EXPECT_NEAR(stair.gradient, std::atan(2.0 / 3.0), Tolerance);
    EXPECT_EQ(stair.numOfTreads, 1);
    EXPECT_EQ(stair.numOfRisers, 1);
}

// The model keeps which openings sit in which wall and which parts make up which element; what the host
// measures follows every change of that, however it is made.
TEST_F(ElementMeasures, MeasuresFollowOpeningsAndPartsAsTheyAreMovedAddedAndRemoved)
{
    const API_Guid wall = APIGuidFromString("00000000-0000-4000-8000-0000000000B1");
    const API_Guid door = APIGuidFromString("00000000-0000-4000-8000-0000000000B3");
    EXPECT_NEAR(Quantities("00000000-0000-4000-8000-0000000000B1").wall.doorsSurf, 0.0, Tolerance);
    host->GetProject().elements.Find(door)->wall = wall;  // as a change of the door would move it
    EXPECT_NEAR(Quantities("00000000-0000-4000-8000-0000000000B1").wall.doorsSurf, 0.9 * 2.1, Tolerance);

    Sim::Model::Element riser = *host->GetProject().elements.Find(
        APIGuidFromString("00000000-0000-4000-8000-0000000000BA"));
    riser.guid = APIGuidFromString("00000000-0000-4000-8000-0000000000BB");
    host->GetProject().elements.Add(riser);
    EXPECT_EQ(Quantities("00000000-0000-4000-8000-0000000000B8").stair.numOfRisers, 2);
    ASSERT_TRUE(host->GetProject().elements.Remove(APIGuidFromString("00000000-0000-4000-8000-0000000000B7")));
    EXPECT_NEAR(Quantities("00000000-0000-4000-8000-0000000000B6").cw.framesLength, 0.0, Tolerance);
    ASSERT_TRUE(host->GetProject().elements.Remove(door));
    EXPECT_NEAR(Quantities("00000000-0000-4000-8000-0000000000B1").wall.doorsSurf, 0.0, Tolerance);
}

TEST_F(ElementMeasures, TheMaskKeepsUnmarkedFieldsAsTheCallerLeftThem)
{
    API_QuantitiesMask mask;
    ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, stair, volume);
    API_ElementQuantity quantity;
    std::memset(&quantity, 0, sizeof quantity);
    quantity.stair.area = -1.0;
    API_Quantities quantities;
    quantities.elements = &quantity;
    API_QuantityPar params{};
    ASSERT_EQ(ACAPI_Element_GetQuantities(APIGuidFromString("00000000-0000-4000-8000-0000000000B8"), &params,
                                          &quantities, &mask),
              NoError);
    EXPECT_NEAR(quantity.stair.volume, 3.0, Tolerance);
    EXPECT_EQ(quantity.stair.area, -1.0);
}

}  // namespace
