// The host's element and database functions on a loaded model.
#include "ElementFixture.hpp"
#include "Support/AttributeIndexNumbers.hpp"
#include "SimUtf8.hpp"

#include <cstring>

namespace {

using namespace SimElementsTest;

// An element change as the add-on makes one: inside an undoable command.
GSErrCode ChangeInStep(API_Element* element, const API_Element* mask, const API_ElementMemo* memo, UInt64 memoMask,
                       bool withDel)
{
    GSErrCode result = NoError;
    ACAPI_CallUndoableCommand("Change", [&]() -> GSErrCode {
        result = ACAPI_Element_Change(element, mask, memo, memoMask, withDel);
        return result;
    });
    return result;
}

class ElementFunctions : public ElementFixture {
protected:
    std::vector<std::string> List(API_ElemTypeID type, API_ElemFilterFlags flags = APIFilt_None)
    {
        GS::Array<API_Guid> guids;
        EXPECT_EQ(ACAPI_Element_GetElemList(API_ElemType(type), &guids, flags), NoError);
        std::vector<std::string> texts;
        for (const auto& guid : guids)
            texts.push_back(Text(guid));
        return texts;
    }

    API_ElementQuantity Quantities(const char* guid)
    {
        API_QuantityPar params{};
        API_ElementQuantity quantity;
        std::memset(&quantity, 0, sizeof quantity);
        GS::Array<API_CompositeQuantity> parts;
        API_Quantities quantities;
        quantities.elements = &quantity;
        quantities.composites = &parts;
        EXPECT_EQ(ACAPI_Element_GetQuantities(G(guid), &params, &quantities), NoError);
        return quantity;
    }
};

TEST_F(ElementFunctions, ListsByKindInCreationOrderAndFiltersByLayerAnd3D)
{
    EXPECT_EQ(List(API_ObjectID), (std::vector<std::string>{ChairGuid, HiddenChairGuid, FrameGuid}));
    EXPECT_EQ(List(API_ObjectID, APIFilt_OnVisLayer | APIFilt_In3D), (std::vector<std::string>{ChairGuid, FrameGuid}));
    EXPECT_EQ(List(API_ObjectID, APIFilt_In3D), (std::vector<std::string>{ChairGuid, FrameGuid}));
    EXPECT_EQ(List(API_WallID), (std::vector<std::string>{WallGuid}));
    EXPECT_EQ(List(API_CurtainWallFrameID), std::vector<std::string>{}) << "frames are objects with an owner";
    EXPECT_EQ(List(API_ZombieElemID).size(), 9u) << "no type: every element";

    API_ElemType unknown(static_cast<API_ElemTypeID>(200));  // inside the type's range, no kind's number
    GS::Array<API_Guid> guids;
    EXPECT_EQ(ACAPI_Element_GetElemList(unknown, &guids, APIFilt_None), APIERR_BADELEMENTTYPE);

    const API_Guid hidden = G(HiddenChairGuid);
    EXPECT_FALSE(ACAPI_Element_Filter(hidden, APIFilt_OnVisLayer));
    EXPECT_TRUE(ACAPI_Element_Filter(hidden, APIFilt_None));
    EXPECT_FALSE(ACAPI_Element_Filter(G("00000000-0000-4000-8000-00000000FFFF"), APIFilt_None))
        << "an element the host does not have passes nothing";
}

TEST_F(ElementFunctions, RecordsCarryStructureLibraryPartAndOwner)
{
    API_Element wall = Read(WallGuid);
    EXPECT_EQ(wall.header.type.typeID, API_WallID);
    EXPECT_EQ(wall.wall.modelElemStructureType, API_BasicStructure);
    EXPECT_EQ(IndexNumber(wall.wall.buildingMaterial), 1);
    EXPECT_DOUBLE_EQ(wall.wall.thickness, 0.2);
    EXPECT_DOUBLE_EQ(wall.wall.thickness1, 0.2) << "one thickness given: the same at both ends";
    EXPECT_EQ(wall.wall.type, APIWtyp_Normal);

    API_Element slab = Read(SlabGuid);
    EXPECT_EQ(slab.slab.modelElemStructureType, API_CompositeStructure);
    EXPECT_EQ(IndexNumber(slab.slab.composite), 1);
    EXPECT_NEAR(slab.slab.thickness, 0.36, 1e-12) << "a composite slab is as thick as its composite";

    EXPECT_EQ(Read(DoorGuid).door.openingBase.libInd, 3);
    API_Element frame = Read(FrameGuid);
    EXPECT_EQ(frame.object.ownerType.typeID, API_CurtainWallFrameID);
    EXPECT_EQ(Text(frame.object.owner), CurtainWallGuid);

    API_Elem_Head header{};
    header.guid = G(StairGuid);
    ASSERT_EQ(ACAPI_Element_GetHeader(&header), NoError);
    EXPECT_EQ(header.type.typeID, API_StairID);

    API_Element missing{};
    missing.header.guid = G("00000000-0000-4000-8000-00000000FFFF");
    EXPECT_EQ(ACAPI_Element_Get(&missing), APIERR_BADID);
}

TEST_F(ElementFunctions, NamesLibraryPartIdsAndIfcAttributes)
{
    const std::pair<API_ElemTypeID, const char*> names[] = {
        {API_WallID, "Wall"},     {API_SlabID, "Slab"},   {API_RoofID, "Roof"},     {API_ColumnID, "Column"},
        {API_BeamID, "Beam"},     {API_WindowID, "Window"}, {API_DoorID, "Door"},   {API_ObjectID, "Object"},
        {API_CurtainWallID, "Curtain Wall"}, {API_StairID, "Stair"}};
    for (const auto& [type, name] : names) {
        GS::UniString text;
        ASSERT_EQ(ACAPI_Element_GetElemTypeName(API_ElemType(type), text), NoError);
        EXPECT_EQ(Sim::Utf8(text), name);
    }

    char unId[128];
    API_Elem_Head chair{};
    chair.guid = G(ChairGuid);
    ASSERT_EQ(ACAPI_LibraryPart_GetElemLibPartUnId(&chair, unId), NoError);
    EXPECT_STREQ(unId, "{CHAIR-1}");
    API_Elem_Head wall{};
    wall.guid = G(WallGuid);
    EXPECT_EQ(ACAPI_LibraryPart_GetElemLibPartUnId(&wall, unId), APIERR_BADELEMENTTYPE);

    GS::Array<API_IFCAttribute> attributes;
    ASSERT_EQ(ACAPI_Element_GetIFCAttributes(wall.guid, false, &attributes), NoError);
    ASSERT_EQ(attributes.GetSize(), 2u);
    EXPECT_EQ(Sim::Utf8(attributes[1].attributeName), "Name");
    EXPECT_EQ(Sim::Utf8(attributes[1].attributeValue), "Wall A");
}

TEST_F(ElementFunctions, QuantitiesFollowTheDocumentedRules)
{
    API_ElementQuantity wall = Quantities(WallGuid);
    EXPECT_DOUBLE_EQ(wall.wall.volume, 3.0);
    EXPECT_DOUBLE_EQ(wall.wall.surface1, 15.0);
    EXPECT_DOUBLE_EQ(wall.wall.length, 5.0);

    EXPECT_NEAR(Quantities(SlabGuid).slab.volume, 7.2, 1e-12);
    API_ElementQuantity door = Quantities(DoorGuid);
    EXPECT_DOUBLE_EQ(door.door.width1, 0.9);
    EXPECT_DOUBLE_EQ(door.door.height1, 2.1);
    EXPECT_NEAR(door.door.surface1, 1.89, 1e-12);
    EXPECT_NEAR(door.door.volume, 0.189, 1e-12);
    EXPECT_DOUBLE_EQ(Quantities(CurtainWallGuid).cw.contourSurface, 18.0);
    EXPECT_DOUBLE_EQ(Quantities(StairGuid).stair.volume, 6.0);

    GS::Array<API_Guid> guids = {G(SlabGuid), G(ColumnGuid)};
    API_QuantityPar params{0.00001};
    API_ElementQuantity elementQuantities[3];
    GS::Array<API_CompositeQuantity> parts[3];
    GS::Array<API_Quantities> quantities;
    for (int i = 0; i < 2; ++i) {
        quantities.Push(API_Quantities());
        quantities[i].elements = &elementQuantities[i];
        quantities[i].composites = &parts[i];
    }
    ASSERT_EQ(ACAPI_Element_GetMoreQuantities(&guids, &params, &quantities), NoError);
    ASSERT_EQ(parts[0].GetSize(), 2u) << "one part per skin";
    EXPECT_EQ(IndexNumber(parts[0][0].buildMatIndices), 1);
    EXPECT_NEAR(parts[0][0].volumes, 4.8, 1e-12);
    EXPECT_EQ(IndexNumber(parts[0][1].buildMatIndices), 2);
    EXPECT_NEAR(parts[0][1].volumes, 2.4, 1e-12);
    EXPECT_DOUBLE_EQ(parts[0][1].projectedArea, 20.0);
    ASSERT_EQ(parts[1].GetSize(), 1u) << "a column is one part";
    EXPECT_NEAR(parts[1][0].volumes, 0.36, 1e-12);

    guids.Push(G("00000000-0000-4000-8000-00000000FFFF"));
    quantities.Push(API_Quantities());
    quantities[2].elements = &elementQuantities[2];
    quantities[2].composites = &parts[2];
    EXPECT_EQ(ACAPI_Element_GetMoreQuantities(&guids, &params, &quantities), APIERR_BADID);

    API_Elem_Head chair{};
    chair.guid = G(ChairGuid);
    API_ElemInfo3D info{};
    ASSERT_EQ(ACAPI_ModelAccess_Get3DInfo(chair, &info), NoError);
    EXPECT_DOUBLE_EQ(info.bounds.xMin, 1.0);
    EXPECT_DOUBLE_EQ(info.bounds.xMax, 1.5);
    EXPECT_DOUBLE_EQ(info.bounds.yMax, 2.6);
    EXPECT_DOUBLE_EQ(info.bounds.zMax, 0.9);
    chair.guid = G(HiddenChairGuid);
    EXPECT_EQ(ACAPI_ModelAccess_Get3DInfo(chair, &info), APIERR_NO3D);
}

TEST_F(ElementFunctions, ChangeTakesTheMarkedFieldsAndKeepsTheHostsRules)
{
    API_Element wall = Read(WallGuid);
    wall.wall.modelElemStructureType = API_CompositeStructure;
    wall.wall.composite = AttributeIndex(1);
    API_Element mask;
    ACAPI_ELEMENT_MASK_CLEAR(mask);
    ASSERT_EQ(ChangeInStep(&wall, &mask, nullptr, 0, true), NoError);
    EXPECT_EQ(Read(WallGuid).wall.modelElemStructureType, API_BasicStructure) << "nothing marked, nothing changed";
    EXPECT_EQ(wall.wall.modelElemStructureType, API_BasicStructure) << "the record comes back as the host holds it";

    wall.wall.modelElemStructureType = API_CompositeStructure;
    wall.wall.composite = AttributeIndex(1);
    ACAPI_ELEMENT_MASK_SETFULL(mask);
    ASSERT_EQ(ChangeInStep(&wall, &mask, nullptr, 0, true), NoError);
    API_Element changed = Read(WallGuid);
    EXPECT_EQ(changed.wall.modelElemStructureType, API_CompositeStructure);
    EXPECT_EQ(IndexNumber(changed.wall.composite), 1);
    EXPECT_NEAR(changed.wall.thickness, 0.36, 1e-12);
    EXPECT_NEAR(changed.wall.thickness1, 0.36, 1e-12);

    changed.wall.composite = AttributeIndex(9);
    EXPECT_EQ(ChangeInStep(&changed, &mask, nullptr, 0, true), APIERR_BADINDEX);
    EXPECT_EQ(IndexNumber(Read(WallGuid).wall.composite), 1) << "a refused change leaves the element as it was";

    API_Element slab = Read(SlabGuid);
    slab.slab.modelElemStructureType = API_BasicStructure;
    slab.slab.buildingMaterial = AttributeIndex(2);
    slab.slab.thickness = 0.25;
    ASSERT_EQ(ChangeInStep(&slab, &mask, nullptr, 0, true), NoError);
    EXPECT_DOUBLE_EQ(Read(SlabGuid).slab.thickness, 0.25);
    EXPECT_NEAR(Quantities(SlabGuid).slab.volume, 5.0, 1e-12);

    slab.slab.thickness = -1;
    EXPECT_EQ(ChangeInStep(&slab, &mask, nullptr, 0, true), APIERR_BADPARS);
    slab.slab.thickness = 0.25;
    slab.slab.modelElemStructureType = API_ProfileStructure;
    EXPECT_EQ(ChangeInStep(&slab, &mask, nullptr, 0, true), APIERR_BADPARS) << "only walls take a profile";
    EXPECT_EQ(host->GetTranscript().EventsOfKind("element").size(), 3u) << "each accepted change, none refused";
}

TEST_F(ElementFunctions, ObserversAttachOnceAndOnlyToExistingElements)
{
    API_Guid wall = G(WallGuid);
    EXPECT_EQ(ACAPI_Element_AttachObserver(wall), NoError);
    EXPECT_EQ(ACAPI_Element_AttachObserver(wall), APIERR_LINKEXIST);
    API_Guid unknown = G("00000000-0000-4000-8000-00000000FFFF");
    EXPECT_EQ(ACAPI_Element_AttachObserver(unknown), APIERR_BADID);
}

TEST_F(ElementFunctions, TheModelIsSeenFromTheFloorPlanAndThe3DWindowOnly)
{
    API_DatabaseInfo current{};
    ASSERT_EQ(ACAPI_Database_GetCurrentDatabase(&current), NoError);
    EXPECT_EQ(current.typeID, APIWind_FloorPlanID);
    EXPECT_EQ(Sim::Utf8(GS::UniString(current.name)), "Floor Plan");

    API_DatabaseInfo layout{};
    layout.typeID = APIWind_LayoutID;
    ASSERT_EQ(ACAPI_Database_ChangeCurrentDatabase(&layout), NoError);
    EXPECT_TRUE(List(API_WallID).empty());
    API_Element wall{};
    wall.header.guid = G(WallGuid);
    EXPECT_EQ(ACAPI_Element_Get(&wall), APIERR_BADID);

    API_DatabaseInfo byId{};
    byId.databaseUnId = current.databaseUnId;
    ASSERT_EQ(ACAPI_Window_GetDatabaseInfo(&byId), NoError);
    EXPECT_EQ(Sim::Utf8(GS::UniString(byId.name)), "Floor Plan");
    ASSERT_EQ(ACAPI_Database_ChangeCurrentDatabase(&current), NoError);
    EXPECT_EQ(List(API_WallID).size(), 1u);
    ASSERT_EQ(ACAPI_Database_ChangeCurrentDatabase(&current), NoError);

    auto changes = host->GetTranscript().EventsOfKind("database");
    ASSERT_EQ(changes.size(), 2u) << "recorded when the current database changes, not when it stays";
    EXPECT_EQ(changes[0]["name"], "Layout A.01");
    EXPECT_EQ(changes[1]["name"], "Floor Plan");

    API_DatabaseInfo unknown{};
    unknown.databaseUnId.elemSetId = G("00000000-0000-4000-8000-00000000FFFF");
    EXPECT_EQ(ACAPI_Database_ChangeCurrentDatabase(&unknown), APIERR_BADDATABASE);
    EXPECT_EQ(ACAPI_Window_GetDatabaseInfo(&unknown), APIERR_BADDATABASE);
}

}  // namespace
