// The host's command rules: each class of function refused where Archicad refuses it, accepted where it
// accepts it, and every refusal one "host" transcript event.
#include "SimFixture.hpp"

#include "ElementActions.hpp"
#include "UndoScope.hpp"

#include <functional>
#include <string>
#include <vector>

namespace {

using SimTest::Record;

// What a test wants done while the host delivers a notification; the handler is a plain function.
std::function<void()>& DuringNotification()
{
    static std::function<void()> action;
    return action;
}

GSErrCode RunDuringNotification(const API_NotifyElementType* notification)
{
    if (notification != nullptr && notification->notifID == APINotifyElement_New && DuringNotification())
        DuringNotification()();
    return NoError;
}

class CommandRules : public SimTest::ApiFixture {
protected:
    void TearDown() override
    {
        DuringNotification() = nullptr;
        ApiFixture::TearDown();
    }

    API_Guid AddWall()
    {
        Sim::Model::Element element;
        element.guid = host->NewProjectGuid();
        element.type = API_WallID;
        return host->GetProject().elements.Add(element).guid;
    }

    // Places a wall as the user does, running `action` inside the new-element notification.
    void PlaceWallRunning(std::function<void()> action)
    {
        ASSERT_EQ(ACAPI_Element_CatchNewElement(nullptr, &RunDuringNotification), NoError);
        DuringNotification() = std::move(action);
        Sim::Model::Element wall;
        wall.type = API_WallID;
        API_Guid placed = APINULLGuid;
        std::string problem;
        ASSERT_TRUE(Sim::ElementActions(*host).Place(wall, &placed, &problem)) << problem;
    }

    std::vector<nlohmann::ordered_json> Refusals() const
    {
        std::vector<nlohmann::ordered_json> refusals;
        for (const auto& event : host->GetTranscript().EventsOfKind("host"))
            if (event["event"] == "refused")
                refusals.push_back(event);
        return refusals;
    }

    void ExpectOneRefusal(const std::string& function, const std::string& error)
    {
        const auto refusals = Refusals();
        ASSERT_EQ(refusals.size(), 1u) << host->GetTranscript().ToJsonLines();
        EXPECT_EQ(refusals[0]["function"], function);
        EXPECT_EQ(refusals[0]["error"], error);
    }

