// The calculation of a model whose elements the host measures as Archicad does: openings cut their walls,
// trapezoid and polygonal walls, slabs with holes, a column with a veneer, a profiled column and beam of
// several building materials, a curtain wall of frames and panels, a stair with its parts. Every expected
// number is worked out here from the geometry.
#include "AddOn/PageCommands.hpp"
#include "CalculationModel.hpp"
#include "Support/InProcessModule.hpp"

#include <gtest/gtest.h>

namespace {

using nlohmann::json;
using QRVTest::CalculationModel;

constexpr double Tolerance = 1e-9;

class MeasuredModelTest : public QRVTest::InProcessModuleFixture {
protected:
    json Calculate()
    {
        model.Open(*host);
        return json::parse(QRV::CalculationRequest());
    }
    static json Named(const json& records, const std::string& name)
    {
        for (const json& record : records)
            if (record.value("name", "") == name)
                return record;
        ADD_FAILURE() << "no record named \"" << name << "\" in " << records.dump(1);
        return json::object();
    }
    static double Number(const json& record, const char* key)
    {
        return record.contains(key) ? record[key].get<double>() : -1.0;
    }

    CalculationModel model;
};

TEST_F(MeasuredModelTest, SystemAreasAreNetOfOpeningsAndHolesAndFollowEachWallsShape)
{
    const int brick = model.AddBuildingMaterial("Brick");
    const int wool = model.AddBuildingMaterial("Mineral wool");
    const int concrete = model.AddBuildingMaterial("Concrete");
    const int limestone = model.AddBuildingMaterial("Limestone");
    const int screed = model.AddBuildingMaterial("Screed");
    const int outer = model.AddComposite("Outer wall", {{brick, 0.24, 2}, {wool, 0.12, 32}});

    // 6 m by 3 m, 0.36 m thick, with a window of 1.2 × 1.5 and a door of 1.0 × 2.1 in it.
    const std::string wall = model.Add({{"type", "wall"}, {"structure", "composite"}, {"composite", outer},
                                        {"geometry", "straight"}, {"length", 6.0}, {"height", 3.0}});
    model.Add({{"type", "window"}, {"width", 1.2}, {"height", 1.5}, {"thickness", 0.1}, {"wall", wall}}, "Window");
    model.Add({{"type", "door"}, {"width", 1.0}, {"height", 2.1}, {"thickness", 0.1}, {"wall", wall}}, "Door");
    // A trapezoid wall 0.2 m thick at its start and 0.3 m at its end, 4 m by 2.5 m.
    model.Add({{"type", "wall"}, {"structure", "basic"}, {"buildingMaterial", concrete}, {"geometry", "trapezoid"},
               {"length", 4.0}, {"height", 2.5}, {"thickness", 0.2}, {"endThickness", 0.3}});
    // A polygonal wall: 5 m along its reference side, 3 m high, its plan polygon 2 m².
    model.Add({{"type", "wall"}, {"structure", "basic"}, {"buildingMaterial", limestone}, {"geometry", "polygonal"},
               {"length", 5.0}, {"height", 3.0}, {"thickness", 0.3}, {"planArea", 2.0}});
    // A slab of 6 m by 5 m with holes of 1 × 1 and 2 × 0.5.
    model.Add({{"type", "slab"}, {"structure", "basic"}, {"buildingMaterial", screed}, {"length", 6.0},
               {"width", 5.0}, {"thickness", 0.25},
               {"holes", json::array({{{"length", 1.0}, {"width", 1.0}}, {{"length", 2.0}, {"width", 0.5}}})}});

    const json systems = Calculate()["SystemInfo"];
    ASSERT_EQ(systems.size(), 4u) << systems.dump(1);
    // 18 m² of face less 1.8 m² of window and 2.1 m² of door.
    EXPECT_NEAR(Number(Named(systems, "Outer wall"), "area"), 18.0 - 1.8 - 2.1, Tolerance);
    // Volume 4 × 2.5 × 0.25 over the mean thickness 0.25; the start thickness alone would give 12.5.
    EXPECT_NEAR(Number(Named(systems, "Concrete"), "area"), 10.0, Tolerance);
    EXPECT_NEAR(Number(Named(systems, "Concrete")["layers"][0], "thickness"), 20.0, Tolerance);
    // The host's surface: 5 × 3. Its volume over its thickness would give 2 × 3 ÷ 0.3 = 20.
    EXPECT_NEAR(Number(Named(systems, "Limestone"), "area"), 15.0, Tolerance);
    // 30 m² less 1 m² and 1 m² of holes.
    EXPECT_NEAR(Number(Named(systems, "Screed"), "area"), 28.0, Tolerance);
}

TEST_F(MeasuredModelTest, OpeningsReportTheHoleTheyCutWithTheirPartsOversizes)
{
    // The window's part widens the hole by 0.05 m on each side and 0.1 m above; the unit is 1.2 × 1.5.
    model.AddLibraryPart("{WINDOW-UNID}", "Casement", {{"ovl", 0.05}, {"ovr", 0.05}, {"ovu", 0.1}},
                         {{"leftOversize", "ovl"}, {"rightOversize", "ovr"}, {"upperOversize", "ovu"}});
    const int brick = model.AddBuildingMaterial("Brick");
    const std::string wall = model.AddBasicWall(brick, 0.3, 5.0, 3.0);
    model.Add({{"type", "window"}, {"libraryPart", model.LibraryPartOf("{WINDOW-UNID}")}, {"width", 1.2},
               {"height", 1.5}, {"thickness", 0.1}, {"wall", wall}},
              "Window");
    model.AddOpening(true, "Door", 0.9, 2.1, 0.08);  // stands free: its own depth

    const json document = Calculate();
    const json window = Named(document["ProductInfo"], "Casement");
    // The hole: 1.3 × 1.6, through the wall's 0.3 m.
    EXPECT_NEAR(Number(window, "area"), 1.3 * 1.6, Tolerance);
    EXPECT_NEAR(Number(window, "length"), 2.0 * (1.3 + 1.6), Tolerance);
    EXPECT_NEAR(Number(window, "volume"), 1.3 * 1.6 * 0.3, Tolerance);
    const json door = Named(document["ProductInfo"], "Door");
    EXPECT_NEAR(Number(door, "volume"), 0.9 * 2.1 * 0.08, Tolerance);
    EXPECT_NEAR(Number(door, "length"), 2.0 * 2.1 + 0.9, Tolerance);
    // The wall loses the hole, not the unit: 15 − 2.08.
    EXPECT_NEAR(Number(Named(document["SystemInfo"], "Brick"), "area"), 15.0 - 1.3 * 1.6, Tolerance);
}

TEST_F(MeasuredModelTest, ColumnsAndBeamsCountEachBuildingMaterialOfTheirSection)
{
    const int concrete = model.AddBuildingMaterial("Concrete", "[" + json({{"group", "Corvana"}, {"name", "Density"},
                                                                          {"unit", ""}, {"type", "string"},
                                                                          {"value", "2400"}}).dump() + "]");
    const int stone = model.AddBuildingMaterial("Stone");
    const int steel = model.AddBuildingMaterial("Steel");
    // A 0.4 × 0.3 core, 3 m high, in a 0.05 m stone veneer: (0.5 × 0.4 − 0.12) × 3 of stone.
    model.Add({{"type", "column"}, {"buildingMaterial", concrete}, {"length", 0.4}, {"width", 0.3}, {"height", 3.0},
               {"veneer", {{"buildingMaterial", stone}, {"thickness", 0.05}}}},
              "Pillar");
    // A profiled column, 2.5 m high: two steel flanges of 0.004 m² and a concrete fill of 0.05 m².
    model.Add({{"type", "column"}, {"buildingMaterial", steel}, {"length", 0.3}, {"width", 0.3}, {"height", 2.5},
               {"sectionParts", json::array({{{"buildingMaterial", steel}, {"area", 0.004}},
                                             {{"buildingMaterial", concrete}, {"area", 0.05}},
                                             {{"buildingMaterial", steel}, {"area", 0.004}}})}},
              "Composite column");
    // A beam 6 m long whose section is 0.006 m² of steel.
    model.Add({{"type", "beam"}, {"buildingMaterial", steel}, {"length", 6.0}, {"width", 0.2}, {"height", 0.3},
               {"sectionParts", json::array({{{"buildingMaterial", steel}, {"area", 0.006}}})}},
              "Girder");

    const json products = Calculate()["ProductInfo"];
    const json core = Named(products, "Column Pillar Concrete");
    EXPECT_NEAR(Number(core, "volume"), 0.4 * 0.3 * 3.0, Tolerance);
    EXPECT_NEAR(Number(Named(products, "Column Pillar Stone"), "volume"), (0.5 * 0.4 - 0.4 * 0.3) * 3.0, Tolerance);
    const json flanges = Named(products, "Column Composite column Steel");
    EXPECT_NEAR(Number(flanges, "volume"), 2.0 * 0.004 * 2.5, Tolerance);
    EXPECT_EQ(flanges["pieces"], 1);  // two parts of one element, merged
    EXPECT_NEAR(Number(Named(products, "Column Composite column Concrete"), "volume"), 0.05 * 2.5, Tolerance);
    // The section, not the beam's width by height (0.06 m²).
    EXPECT_NEAR(Number(Named(products, "Beam Girder Steel"), "volume"), 0.006 * 6.0, Tolerance);
}

TEST_F(MeasuredModelTest, CurtainWallsReportTheirContourAndStairsTheirVolume)
{
    model.AddLibraryPart("{FRAME}", "Frame");
    model.AddLibraryPart("{TREAD}", "Tread");
    const std::string facade = model.AddCurtainWall("Facade", 8.0, 3.5);
    // Two mullions 3.5 m high and a transom 8 m long, 0.05 m wide in the facade: 0.75 m² of frames.
    model.AddObject("{FRAME}", "Mullion", 0.05, 0.15, 3.5, "curtainWallFrame", facade);
    model.AddObject("{FRAME}", "Mullion", 0.05, 0.15, 3.5, "curtainWallFrame", facade);
    model.AddObject("{FRAME}", "Transom", 8.0, 0.15, 0.05, "curtainWallFrame", facade);
    const std::string stair = model.AddStair("Main stair", 3.0, 1.2, 2.8);
    for (int i = 0; i < 3; ++i)
        model.AddObject("{TREAD}", "Tread", 1.2, 0.3, 0.04, "tread", stair);

    const json document = Calculate();
    ASSERT_EQ(document["CurtainWallInfo"].size(), 1u);
    // The contour, 8 × 3.5; the panels alone would be 27.25.
    EXPECT_NEAR(Number(document["CurtainWallInfo"][0], "area"), 28.0, Tolerance);
    ASSERT_EQ(document["StairCalculationInfo"].size(), 1u);
    // Run × width × rise ÷ 2; the stair's front surface would be 1.2 × 2.8.
    EXPECT_NEAR(Number(document["StairCalculationInfo"][0], "volume"), 3.0 * 1.2 * 2.8 / 2.0, Tolerance);
}

}  // namespace
