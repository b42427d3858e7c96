// The host's add-on interface: every ACAPI_ function, with the records and the class libraries they use.
#pragma once

#include "ACAPI_Automate.h"
#include "ACAPI_Database.h"
#include "ACAPI_Environment.h"
#include "ACAPI_Goodies.h"
#include "ACAPI_Interface.h"
#include "APIdefs.h"
#include "API_Guid.hpp"
#include "Array.hpp"
#include "BM.hpp"
#include "GSDebug.hpp"
#include "GSRoot.hpp"
#include "RS.hpp"
#include "UniString.hpp"

#include <functional>

// ---- attributes

// By header.typeID with header.index, or by the name with index 0 (see API_Attr_Head).
GSErrCode ACAPI_Attribute_Get (API_Attribute* attribute);

// The attributes of one kind, in index order.
GSErrCode ACAPI_Attribute_GetAttributesByType (API_AttrTypeID typeID, GS::Array<API_Attribute>& attributes);

// Finds an attribute by header.typeID and its name; fills header.index and header.guid.
GSErrCode ACAPI_Attribute_Search (API_Attr_Head* attrHead);

// A name in use answers APIERR_ATTREXIST with the holder's index in header.index. `defs` may be null for
// kinds without dynamic data; the handles stay the caller's.
GSErrCode ACAPI_Attribute_Create (API_Attribute* attribute, API_AttributeDef* defs);

// The same with the separator lines of composites.
GSErrCode ACAPI_Attribute_CreateExt (API_Attribute* attribute, API_AttributeDefExt* defs);

GSErrCode ACAPI_Attribute_Modify (API_Attribute* attribute, API_AttributeDef* defs);

GSErrCode ACAPI_Attribute_ModifyExt (API_Attribute* attribute, API_AttributeDefExt* defs);

// The host allocates the handles; ACAPI_DisposeAttrDefsHdls releases them.
GSErrCode ACAPI_Attribute_GetDef (API_AttrTypeID typeID, API_AttributeIndex index, API_AttributeDef* defs);

// The host allocates the handles; ACAPI_DisposeAttrDefsHdlsExt releases them.
GSErrCode ACAPI_Attribute_GetDefExt (API_AttrTypeID typeID, API_AttributeIndex index, API_AttributeDefExt* defs);

// How many attributes of the kind there are (not the highest index: iterate with GetAttributesByType).
GSErrCode ACAPI_Attribute_GetNum (API_AttrTypeID typeID, UInt32& count);

GSErrCode ACAPI_DisposeAttrDefsHdls (API_AttributeDef* defs);

GSErrCode ACAPI_DisposeAttrDefsHdlsExt (API_AttributeDefExt* defs);

// ---- classification systems and items, and the classification of attributes and elements

GSErrCode ACAPI_Classification_GetClassificationSystems (GS::Array<API_ClassificationSystem>& systems);

// Fills system.guid; a system of the same name and edition version answers APIERR_NAMEALREADYUSED.
GSErrCode ACAPI_Classification_CreateClassificationSystem (API_ClassificationSystem& system);

GSErrCode ACAPI_Classification_GetClassificationSystemRootItems (const API_Guid& systemGuid, GS::Array<API_ClassificationItem>& items);

GSErrCode ACAPI_Classification_GetClassificationItemChildren (const API_Guid& itemGuid, GS::Array<API_ClassificationItem>& children);

// Creates the item under `parentItemGuid` (null: at the system's root) before `nextItemGuid` (null: last).
GSErrCode ACAPI_Classification_CreateClassificationItem (API_ClassificationItem& item, const API_Guid& systemGuid, const API_Guid& parentItemGuid, const API_Guid& nextItemGuid);

// (system, item) pairs.
GSErrCode ACAPI_Attribute_GetClassificationItems (const API_Attr_Head& attrHead, GS::Array<GS::Pair<API_Guid, API_Guid>>& systemItemPairs);

// An attribute or element carries at most one item per system: a new item of a system replaces the old.
GSErrCode ACAPI_Attribute_AddClassificationItem (const API_Attr_Head& attrHead, const API_Guid& itemGuid);

GSErrCode ACAPI_Element_GetClassificationItems (const API_Guid& elemGuid, GS::Array<GS::Pair<API_Guid, API_Guid>>& systemItemPairs);

GSErrCode ACAPI_Element_AddClassificationItem (const API_Guid& elemGuid, const API_Guid& itemGuid);

// ---- undoable commands

// Runs `command` as one undoable step named `undoString`; changes to the project are only allowed inside.
GSErrCode ACAPI_CallUndoableCommand (const GS::UniString& undoString, const std::function<GSErrCode()>& command);

// ---- elements

GSErrCode ACAPI_Element_GetElemList (const API_ElemType& type, GS::Array<API_Guid>* elemList, API_ElemFilterFlags filterBits = APIFilt_None, const API_Guid& renovationFilterGuid = APINULLGuid);

// By element->header.guid; APIERR_BADID for an unknown element. `mask` chooses extra parts; 0 reads it all.
GSErrCode ACAPI_Element_Get (API_Element* element, UInt32 mask = 0);

