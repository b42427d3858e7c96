// Library parts and the project's library list.
#pragma once

#include "ACAPI_Binding.hpp"
#include "APIdefs_LibraryParts.h"

// Finds a part by ownUnID when it is set, else by docu_UName; fills the record. APIERR_BADNAME when none.
ACAPI_FUNCTION(LibraryPart_Search, (API_LibPart* libPart, bool createIfMissing, bool onlyPlaceable),
               (libPart, createIfMissing, onlyPlaceable))
// By libPart->index.
ACAPI_FUNCTION(LibraryPart_Get, (API_LibPart* libPart), (libPart))
