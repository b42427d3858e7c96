// The host's attribute functions: names, indices, GUIDs, definitions and their handles.
#include "ClassLibs/LiveHandles.hpp"
#include "SimFixture.hpp"

#include "Model/ProjectFile.hpp"
#include "Support/AttributeIndexNumbers.hpp"
#include "SimUtf8.hpp"

#include <cmath>
#include <limits>

namespace {

using SimTest::OwnedDefs;
using SimTest::Record;

class AttributeFunctions : public SimTest::ApiFixture {
protected:
    API_Attribute CreateMaterial(const std::string& name, double density = 0.0)
    {
        API_Attribute attribute = Record(API_BuildingMaterialID, name);
        attribute.buildingMaterial.density = density;
        EXPECT_EQ(ACAPI_Attribute_Create(&attribute, nullptr), NoError) << name;
        return attribute;
    }

    GSErrCode CreateComposite(const std::string& name, const std::vector<SimTest::Skin>& skins, GSFlags usage = 1,
                              API_Attribute* out = nullptr)
    {
        API_Attribute attribute = Record(API_CompWallID, name);
        attribute.header.flags = usage;
        attribute.compWall.nComps = static_cast<short>(skins.size());
        OwnedDefs defs(skins);
        GSErrCode err = ACAPI_Attribute_CreateExt(&attribute, &defs.defs);
        if (out != nullptr)
            *out = attribute;
        return err;
    }

