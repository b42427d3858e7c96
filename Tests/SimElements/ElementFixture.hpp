// A host with a small model loaded from JSON: two building materials, a composite, and elements of every
// kind. Handlers that record what the host delivers stand in for an add-on.
#pragma once

#include "ElementActions.hpp"
#include "Model/ProjectFile.hpp"
#include "ModelState.hpp"
#include "NotificationScope.hpp"
#include "Sim/SimFixture.hpp"
#include "SimUtf8.hpp"

#include <cstring>
#include <string>
#include <vector>

namespace SimElementsTest {

constexpr const char* WallGuid = "00000000-0000-4000-8000-0000000000A1";
constexpr const char* SlabGuid = "00000000-0000-4000-8000-0000000000A2";
constexpr const char* DoorGuid = "00000000-0000-4000-8000-0000000000A3";
constexpr const char* ChairGuid = "00000000-0000-4000-8000-0000000000A4";
constexpr const char* HiddenChairGuid = "00000000-0000-4000-8000-0000000000A5";
constexpr const char* CurtainWallGuid = "00000000-0000-4000-8000-0000000000A6";
constexpr const char* FrameGuid = "00000000-0000-4000-8000-0000000000A7";
constexpr const char* StairGuid = "00000000-0000-4000-8000-0000000000A8";
constexpr const char* ColumnGuid = "00000000-0000-4000-8000-0000000000A9";

inline API_Guid G(const char* text) { return APIGuidFromString(text); }
inline std::string Text(const API_Guid& guid) { return guid == APINULLGuid ? "" : Sim::Utf8(APIGuidToString(guid)); }

// Brick (1, 0.24 m skin), Wool (2, 0.12 m skin) and the composite "Outer wall" (1) of both; a basic brick
// wall 5 x 3 m, 0.2 m thick; a composite slab 4 x 5 m; a door 0.9 x 2.1 m; two chairs (the second on a
// hidden layer and not in 3D); a curtain wall 6 x 3 m with a frame object; a stair; a column.
inline const char* ModelText()
{
    return R"({
  "format": "corvana-sim-project", "version": 1,
  "attributes": {
    "buildingMaterials": [
      {"index": 1, "guid": "00000000-0000-4000-8000-000000000001", "name": "Brick"},
      {"index": 2, "guid": "00000000-0000-4000-8000-000000000002", "name": "Wool"}
    ],
    "composites": [
      {"index": 1, "guid": "00000000-0000-4000-8000-000000000003", "name": "Outer wall", "usage": 3,
       "skins": [{"buildingMaterial": 1, "thickness": 0.24, "flags": 2}, {"buildingMaterial": 2, "thickness": 0.12}],
       "lines": [{}, {}, {}]}
    ]
  },
  "elements": [
    {"guid": "00000000-0000-4000-8000-0000000000A1", "type": "wall", "structure": "basic", "buildingMaterial": 1,
     "length": 5, "height": 3, "thickness": 0.2, "ifc": [{"name": "Tag", "value": "W1"}, {"name": "Name", "value": "Wall A"}]},
    {"guid": "00000000-0000-4000-8000-0000000000A2", "type": "slab", "structure": "composite", "composite": 1,
     "length": 4, "width": 5},
    {"guid": "00000000-0000-4000-8000-0000000000A3", "type": "door", "width": 0.9, "height": 2.1, "thickness": 0.1,
     "libraryPart": {"index": 3, "unId": "{D00R-1}"}},
    {"guid": "00000000-0000-4000-8000-0000000000A4", "type": "object", "origin": [1, 2, 0], "length": 0.5,
     "width": 0.6, "height": 0.9, "libraryPart": {"index": 7, "unId": "{CHAIR-1}"}},
    {"guid": "00000000-0000-4000-8000-0000000000A5", "type": "object", "onVisibleLayer": false, "in3D": false,
     "length": 0.5, "width": 0.6, "height": 0.9},
    {"guid": "00000000-0000-4000-8000-0000000000A7", "type": "object", "ownerType": "curtainWallFrame",
     "owner": "00000000-0000-4000-8000-0000000000A6", "length": 0.05, "width": 0.1, "height": 3},
    {"guid": "00000000-0000-4000-8000-0000000000A6", "type": "curtainWall", "length": 6, "height": 3,
     "ifc": [{"name": "Name", "value": "Facade"}]},
    {"guid": "00000000-0000-4000-8000-0000000000A8", "type": "stair", "length": 4, "width": 1, "height": 3},
    {"guid": "00000000-0000-4000-8000-0000000000A9", "type": "column", "buildingMaterial": 1, "length": 0.3,
     "width": 0.4, "height": 3}
  ]
})";
}

struct Delivery {
    API_ElementDBEventID kind;
    API_ElemTypeID type;
    std::string guid;
    std::string parent;
    std::string database;
    bool inScope;
    std::string handler;
};

inline std::vector<Delivery>& Deliveries()
{
    static std::vector<Delivery> deliveries;
    return deliveries;
}

// The parent the host names during the delivery, "" when it names none.
inline std::string ParentText()
{
    API_Element parent;
    std::memset(&parent, 0, sizeof parent);
    if (ACAPI_Notification_GetParentElement(&parent, nullptr, 0, nullptr) != NoError)
        return Text(APINULLGuid);
    return Text(parent.header.guid);
}

inline Delivery Describe(const API_NotifyElementType* record, const char* handler)
{
    return {record->notifID,   record->elemHead.type.typeID,         Text(record->elemHead.guid),
            ParentText(),      Text(record->databaseId.elemSetId), Sim::NotificationScope::Active(),
            handler};
}

inline GSErrCode RecordNewElement(const API_NotifyElementType* record)
{
    Deliveries().push_back(Describe(record, "newElement"));
    return NoError;
}

inline GSErrCode RecordObserved(const API_NotifyElementType* record)
{
    Deliveries().push_back(Describe(record, "observer"));
    return record->notifID == APINotifyElement_Delete ? APIERR_GENERAL : NoError;
}

inline GSErrCode RecordEither(const API_NotifyElementType* record)
{
    Deliveries().push_back(Describe(record, "either"));
    return NoError;
}

class ElementFixture : public SimTest::ApiFixture {
protected:
    void SetUp() override
    {
        SimTest::ApiFixture::SetUp();
        Deliveries().clear();
        host->GetProject() = Sim::ProjectFile::FromText(ModelText());
    }

    void InstallHandlers(bool sameFunction = false)
    {
        API_ToolBoxItem all{};
        ASSERT_EQ(ACAPI_Element_CatchNewElement(&all, sameFunction ? RecordEither : RecordNewElement), NoError);
        ASSERT_EQ(ACAPI_Element_InstallElementObserver(sameFunction ? RecordEither : RecordObserved), NoError);
    }

    static std::vector<API_ElementDBEventID> Kinds()
    {
        std::vector<API_ElementDBEventID> kinds;
        for (const auto& delivery : Deliveries())
            kinds.push_back(delivery.kind);
        return kinds;
    }

    Sim::ElementActions Actions() { return Sim::ElementActions(*host); }

    API_Element Read(const char* guid)
    {
        API_Element element{};
        element.header.guid = G(guid);
        EXPECT_EQ(ACAPI_Element_Get(&element), NoError) << guid;
        return element;
    }
};

}  // namespace SimElementsTest
