// Slot numbers of the host's imported function table. The host hands the add-on a table of
// ACAPI_SLOT_COUNT function addresses; every ACAPI_ call of the add-on goes through its slot here.
// New functions are appended at the end of their family block's reserve, never renumbered: a slot number
// is part of the binary contract between a module and its host.
#pragma once

#define ACAPI_SLOT_LIST(X)                                  \
    /* add-on integration and registration */              \
    X(AddOnAddOnCommunication_RegisterSupportedService)     \
    X(MenuItem_RegisterMenu)                                \
    X(MenuItem_InstallMenuHandler)                          \
    X(AddOnIntegration_RegisterFileType)                    \
    X(AddOnIntegration_InstallFileTypeHandler)              \
    X(RegisterModelessWindow)                               \
    X(UnregisterModelessWindow)                             \
    X(ProjectOperation_CatchProjectEvent)                   \
    X(Element_CatchNewElement)                              \
    X(Element_InstallElementObserver)                       \
    X(KeepInMemory)                                         \
    X(GetOwnResModule)                                      \
    X(GetOwnLocation)                                       \
    X(GetReleaseNumber)                                     \
    /* attributes */                                        \
    X(Attribute_Get)                                        \
    X(Attribute_Search)                                     \
    X(Attribute_Create)                                     \
    X(Attribute_Modify)                                     \
    X(Attribute_GetDef)                                     \
    X(Attribute_GetNum)                                     \
    X(UserData_GetUserData)                                 \
    X(UserData_SetUserData)                                 \
    X(Attribute_GetPropertyDefinitions)                     \
    X(Attribute_GetPropertyValue)                           \
    X(Attribute_SetProperty)                                \
    X(Attribute_GetClassificationItems)                     \
    X(Attribute_AddClassificationItem)                      \
    X(DisposeAttrDefsHdls)                                  \
    X(Element_UI2ElemPriority)                              \
    X(Attribute_GetAttributesByType)                        \
    X(Attribute_CreateExt)                                  \
    X(Attribute_ModifyExt)                                  \
    X(Attribute_GetDefExt)                                  \
    X(DisposeAttrDefsHdlsExt)                               \
    /* elements */                                          \
    X(Element_GetElemList)                                  \
    X(Element_Get)                                          \
    X(Element_GetHeader)                                    \
    X(Element_Change)                                       \
    X(Element_GetUserData)                                  \
    X(Element_SetUserData)                                  \
    X(Element_GetClassificationItems)                       \
    X(Element_AddClassificationItem)                        \
    X(Element_GetPropertyValue)                             \
    X(Element_SetProperty)                                  \
    X(Element_SetProperties)                                \
    X(Element_GetIFCAttributes)                             \
    X(Element_GetQuantities)                                \
    X(Element_GetMoreQuantities)                            \
    X(ModelAccess_Get3DInfo)                                \
    X(Element_AttachObserver)                               \
    X(Element_GetElemTypeName)                              \
    X(LibraryPart_GetElemLibPartUnId)                       \
    X(Element_Filter)                                       \
    X(Notification_GetParentElement)                        \
    /* property groups and definitions */                   \
    X(Property_GetPropertyGroup)                            \
    X(Property_GetPropertyGroups)                           \
    X(Property_CreatePropertyGroup)                         \
    X(Property_CreatePropertyDefinition)                    \
    X(Property_GetPropertyDefinitions)                      \
    X(Property_ChangePropertyDefinition)                    \
    X(Property_GetPropertyValueString)                      \
    /* classification */                                    \
    X(Classification_GetClassificationSystems)              \
    X(Classification_CreateClassificationSystem)            \
    X(Classification_GetClassificationSystemRootItems)      \
    X(Classification_GetClassificationItemChildren)         \
    X(Classification_CreateClassificationItem)              \
    /* library */                                           \
    X(LibraryManagement_GetLibraries)                       \
    X(LibraryManagement_SetLibraries)                       \
    X(LibraryPart_Register)                                 \
    X(LibraryPart_Search)                                   \
    X(LibraryPart_Get)                                      \
    X(LibraryPart_GetSection)                               \
    X(LibraryPart_UpdateSection)                            \
    X(LibraryPart_GetParams)                                \
    X(LibraryPart_SetDetails_ParamDef)                      \
    X(LibraryManagement_CopyFilesIntoLibrary)               \
    X(LibraryPart_GetSect_ParamDef)                         \
    X(DisposeAddParHdl)                                     \
    /* module data */                                       \
    X(ModulData_Store)                                      \
    X(ModulData_Get)                                        \
    X(ModulData_GetList)                                    \
    /* undo scope and process window */                    \
    X(CallUndoableCommand)                                  \
    X(ProcessWindow_InitProcessWindow)                      \
    X(ProcessWindow_CloseProcessWindow)                     \
    X(ProcessWindow_SetNextProcessPhase)                    \
    X(ProcessWindow_SetProcessValue)                        \
    X(ProcessWindow_IsProcessCanceled)                      \
    /* IFC, project, environment, databases */              \
    X(IFC_GetIFCExportTranslatorsList)                      \
    X(ProjectOperation_Project)                             \
    X(ProjectOperation_Save)                                \
    X(ProjectSettings_GetSpecFolder)                        \
    X(Database_GetCurrentDatabase)                          \
    X(Database_ChangeCurrentDatabase)                       \
    X(Window_GetDatabaseInfo)

namespace ACAPI {

enum Slot : int {
#define ACAPI_SLOT_ENUM(name) Slot_##name,
    ACAPI_SLOT_LIST(ACAPI_SLOT_ENUM)
#undef ACAPI_SLOT_ENUM
    Slot_UsedCount
};

constexpr int SlotCount = 648;
static_assert(Slot_UsedCount <= SlotCount, "the host's table has 648 slots");

inline const char* SlotName(int slot)
{
    static const char* const names[] = {
#define ACAPI_SLOT_NAME(name) "ACAPI_" #name,
        ACAPI_SLOT_LIST(ACAPI_SLOT_NAME)
#undef ACAPI_SLOT_NAME
    };
    return (slot >= 0 && slot < Slot_UsedCount) ? names[slot] : "";
}

}  // namespace ACAPI
