// Classification systems, item trees and the classification of attributes and elements.
#include "PropertyFixture.hpp"
#include "SimUtf8.hpp"

namespace {

using SimPropertiesTest::PropertyFixture;

class ClassificationFunctions : public PropertyFixture {
protected:
    std::vector<std::string> Ids(const GS::Array<API_ClassificationItem>& items)
    {
        std::vector<std::string> ids;
        for (const auto& item : items)
            ids.push_back(Sim::Utf8(item.id));
        return ids;
    }
    std::vector<std::string> Roots(const API_Guid& system)
    {
        GS::Array<API_ClassificationItem> items;
        EXPECT_EQ(ACAPI_Classification_GetClassificationSystemRootItems(system, items), NoError);
        return Ids(items);
    }
    std::vector<std::string> Children(const API_Guid& item)
    {
        GS::Array<API_ClassificationItem> items;
        EXPECT_EQ(ACAPI_Classification_GetClassificationItemChildren(item, items), NoError);
        return Ids(items);
    }
    using List = std::vector<std::string>;
};

TEST_F(ClassificationFunctions, SystemsAreKnownByNameAndEditionVersion)
{
    API_ClassificationSystem system;
    system.name = "Corvana";
    system.source = "Corvana";
    system.editionVersion = "v 1.0";
    system.editionDate = GSDateRecord(2024, 2, 29);
    ASSERT_EQ(ACAPI_Classification_CreateClassificationSystem(system), NoError);
    EXPECT_NE(system.guid, APINULLGuid);

    API_ClassificationSystem twin = system;
    twin.guid = APINULLGuid;
    EXPECT_EQ(ACAPI_Classification_CreateClassificationSystem(twin), APIERR_NAMEALREADYUSED);
    twin.editionVersion = "v 2.0";
    EXPECT_EQ(ACAPI_Classification_CreateClassificationSystem(twin), NoError);
    API_ClassificationSystem badDate;
    badDate.name = "Dated";
    badDate.editionDate = GSDateRecord(2023, 2, 29);
    EXPECT_EQ(ACAPI_Classification_CreateClassificationSystem(badDate), APIERR_BADPARS);
    API_ClassificationSystem unnamed;
    EXPECT_EQ(ACAPI_Classification_CreateClassificationSystem(unnamed), APIERR_BADNAME);

    GS::Array<API_ClassificationSystem> systems;
    ASSERT_EQ(ACAPI_Classification_GetClassificationSystems(systems), NoError);
    ASSERT_EQ(systems.GetSize(), 2u);
    EXPECT_EQ(systems[0].guid, system.guid);
    EXPECT_EQ(systems[0].source, GS::UniString("Corvana"));
    EXPECT_EQ(systems[0].editionDate.day, 29);
    EXPECT_EQ(systems[1].editionVersion, GS::UniString("v 2.0"));
}

TEST_F(ClassificationFunctions, ItemsFormATreeInTheirPlacedOrder)
{
    const API_Guid system = CreateSystem("Uniclass");
    const API_Guid walls = CreateItem(system, "Walls");
    const API_Guid roofs = CreateItem(system, "Roofs");
    CreateItem(system, "Floors", APINULLGuid, roofs);  // before its successor
    const API_Guid outer = CreateItem(system, "Outer", walls);
    CreateItem(system, "Inner", walls, outer);
    CreateItem(system, "Cladding", outer);

    EXPECT_EQ(Roots(system), (List{"Walls", "Floors", "Roofs"}));
    EXPECT_EQ(Children(walls), (List{"Inner", "Outer"}));
    EXPECT_EQ(Children(outer), (List{"Cladding"}));
    EXPECT_EQ(Children(roofs), List{});

    API_ClassificationItem item;
    item.id = "Walls";
    const API_Guid none = APINULLGuid;
    EXPECT_EQ(ACAPI_Classification_CreateClassificationItem(item, system, none, none), APIERR_NAMEALREADYUSED);
    item.id = "";
    EXPECT_EQ(ACAPI_Classification_CreateClassificationItem(item, system, none, none), APIERR_BADPARS);
    item.id = "Elsewhere";
    // A successor that is not a sibling, a parent of another system, an unknown system.
    EXPECT_EQ(ACAPI_Classification_CreateClassificationItem(item, system, none, outer), APIERR_BADID);
    const API_Guid other = CreateSystem("Other");
    EXPECT_EQ(ACAPI_Classification_CreateClassificationItem(item, other, walls, none), APIERR_BADID);
    const API_Guid unknown = host->NewProjectGuid();
    EXPECT_EQ(ACAPI_Classification_CreateClassificationItem(item, unknown, none, none), APIERR_BADID);
    GS::Array<API_ClassificationItem> items;
    EXPECT_EQ(ACAPI_Classification_GetClassificationSystemRootItems(unknown, items), APIERR_BADID);
    EXPECT_EQ(ACAPI_Classification_GetClassificationItemChildren(unknown, items), APIERR_BADID);
    // The same ID in another system is another item.
    EXPECT_NE(CreateItem(other, "Walls"), walls);
}

TEST_F(ClassificationFunctions, TargetsCarryOneItemPerSystem)
{
    const API_Guid first = CreateSystem("First");
    const API_Guid second = CreateSystem("Second");
    const API_Guid a = CreateItem(first, "A");
    const API_Guid b = CreateItem(first, "B");
    const API_Guid c = CreateItem(second, "C");
    const API_Attr_Head brick = CreateMaterial("Brick");
    const API_Guid wall = AddElement();

    for (const API_Guid& guid : {c, a, b}) {
        ASSERT_EQ(ACAPI_Attribute_AddClassificationItem(brick, guid), NoError);
        ASSERT_EQ(ACAPI_Element_AddClassificationItem(wall, guid), NoError);
    }
    GS::Array<GS::Pair<API_Guid, API_Guid>> pairs;
    ASSERT_EQ(ACAPI_Attribute_GetClassificationItems(brick, pairs), NoError);
    ASSERT_EQ(pairs.GetSize(), 2u);  // b replaced a; in the order of the systems
    EXPECT_EQ(pairs[0], (GS::Pair<API_Guid, API_Guid>(first, b)));
    EXPECT_EQ(pairs[1], (GS::Pair<API_Guid, API_Guid>(second, c)));
    GS::Array<GS::Pair<API_Guid, API_Guid>> elementPairs;
    ASSERT_EQ(ACAPI_Element_GetClassificationItems(wall, elementPairs), NoError);
    EXPECT_EQ(elementPairs, pairs);

    const API_Guid unknown = host->NewProjectGuid();
    EXPECT_EQ(ACAPI_Attribute_AddClassificationItem(brick, unknown), APIERR_BADID);
    EXPECT_EQ(ACAPI_Element_AddClassificationItem(unknown, a), APIERR_BADID);
    EXPECT_EQ(ACAPI_Element_GetClassificationItems(unknown, pairs), APIERR_BADID);
    API_Attr_Head byName{};
    byName.typeID = API_BuildingMaterialID;
    std::strcpy(byName.name, "Brick");
    ASSERT_EQ(ACAPI_Attribute_GetClassificationItems(byName, pairs), NoError);
    EXPECT_EQ(pairs.GetSize(), 2u);
    std::strcpy(byName.name, "Stone");
    EXPECT_EQ(ACAPI_Attribute_GetClassificationItems(byName, pairs), APIERR_BADNAME);
    byName.typeID = API_LayerID;
    EXPECT_EQ(ACAPI_Attribute_GetClassificationItems(byName, pairs), APIERR_NOTSUPPORTED);
}

}  // namespace