GSErrCode ACAPI_Element_GetHeader (API_Elem_Head* elementHead, UInt32 mask = 0);

// Changes the fields the mask marks; the record comes back as the host then holds the element. The add-on
// passes no memo. With `withdel` false the host would keep the original and make a changed copy.
GSErrCode ACAPI_Element_Change (API_Element* element, const API_Element* mask, const API_ElementMemo* memo, UInt64 memoMask, bool withdel);

// Whether the element passes the filter; false for an element the host does not have.
bool ACAPI_Element_Filter (const API_Guid& guid, API_ElemFilterFlags filterBits, API_ElemVariationID variationID = APIVarId_Generic, const API_Guid& renovationFilterGuid = APINULLGuid);

GSErrCode ACAPI_Element_GetIFCAttributes (const API_Guid& guid_Element, bool storedOnly, GS::Array<API_IFCAttribute>* attributes);

// Fills the members of `quantities` the caller pointed at; without a mask both must be given.
GSErrCode ACAPI_Element_GetQuantities (API_Guid elemGuid, const API_QuantityPar* params, API_Quantities* quantities, const API_QuantitiesMask* mask = nullptr);

// As GetQuantities for several elements: `quantities` has one entry per GUID.
GSErrCode ACAPI_Element_GetMoreQuantities (const GS::Array<API_Guid>* elemGuids, const API_QuantityPar* params, GS::Array<API_Quantities>* quantities, const API_QuantitiesMask* mask = nullptr);

GSErrCode ACAPI_ModelAccess_Get3DInfo (const API_Elem_Head& elemHead, API_ElemInfo3D* info3D);

// Asks the host to send observer notifications of this element; APIERR_LINKEXIST when it already does.
GSErrCode ACAPI_Element_AttachObserver (const API_Guid& elemGuid, GSFlags notifyFlags = 0);

// During an element notification: the element the notified one was derived from (the original of a copy).
// APIERR_REFUSEDCMD when it has none. With null memo and user data it reads as ACAPI_Element_Get.
GSErrCode ACAPI_Notification_GetParentElement (API_Element* element, API_ElementMemo* memo, UInt64 mask, API_ElementUserData* userData);

// ---- library parts

// Registers the file at libPart->location, which must exist and lie in an active library folder, as a
// library part; fills index and ownUnID (and the names when they are empty). A file registered before
// keeps its index and identifier.
GSErrCode ACAPI_LibraryPart_Register (API_LibPart* libPart);

// Finds a part by ownUnID when it is set, else by docu_UName; fills the record. APIERR_BADNAME when none.
GSErrCode ACAPI_LibraryPart_Search (API_LibPart* ancestor, bool createIfMissing, bool onlyPlaceable = false);

// By libPart->index.
GSErrCode ACAPI_LibraryPart_Get (API_LibPart* libPart);

// A section of part `libInd`, in the host's own form; the caller releases the handle with BMKillHandle.
// APIERR_NOLIBSECT for a section the part does not have.
GSErrCode ACAPI_LibraryPart_GetSection (Int32 libInd, API_LibPartSection* section, GSHandle* sectionHdl, GS::UniString* sectionStr, GS::UniString* password = nullptr);

// Replaces a section of part `libInd` with the handle's content (made with GetSect_ParamDef for the
// parameter section). Parameter names must be non-empty and differ within the part (APIERR_BADPARS).
GSErrCode ACAPI_LibraryPart_UpdateSection (Int32 libInd, const API_LibPartSection* section, GSHandle sectionHdl, GS::UniString* sectionStr, GS::UniString* password = nullptr);

// The part's parameters: A and B, and the others as `addParNum` records in a new handle that the caller
// releases with ACAPI_DisposeAddParHdl.
GSErrCode ACAPI_LibraryPart_GetParams (Int32 libInd, double* a, double* b, Int32* addParNum, API_AddParType*** addPars);

// Makes a parameter section of A, B and the records of `addPars`, in a new handle of the caller's.
GSErrCode ACAPI_LibraryPart_GetSect_ParamDef (const API_LibPart* libPart, API_AddParType** addPars, double* a, double* b, GSHandle sect2DDrawHdl, GSHandle* sectionHdl, GS::UniString* password = nullptr);

// Stores the detail parameters in a parameter section handle made with GetSect_ParamDef.
GSErrCode ACAPI_LibraryPart_SetDetails_ParamDef (const API_LibPart* libPart, GSHandle paramHdl, const API_LibPartDetails* details);

GSErrCode ACAPI_DisposeAddParHdl (API_AddParType*** addPars);

// ---- IFC translators

// The host's IFC export translators, in the order of its translator setup.
GSErrCode ACAPI_IFC_GetIFCExportTranslatorsList (GS::Array<API_IFCTranslatorIdentifier>& ifcExportTranslators);

// ---- property groups, definitions and values

// By group.guid; a null GUID answers APIERR_BADID.
GSErrCode ACAPI_Property_GetPropertyGroup (API_PropertyGroup& group);

