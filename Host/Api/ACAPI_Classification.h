// Classification systems and items, and the classification of attributes and elements.
#pragma once

#include "ACAPI_Binding.hpp"
#include "APIdefs_Attributes.h"
#include "APIdefs_Classification.h"

ACAPI_FUNCTION(Classification_GetClassificationSystems, (GS::Array<API_ClassificationSystem>* systems), (systems))
// Fills system->guid; a system of the same name and edition version answers APIERR_NAMEALREADYUSED.
ACAPI_FUNCTION(Classification_CreateClassificationSystem, (API_ClassificationSystem* system), (system))
ACAPI_FUNCTION(Classification_GetClassificationSystemRootItems,
               (const API_Guid* systemGuid, GS::Array<API_ClassificationItem>* items), (systemGuid, items))
ACAPI_FUNCTION(Classification_GetClassificationItemChildren,
               (const API_Guid* itemGuid, GS::Array<API_ClassificationItem>* children), (itemGuid, children))
// Creates the item under `parentGuid` (null: at the system's root) before `successorGuid` (null: last).
ACAPI_FUNCTION(Classification_CreateClassificationItem,
               (API_ClassificationItem* item, const API_Guid* systemGuid, const API_Guid* parentGuid,
                const API_Guid* successorGuid),
               (item, systemGuid, parentGuid, successorGuid))

ACAPI_FUNCTION(Attribute_GetClassificationItems, (const API_Attr_Head* attrHead, API_ClassificationItemPairs* pairs),
               (attrHead, pairs))
// An attribute or element carries at most one item per system: a new item of a system replaces the old.
ACAPI_FUNCTION(Attribute_AddClassificationItem, (const API_Attr_Head* attrHead, const API_Guid* itemGuid),
               (attrHead, itemGuid))
ACAPI_FUNCTION(Element_GetClassificationItems, (const API_Guid* elemGuid, API_ClassificationItemPairs* pairs),
               (elemGuid, pairs))
ACAPI_FUNCTION(Element_AddClassificationItem, (const API_Guid* elemGuid, const API_Guid* itemGuid),
               (elemGuid, itemGuid))
