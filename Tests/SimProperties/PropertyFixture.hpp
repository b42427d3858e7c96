// A fresh host with the table bound, plus the small steps the property, classification and user data
// tests build their projects from.
#pragma once

#include "Sim/SimFixture.hpp"

#include "UndoScope.hpp"

#include <functional>
#include <string>

namespace SimPropertiesTest {

class PropertyFixture : public SimTest::ApiFixture {
protected:
    API_Attr_Head CreateMaterial(const std::string& name, const std::string& description = "",
                                 const std::string& manufacturer = "")
    {
        GS::UniString descriptionText(description), manufacturerText(manufacturer);
        API_Attribute attribute = SimTest::Record(API_BuildingMaterialID, name);
        attribute.buildingMaterial.description = &descriptionText;
        attribute.buildingMaterial.manufacturer = &manufacturerText;
        EXPECT_EQ(ACAPI_Attribute_Create(&attribute, nullptr), NoError) << name;
        attribute.buildingMaterial.description = nullptr;
        attribute.buildingMaterial.manufacturer = nullptr;
        return attribute.header;
    }

    API_Attr_Head CreateComposite(const std::string& name, Int32 material)
    {
        API_Attribute attribute = SimTest::Record(API_CompWallID, name);
        attribute.header.flags = 1;
        attribute.compWall.nComps = 1;
        SimTest::OwnedDefs defs({{material, 0.2}});
        EXPECT_EQ(ACAPI_Attribute_CreateExt(&attribute, &defs.defs), NoError) << name;
        return attribute.header;
    }

    API_Guid AddElement(API_ElemTypeID type = API_WallID)
    {
        Sim::Model::Element element;
        element.guid = host->NewProjectGuid();
        element.type = type;
        return host->GetProject().elements.Add(element).guid;
    }

    API_Guid CreateSystem(const std::string& name, const std::string& edition = "1")
    {
        API_ClassificationSystem system;
        system.name = GS::UniString(name);
        system.editionVersion = GS::UniString(edition);
        EXPECT_EQ(ACAPI_Classification_CreateClassificationSystem(system), NoError) << name;
        return system.guid;
    }

    API_Guid CreateItem(const API_Guid& system, const std::string& id, const API_Guid& parent = APINULLGuid,
                        const API_Guid& successor = APINULLGuid)
    {
        API_ClassificationItem item;
        item.id = GS::UniString(id);
        EXPECT_EQ(ACAPI_Classification_CreateClassificationItem(item, system, parent, successor), NoError) << id;
        return item.guid;
    }

    API_Guid CreateGroup(const std::string& name)
    {
        API_PropertyGroup group;
        group.groupType = API_PropertyCustomGroupType;
        group.name = GS::UniString(name);
        EXPECT_EQ(ACAPI_Property_CreatePropertyGroup(group), NoError) << name;
        return group.guid;
    }

    static API_PropertyDefinition Definition(const API_Guid& group, const std::string& name,
                                             std::initializer_list<API_Guid> availability = {},
                                             const std::string& defaultValue = "")
    {
        API_PropertyDefinition definition;
        definition.groupGuid = group;
        definition.name = GS::UniString(name);
        definition.collectionType = API_PropertySingleCollectionType;
        definition.valueType = API_PropertyStringValueType;
        definition.measureType = API_PropertyDefaultMeasureType;
        definition.canValueBeEditable = true;
        definition.defaultValue.basicValue.singleVariant.variant.type = API_PropertyStringValueType;
        definition.defaultValue.basicValue.singleVariant.variant.uniStringValue = GS::UniString(defaultValue);
        for (const auto& item : availability)
            definition.availability.Push(item);
        return definition;
    }

    API_Guid CreateDefinition(const API_Guid& group, const std::string& name,
                              std::initializer_list<API_Guid> availability = {}, const std::string& defaultValue = "")
    {
        API_PropertyDefinition definition = Definition(group, name, availability, defaultValue);
        EXPECT_EQ(ACAPI_Property_CreatePropertyDefinition(definition), NoError) << name;
        return definition.guid;
    }

    static API_Property Value(const API_Guid& definition, const std::string& text, bool isDefault = false)
    {
        API_Property property;
        property.definition.guid = definition;
        property.status = API_Property_HasValue;
        property.isDefault = isDefault;
        property.value.variantStatus = API_VariantStatusNormal;
        property.value.singleVariant.variant.type = API_PropertyStringValueType;
        property.value.singleVariant.variant.uniStringValue = GS::UniString(text);
        return property;
    }

    // Runs `step` as one undoable command and answers its result.
    static GSErrCode Undoable(const std::function<GSErrCode()>& step)
    {
        return ACAPI_CallUndoableCommand(GS::UniString("Test step"), step);
    }
};

}  // namespace SimPropertiesTest