    static API_ClassificationSystem System(const std::string& name)
    {
        API_ClassificationSystem system;
        system.name = GS::UniString(name);
        system.editionVersion = GS::UniString("1");
        return system;
    }
};

TEST_F(CommandRules, UndoableModifiersAreRefusedOutsideAnUndoStep)
{
    const API_Guid wall = AddWall();
    API_ClassificationSystem system = System("Outside");
    EXPECT_EQ(ACAPI_Classification_CreateClassificationSystem(system), APIERR_NEEDSUNDOSCOPE);
    ExpectOneRefusal("ACAPI_Classification_CreateClassificationSystem", "APIERR_NEEDSUNDOSCOPE");
    GS::Array<API_ClassificationSystem> systems;
    ASSERT_EQ(ACAPI_Classification_GetClassificationSystems(systems), NoError);
    EXPECT_EQ(systems.GetSize(), 0u) << "a refused call changes nothing";

    API_ElementUserData data{};
    data.dataVersion = 1;
    data.platformSign = GS::Win_Platform_Sign;
    data.dataHdl = BMAllocateHandle(4, ALLOCATE_CLEAR, 0);
    API_Elem_Head head{};
    head.guid = wall;
    EXPECT_EQ(ACAPI_Element_SetUserData(&head, &data), APIERR_NEEDSUNDOSCOPE);

    API_PropertyGroup group;
    group.groupType = API_PropertyCustomGroupType;
    group.name = "Outside";
    EXPECT_EQ(ACAPI_Property_CreatePropertyGroup(group), APIERR_NEEDSUNDOSCOPE);

    API_Element element{};
    element.header.guid = wall;
    ASSERT_EQ(ACAPI_Element_Get(&element), NoError);
    API_Element mask;
    ACAPI_ELEMENT_MASK_SETFULL(mask);
    EXPECT_EQ(ACAPI_Element_Change(&element, &mask, nullptr, 0, true), APIERR_NEEDSUNDOSCOPE);

    std::vector<std::string> refused;
    for (const auto& event : Refusals())
        refused.push_back(event["function"].get<std::string>());
    EXPECT_EQ(refused, (std::vector<std::string>{"ACAPI_Classification_CreateClassificationSystem",
                                                 "ACAPI_Element_SetUserData", "ACAPI_Property_CreatePropertyGroup",
                                                 "ACAPI_Element_Change"}));

    // The same calls inside an undoable command are accepted.
    EXPECT_EQ(ACAPI_CallUndoableCommand("Inside", [&]() -> GSErrCode {
                  API_ClassificationSystem inside = System("Inside");
                  EXPECT_EQ(ACAPI_Classification_CreateClassificationSystem(inside), NoError);
                  EXPECT_EQ(ACAPI_Element_SetUserData(&head, &data), NoError);
                  EXPECT_EQ(ACAPI_Property_CreatePropertyGroup(group), NoError);
                  EXPECT_NE(ACAPI_Element_Change(&element, &mask, nullptr, 0, true), APIERR_NEEDSUNDOSCOPE);
                  return NoError;
              }),
              NoError);
    EXPECT_EQ(Refusals().size(), 4u);
    BMKillHandle(&data.dataHdl);
}

TEST_F(CommandRules, ElementDefaultUserDataNeedsNoUndoStep)
{
    // Setting data on an element default is not undoable: the host does not ask for a step (it may refuse
    // the default for its own reasons, never for the missing scope).
    API_ElementUserData data{};
    data.dataVersion = 1;
    data.platformSign = GS::Win_Platform_Sign;
    data.dataHdl = BMAllocateHandle(4, ALLOCATE_CLEAR, 0);
    API_Elem_Head head{};
    head.type = API_ElemType(API_WallID);
    EXPECT_NE(ACAPI_Element_SetUserData(&head, &data), APIERR_NEEDSUNDOSCOPE);
    EXPECT_TRUE(Refusals().empty());
    BMKillHandle(&data.dataHdl);
}

TEST_F(CommandRules, AnElementNotificationIsTheHostsOwnStep)
{
    GSErrCode classified = -1, undoable = -1, command = -1, undoableBeforeAndAfter = -1;
    bool ranUndoable = false;
    PlaceWallRunning([&] {
        API_ClassificationSystem system = System("In the notification");
        classified = ACAPI_Classification_CreateClassificationSystem(system);
        undoable = ACAPI_CallUndoableCommand("From a handler", [&]() -> GSErrCode {
            ranUndoable = true;
            return NoError;
        });
        command = ACAPI_CallCommand("From a handler", []() -> GSErrCode { return NoError; });
    });
    EXPECT_EQ(classified, NoError) << "the handler writes directly into the host's step";
    EXPECT_EQ(undoable, APIERR_REFUSEDCMD);
    EXPECT_FALSE(ranUndoable);
    EXPECT_EQ(command, APIERR_REFUSEDCMD);
    const auto refusals = Refusals();
    ASSERT_EQ(refusals.size(), 2u);
    EXPECT_EQ(refusals[0]["function"], "ACAPI_CallUndoableCommand");
    EXPECT_EQ(refusals[0]["error"], "APIERR_REFUSEDCMD");
    EXPECT_EQ(refusals[1]["function"], "ACAPI_CallCommand");
    EXPECT_EQ(refusals[1]["error"], "APIERR_REFUSEDCMD");

    // Once the notification is over, the add-on opens its own commands again.
    undoableBeforeAndAfter = ACAPI_CallUndoableCommand("After", []() -> GSErrCode { return NoError; });
    EXPECT_EQ(undoableBeforeAndAfter, NoError);
    EXPECT_EQ(Refusals().size(), 2u);
}

TEST_F(CommandRules, CommandsDoNotNest)
{
    GSErrCode undoableInUndoable = -1, commandInCommand = -1, undoableInCommand = -1;
    bool innerRan = false;
    EXPECT_EQ(ACAPI_CallUndoableCommand("Outer", [&]() -> GSErrCode {
                  undoableInUndoable = ACAPI_CallUndoableCommand("Inner", [&]() -> GSErrCode {
                      innerRan = true;
                      return NoError;
                  });
                  return NoError;
              }),
              NoError);
    EXPECT_EQ(ACAPI_CallCommand("Outer", [&]() -> GSErrCode {
                  EXPECT_TRUE(Sim::InCommand());
                  commandInCommand = ACAPI_CallCommand("Inner", [&]() -> GSErrCode {
                      innerRan = true;
                      return NoError;
                  });
                  undoableInCommand = ACAPI_CallUndoableCommand("Inner", [&]() -> GSErrCode {
                      innerRan = true;
                      return NoError;
                  });
                  return NoError;
              }),
              NoError);
    EXPECT_FALSE(Sim::InCommand());
    EXPECT_FALSE(innerRan);
    EXPECT_EQ(undoableInUndoable, APIERR_REFUSEDCMD);
    EXPECT_EQ(commandInCommand, APIERR_REFUSEDCMD);
    EXPECT_EQ(undoableInCommand, APIERR_REFUSEDCMD);
    std::vector<std::string> refused;
    for (const auto& event : Refusals()) {
        refused.push_back(event["function"].get<std::string>());
        EXPECT_EQ(event["error"], "APIERR_REFUSEDCMD");
    }
    EXPECT_EQ(refused, (std::vector<std::string>{"ACAPI_CallUndoableCommand", "ACAPI_CallCommand",
                                                 "ACAPI_CallUndoableCommand"}));
    EXPECT_EQ(Sim::UndoStepCount(), 1);
}

TEST_F(CommandRules, CallCommandIsRefusedWhileAnUndoableCommandRuns)
{
    GSErrCode inner = -1;
    EXPECT_EQ(ACAPI_CallUndoableCommand("Undoable", [&]() -> GSErrCode {
                  inner = ACAPI_CallCommand("Grouped", []() -> GSErrCode { return NoError; });
                  return NoError;
              }),
              NoError);
    EXPECT_EQ(inner, APIERR_REFUSEDCMD);
    ExpectOneRefusal("ACAPI_CallCommand", "APIERR_REFUSEDCMD");
}

TEST_F(CommandRules, NonUndoableModifiersRunAloneOrGroupedButUndoableOnesNeedAStep)
{
    API_Attribute brick = Record(API_BuildingMaterialID, "Brick");
    EXPECT_EQ(ACAPI_Attribute_Create(&brick, nullptr), NoError) << "alone";
    API_Guid wall = AddWall();
    GSErrCode grouped = -1, undoableInCommand = -1;
    EXPECT_EQ(ACAPI_CallCommand("Materials", [&]() -> GSErrCode {
                  API_Attribute stone = Record(API_BuildingMaterialID, "Stone");
                  grouped = ACAPI_Attribute_Create(&stone, nullptr);
                  // A non-undoable command opens no undo step.
                  API_ClassificationSystem system = System("Grouped");
                  undoableInCommand = ACAPI_Classification_CreateClassificationSystem(system);
                  return NoError;
              }),
              NoError);
    EXPECT_EQ(grouped, NoError);
    EXPECT_EQ(undoableInCommand, APIERR_NEEDSUNDOSCOPE);
    ExpectOneRefusal("ACAPI_Classification_CreateClassificationSystem", "APIERR_NEEDSUNDOSCOPE");
    EXPECT_EQ(ACAPI_CallCommand("Thrown", []() -> GSErrCode { throw std::runtime_error("inside"); }),
              APIERR_COMMANDFAILED);
    (void)wall;
}

GSErrCode SaveFromProjectEvent(API_NotifyEventID, Int32)
{
    API_FileSavePars pars{};
    return ACAPI_ProjectOperation_Save(&pars, nullptr, nullptr);
}

TEST_F(CommandRules, SavingIsRefusedWhileACommandOrANotificationRuns)
{
    // Outside any command the save gets past the scope check (whatever it then answers of its own).
    API_FileSavePars pars{};
    EXPECT_NE(ACAPI_ProjectOperation_Save(&pars, nullptr, nullptr), APIERR_REFUSEDCMD);
    EXPECT_TRUE(Refusals().empty());

    GSErrCode inUndoable = -1, inCommand = -1, inNotification = -1;
    ACAPI_CallUndoableCommand("Step", [&]() -> GSErrCode {
        inUndoable = ACAPI_ProjectOperation_Save(&pars, nullptr, nullptr);
        return NoError;
    });
    ACAPI_CallCommand("Command", [&]() -> GSErrCode {
        inCommand = ACAPI_ProjectOperation_Save(&pars, nullptr, nullptr);
        return NoError;
    });
    PlaceWallRunning([&] { inNotification = ACAPI_ProjectOperation_Save(&pars, nullptr, nullptr); });
    // A project event is notification level too ("cannot be called from notification level").
    ASSERT_EQ(ACAPI_ProjectOperation_CatchProjectEvent(APINotify_Open, &SaveFromProjectEvent), NoError);
    const GSErrCode inProjectEvent = host->RaiseProjectEvent(APINotify_Open);
    EXPECT_EQ(inUndoable, APIERR_REFUSEDCMD);
    EXPECT_EQ(inCommand, APIERR_REFUSEDCMD);
    EXPECT_EQ(inNotification, APIERR_REFUSEDCMD);
    EXPECT_EQ(inProjectEvent, APIERR_REFUSEDCMD);
    EXPECT_NE(ACAPI_ProjectOperation_Save(&pars, nullptr, nullptr), APIERR_REFUSEDCMD) << "once the event is over";
    const auto refusals = Refusals();
    ASSERT_EQ(refusals.size(), 4u);
    for (const auto& event : refusals)
        EXPECT_EQ(event["function"], "ACAPI_ProjectOperation_Save");
}

}  // namespace
