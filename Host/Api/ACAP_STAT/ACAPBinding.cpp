// The module side of the binding, linked into every add-on as the host's static library is: the two
// exported functions, guards that keep the entry points from running before the host's table arrived, and
// the ACAPI_ functions, each a call through its slot of the host's table.
#include "ACAPI_Binding.hpp"

#include <cstring>

API_AddonType CheckEnvironment(API_EnvirParams* envir);
GSErrCode RegisterInterface();
GSErrCode Initialize();
GSErrCode FreeData();

namespace {

API_AddonType GuardedCheckEnvironment(API_EnvirParams* envir)
{
    return ACAPI::HasImportedTable() ? CheckEnvironment(envir) : APIAddon_DontRegister;
}

GSErrCode GuardedRegisterInterface() { return ACAPI::HasImportedTable() ? RegisterInterface() : APIERR_GENERAL; }
GSErrCode GuardedInitialize() { return ACAPI::HasImportedTable() ? Initialize() : APIERR_GENERAL; }
GSErrCode GuardedFreeData() { return ACAPI::HasImportedTable() ? FreeData() : APIERR_GENERAL; }

}  // namespace

extern "C" PLATFORM_DLL_EXPORT GSErrCode GetExportedFuncAddrs(API_ExportedFuncTable* table, Int32 tableSize)
{
    if (table == nullptr || tableSize < static_cast<Int32>(sizeof(API_ExportedFuncTable)))
        return APIERR_BADPARS;
    std::memset(static_cast<void*>(table), 0, sizeof(API_ExportedFuncTable));
    table->header = API_ExportTableHeader;
    table->checkEnvironment = &GuardedCheckEnvironment;
    table->registerInterface = &GuardedRegisterInterface;
    table->initialize = &GuardedInitialize;
    table->freeData = &GuardedFreeData;
    table->interfaceVersion = API_InterfaceVersion;
    return NoError;
}

extern "C" PLATFORM_DLL_EXPORT GSErrCode SetImportedFuncAddrs(void* const* slots, Int32 slotCount)
{
    if (slots == nullptr || slotCount != ACAPI::SlotCount)
        return APIERR_BADPARS;
    ACAPI::Imported() = ACAPI::ImportedTable{slots, slotCount};
    return NoError;
}

