// The host's property rules: groups and definitions, availability, values and their defaults, the
// built-in building material properties, and the undo step value writes need.
#include "PropertyFixture.hpp"
#include "Support/AttributeIndexNumbers.hpp"
#include "SimUtf8.hpp"

namespace {

using SimPropertiesTest::PropertyFixture;

class PropertyFunctions : public PropertyFixture {
protected:
    void SetUp() override
    {
        PropertyFixture::SetUp();
        system = CreateSystem("Corvana", "v 1.0");
        item = CreateItem(system, "Corvana");
        otherItem = CreateItem(system, "Other");
        group = CreateGroup("Corvana");
    }

    API_Guid system{}, item{}, otherItem{}, group{};
};

TEST_F(PropertyFunctions, GroupsAreFoundByGuidOnlyAndNamedOnce)
{
    API_PropertyGroup unknown;
    EXPECT_EQ(ACAPI_Property_GetPropertyGroup(unknown), APIERR_BADID);  // null GUID
    unknown.guid = host->NewProjectGuid();
    EXPECT_EQ(ACAPI_Property_GetPropertyGroup(unknown), APIERR_BADID);

    API_PropertyGroup found;
    found.guid = group;
    ASSERT_EQ(ACAPI_Property_GetPropertyGroup(found), NoError);
    EXPECT_EQ(found.name, GS::UniString("Corvana"));
    EXPECT_EQ(found.groupType, API_PropertyCustomGroupType);

    API_PropertyGroup twin;
    twin.name = "Corvana";
    EXPECT_EQ(ACAPI_Property_CreatePropertyGroup(twin), APIERR_NAMEALREADYUSED);
    twin.name = "Building Material";  // the host's own group
    EXPECT_EQ(ACAPI_Property_CreatePropertyGroup(twin), APIERR_NAMEALREADYUSED);
    twin.name = "";
    EXPECT_EQ(ACAPI_Property_CreatePropertyGroup(twin), APIERR_BADNAME);
    twin.name = "corvana";  // names compare exactly
    EXPECT_EQ(ACAPI_Property_CreatePropertyGroup(twin), NoError);

    GS::Array<API_PropertyGroup> groups;
    ASSERT_EQ(ACAPI_Property_GetPropertyGroups(groups), NoError);
    ASSERT_EQ(groups.GetSize(), 3u);
    EXPECT_EQ(groups[0].groupType, API_PropertyStaticBuiltInGroupType);
    EXPECT_EQ(groups[1].guid, group);
    EXPECT_EQ(groups[2].guid, twin.guid);
}

TEST_F(PropertyFunctions, DefinitionsAreUniqueInTheirGroupAndListedInCreationOrder)
{
    API_PropertyDefinition orphan = Definition(host->NewProjectGuid(), "name");
    EXPECT_EQ(ACAPI_Property_CreatePropertyDefinition(orphan), APIERR_BADID);
    API_PropertyDefinition inBuiltIn = Definition(Sim::Model::BuiltIn::BuildingMaterialGroup, "name");
    EXPECT_EQ(ACAPI_Property_CreatePropertyDefinition(inBuiltIn), APIERR_BADPARS);

    const API_Guid name = CreateDefinition(group, "name", {item});
    const API_Guid id = CreateDefinition(group, "id");
    EXPECT_NE(name, id);
    API_PropertyDefinition twin = Definition(group, "name", {otherItem});
    EXPECT_EQ(ACAPI_Property_CreatePropertyDefinition(twin), APIERR_NAMEALREADYUSED);
    const API_Guid otherGroup = CreateGroup("Dimensions");
    EXPECT_NE(CreateDefinition(otherGroup, "name"), APINULLGuid);  // the same name in another group

    GS::Array<API_PropertyDefinition> definitions;
    ASSERT_EQ(ACAPI_Property_GetPropertyDefinitions(group, definitions), NoError);
    ASSERT_EQ(definitions.GetSize(), 2u);
    EXPECT_EQ(definitions[0].guid, name);
    EXPECT_EQ(definitions[1].guid, id);
    EXPECT_EQ(definitions[0].definitionType, API_PropertyCustomDefinitionType);
    ASSERT_EQ(definitions[0].availability.GetSize(), 1u);
    EXPECT_EQ(definitions[0].availability[0], item);

    const API_Guid unknownGroup = host->NewProjectGuid();
    EXPECT_EQ(ACAPI_Property_GetPropertyDefinitions(unknownGroup, definitions), APIERR_BADID);
}

TEST_F(PropertyFunctions, DefinitionsTakeOnlyWhatTheHostHolds)
{
    API_PropertyDefinition definition = Definition(group, "count");
    definition.valueType = API_PropertyIntegerValueType;
    EXPECT_EQ(ACAPI_Property_CreatePropertyDefinition(definition), APIERR_NOTSUPPORTED);
    definition = Definition(group, "list");
    definition.collectionType = API_PropertyListCollectionType;
    EXPECT_EQ(ACAPI_Property_CreatePropertyDefinition(definition), APIERR_NOTSUPPORTED);
    definition = Definition(group, "nowhere", {host->NewProjectGuid()});
    EXPECT_EQ(ACAPI_Property_CreatePropertyDefinition(definition), APIERR_BADID);
    // A length measure on a string definition is kept as given.
    definition = Definition(group, "length", {item, item});
    definition.measureType = API_PropertyLengthMeasureType;
    ASSERT_EQ(ACAPI_Property_CreatePropertyDefinition(definition), NoError);
    EXPECT_EQ(definition.measureType, API_PropertyLengthMeasureType);
    EXPECT_EQ(definition.availability.GetSize(), 1u);  // each item once
    EXPECT_TRUE(host->GetTranscript().EventsOfKind("undo").empty());
}

TEST_F(PropertyFunctions, ChangedDefinitionsKeepTheirGuidAndValues)
{
    const API_Attr_Head brick = CreateMaterial("Brick");
    ASSERT_EQ(ACAPI_Attribute_AddClassificationItem(brick, item), NoError);
    const API_Guid name = CreateDefinition(group, "name", {item});
    CreateDefinition(group, "id");
    API_Property value = Value(name, "Brick 240");
    ASSERT_EQ(Undoable([&] { return ACAPI_Attribute_SetProperty(brick, value); }), NoError);

    GS::Array<API_PropertyDefinition> definitions;
    ASSERT_EQ(ACAPI_Property_GetPropertyDefinitions(group, definitions), NoError);
    API_PropertyDefinition changed = definitions[0];
    changed.availability.Push(otherItem);
    changed.description = "widened";
    ASSERT_EQ(ACAPI_Property_ChangePropertyDefinition(changed), NoError);
    ASSERT_EQ(ACAPI_Property_GetPropertyDefinitions(group, definitions), NoError);
    EXPECT_EQ(definitions[0].guid, name);
    EXPECT_EQ(definitions[0].availability.GetSize(), 2u);
    EXPECT_EQ(definitions[0].description, GS::UniString("widened"));

    API_Property read;
    ASSERT_EQ(ACAPI_Attribute_GetPropertyValue(brick, name, read), NoError);
    EXPECT_EQ(read.value.singleVariant.variant.uniStringValue, GS::UniString("Brick 240"));

    changed.name = "id";
    EXPECT_EQ(ACAPI_Property_ChangePropertyDefinition(changed), APIERR_NAMEALREADYUSED);
    changed.guid = host->NewProjectGuid();
    EXPECT_EQ(ACAPI_Property_ChangePropertyDefinition(changed), APIERR_BADID);
    API_PropertyDefinition builtIn;
    builtIn.guid = Sim::Model::BuiltIn::BuildingMaterialDescription;
    EXPECT_EQ(ACAPI_Property_ChangePropertyDefinition(builtIn), APIERR_BADPARS);
}

TEST_F(PropertyFunctions, ValuesNeedADefinitionAvailableForTheTarget)
{
    const API_Attr_Head brick = CreateMaterial("Brick");
    const API_Guid wall = AddElement();
    const API_Guid name = CreateDefinition(group, "name", {item});
    API_Property value = Value(name, "Brick 240");

    // Unclassified targets have nothing available.
    EXPECT_EQ(Undoable([&] { return ACAPI_Attribute_SetProperty(brick, value); }), APIERR_BADPARS);
    EXPECT_EQ(Undoable([&] { return ACAPI_Element_SetProperty(wall, value); }), APIERR_BADPARS);
    // Classified by another item of the system: still not available.
    ASSERT_EQ(ACAPI_Element_AddClassificationItem(wall, otherItem), NoError);
    EXPECT_EQ(Undoable([&] { return ACAPI_Element_SetProperty(wall, value); }), APIERR_BADPARS);
    API_Property read;
    ASSERT_EQ(ACAPI_Element_GetPropertyValue(wall, name, read), NoError);
    EXPECT_EQ(read.status, API_Property_NotAvailable);

    ASSERT_EQ(ACAPI_Attribute_AddClassificationItem(brick, item), NoError);
    ASSERT_EQ(ACAPI_Element_AddClassificationItem(wall, item), NoError);
    EXPECT_EQ(Undoable([&] { return ACAPI_Attribute_SetProperty(brick, value); }), NoError);
    EXPECT_EQ(Undoable([&] { return ACAPI_Element_SetProperty(wall, value); }), NoError);

    // Unknown definitions and targets.
    API_Property stray = Value(host->NewProjectGuid(), "x");
    EXPECT_EQ(Undoable([&] { return ACAPI_Element_SetProperty(wall, stray); }), APIERR_BADID);
    const API_Guid noElement = host->NewProjectGuid();
    EXPECT_EQ(Undoable([&] { return ACAPI_Element_SetProperty(noElement, value); }), APIERR_BADID);
    API_Attr_Head noMaterial = brick;
    noMaterial.index = AttributeIndex(99);
    EXPECT_EQ(Undoable([&] { return ACAPI_Attribute_SetProperty(noMaterial, value); }), APIERR_BADINDEX);
    EXPECT_EQ(ACAPI_Element_GetPropertyValue(wall, stray.definition.guid, read), APIERR_BADID);
}

TEST_F(PropertyFunctions, ValuesReadBackAndResetToTheDefault)
{
    const API_Guid wall = AddElement();
    ASSERT_EQ(ACAPI_Element_AddClassificationItem(wall, item), NoError);
    const API_Guid name = CreateDefinition(group, "name", {item}, "unnamed");

    API_Property read;
    ASSERT_EQ(ACAPI_Element_GetPropertyValue(wall, name, read), NoError);
    EXPECT_EQ(read.status, API_Property_HasValue);
    EXPECT_TRUE(read.isDefault);
    EXPECT_EQ(read.value.singleVariant.variant.uniStringValue, GS::UniString("unnamed"));
    EXPECT_EQ(read.definition.guid, name);

    API_Property value = Value(name, "Stair A");
    ASSERT_EQ(Undoable([&] { return ACAPI_Element_SetProperty(wall, value); }), NoError);
    ASSERT_EQ(ACAPI_Element_GetPropertyValue(wall, name, read), NoError);
    EXPECT_FALSE(read.isDefault);
    EXPECT_EQ(read.value.singleVariant.variant.uniStringValue, GS::UniString("Stair A"));
    GS::UniString text;
    ASSERT_EQ(ACAPI_Property_GetPropertyValueString(read, &text), NoError);
    EXPECT_EQ(text, GS::UniString("Stair A"));

    GS::Array<API_Property> reset{Value(name, "ignored", true)};
    ASSERT_EQ(Undoable([&] { return ACAPI_Element_SetProperties(wall, reset); }), NoError);
    ASSERT_EQ(ACAPI_Element_GetPropertyValue(wall, name, read), NoError);
    EXPECT_TRUE(read.isDefault);
    EXPECT_EQ(read.value.singleVariant.variant.uniStringValue, GS::UniString("unnamed"));
}

TEST_F(PropertyFunctions, SetPropertiesWritesAllOrNothing)
{
    const API_Guid wall = AddElement();
    ASSERT_EQ(ACAPI_Element_AddClassificationItem(wall, item), NoError);
    const API_Guid name = CreateDefinition(group, "name", {item});
    const API_Guid hidden = CreateDefinition(group, "hidden", {otherItem});
    GS::Array<API_Property> values{Value(name, "A"), Value(hidden, "B")};
    EXPECT_EQ(Undoable([&] { return ACAPI_Element_SetProperties(wall, values); }), APIERR_BADPARS);
    API_Property read;
    ASSERT_EQ(ACAPI_Element_GetPropertyValue(wall, name, read), NoError);
    EXPECT_TRUE(read.isDefault);

    API_Property wrongType = Value(name, "A");
    wrongType.value.singleVariant.variant.type = API_PropertyIntegerValueType;
    EXPECT_EQ(Undoable([&] { return ACAPI_Element_SetProperty(wall, wrongType); }), APIERR_BADPARS);
}

TEST_F(PropertyFunctions, ValueWritesNeedAnUndoStepOrANotification)
{
    const API_Attr_Head brick = CreateMaterial("Brick");
    const API_Guid wall = AddElement();
    ASSERT_EQ(ACAPI_Attribute_AddClassificationItem(brick, item), NoError);  // taken without a step
    ASSERT_EQ(ACAPI_Element_AddClassificationItem(wall, item), NoError);
    const API_Guid name = CreateDefinition(group, "name", {item});
    API_Property value = Value(name, "A");
    GS::Array<API_Property> values{value};

    EXPECT_EQ(ACAPI_Attribute_SetProperty(brick, value), APIERR_NEEDSUNDOSCOPE);
    EXPECT_EQ(ACAPI_Element_SetProperty(wall, value), APIERR_NEEDSUNDOSCOPE);
    EXPECT_EQ(ACAPI_Element_SetProperties(wall, values), APIERR_NEEDSUNDOSCOPE);
    API_Property read;
    ASSERT_EQ(ACAPI_Element_GetPropertyValue(wall, name, read), NoError);
    EXPECT_TRUE(read.isDefault);
    {
        Sim::NotificationScope notification;
        EXPECT_EQ(ACAPI_Element_SetProperty(wall, value), NoError);
    }
    EXPECT_EQ(ACAPI_Attribute_SetProperty(brick, value), APIERR_NEEDSUNDOSCOPE);
}

TEST_F(PropertyFunctions, BuildingMaterialsShowTheirTextsAsBuiltInProperties)
{
    const API_Attr_Head brick = CreateMaterial("Brick", "Solid brick", "Ziegelwerk");
    const API_Attr_Head wall = CreateComposite("Outer wall", brick.index.ToInt32_Deprecated());
    ASSERT_EQ(ACAPI_Attribute_AddClassificationItem(brick, item), NoError);
    CreateDefinition(group, "name", {item});

    auto names = [&](const API_Attr_Head& head, API_PropertyDefinitionFilter filter) {
        GS::Array<API_PropertyDefinition> definitions;
        EXPECT_EQ(ACAPI_Attribute_GetPropertyDefinitions(head, filter, definitions), NoError);
        std::vector<std::string> list;
        for (const auto& definition : definitions)
            list.push_back(Sim::Utf8(definition.name));
        return list;
    };
    using List = std::vector<std::string>;
    EXPECT_EQ(names(brick, API_PropertyDefinitionFilter_All),
              (List{"Building Material Description", "Building Material Manufacturer", "name"}));
    EXPECT_EQ(names(brick, API_PropertyDefinitionFilter_UserLevelBuiltIn),
              (List{"Building Material Description", "Building Material Manufacturer"}));
    EXPECT_EQ(names(brick, API_PropertyDefinitionFilter_FundamentalBuiltIn), List{});
    EXPECT_EQ(names(brick, API_PropertyDefinitionFilter_UserDefined), (List{"name"}));
    EXPECT_EQ(names(wall, API_PropertyDefinitionFilter_All), List{});

    for (const auto& [guid, text] : {std::make_pair(Sim::Model::BuiltIn::BuildingMaterialDescription, "Solid brick"),
                                     std::make_pair(Sim::Model::BuiltIn::BuildingMaterialManufacturer, "Ziegelwerk")}) {
        API_Property read;
        ASSERT_EQ(ACAPI_Attribute_GetPropertyValue(brick, guid, read), NoError);
        EXPECT_EQ(read.status, API_Property_HasValue);
        GS::UniString shown;
        ASSERT_EQ(ACAPI_Property_GetPropertyValueString(read, &shown), NoError);
        EXPECT_EQ(shown, GS::UniString(text));
        API_Property write = Value(guid, "changed");
        EXPECT_EQ(Undoable([&] { return ACAPI_Attribute_SetProperty(brick, write); }), APIERR_BADPARS);
    }
    API_Property onComposite;
    ASSERT_EQ(ACAPI_Attribute_GetPropertyValue(wall, Sim::Model::BuiltIn::BuildingMaterialDescription, onComposite),
              NoError);
    EXPECT_EQ(onComposite.status, API_Property_NotAvailable);
    GS::UniString shown;
    EXPECT_EQ(ACAPI_Property_GetPropertyValueString(onComposite, &shown), APIERR_BADPARS);
}

}  // namespace