    void RestartHost(UInt64 seed)
    {
        TearDown();
        Sim::HostOptions options;
        options.seed = seed;
        host = std::make_unique<Sim::Host>(options);
        ACAPI::Imported() = ACAPI::ImportedTable{host->Table().Data(), Sim::FunctionTable::Size()};
    }
};

TEST_F(AttributeFunctions, CreatedMaterialsGetTheNextIndexAndReadBackWhole)
{
    GS::UniString manufacturer("Ziegelwerk Süd"), description("Solid brick");
    API_Attribute brick = Record(API_BuildingMaterialID, "Brick");
    brick.buildingMaterial.manufacturer = &manufacturer;
    brick.buildingMaterial.description = &description;
    brick.buildingMaterial.connPriority = 16;
    brick.buildingMaterial.cutFill = AttributeIndex(3);
    brick.buildingMaterial.cutFillPen = 5;
    brick.buildingMaterial.cutFillBackgroundPen = -1;
    brick.buildingMaterial.cutMaterial = AttributeIndex(7);
    brick.buildingMaterial.cutFillOrientation = APIFillOrientation_ElementOrigin;
    brick.buildingMaterial.thermalConductivity = 0.8;
    brick.buildingMaterial.density = 1800;
    brick.buildingMaterial.heatCapacity = 840;
    brick.buildingMaterial.showUncutLines = true;
    ASSERT_EQ(ACAPI_Attribute_Create(&brick, nullptr), NoError);
    EXPECT_EQ(IndexNumber(brick.header.index), 1);
    EXPECT_FALSE(APIGuid2GSGuid(brick.header.guid).IsNull());
    API_Attribute concrete = CreateMaterial("Concrete");
    EXPECT_EQ(IndexNumber(concrete.header.index), 2);
    EXPECT_NE(concrete.header.guid, brick.header.guid);

    GS::UniString readManufacturer, readDescription, readId("stale");
    API_Attribute read = Record(API_BuildingMaterialID, "Brick");
    read.buildingMaterial.manufacturer = &readManufacturer;
    read.buildingMaterial.description = &readDescription;
    read.buildingMaterial.id = &readId;
    ASSERT_EQ(ACAPI_Attribute_Get(&read), NoError);
    EXPECT_EQ(IndexNumber(read.header.index), 1);
    EXPECT_EQ(read.header.guid, brick.header.guid);
    EXPECT_STREQ(read.header.name, "Brick");
    EXPECT_EQ(readManufacturer, manufacturer);
    EXPECT_EQ(readDescription, description);
    EXPECT_TRUE(readId.IsEmpty());
    EXPECT_EQ(read.buildingMaterial.connPriority, 16);
    EXPECT_EQ(IndexNumber(read.buildingMaterial.cutFill), 3);
    EXPECT_EQ(read.buildingMaterial.cutFillPen, 5);
    EXPECT_EQ(read.buildingMaterial.cutFillBackgroundPen, -1);
    EXPECT_EQ(IndexNumber(read.buildingMaterial.cutMaterial), 7);
    EXPECT_EQ(read.buildingMaterial.cutFillOrientation, APIFillOrientation_ElementOrigin);
    EXPECT_EQ(read.buildingMaterial.thermalConductivity, 0.8);
    EXPECT_EQ(read.buildingMaterial.density, 1800);
    EXPECT_EQ(read.buildingMaterial.heatCapacity, 840);
    EXPECT_TRUE(read.buildingMaterial.showUncutLines);

    // By index the same attribute comes back, name included.
    API_Attribute byIndex = SimTest::Blank(API_BuildingMaterialID);
    byIndex.header.index = AttributeIndex(2);
    ASSERT_EQ(ACAPI_Attribute_Get(&byIndex), NoError);
    EXPECT_STREQ(byIndex.header.name, "Concrete");

    UInt32 count = 0;
    ASSERT_EQ(ACAPI_Attribute_GetNum(API_BuildingMaterialID, count), NoError);
    EXPECT_EQ(count, 2u);
    ASSERT_EQ(ACAPI_Attribute_GetNum(API_CompWallID, count), NoError);
    EXPECT_EQ(count, 0u);
}

TEST_F(AttributeFunctions, LookupsAnswerTheHostsCodes)
{
    CreateMaterial("Brick");
    API_Attribute attribute = SimTest::Blank(API_BuildingMaterialID);
    attribute.header.index = AttributeIndex(5);
    EXPECT_EQ(ACAPI_Attribute_Get(&attribute), APIERR_BADINDEX);
    attribute = Record(API_BuildingMaterialID, "brick");  // names compare exactly
    EXPECT_EQ(ACAPI_Attribute_Get(&attribute), APIERR_BADNAME);
    attribute = Record(API_BuildingMaterialID, "");
    EXPECT_EQ(ACAPI_Attribute_Get(&attribute), APIERR_BADNAME);
    attribute = Record(API_CompWallID, "Brick");  // another type's name
    EXPECT_EQ(ACAPI_Attribute_Get(&attribute), APIERR_BADNAME);
    attribute = Record(static_cast<API_AttrTypeID>(99), "Brick");
    EXPECT_EQ(ACAPI_Attribute_Get(&attribute), APIERR_BADID);
    attribute = Record(API_LayerID, "Brick");
    EXPECT_EQ(ACAPI_Attribute_Get(&attribute), APIERR_NOTSUPPORTED);
    EXPECT_EQ(ACAPI_Attribute_Get(nullptr), APIERR_BADPARS);

    API_Attr_Head head = Record(API_BuildingMaterialID, "Brick").header;
    ASSERT_EQ(ACAPI_Attribute_Search(&head), NoError);
    EXPECT_EQ(IndexNumber(head.index), 1);
    head = Record(API_BuildingMaterialID, "Nothing").header;
    EXPECT_EQ(ACAPI_Attribute_Search(&head), APIERR_BADNAME);
}

TEST_F(AttributeFunctions, ATakenNameIsRefusedWithTheHoldersIndexAndModifyThenKeepsIndexAndGuid)
{
    GS::UniString manufacturer("Maker");
    API_Attribute first = Record(API_BuildingMaterialID, "Brick");
    first.buildingMaterial.manufacturer = &manufacturer;
    first.buildingMaterial.density = 1000;
    ASSERT_EQ(ACAPI_Attribute_Create(&first, nullptr), NoError);
    CreateMaterial("Other");

    API_Attribute again = Record(API_BuildingMaterialID, "Brick");
    again.buildingMaterial.density = 2000;
    ASSERT_EQ(ACAPI_Attribute_Create(&again, nullptr), APIERR_ATTREXIST);
    EXPECT_EQ(IndexNumber(again.header.index), 1);
    // The refused record, sent again as it is, changes the existing material.
    ASSERT_EQ(ACAPI_Attribute_Modify(&again, nullptr), NoError);
    EXPECT_EQ(IndexNumber(again.header.index), 1);
    EXPECT_EQ(again.header.guid, first.header.guid);

    GS::UniString readManufacturer;
    API_Attribute read = Record(API_BuildingMaterialID, "Brick");
    read.buildingMaterial.manufacturer = &readManufacturer;
    ASSERT_EQ(ACAPI_Attribute_Get(&read), NoError);
    EXPECT_EQ(read.buildingMaterial.density, 2000);
    EXPECT_EQ(read.header.guid, first.header.guid);
    // A record without a text pointer leaves that text as it was.
    EXPECT_EQ(Sim::Utf8(readManufacturer), "Maker");
    UInt32 count = 0;
    ACAPI_Attribute_GetNum(API_BuildingMaterialID, count);
    EXPECT_EQ(count, 2u);

    API_Attribute unknown = Record(API_BuildingMaterialID, "Nowhere");
    EXPECT_EQ(ACAPI_Attribute_Modify(&unknown, nullptr), APIERR_BADNAME);
    // The same name in another type is another attribute.
    EXPECT_EQ(CreateComposite("Brick", {{1, 0.2}}), NoError);
}

TEST_F(AttributeFunctions, RecordsTheProjectFileCouldNotHoldAreRefusedAndAddNothing)
{
    API_Attribute attribute = Record(API_BuildingMaterialID, "");
    EXPECT_EQ(ACAPI_Attribute_Create(&attribute, nullptr), APIERR_BADNAME);
    attribute = Record(API_BuildingMaterialID, "");
    std::memset(attribute.header.name, 'a', API_AttrNameLen);  // no terminator within the field
    EXPECT_EQ(ACAPI_Attribute_Create(&attribute, nullptr), APIERR_BADNAME);
    attribute = Record(API_BuildingMaterialID, "Bad \xC3\x28 name");
    EXPECT_EQ(ACAPI_Attribute_Create(&attribute, nullptr), APIERR_BADNAME);
    attribute = Record(API_BuildingMaterialID, "NaN");
    attribute.buildingMaterial.density = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(ACAPI_Attribute_Create(&attribute, nullptr), APIERR_BADPARS);
    const GS::UniChar::Layout loneSurrogate[] = {0xD800, 'x', 0};  // a text no UTF-8 can hold
    GS::UniString broken(loneSurrogate);
    attribute = Record(API_BuildingMaterialID, "Broken text");
    attribute.buildingMaterial.description = &broken;
    EXPECT_EQ(ACAPI_Attribute_Create(&attribute, nullptr), APIERR_BADPARS);
    EXPECT_EQ(ACAPI_Attribute_Create(nullptr, nullptr), APIERR_BADPARS);

    UInt32 count = 99;
    ASSERT_EQ(ACAPI_Attribute_GetNum(API_BuildingMaterialID, count), NoError);
    EXPECT_EQ(count, 0u);

    // A longest name fits exactly.
    std::string longest(API_AttrNameLen - 1, 'x');
    attribute = Record(API_BuildingMaterialID, longest);
    EXPECT_EQ(ACAPI_Attribute_Create(&attribute, nullptr), NoError);

    // A refused modification leaves the attribute as it was.
    attribute.buildingMaterial.density = std::numeric_limits<double>::infinity();
    EXPECT_EQ(ACAPI_Attribute_Modify(&attribute, nullptr), APIERR_BADPARS);
    API_Attribute read = Record(API_BuildingMaterialID, longest);
    ASSERT_EQ(ACAPI_Attribute_Get(&read), NoError);
    EXPECT_EQ(read.buildingMaterial.density, 0.0);
}

TEST_F(AttributeFunctions, CompositesTakeTheirSkinsAndLinesAndGiveThemBackInNewHandles)
{
    Int32 brick = IndexNumber(CreateMaterial("Brick").header.index);
    Int32 wool = IndexNumber(CreateMaterial("Wool").header.index);
    const Int32 liveBefore = Sim::LiveHandleCount();

    API_Attribute wall;
    ASSERT_EQ(CreateComposite("Wall", {{brick, 0.24, APICWallComp_Core, 3}, {wool, 0.12, APICWallComp_Finish, 4}}, 1, &wall),
              NoError);
    EXPECT_EQ(IndexNumber(wall.header.index), 1);
    EXPECT_DOUBLE_EQ(wall.compWall.totalThick, 0.36);
    EXPECT_EQ(Sim::LiveHandleCount(), liveBefore) << "the host keeps no handle of the caller";

    API_Attribute read = SimTest::Blank(API_CompWallID);
    read.header.index = wall.header.index;
    ASSERT_EQ(ACAPI_Attribute_Get(&read), NoError);
    EXPECT_STREQ(read.header.name, "Wall");
    EXPECT_EQ(read.header.flags, 1);
    EXPECT_EQ(read.compWall.nComps, 2);
    EXPECT_EQ(read.compWall.totalThick, 0.24 + 0.12);

    API_AttributeDefExt defs;
    std::memset(static_cast<void*>(&defs), 0xAB, sizeof defs);  // the host overwrites whatever was there
    ASSERT_EQ(ACAPI_Attribute_GetDefExt(API_CompWallID, wall.header.index, &defs), NoError);
    EXPECT_EQ(Sim::LiveHandleCount(), liveBefore + 2);
    ASSERT_EQ(BMGetHandleSize(reinterpret_cast<GSHandle>(defs.cwall_compItems)), 2 * sizeof(API_CWallComponent));
    ASSERT_EQ(BMGetHandleSize(reinterpret_cast<GSHandle>(defs.cwall_compLItems)), 3 * sizeof(API_CWallLineComponent));
    EXPECT_EQ(IndexNumber((*defs.cwall_compItems)[0].buildingMaterial), brick);
    EXPECT_EQ((*defs.cwall_compItems)[0].flagBits, APICWallComp_Core);
    EXPECT_EQ((*defs.cwall_compItems)[0].framePen, 3);
    EXPECT_EQ((*defs.cwall_compItems)[0].fillThick, 0.24);
    EXPECT_EQ(IndexNumber((*defs.cwall_compItems)[1].buildingMaterial), wool);
    EXPECT_EQ((*defs.cwall_compItems)[1].flagBits, APICWallComp_Finish);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(IndexNumber((*defs.cwall_compLItems)[i].ltypeInd), 1);
        EXPECT_EQ((*defs.cwall_compLItems)[i].linePen, 2);
    }
    ASSERT_EQ(ACAPI_DisposeAttrDefsHdlsExt(&defs), NoError);
    EXPECT_EQ(defs.cwall_compItems, nullptr);
    EXPECT_EQ(defs.cwall_compLItems, nullptr);
    EXPECT_EQ(Sim::LiveHandleCount(), liveBefore);