// Each function calls the host through its slot; its type is the declaration's, so a slot's caller and the
// host's implementation agree on one signature.
#define ACAP_FORWARD(Name, Params, Args)                                                                   \
    GSErrCode ACAPI_##Name Params                                                                          \
    {                                                                                                      \
        auto fn = reinterpret_cast<decltype(&ACAPI_##Name)>(ACAPI::SlotAddress(ACAPI::Slot_##Name));      \
        return fn != nullptr ? fn Args : APIERR_NOTSUPPORTED;                                              \
    }

// Functions that answer something other than an error code: an empty slot answers `Empty`.
#define ACAP_FORWARD_AS(Result, Empty, Name, Params, Args)                                                 \
    Result ACAPI_##Name Params                                                                             \
    {                                                                                                      \
        auto fn = reinterpret_cast<decltype(&ACAPI_##Name)>(ACAPI::SlotAddress(ACAPI::Slot_##Name));      \
        return fn != nullptr ? fn Args : Empty;                                                            \
    }

#define ACAP_FORWARD_VOID(Name, Params, Args)                                                              \
    void ACAPI_##Name Params                                                                               \
    {                                                                                                      \
        auto fn = reinterpret_cast<decltype(&ACAPI_##Name)>(ACAPI::SlotAddress(ACAPI::Slot_##Name));      \
        if (fn != nullptr)                                                                                 \
            fn Args;                                                                                       \
    }

ACAP_FORWARD(Attribute_Get, (API_Attribute* attribute), (attribute))
ACAP_FORWARD(Attribute_GetAttributesByType, (API_AttrTypeID typeID, GS::Array<API_Attribute>& attributes), (typeID, attributes))
ACAP_FORWARD(Attribute_Search, (API_Attr_Head* attrHead), (attrHead))
ACAP_FORWARD(Attribute_Create, (API_Attribute* attribute, API_AttributeDef* defs), (attribute, defs))
ACAP_FORWARD(Attribute_CreateExt, (API_Attribute* attribute, API_AttributeDefExt* defs), (attribute, defs))
ACAP_FORWARD(Attribute_Modify, (API_Attribute* attribute, API_AttributeDef* defs), (attribute, defs))
ACAP_FORWARD(Attribute_ModifyExt, (API_Attribute* attribute, API_AttributeDefExt* defs), (attribute, defs))
ACAP_FORWARD(Attribute_GetDef, (API_AttrTypeID typeID, API_AttributeIndex index, API_AttributeDef* defs), (typeID, index, defs))
ACAP_FORWARD(Attribute_GetDefExt, (API_AttrTypeID typeID, API_AttributeIndex index, API_AttributeDefExt* defs), (typeID, index, defs))
ACAP_FORWARD(Attribute_GetNum, (API_AttrTypeID typeID, UInt32& count), (typeID, count))
ACAP_FORWARD(DisposeAttrDefsHdls, (API_AttributeDef* defs), (defs))
ACAP_FORWARD(DisposeAttrDefsHdlsExt, (API_AttributeDefExt* defs), (defs))
ACAP_FORWARD(Element_UI2ElemPriority, (GS::Int32* uiPriority, GS::Int32* elemPriority), (uiPriority, elemPriority))
ACAP_FORWARD(Classification_GetClassificationSystems, (GS::Array<API_ClassificationSystem>& systems), (systems))
ACAP_FORWARD(Classification_CreateClassificationSystem, (API_ClassificationSystem& system), (system))
ACAP_FORWARD(Classification_GetClassificationSystemRootItems, (const API_Guid& systemGuid, GS::Array<API_ClassificationItem>& items), (systemGuid, items))
ACAP_FORWARD(Classification_GetClassificationItemChildren, (const API_Guid& itemGuid, GS::Array<API_ClassificationItem>& children), (itemGuid, children))
ACAP_FORWARD(Classification_CreateClassificationItem, (API_ClassificationItem& item, const API_Guid& systemGuid, const API_Guid& parentItemGuid, const API_Guid& nextItemGuid), (item, systemGuid, parentItemGuid, nextItemGuid))
ACAP_FORWARD(Attribute_GetClassificationItems, (const API_Attr_Head& attrHead, GS::Array<GS::Pair<API_Guid, API_Guid>>& systemItemPairs), (attrHead, systemItemPairs))
ACAP_FORWARD(Attribute_AddClassificationItem, (const API_Attr_Head& attrHead, const API_Guid& itemGuid), (attrHead, itemGuid))
ACAP_FORWARD(Element_GetClassificationItems, (const API_Guid& elemGuid, GS::Array<GS::Pair<API_Guid, API_Guid>>& systemItemPairs), (elemGuid, systemItemPairs))
ACAP_FORWARD(Element_AddClassificationItem, (const API_Guid& elemGuid, const API_Guid& itemGuid), (elemGuid, itemGuid))
ACAP_FORWARD(CallUndoableCommand, (const GS::UniString& undoString, const std::function<GSErrCode()>& command), (undoString, command))
ACAP_FORWARD(ProcessWindow_InitProcessWindow, (const GS::UniString* title, Int32* nPhase, API_ProcessControlTypeID* processCntrolType), (title, nPhase, processCntrolType))
ACAP_FORWARD(ProcessWindow_CloseProcessWindow, (), ())
ACAP_FORWARD(ProcessWindow_SetNextProcessPhase, (const GS::UniString* subtitle, Int32* maxval, bool* showPercent), (subtitle, maxval, showPercent))
ACAP_FORWARD(ProcessWindow_SetProcessValue, (Int32* newval), (newval))
ACAP_FORWARD(ProcessWindow_IsProcessCanceled, (), ())
ACAP_FORWARD(Element_GetElemList, (const API_ElemType& type, GS::Array<API_Guid>* elemList, API_ElemFilterFlags filterBits, const API_Guid& renovationFilterGuid), (type, elemList, filterBits, renovationFilterGuid))
ACAP_FORWARD(Element_Get, (API_Element* element, UInt32 mask), (element, mask))
ACAP_FORWARD(Element_GetHeader, (API_Elem_Head* elementHead, UInt32 mask), (elementHead, mask))
ACAP_FORWARD(Element_Change, (API_Element* element, const API_Element* mask, const API_ElementMemo* memo, UInt64 memoMask, bool withdel), (element, mask, memo, memoMask, withdel))
ACAP_FORWARD_AS(bool, false, Element_Filter, (const API_Guid& guid, API_ElemFilterFlags filterBits, API_ElemVariationID variationID, const API_Guid& renovationFilterGuid), (guid, filterBits, variationID, renovationFilterGuid))
ACAP_FORWARD(Element_GetElemTypeName, (const API_ElemType& elemType, GS::UniString& elemName), (elemType, elemName))
ACAP_FORWARD(LibraryPart_GetElemLibPartUnId, (API_Elem_Head* elemHead, char* lpfUnId), (elemHead, lpfUnId))
ACAP_FORWARD(Element_GetIFCAttributes, (const API_Guid& guid_Element, bool storedOnly, GS::Array<API_IFCAttribute>* attributes), (guid_Element, storedOnly, attributes))
ACAP_FORWARD(Element_GetQuantities, (API_Guid elemGuid, const API_QuantityPar* params, API_Quantities* quantities, const API_QuantitiesMask* mask), (elemGuid, params, quantities, mask))
ACAP_FORWARD(Element_GetMoreQuantities, (const GS::Array<API_Guid>* elemGuids, const API_QuantityPar* params, GS::Array<API_Quantities>* quantities, const API_QuantitiesMask* mask), (elemGuids, params, quantities, mask))
ACAP_FORWARD(ModelAccess_Get3DInfo, (const API_Elem_Head& elemHead, API_ElemInfo3D* info3D), (elemHead, info3D))
ACAP_FORWARD(Element_AttachObserver, (const API_Guid& elemGuid, GSFlags notifyFlags), (elemGuid, notifyFlags))
ACAP_FORWARD(Notification_GetParentElement, (API_Element* element, API_ElementMemo* memo, UInt64 mask, API_ElementUserData* userData), (element, memo, mask, userData))
ACAP_FORWARD(Database_GetCurrentDatabase, (API_DatabaseInfo* databaseInfo), (databaseInfo))
ACAP_FORWARD(Database_ChangeCurrentDatabase, (API_DatabaseInfo* databaseInfo), (databaseInfo))
ACAP_FORWARD(Window_GetDatabaseInfo, (API_DatabaseInfo* databaseInfo, API_DatabaseUnId* databaseId), (databaseInfo, databaseId))
ACAP_FORWARD(LibraryManagement_GetLibraries, (GS::Array<API_LibraryInfo>* activeLibs, Int32* embeddedLibraryIndex), (activeLibs, embeddedLibraryIndex))
ACAP_FORWARD(LibraryManagement_SetLibraries, (const GS::Array<API_LibraryInfo>* activeLibs), (activeLibs))
ACAP_FORWARD(LibraryPart_Register, (API_LibPart* libPart), (libPart))
ACAP_FORWARD(LibraryPart_Search, (API_LibPart* ancestor, bool createIfMissing, bool onlyPlaceable), (ancestor, createIfMissing, onlyPlaceable))
ACAP_FORWARD(LibraryPart_Get, (API_LibPart* libPart), (libPart))
ACAP_FORWARD(LibraryPart_GetSection, (Int32 libInd, API_LibPartSection* section, GSHandle* sectionHdl, GS::UniString* sectionStr, GS::UniString* password), (libInd, section, sectionHdl, sectionStr, password))
ACAP_FORWARD(LibraryPart_UpdateSection, (Int32 libInd, const API_LibPartSection* section, GSHandle sectionHdl, GS::UniString* sectionStr, GS::UniString* password), (libInd, section, sectionHdl, sectionStr, password))
ACAP_FORWARD(LibraryPart_GetParams, (Int32 libInd, double* a, double* b, Int32* addParNum, API_AddParType*** addPars), (libInd, a, b, addParNum, addPars))
ACAP_FORWARD(LibraryPart_GetSect_ParamDef, (const API_LibPart* libPart, API_AddParType** addPars, double* a, double* b, GSHandle sect2DDrawHdl, GSHandle* sectionHdl, GS::UniString* password), (libPart, addPars, a, b, sect2DDrawHdl, sectionHdl, password))
ACAP_FORWARD(DisposeAddParHdl, (API_AddParType*** addPars), (addPars))
ACAP_FORWARD(LibraryPart_SetDetails_ParamDef, (const API_LibPart* libPart, GSHandle paramHdl, const API_LibPartDetails* details), (libPart, paramHdl, details))
ACAP_FORWARD(LibraryManagement_CopyFilesIntoLibrary, (const IO::Location* targetFolderLocationInLibrary, const GS::Array<IO::Location>* filesToCopy, const bool* overwriteIfExists), (targetFolderLocationInLibrary, filesToCopy, overwriteIfExists))
ACAP_FORWARD(IFC_GetIFCExportTranslatorsList, (GS::Array<API_IFCTranslatorIdentifier>& ifcExportTranslators), (ifcExportTranslators))
ACAP_FORWARD(ProjectOperation_Project, (API_ProjectInfo* projectInfo), (projectInfo))
ACAP_FORWARD(ProjectOperation_Save, (const API_FileSavePars* fileSavePars, const API_SavePars_Ifc* formatPars, API_IFCRelationshipData* resultData), (fileSavePars, formatPars, resultData))
ACAP_FORWARD(ProjectSettings_GetSpecFolder, (API_SpecFolderID* specFolderID, IO::Location* location), (specFolderID, location))
ACAP_FORWARD(Property_GetPropertyGroup, (API_PropertyGroup& group), (group))
ACAP_FORWARD(Property_GetPropertyGroups, (GS::Array<API_PropertyGroup>& groups), (groups))
ACAP_FORWARD(Property_CreatePropertyGroup, (API_PropertyGroup& group), (group))
ACAP_FORWARD(Property_CreatePropertyDefinition, (API_PropertyDefinition& definition), (definition))
ACAP_FORWARD(Property_GetPropertyDefinitions, (const API_Guid& groupGuid, GS::Array<API_PropertyDefinition>& definitions), (groupGuid, definitions))
ACAP_FORWARD(Property_ChangePropertyDefinition, (const API_PropertyDefinition& definition), (definition))
ACAP_FORWARD(Property_GetPropertyValueString, (const API_Property& apiProperty, GS::UniString* resultString), (apiProperty, resultString))
ACAP_FORWARD(Attribute_GetPropertyDefinitions, (const API_Attr_Head& attrHead, API_PropertyDefinitionFilter filter, GS::Array<API_PropertyDefinition>& definitions), (attrHead, filter, definitions))
ACAP_FORWARD(Attribute_GetPropertyValue, (const API_Attr_Head& attrHead, const API_Guid& propertyDefinitionGuid, API_Property& property), (attrHead, propertyDefinitionGuid, property))
ACAP_FORWARD(Attribute_SetProperty, (const API_Attr_Head& attrHead, const API_Property& property), (attrHead, property))
ACAP_FORWARD(Element_GetPropertyValue, (const API_Guid& elemGuid, const API_Guid& propertyDefinitionGuid, API_Property& property), (elemGuid, propertyDefinitionGuid, property))
ACAP_FORWARD(Element_SetProperty, (const API_Guid& elemGuid, const API_Property& property), (elemGuid, property))
ACAP_FORWARD(Element_SetProperties, (const API_Guid& elemGuid, const GS::Array<API_Property>& properties), (elemGuid, properties))
ACAP_FORWARD(AddOnAddOnCommunication_RegisterSupportedService, (GSType cmdID, Int32 cmdVersion), (cmdID, cmdVersion))
ACAP_FORWARD(MenuItem_RegisterMenu, (short menuStrResID, short promptStrResID, APIMenuCodeID menuPosCode, GSFlags menuFlags), (menuStrResID, promptStrResID, menuPosCode, menuFlags))
ACAP_FORWARD(MenuItem_InstallMenuHandler, (short menuStrResID, APIMenuCommandProc* handlerProc), (menuStrResID, handlerProc))
ACAP_FORWARD(AddOnIntegration_RegisterFileType, (Int32 refCon, GSType ftype, GSType fcreator, const char* extname, short iconResID, short descStrResID, short descStrResItemID, API_IOMethod methodFlags), (refCon, ftype, fcreator, extname, iconResID, descStrResID, descStrResItemID, methodFlags))
ACAP_FORWARD(AddOnIntegration_InstallFileTypeHandler, (GSType cmdID, APIIOCommandProc* handlerProc), (cmdID, handlerProc))
ACAP_FORWARD(RegisterModelessWindow, (Int32 referenceID, APIPaletteControlCallBackProc* callBackProc, GSFlags controlFlags, const API_Guid& paletteGuid), (referenceID, callBackProc, controlFlags, paletteGuid))
ACAP_FORWARD(UnregisterModelessWindow, (Int32 referenceID), (referenceID))
ACAP_FORWARD(ProjectOperation_CatchProjectEvent, (GSFlags eventTypes, APIProjectEventHandlerProc* handlerProc), (eventTypes, handlerProc))
ACAP_FORWARD(Element_CatchNewElement, (const API_ToolBoxItem* elemType, APIElementEventHandlerProc* handlerProc), (elemType, handlerProc))
ACAP_FORWARD(Element_InstallElementObserver, (APIElementEventHandlerProc* handlerProc), (handlerProc))
ACAP_FORWARD_VOID(KeepInMemory, (bool keepIn), (keepIn))
ACAP_FORWARD_AS(GSResModule, GSResModule{}, GetOwnResModule, (void), ())
ACAP_FORWARD_VOID(GetReleaseNumber, (API_ServerApplicationInfo* serverApplicationInfo), (serverApplicationInfo))
ACAP_FORWARD(UserData_GetUserData, (API_Attr_Head* attrHead, API_AttributeUserData* userData), (attrHead, userData))
ACAP_FORWARD(UserData_SetUserData, (API_Attr_Head* attrHead, const API_AttributeUserData* userData), (attrHead, userData))
ACAP_FORWARD(Element_GetUserData, (API_Elem_Head* elemHead, API_ElementUserData* userData, UInt32 mask), (elemHead, userData, mask))
ACAP_FORWARD(Element_SetUserData, (API_Elem_Head* elemHead, const API_ElementUserData* userData), (elemHead, userData))
ACAP_FORWARD(ModulData_Store, (const API_ModulData* info, const GS::UniString& modulName), (info, modulName))
ACAP_FORWARD(ModulData_Get, (API_ModulData* info, const GS::UniString& modulName), (info, modulName))
ACAP_FORWARD(ModulData_GetList, (GS::Array<GS::UniString>* modulNameList), (modulNameList))
