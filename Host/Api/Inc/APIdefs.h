// Every record, enumeration and callback type of the host's add-on interface.
#pragma once

#include "APIdefs_Attributes.h"
#include "APIdefs_Automate.h"
#include "APIdefs_Base.h"
#include "APIdefs_Callback.h"
#include "APIdefs_Database.h"
#include "APIdefs_Elements.h"
#include "APIdefs_Environment.h"
#include "APIdefs_ErrorCodes.h"
#include "APIdefs_Interface.h"
#include "APIdefs_LibraryParts.h"
#include "APIdefs_ModulData.h"
#include "APIdefs_Properties.h"
#include "APIdefs_Registration.h"