    // The plain definitions carry the skins alone.
    API_AttributeDef skinsOnly;
    std::memset(static_cast<void*>(&skinsOnly), 0xAB, sizeof skinsOnly);
    ASSERT_EQ(ACAPI_Attribute_GetDef(API_CompWallID, wall.header.index, &skinsOnly), NoError);
    EXPECT_EQ(Sim::LiveHandleCount(), liveBefore + 1);
    ASSERT_EQ(BMGetHandleSize(reinterpret_cast<GSHandle>(skinsOnly.cwall_compItems)), 2 * sizeof(API_CWallComponent));
    EXPECT_EQ(IndexNumber((*skinsOnly.cwall_compItems)[1].buildingMaterial), wool);
    ASSERT_EQ(ACAPI_DisposeAttrDefsHdls(&skinsOnly), NoError);
    EXPECT_EQ(skinsOnly.cwall_compItems, nullptr);
    EXPECT_EQ(Sim::LiveHandleCount(), liveBefore);

    // A building material has no definitions; a free index allocates nothing.
    ASSERT_EQ(ACAPI_Attribute_GetDefExt(API_BuildingMaterialID, AttributeIndex(brick), &defs), NoError);
    EXPECT_EQ(defs.cwall_compItems, nullptr);
    EXPECT_EQ(defs.cwall_compLItems, nullptr);
    EXPECT_EQ(ACAPI_Attribute_GetDefExt(API_CompWallID, AttributeIndex(9), &defs), APIERR_BADINDEX);
    EXPECT_EQ(ACAPI_Attribute_GetDefExt(API_CompWallID, AttributeIndex(1), nullptr), APIERR_BADPARS);
    EXPECT_EQ(ACAPI_Attribute_GetDef(API_CompWallID, AttributeIndex(9), &skinsOnly), APIERR_BADINDEX);
    EXPECT_EQ(ACAPI_Attribute_GetDef(API_CompWallID, AttributeIndex(1), nullptr), APIERR_BADPARS);
    EXPECT_EQ(Sim::LiveHandleCount(), liveBefore);
}