GSErrCode ACAPI_Property_GetPropertyGroups (GS::Array<API_PropertyGroup>& groups);

// Fills group.guid. A second group of the same name answers APIERR_NAMEALREADYUSED.
GSErrCode ACAPI_Property_CreatePropertyGroup (API_PropertyGroup& group);

// Fills definition.guid. A second definition of the same name in a group answers APIERR_NAMEALREADYUSED.
GSErrCode ACAPI_Property_CreatePropertyDefinition (API_PropertyDefinition& definition);

// The group's definitions; a null group GUID answers every definition.
GSErrCode ACAPI_Property_GetPropertyDefinitions (const API_Guid& groupGuid, GS::Array<API_PropertyDefinition>& definitions);

GSErrCode ACAPI_Property_ChangePropertyDefinition (const API_PropertyDefinition& definition);

GSErrCode ACAPI_Property_GetPropertyValueString (const API_Property& apiProperty, GS::UniString* resultString);

// Definitions that apply to the attribute (custom ones by availability, plus the host's built-in ones).
GSErrCode ACAPI_Attribute_GetPropertyDefinitions (const API_Attr_Head& attrHead, API_PropertyDefinitionFilter filter, GS::Array<API_PropertyDefinition>& definitions);

GSErrCode ACAPI_Attribute_GetPropertyValue (const API_Attr_Head& attrHead, const API_Guid& propertyDefinitionGuid, API_Property& property);

// Refused when the definition is not available for the attribute's classification.
GSErrCode ACAPI_Attribute_SetProperty (const API_Attr_Head& attrHead, const API_Property& property);

GSErrCode ACAPI_Element_GetPropertyValue (const API_Guid& elemGuid, const API_Guid& propertyDefinitionGuid, API_Property& property);

// Refused when the definition is not available for the element's classification.
GSErrCode ACAPI_Element_SetProperty (const API_Guid& elemGuid, const API_Property& property);

GSErrCode ACAPI_Element_SetProperties (const API_Guid& elemGuid, const GS::Array<API_Property>& properties);

// ---- registration and integration

GSErrCode ACAPI_AddOnAddOnCommunication_RegisterSupportedService (GSType cmdID, Int32 cmdVersion);

GSErrCode ACAPI_MenuItem_RegisterMenu (short menuStrResID, short promptStrResID, APIMenuCodeID menuPosCode, GSFlags menuFlags);

GSErrCode ACAPI_MenuItem_InstallMenuHandler (short menuStrResID, APIMenuCommandProc* handlerProc);

GSErrCode ACAPI_AddOnIntegration_RegisterFileType (Int32 refCon, GSType ftype, GSType fcreator, const char* extname, short iconResID, short descStrResID, short descStrResItemID, API_IOMethod methodFlags);

GSErrCode ACAPI_AddOnIntegration_InstallFileTypeHandler (GSType cmdID, APIIOCommandProc* handlerProc);

GSErrCode ACAPI_RegisterModelessWindow (Int32 referenceID, APIPaletteControlCallBackProc* callBackProc, GSFlags controlFlags, const API_Guid& paletteGuid = APINULLGuid);

GSErrCode ACAPI_UnregisterModelessWindow (Int32 referenceID);

GSErrCode ACAPI_ProjectOperation_CatchProjectEvent (GSFlags eventTypes, APIProjectEventHandlerProc* handlerProc);

GSErrCode ACAPI_Element_CatchNewElement (const API_ToolBoxItem* elemType, APIElementEventHandlerProc* handlerProc);

GSErrCode ACAPI_Element_InstallElementObserver (APIElementEventHandlerProc* handlerProc);

void ACAPI_KeepInMemory (bool keepIn);

GSResModule ACAPI_GetOwnResModule (void);

// The host's version, build and language.
void ACAPI_GetReleaseNumber (API_ServerApplicationInfo* serverApplicationInfo);

// ---- user data and module data

// By header.typeID and header.index; APIERR_NOUSERDATA when the attribute carries none. The caller releases
// the new handle.
GSErrCode ACAPI_UserData_GetUserData (API_Attr_Head* attrHead, API_AttributeUserData* userData);

// The host keeps a copy of the handle's bytes; no handle removes the user data.
GSErrCode ACAPI_UserData_SetUserData (API_Attr_Head* attrHead, const API_AttributeUserData* userData);

// By elemHead->guid; APIERR_NOUSERDATA when the element carries none.
GSErrCode ACAPI_Element_GetUserData (API_Elem_Head* elemHead, API_ElementUserData* userData, UInt32 mask = 0);

GSErrCode ACAPI_Element_SetUserData (API_Elem_Head* elemHead, const API_ElementUserData* userData);

// The add-on's entry of that name; no record removes the entry.
GSErrCode ACAPI_ModulData_Store (const API_ModulData* info, const GS::UniString& modulName = "");

// APIERR_NOMODULEDATA when no entry has that name. The caller releases the new handle.
GSErrCode ACAPI_ModulData_Get (API_ModulData* info, const GS::UniString& modulName = "");

GSErrCode ACAPI_ModulData_GetList (GS::Array<GS::UniString>* modulNameList);
