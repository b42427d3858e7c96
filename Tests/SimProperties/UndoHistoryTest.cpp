// The host's undo history: undo takes back the whole last step, whoever made it, and only what the
// undoable modifiers wrote; redo makes it again.
#include "PropertyFixture.hpp"

#include "ElementActions.hpp"
#include "UndoHistory.hpp"

#include <cstring>
#include <string>
#include <vector>

namespace {

using SimPropertiesTest::PropertyFixture;

GSErrCode IgnoreNotification(const API_NotifyElementType*) { return NoError; }

class UndoHistory : public PropertyFixture {
protected:
    bool Undo()
    {
        std::string problem;
        return Sim::ElementActions(*host).Undo(&problem);
    }
    bool Redo()
    {
        std::string problem;
        return Sim::ElementActions(*host).Redo(&problem);
    }

    static GSErrCode SetUserData(const API_Guid& element, const char* text)
    {
        API_ElementUserData data{};
        data.dataVersion = 1;
        data.platformSign = GS::Win_Platform_Sign;
        data.dataHdl = BMAllocateHandle(static_cast<Int32>(std::strlen(text) + 1), ALLOCATE_CLEAR, 0);
        std::memcpy(*data.dataHdl, text, std::strlen(text) + 1);
        API_Elem_Head head{};
        head.guid = element;
        const GSErrCode err = ACAPI_Element_SetUserData(&head, &data);
        BMKillHandle(&data.dataHdl);
        return err;
    }
};

TEST_F(UndoHistory, UndoTakesBackEveryUndoableWriteOfTheStepAndRedoMakesItAgain)
{
    const API_Attr_Head material = CreateMaterial("Brick");
    const API_Guid wall = AddElement();
    host->GetProject().elements.Find(wall)->buildingMaterial = material.index.ToInt32_Deprecated();
    ASSERT_EQ(ACAPI_Element_InstallElementObserver(&IgnoreNotification), NoError);
    ASSERT_EQ(ACAPI_Element_AttachObserver(wall), NoError);
    const Sim::Project before = host->GetProject();

    ASSERT_EQ(Undoable([&] {
                  API_ClassificationSystem system;
                  system.name = "Catalogue";
                  system.editionVersion = "1";
                  EXPECT_EQ(ACAPI_Classification_CreateClassificationSystem(system), NoError);
                  API_ClassificationItem item;
                  item.id = "Catalogue";
                  EXPECT_EQ(ACAPI_Classification_CreateClassificationItem(item, system.guid, APINULLGuid, APINULLGuid),
                            NoError);
                  API_PropertyGroup group;
                  group.groupType = API_PropertyCustomGroupType;
                  group.name = "Catalogue";
                  EXPECT_EQ(ACAPI_Property_CreatePropertyGroup(group), NoError);
                  API_PropertyDefinition definition = Definition(group.guid, "Maker", {item.guid});
                  EXPECT_EQ(ACAPI_Property_CreatePropertyDefinition(definition), NoError);
                  EXPECT_EQ(ACAPI_Element_AddClassificationItem(wall, item.guid), NoError);
                  EXPECT_EQ(ACAPI_Attribute_AddClassificationItem(material, item.guid), NoError);
                  EXPECT_EQ(ACAPI_Element_SetProperty(wall, Value(definition.guid, "Tonwerk")), NoError);
                  EXPECT_EQ(ACAPI_Attribute_SetProperty(material, Value(definition.guid, "Tonwerk")), NoError);
                  EXPECT_EQ(SetUserData(wall, "stamped"), NoError);
                  API_Element element{};
                  element.header.guid = wall;
                  EXPECT_EQ(ACAPI_Element_Get(&element), NoError);
                  element.wall.height = 3.5;
                  API_Element mask;
                  ACAPI_ELEMENT_MASK_SETFULL(mask);
                  EXPECT_EQ(ACAPI_Element_Change(&element, &mask, nullptr, 0, true), NoError);
                  // Not undoable: an attribute, its user data and module data stay when the step is undone.
                  CreateMaterial("Stone");
                  API_Attribute brick = SimTest::Blank(API_BuildingMaterialID);
                  brick.header = material;
                  API_AttributeUserData stored{};
                  stored.dataVersion = 0;
                  stored.platformSign = GS::Win_Platform_Sign;
                  stored.dataHdl = BMAllocateHandle(3, ALLOCATE_CLEAR, 0);
                  EXPECT_EQ(ACAPI_UserData_SetUserData(&brick.header, &stored), NoError);
                  BMKillHandle(&stored.dataHdl);
                  API_ModulData module{};
                  module.dataVersion = 1;
                  module.platformSign = GS::Win_Platform_Sign;
                  module.dataHdl = BMAllocateHandle(3, ALLOCATE_CLEAR, 0);
                  EXPECT_EQ(ACAPI_ModulData_Store(&module, "CV_Chair"), NoError);
                  BMKillHandle(&module.dataHdl);
                  return NoError;
              }),
              NoError);
    const Sim::Project after = host->GetProject();

    ASSERT_TRUE(Undo());
    const Sim::Project& undone = host->GetProject();
    EXPECT_TRUE(undone.elements == before.elements) << "the wall is as before: height, classification, value, data";
    EXPECT_TRUE(undone.properties == before.properties);
    EXPECT_TRUE(undone.classifications == before.classifications);
    const Sim::Model::BuildingMaterial* brick = undone.attributes.buildingMaterials.FindByIndex(material.index.ToInt32_Deprecated());
    ASSERT_NE(brick, nullptr);
    EXPECT_TRUE(brick->attached.IsEmpty());
    EXPECT_TRUE(brick->userData.has_value()) << "attribute user data is no undoable write";
    EXPECT_NE(undone.attributes.buildingMaterials.FindByName("Stone"), nullptr);
    EXPECT_EQ(after.moduleData.count("CV_Chair"), 1u);
    EXPECT_TRUE(undone.moduleData == after.moduleData);

    const auto& told = Sim::ElementActions(*host).LastNotifications();
    ASSERT_EQ(told.size(), 3u) << "begin, the wall, end";
    EXPECT_EQ(told[1].record.notifID, APINotifyElement_Undo_Modified);
    EXPECT_EQ(told[1].record.elemHead.guid, wall);

    ASSERT_TRUE(Redo());
    EXPECT_TRUE(host->GetProject() == after);
    EXPECT_EQ(Sim::ElementActions(*host).LastNotifications()[1].record.notifID, APINotifyElement_Redo_Modified);
    EXPECT_FALSE(Redo());
}

TEST_F(UndoHistory, UserActionsAndAddOnStepsAreUndoneLastFirst)
{
    const API_Guid item = CreateItem(CreateSystem("Catalogue"), "Catalogue");
    const API_Guid definition = CreateDefinition(CreateGroup("Catalogue"), "Maker", {item});
    Sim::Model::Element wall;
    wall.type = API_WallID;
    API_Guid placed = APINULLGuid;
    std::string problem;
    ASSERT_TRUE(Sim::ElementActions(*host).Place(wall, &placed, &problem)) << problem;
    ASSERT_EQ(Undoable([&] {
                  EXPECT_EQ(ACAPI_Element_AddClassificationItem(placed, item), NoError);
                  return ACAPI_Element_SetProperty(placed, Value(definition, "Tonwerk"));
              }),
              NoError);
    const Sim::Project stamped = host->GetProject();

    ASSERT_TRUE(Undo());
    ASSERT_NE(host->GetProject().elements.Find(placed), nullptr);
    EXPECT_TRUE(host->GetProject().elements.Find(placed)->attached.IsEmpty());
    ASSERT_TRUE(Undo());
    EXPECT_EQ(host->GetProject().elements.Find(placed), nullptr) << "the user's placing, undone in turn";
    API_Element gone{};
    gone.header.guid = placed;
    EXPECT_EQ(ACAPI_Element_Get(&gone), APIERR_DELETED);

    ASSERT_TRUE(Redo());
    ASSERT_TRUE(Redo());
    EXPECT_TRUE(host->GetProject() == stamped);

    // A new step after an undo forgets what was undone.
    ASSERT_TRUE(Undo());
    ASSERT_EQ(Undoable([] { return NoError; }), NoError);
    EXPECT_FALSE(Redo());
    const auto undo = host->GetTranscript().EventsOfKind("undo");
    ASSERT_GE(undo.size(), 2u);
    EXPECT_EQ(undo[undo.size() - 2]["step"], "Test step") << "undo names the step it took back";
}

TEST_F(UndoHistory, KeepsItsLastSteps)
{
    for (size_t i = 0; i < Sim::UndoHistory::Depth + 3; ++i)
        ASSERT_EQ(Undoable([] { return NoError; }), NoError);
    size_t undone = 0;
    while (Undo())
        ++undone;
    EXPECT_EQ(undone, Sim::UndoHistory::Depth);
}

}  // namespace