TEST_F(AttributeFunctions, BadCompositeDefinitionsAreRefusedAndAddNothing)
{
    Int32 brick = IndexNumber(CreateMaterial("Brick").header.index);
    API_Attribute attribute = Record(API_CompWallID, "Wall");
    attribute.compWall.nComps = 1;
    EXPECT_EQ(ACAPI_Attribute_Create(&attribute, nullptr), APIERR_BADPARS);

    EXPECT_EQ(ACAPI_Attribute_CreateExt(&attribute, nullptr), APIERR_BADPARS);

    OwnedDefs one({{brick, 0.2}});
    API_AttributeDefExt missingLines = one.defs;
    missingLines.cwall_compLItems = nullptr;
    EXPECT_EQ(ACAPI_Attribute_CreateExt(&attribute, &missingLines), APIERR_BADPARS);
    attribute.compWall.nComps = 2;  // more skins than the handles hold
    EXPECT_EQ(ACAPI_Attribute_CreateExt(&attribute, &one.defs), APIERR_BADPARS);
    API_AttributeDef skinsOnly{one.defs.cwall_compItems};
    EXPECT_EQ(ACAPI_Attribute_Create(&attribute, &skinsOnly), APIERR_BADPARS);
    attribute.compWall.nComps = 0;
    EXPECT_EQ(ACAPI_Attribute_CreateExt(&attribute, &one.defs), APIERR_BADPARS);

    EXPECT_EQ(CreateComposite("Wall", {{42, 0.2}}), APIERR_BADINDEX);  // no such building material
    EXPECT_EQ(CreateComposite("Wall", {{brick, -0.1}}), APIERR_BADPARS);
    EXPECT_EQ(CreateComposite("Wall", {{brick, std::nan("")}}), APIERR_BADPARS);

    UInt32 count = 99;
    ASSERT_EQ(ACAPI_Attribute_GetNum(API_CompWallID, count), NoError);
    EXPECT_EQ(count, 0u);
    EXPECT_TRUE(host->GetProject().attributes.composites.Empty());
}

