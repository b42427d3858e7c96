// User data of attributes and elements and the add-on's module data: exact bytes in, a new handle of
// exactly those bytes out, and the host's answers when there is nothing.
#include "ClassLibs/LiveHandles.hpp"
#include "PropertyFixture.hpp"
#include "Support/AttributeIndexNumbers.hpp"
#include "SimUtf8.hpp"

namespace {

using SimPropertiesTest::PropertyFixture;

class UserDataFunctions : public PropertyFixture {
protected:
    static GSHandle Handle(const std::string& bytes)
    {
        GSHandle handle = BMAllocateHandle(static_cast<Int32>(bytes.size()), 0, 0);
        std::memcpy(*handle, bytes.data(), bytes.size());
        return handle;
    }
    // The handle's bytes; the handle is released.
    static std::string Take(GSHandle& handle)
    {
        std::string bytes(*handle, static_cast<size_t>(BMGetHandleSize(handle)));
        BMKillHandle(&handle);
        return bytes;
    }
};

const std::string binary("[{\"name\":\"x\"}]\0\xff\x01", 17);

TEST_F(UserDataFunctions, AttributeUserDataKeepsItsBytesVersionAndSign)
{
    API_Attr_Head brick = CreateMaterial("Brick");
    API_AttributeUserData read{};
    EXPECT_EQ(ACAPI_UserData_GetUserData(&brick, &read), APIERR_NOUSERDATA);

    const Int32 handlesBefore = Sim::LiveHandleCount();
    API_AttributeUserData written{};
    written.dataVersion = 3;
    written.platformSign = GS::Win_Platform_Sign;
    written.dataHdl = Handle(binary);
    ASSERT_EQ(ACAPI_UserData_SetUserData(&brick, &written), NoError);
    BMKillHandle(&written.dataHdl);
    EXPECT_EQ(Sim::LiveHandleCount(), handlesBefore);  // the host keeps a copy, not the caller's handle

    ASSERT_EQ(ACAPI_UserData_GetUserData(&brick, &read), NoError);
    EXPECT_EQ(read.dataVersion, 3);
    EXPECT_EQ(read.platformSign, GS::Win_Platform_Sign);
    EXPECT_EQ(Take(read.dataHdl), binary);
    EXPECT_EQ(Sim::LiveHandleCount(), handlesBefore);

    API_AttributeUserData removal{};
    ASSERT_EQ(ACAPI_UserData_SetUserData(&brick, &removal), NoError);
    EXPECT_EQ(ACAPI_UserData_GetUserData(&brick, &read), APIERR_NOUSERDATA);

    API_Attr_Head missing = brick;
    missing.index = AttributeIndex(42);
    EXPECT_EQ(ACAPI_UserData_GetUserData(&missing, &read), APIERR_BADINDEX);
    EXPECT_EQ(ACAPI_UserData_SetUserData(&missing, &written), APIERR_BADINDEX);
}

TEST_F(UserDataFunctions, ElementUserDataIsKeptOnTheElement)
{
    API_Elem_Head head{};
    head.guid = AddElement(API_SlabID);
    API_ElementUserData read{};
    EXPECT_EQ(ACAPI_Element_GetUserData(&head, &read), APIERR_NOUSERDATA);

    API_ElementUserData written{};
    written.dataVersion = 1;
    written.platformSign = GS::Win_Platform_Sign;
    written.flags = APIUserDataFlag_FillWith | APIUserDataFlag_Pickup;
    written.dataHdl = Handle(binary);
    ASSERT_EQ(ACAPI_Element_SetUserData(&head, &written), NoError);
    BMKillHandle(&written.dataHdl);
    ASSERT_EQ(ACAPI_Element_GetUserData(&head, &read), NoError);
    EXPECT_EQ(read.dataVersion, 1);
    EXPECT_EQ(Take(read.dataHdl), binary);
    ASSERT_TRUE(host->GetProject().elements.Find(head.guid)->userData.has_value());

    API_Elem_Head unknown{};
    unknown.guid = host->NewProjectGuid();
    EXPECT_EQ(ACAPI_Element_GetUserData(&unknown, &read), APIERR_BADID);
}

TEST_F(UserDataFunctions, ModuleDataEntriesAreStoredByNameAndListedSorted)
{
    API_ModulData read{};
    const GS::UniString stair("CV_Stair"), balcony("CV_Balcony"), unnamed;
    EXPECT_EQ(ACAPI_ModulData_Get(&read, stair), APIERR_NOMODULEDATA);

    for (const auto* name : {&stair, &balcony, &unnamed}) {
        API_ModulData data{};
        data.dataVersion = 1;
        data.platformSign = GS::Win_Platform_Sign;
        data.dataHdl = Handle(Sim::Utf8(*name) + "-data");
        ASSERT_EQ(ACAPI_ModulData_Store(&data, *name), NoError);
        BMKillHandle(&data.dataHdl);
    }
    API_ModulData replacement{};
    replacement.dataVersion = 2;
    replacement.dataHdl = Handle(binary);
    ASSERT_EQ(ACAPI_ModulData_Store(&replacement, stair), NoError);
    BMKillHandle(&replacement.dataHdl);

    ASSERT_EQ(ACAPI_ModulData_Get(&read, stair), NoError);
    EXPECT_EQ(read.dataVersion, 2);
    EXPECT_EQ(Take(read.dataHdl), binary);
    ASSERT_EQ(ACAPI_ModulData_Get(&read), NoError);  // the unnamed entry
    EXPECT_EQ(Take(read.dataHdl), "-data");

    GS::Array<GS::UniString> names{GS::UniString("stale")};
    ASSERT_EQ(ACAPI_ModulData_GetList(&names), NoError);
    EXPECT_EQ(names, (GS::Array<GS::UniString>{unnamed, balcony, stair}));

    API_ModulData empty{};
    EXPECT_EQ(ACAPI_ModulData_Store(&empty, stair), APIERR_BADPARS);
    EXPECT_EQ(ACAPI_ModulData_GetList(nullptr), APIERR_BADPARS);

    // No record removes the entry.
    ASSERT_EQ(ACAPI_ModulData_Store(nullptr, stair), NoError);
    EXPECT_EQ(ACAPI_ModulData_Get(&read, stair), APIERR_NOMODULEDATA);
    EXPECT_EQ(ACAPI_ModulData_Store(nullptr, stair), APIERR_NOMODULEDATA);
    ASSERT_EQ(ACAPI_ModulData_GetList(&names), NoError);
    ASSERT_EQ(names.GetSize(), 2u);
    EXPECT_EQ(names[0], unnamed);
    EXPECT_EQ(names[1], balcony);
}

TEST_F(UserDataFunctions, OnlyThePlatformSignsOfTheHostAreTaken)
{
    API_Attr_Head brick = CreateMaterial("Brick");
    API_Elem_Head head{};
    head.guid = AddElement(API_SlabID);
    API_UserData data{};
    data.platformSign = 12345;
    data.dataHdl = Handle("x");
    EXPECT_EQ(ACAPI_UserData_SetUserData(&brick, &data), APIERR_BADPLATFORMSIGN);
    EXPECT_EQ(ACAPI_Element_SetUserData(&head, &data), APIERR_BADPLATFORMSIGN);
    API_ModulData moduleData{};
    moduleData.platformSign = 12345;
    moduleData.dataHdl = data.dataHdl;
    EXPECT_EQ(ACAPI_ModulData_Store(&moduleData, "CV_x"), APIERR_BADPLATFORMSIGN);
    EXPECT_FALSE(host->GetProject().attributes.buildingMaterials.FindByIndex(1)->userData.has_value());
    EXPECT_TRUE(host->GetProject().moduleData.empty());

    for (auto sign : {GS::Mac_Platform_Sign, GS::Mactel_Platform_Sign, GS::Win_Platform_Sign}) {
        data.platformSign = static_cast<unsigned short>(sign);
        EXPECT_EQ(ACAPI_UserData_SetUserData(&brick, &data), NoError);
    }
    BMKillHandle(&data.dataHdl);

    // A sign a project file brought along that is none of them is not handed out.
    host->GetProject().attributes.buildingMaterials.FindByIndex(1)->userData->platformSign = 12345;
    API_UserData read{};
    EXPECT_EQ(ACAPI_UserData_GetUserData(&brick, &read), APIERR_BADPLATFORMSIGN);
    EXPECT_EQ(read.dataHdl, nullptr);
}

TEST_F(UserDataFunctions, AttributeUserDataNamesTheAttributeByIndexOnly)
{
    API_Attr_Head brick = CreateMaterial("Brick");
    API_Attr_Head byName = brick;
    byName.index = AttributeIndex(0);
    API_UserData data{};
    data.dataHdl = Handle("x");
    EXPECT_EQ(ACAPI_UserData_SetUserData(&byName, &data), APIERR_BADINDEX);
    EXPECT_EQ(ACAPI_UserData_GetUserData(&byName, &data), APIERR_BADINDEX);
    EXPECT_EQ(ACAPI_UserData_SetUserData(&brick, &data), NoError);
    BMKillHandle(&data.dataHdl);
}

TEST_F(UserDataFunctions, InjectedFailuresReachTheCaller)
{
    API_Attr_Head brick = CreateMaterial("Brick");
    host->GetFaults().FailNext("ACAPI_UserData_GetUserData", APIERR_MEMFULL);
    API_AttributeUserData read{};
    EXPECT_EQ(ACAPI_UserData_GetUserData(&brick, &read), APIERR_MEMFULL);
    EXPECT_EQ(ACAPI_UserData_GetUserData(&brick, &read), APIERR_NOUSERDATA);
    EXPECT_EQ(host->GetFaults().CallCount("ACAPI_UserData_GetUserData"), 2);
}

}  // namespace