TEST_F(AttributeFunctions, ModifyingACompositeReplacesItsSkinsOnlyWhenDefinitionsCome)
{
    Int32 brick = IndexNumber(CreateMaterial("Brick").header.index);
    Int32 wool = IndexNumber(CreateMaterial("Wool").header.index);
    API_Attribute wall;
    ASSERT_EQ(CreateComposite("Wall", {{brick, 0.2}, {wool, 0.1}}, 1, &wall), NoError);

    API_Attribute change = Record(API_CompWallID, "Wall");
    change.header.flags = 2;
    ASSERT_EQ(ACAPI_Attribute_Modify(&change, nullptr), NoError);
    const Sim::Model::Composite* stored = host->GetProject().attributes.composites.FindByName("Wall");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->usage, 2);
    EXPECT_EQ(stored->skins.size(), 2u);

    change.compWall.nComps = 1;
    OwnedDefs defs({{wool, 0.05, APICWallComp_Core}}, 7, 9);
    ASSERT_EQ(ACAPI_Attribute_ModifyExt(&change, &defs.defs), NoError);
    stored = host->GetProject().attributes.composites.FindByName("Wall");
    ASSERT_EQ(stored->skins.size(), 1u);
    EXPECT_EQ(stored->skins[0].buildingMaterial, wool);
    ASSERT_EQ(stored->lines.size(), 2u);
    EXPECT_EQ(stored->lines[1].lineType, 7);
    EXPECT_EQ(stored->totalThickness, 0.05);
    EXPECT_EQ(stored->index, IndexNumber(wall.header.index));
    EXPECT_EQ(stored->guid, wall.header.guid);
    EXPECT_EQ(change.compWall.totalThick, 0.05);
}

TEST_F(AttributeFunctions, GuidsFollowTheSeedAndNeverRepeatOneTheProjectHolds)
{
    auto createThree = [this]() {
        std::vector<API_Guid> guids;
        for (const char* name : {"A", "B", "C"})
            guids.push_back(CreateMaterial(name).header.guid);
        return guids;
    };
    std::vector<API_Guid> first = createThree();
    std::string saved = Sim::ProjectFile::ToText(host->GetProject());

    RestartHost(1);
    EXPECT_EQ(createThree(), first);
    RestartHost(2);
    std::vector<API_Guid> other = createThree();
    for (const auto& guid : other)
        EXPECT_EQ(std::count(first.begin(), first.end(), guid), 0);

    // A project saved by a run with the same seed holds the seed's first GUIDs already.
    RestartHost(1);
    host->GetProject() = Sim::ProjectFile::FromText(saved);
    API_Attribute added = CreateMaterial("D");
    EXPECT_EQ(std::count(first.begin(), first.end(), added.header.guid), 0);
    EXPECT_EQ(IndexNumber(added.header.index), 4);
}

TEST_F(AttributeFunctions, IndicesContinueAfterTheHighestAndGetNumCoversGaps)
{
    host->GetProject() = Sim::ProjectFile::FromText(R"({
        "format": "corvana-sim-project", "version": 1,
        "attributes": {"buildingMaterials": [
            {"index": 5, "guid": "11111111-2222-4333-8444-555555555555", "name": "Five"},
            {"index": 2, "guid": "11111111-2222-4333-8444-555555555556", "name": "Two"}]}})");
    UInt32 count = 0;
    ASSERT_EQ(ACAPI_Attribute_GetNum(API_BuildingMaterialID, count), NoError);
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(IndexNumber(CreateMaterial("Six").header.index), 6);
    API_Attribute free = SimTest::Blank(API_BuildingMaterialID);
    free.header.index = AttributeIndex(3);
    EXPECT_EQ(ACAPI_Attribute_Get(&free), APIERR_BADINDEX);
    EXPECT_EQ(ACAPI_Attribute_GetNum(static_cast<API_AttrTypeID>(99), count), APIERR_BADID);
}

TEST_F(AttributeFunctions, InterfacePriorityIsStoredDoubled)
{
    for (auto [ui, stored] : {std::pair<Int32, Int32>{0, 0}, {8, 16}, {16, 32}}) {
        Int32 shown = ui, priority = -5;
        ASSERT_EQ(ACAPI_Element_UI2ElemPriority(&shown, &priority), NoError);
        EXPECT_EQ(priority, stored);
        EXPECT_EQ(shown, ui);
    }
    for (Int32 outside : {-1, 17}) {
        Int32 shown = outside, priority = -5;
        EXPECT_EQ(ACAPI_Element_UI2ElemPriority(&shown, &priority), APIERR_BADPARS);
        EXPECT_EQ(priority, -5);
    }
    Int32 shown = 8;
    EXPECT_EQ(ACAPI_Element_UI2ElemPriority(nullptr, &shown), APIERR_BADPARS);
    EXPECT_EQ(ACAPI_Element_UI2ElemPriority(&shown, nullptr), APIERR_BADPARS);
}

TEST_F(AttributeFunctions, InjectedFaultsFailTheNamedFunctionOnly)
{
    host->GetFaults().FailNext("ACAPI_Attribute_Create", APIERR_MEMFULL, 2);
    API_Attribute attribute = Record(API_BuildingMaterialID, "Brick");
    EXPECT_EQ(ACAPI_Attribute_Create(&attribute, nullptr), APIERR_MEMFULL);
    EXPECT_EQ(ACAPI_Attribute_Create(&attribute, nullptr), APIERR_MEMFULL);
    EXPECT_TRUE(host->GetProject().attributes.buildingMaterials.Empty());
    EXPECT_EQ(ACAPI_Attribute_Create(&attribute, nullptr), NoError);
    EXPECT_EQ(host->GetFaults().CallCount("ACAPI_Attribute_Create"), 3);

    host->GetFaults().FailFrom("ACAPI_Attribute_Get", APIERR_GENERAL, 2);
    API_Attribute read = Record(API_BuildingMaterialID, "Brick");
    EXPECT_EQ(ACAPI_Attribute_Get(&read), NoError);
    EXPECT_EQ(ACAPI_Attribute_Get(&read), APIERR_GENERAL);
    EXPECT_EQ(ACAPI_Attribute_Get(&read), APIERR_GENERAL);
    API_Attr_Head head = Record(API_BuildingMaterialID, "Brick").header;
    EXPECT_EQ(ACAPI_Attribute_Search(&head), NoError);
    host->GetFaults().Clear();
    EXPECT_EQ(ACAPI_Attribute_Get(&read), NoError);
}

TEST_F(AttributeFunctions, ANameTravelsThroughTheCallersStringWhenOneIsGiven)
{
    GS::UniString name("Ziegel Süd", CC_UTF8);
    API_Attribute brick = Record(API_BuildingMaterialID, "ignored");
    brick.header.uniStringNamePtr = &name;
    ASSERT_EQ(ACAPI_Attribute_Create(&brick, nullptr), NoError);
    EXPECT_EQ(host->GetProject().attributes.buildingMaterials.FindByIndex(1)->name, "Ziegel S\xC3\xBC" "d");
    EXPECT_EQ(host->GetProject().attributes.buildingMaterials.FindByName("ignored"), nullptr);

    // Found by the string's name; the answer's name field holds the name as UTF-8.
    GS::UniString lookedUp("Ziegel Süd", CC_UTF8);
    API_Attribute byName = Record(API_BuildingMaterialID, "");
    byName.header.uniStringNamePtr = &lookedUp;
    ASSERT_EQ(ACAPI_Attribute_Get(&byName), NoError);
    EXPECT_EQ(IndexNumber(byName.header.index), 1);
    EXPECT_STREQ(byName.header.name, "Ziegel S\xC3\xBC" "d");
    EXPECT_EQ(byName.header.uniStringNamePtr, &lookedUp);

    // By index the caller's string receives the name.
    GS::UniString answered("stale");
    API_Attribute byIndex = SimTest::Blank(API_BuildingMaterialID);
    byIndex.header.index = AttributeIndex(1);
    byIndex.header.uniStringNamePtr = &answered;
    ASSERT_EQ(ACAPI_Attribute_Get(&byIndex), NoError);
    EXPECT_EQ(answered, name);

    GS::UniString empty;
    API_Attr_Head head = Record(API_BuildingMaterialID, "Ziegel S\xC3\xBC" "d").header;
    head.uniStringNamePtr = &empty;  // the string wins over the field
    EXPECT_EQ(ACAPI_Attribute_Search(&head), APIERR_BADNAME);
    head.uniStringNamePtr = nullptr;
    EXPECT_EQ(ACAPI_Attribute_Search(&head), NoError);
}

TEST_F(AttributeFunctions, AttributesByTypeAreListedInIndexOrderWithoutTheirTexts)
{
    host->GetProject() = Sim::ProjectFile::FromText(R"({
        "format": "corvana-sim-project", "version": 1,
        "attributes": {"buildingMaterials": [
            {"index": 5, "guid": "11111111-2222-4333-8444-555555555555", "name": "Five", "description": "d"},
            {"index": 2, "guid": "11111111-2222-4333-8444-555555555556", "name": "Two", "density": 7}]}})");
    GS::Array<API_Attribute> list;
    list.Push(Record(API_BuildingMaterialID, "stale"));
    ASSERT_EQ(ACAPI_Attribute_GetAttributesByType(API_BuildingMaterialID, list), NoError);
    ASSERT_EQ(list.GetSize(), 2u);
    EXPECT_EQ(IndexNumber(list[0].header.index), 2);
    EXPECT_STREQ(list[0].header.name, "Two");
    EXPECT_EQ(list[0].buildingMaterial.density, 7);
    EXPECT_EQ(IndexNumber(list[1].header.index), 5);
    EXPECT_EQ(list[1].header.guid, APIGuidFromString("11111111-2222-4333-8444-555555555555"));
    for (const API_Attribute& attribute : list) {
        EXPECT_EQ(attribute.header.typeID, API_BuildingMaterialID);
        EXPECT_EQ(attribute.header.uniStringNamePtr, nullptr);
        EXPECT_EQ(attribute.buildingMaterial.description, nullptr);
    }
    ASSERT_EQ(ACAPI_Attribute_GetAttributesByType(API_CompWallID, list), NoError);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(ACAPI_Attribute_GetAttributesByType(API_LinetypeID, list), APIERR_NOTSUPPORTED);
    EXPECT_EQ(ACAPI_Attribute_GetAttributesByType(static_cast<API_AttrTypeID>(99), list), APIERR_BADID);
}

TEST_F(AttributeFunctions, PlainDefinitionsGiveDefaultLinesAndKeepTheLinesACompositeHas)
{
    Int32 brick = IndexNumber(CreateMaterial("Brick").header.index);
    OwnedDefs three({{brick, 0.1}, {brick, 0.2}, {brick, 0.3}}, 7, 9);
    API_AttributeDef skinsOnly{three.defs.cwall_compItems};
    API_Attribute wall = Record(API_CompWallID, "Wall");
    wall.compWall.nComps = 2;
    ASSERT_EQ(ACAPI_Attribute_Create(&wall, &skinsOnly), NoError);
    const Sim::Model::Composite* stored = host->GetProject().attributes.composites.FindByName("Wall");
    ASSERT_EQ(stored->lines.size(), 3u);
    for (const auto& line : stored->lines) {
        EXPECT_EQ(line.lineType, 1);
        EXPECT_EQ(line.pen, 1);
    }

    // Lines written through the extended call; a stored line flag, which no record carries, stays.
    host->GetProject().attributes.composites.FindByName("Wall")->lines[1].flags = 4;
    ASSERT_EQ(ACAPI_Attribute_ModifyExt(&wall, &three.defs), NoError);
    stored = host->GetProject().attributes.composites.FindByName("Wall");
    ASSERT_EQ(stored->lines.size(), 3u);
    EXPECT_EQ(stored->lines[2].lineType, 7);
    EXPECT_EQ(stored->lines[1].flags, 4);

    // Three skins through the plain call: the first three lines stay, the fourth is a default one.
    wall.compWall.nComps = 3;
    ASSERT_EQ(ACAPI_Attribute_Modify(&wall, &skinsOnly), NoError);
    stored = host->GetProject().attributes.composites.FindByName("Wall");
    ASSERT_EQ(stored->skins.size(), 3u);
    ASSERT_EQ(stored->lines.size(), 4u);
    EXPECT_EQ(stored->lines[2].lineType, 7);
    EXPECT_EQ(stored->lines[2].pen, 9);
    EXPECT_EQ(stored->lines[3].lineType, 1);
    EXPECT_EQ(stored->lines[3].pen, 1);
    EXPECT_DOUBLE_EQ(wall.compWall.totalThick, 0.6);

    // The extended call needs its lines.
    API_AttributeDefExt noLines{three.defs.cwall_compItems, nullptr};
    EXPECT_EQ(ACAPI_Attribute_ModifyExt(&wall, &noLines), APIERR_BADPARS);
    EXPECT_EQ(host->GetProject().attributes.composites.FindByName("Wall")->lines.size(), 4u);
}

TEST_F(AttributeFunctions, ModifyByIndexRenamesToAFreeNameOnly)
{
    API_Attribute brick = CreateMaterial("Brick", 1000);
    CreateMaterial("Stone");
    API_Attribute renamed = brick;
    std::strcpy(renamed.header.name, "Clinker");
    ASSERT_EQ(ACAPI_Attribute_Modify(&renamed, nullptr), NoError);
    EXPECT_EQ(renamed.header.index, brick.header.index);
    const auto& materials = host->GetProject().attributes.buildingMaterials;
    EXPECT_EQ(materials.FindByIndex(1)->name, "Clinker");
    EXPECT_EQ(materials.FindByName("Brick"), nullptr);

    std::strcpy(renamed.header.name, "Stone");
    renamed.buildingMaterial.density = 5;
    EXPECT_EQ(ACAPI_Attribute_Modify(&renamed, nullptr), APIERR_ATTREXIST);
    EXPECT_EQ(materials.FindByIndex(1)->name, "Clinker");
    EXPECT_EQ(materials.FindByIndex(1)->density, 1000);
    renamed.header.index = AttributeIndex(9);
    EXPECT_EQ(ACAPI_Attribute_Modify(&renamed, nullptr), APIERR_BADINDEX);
}

TEST_F(AttributeFunctions, OnlyTheHostsFillOrientationsAreTaken)
{
    API_Attribute attribute = Record(API_BuildingMaterialID, "Brick");
    attribute.buildingMaterial.cutFillOrientation = static_cast<API_FillOrientationID>(3);
    EXPECT_EQ(ACAPI_Attribute_Create(&attribute, nullptr), APIERR_BADPARS);
    EXPECT_TRUE(host->GetProject().attributes.buildingMaterials.Empty());
    attribute.buildingMaterial.cutFillOrientation = APIFillOrientation_FitToSkin;
    ASSERT_EQ(ACAPI_Attribute_Create(&attribute, nullptr), NoError);

    // A number the record cannot carry, from a project file, reads as the project origin.
    host->GetProject().attributes.buildingMaterials.FindByIndex(1)->cutFillOrientation = -7;
    API_Attribute read = Record(API_BuildingMaterialID, "Brick");
    ASSERT_EQ(ACAPI_Attribute_Get(&read), NoError);
    EXPECT_EQ(read.buildingMaterial.cutFillOrientation, APIFillOrientation_ProjectOrigin);
}

}  // namespace
